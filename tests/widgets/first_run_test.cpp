#include "ui/screens/menu_screen.h"
#include "ui/screens/splash_screen.h"
#include "widget_fakes.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

class FirstRun : public ::testing::Test {
protected:
    void SetUp() override
    {
        bench.random.setFallback(0.0);
        bench.program->start();
    }
    ui::MenuScreen* toMenu()
    {
        auto* splash = bench.current<ui::SplashScreen>();
        EXPECT_NE(splash, nullptr);
        click(imagesOf(splash)[2]);
        return bench.current<ui::MenuScreen>();
    }
    // One word-for-the-picture exercise: colour, slots 1..6, the right position.
    void scriptWordForPicture(int position)
    {
        bench.random.push({0.0});
        for (int s = 1; s <= 6; ++s) {
            bench.random.pushSlot(s, bench.program->state().NumeroParole);
        }
        bench.random.pushSlot(position, 6);
    }
    ProgramBench bench;
};

TEST_F(FirstRun, SplashClickOpensMenuWithWaitingOptionSelected)
{
    EXPECT_EQ(bench.program->currentScreen()->windowTitle(), "Form1");
    EXPECT_TRUE(bench.program->state().AttendiAvanti);
    EXPECT_GT(bench.program->state().NumeroParole, 50) << "the bundled list is read from the program folder";
    ui::MenuScreen* menu = toMenu();
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->windowTitle(), "Form2");
    EXPECT_TRUE(control<QRadioButton>(menu, "Option1_1")->isChecked());
    EXPECT_FALSE(control<QRadioButton>(menu, "Option1_0")->isChecked());
    EXPECT_EQ(menu->size(), QSize(676, 498));
}

TEST_F(FirstRun, AutomaticOptionCarriesThroughWordForPictureAndBack)
{
    ui::MenuScreen* menu = toMenu();
    click(control<QRadioButton>(menu, "Option1_0"));
    EXPECT_FALSE(bench.program->state().AttendiAvanti);
    bench.random.setFallback(-1);
    // Parole: colour, six slots, position.
    bench.random.push({0.0});
    for (int s = 1; s <= 6; ++s) {
        bench.random.pushSlot(s, bench.program->state().NumeroParole);
    }
    bench.random.pushSlot(2, 6);
    click(control<QToolButton>(menu, "Command3D4"));
    auto* parole = bench.screen(ScreenId::WordForPicture);
    ASSERT_NE(parole, nullptr);
    EXPECT_FALSE(control<QToolButton>(parole, "Command1")->isVisibleTo(parole));
    EXPECT_EQ(control<QLabel>(parole, "EtichettaEsatti")->text(), "0");
    EXPECT_EQ(parole->centralWidget()->size(), QSize(672, 502));
    const QString firstWord = choicesOf(parole)[0]->text();

    // A right click builds the next exercise at once.
    bench.random.push({0.0, 0.0});
    for (int s = 6; s >= 1; --s) {
        bench.random.pushSlot(s, bench.program->state().NumeroParole);
    }
    bench.random.pushSlot(1, 6);
    click(choicesOf(parole)[1]);
    EXPECT_EQ(control<QLabel>(parole, "EtichettaEsatti")->text(), " 1");
    EXPECT_NE(choicesOf(parole)[0]->text(), firstWord);
    EXPECT_TRUE(choicesOf(parole)[0]->isEnabled());

    bench.random.setFallback(0.0);
    bench.boxes.answers = {true};
    control<QAction>(parole, "mnuEsci")->trigger();
    auto* back = bench.current<ui::MenuScreen>();
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(control<QRadioButton>(back, "Option1_0")->isChecked());
    EXPECT_EQ(bench.program->state().ContaEsatti, 0);
}

TEST_F(FirstRun, WordForPictureWithAvantiMarksAndWaits)
{
    ui::MenuScreen* menu = toMenu();
    bench.random.setFallback(-1);
    scriptWordForPicture(1);
    click(control<QToolButton>(menu, "Command3D4"));
    auto* parole = bench.screen(ScreenId::WordForPicture);
    ASSERT_NE(parole, nullptr);
    EXPECT_TRUE(control<QToolButton>(parole, "Command1")->isVisibleTo(parole));
    EXPECT_FALSE(control<QToolButton>(parole, "Command1")->isEnabled());
    click(choicesOf(parole)[3]);
    EXPECT_EQ(control<QLabel>(parole, "EtichettaErrati")->text(), " 1");
    EXPECT_TRUE(control<QLabel>(parole, "ComandoIconaNo")->isVisibleTo(parole));
    bench.random.push({0.0});
    click(choicesOf(parole)[0]);
    EXPECT_TRUE(control<QToolButton>(parole, "Command1")->isEnabled());
    EXPECT_FALSE(choicesOf(parole)[4]->isEnabled());
    EXPECT_TRUE(choicesOf(parole)[0]->styleSheet().contains("#ff0000"));
    scriptWordForPicture(2);
    click(control<QToolButton>(parole, "Command1"));
    EXPECT_FALSE(control<QToolButton>(parole, "Command1")->isEnabled());
    EXPECT_TRUE(choicesOf(parole)[0]->isEnabled());
    EXPECT_EQ(bench.recorder.log, (QStringList {"beep", "play no.wav", "play si1.wav"}));
}

TEST_F(FirstRun, ListDialogCancelledThenEightWords)
{
    ui::MenuScreen* menu = toMenu();
    const int before = bench.program->state().NumeroParole;
    click(control<QToolButton>(menu, "Command3"));
    EXPECT_EQ(bench.boxes.errors, (QStringList {"Non hai scelto nessuna lista!"}));
    EXPECT_EQ(bench.program->state().NumeroParole, before);

    QTemporaryDir dir;
    QFile list(dir.filePath("otto.TXT"));
    ASSERT_TRUE(list.open(QIODevice::WriteOnly));
    list.write("uno\r\ndue\r\ntre\r\nquattro\r\ncinque\r\nsei\r\nsette\r\notto\r\n");
    list.close();
    bench.chooser.names = {list.fileName()};
    click(control<QToolButton>(menu, "Command3"));
    EXPECT_EQ(bench.program->state().NumeroParole, 8);
    EXPECT_EQ(bench.chooser.startFolders.last(), QStringLiteral(TAVENZO_PROGRAM_DIR));
    EXPECT_EQ(bench.program->currentScreen(), menu) << "the menu stays open";
}

TEST_F(FirstRun, ExitNoKeepsTheMenuYesEndsTheRun)
{
    ui::MenuScreen* menu = toMenu();
    QSignalSpy ended(bench.program.get(), &Program::runEnded);
    bench.boxes.answers = {false};
    click(control<QToolButton>(menu, "Command3D5"));
    EXPECT_EQ(ended.count(), 0);
    EXPECT_EQ(bench.program->currentScreen(), menu);
    bench.boxes.answers = {true};
    click(control<QToolButton>(menu, "Command3D5"));
    EXPECT_EQ(ended.count(), 1);
    EXPECT_EQ(bench.boxes.questions.last(), "Vuoi uscire dal programma?");
}

TEST_F(FirstRun, ClosingTheOneOpenWindowEndsTheRun)
{
    ui::MenuScreen* menu = toMenu();
    QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
    EXPECT_TRUE(QGuiApplication::quitOnLastWindowClosed());
    // The toolkit ends the run from its event loop, so the window is closed while the loop runs.
    QTimer::singleShot(0, menu, [menu] { menu->close(); });
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(1); });
    guard.start(5000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_EQ(lastClosed.count(), 1);
}

TEST_F(FirstRun, TooShortListKeepsTheMenuOpen)
{
    ui::MenuScreen* menu = toMenu();
    bench.setWords({"uno", "due"});
    click(control<QToolButton>(menu, "Command3D4"));
    EXPECT_EQ(bench.program->currentScreen(), menu);
    EXPECT_EQ(
        bench.boxes.informations.last(), "Questo esercizio ha bisogno di almeno 6 parole, ma la lista ne contiene 2.");
}

TEST_F(FirstRun, AboutBoxHasFourLines)
{
    ui::MenuScreen* menu = toMenu();
    click(control<QToolButton>(menu, "Command3D6"));
    ASSERT_EQ(bench.boxes.informations.size(), 1);
    EXPECT_EQ(bench.boxes.informations.at(0).split("\r\n").size(), 4);
}

} // namespace
