#include "ui/glue/looks.h"
#include "ui/screens/menu_screen.h"
#include "ui/screens/splash_screen.h"
#include "ui/screens/words_onto_pictures_screen.h"
#include "widget_fakes.h"

#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QWindow>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

const QStringList kWords {"orso", "maiale", "semaforo", "cane", "gatto", "luna"};

QColor backgroundOf(QMainWindow* screen)
{
    return ui::BackgroundFill::of(screen->centralWidget())->colour();
}

class Pictures : public ::testing::Test {
protected:
    void SetUp() override
    {
        bench.random.setFallback(0.0);
        menu = startToMenu<ui::SplashScreen, ui::MenuScreen>(bench, 0);
        ASSERT_NE(menu, nullptr);
        bench.setWords(kWords);
        bench.random.setFallback(-1);
    }
    ui::WordsOntoPicturesScreen* openWordsOntoPictures(std::array<int, 3> slotDraws, int order)
    {
        for (int s : slotDraws) {
            bench.random.pushSlot(s, 6);
        }
        bench.random.push({(order + 0.5) / 6.0, 0.0});
        click(control<QToolButton>(menu, "Command2"));
        return bench.current<ui::WordsOntoPicturesScreen>();
    }
    QMainWindow* openPictureForWord(int position)
    {
        scriptPictureForWord(position);
        click(control<QToolButton>(menu, "Command3D3"));
        return bench.screen(ScreenId::PictureForWord);
    }
    // Colour, slots 1..6, the right position.
    void scriptPictureForWord(int position)
    {
        bench.random.push({0.0});
        for (int s = 1; s <= 6; ++s) {
            bench.random.pushSlot(s, 6);
        }
        bench.random.pushSlot(position, 6);
    }
    ProgramBench bench;
    ui::MenuScreen* menu = nullptr;
};

TEST_F(Pictures, WordsOntoPicturesOpensAsDefined)
{
    auto* screen = openWordsOntoPictures({1, 2, 3}, 3);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "DISEGNI1");
    EXPECT_TRUE(screen->windowTitle().isEmpty());
    EXPECT_EQ(screen->centralWidget()->size(), QSize(638, 480));
    QStringList bar;
    for (QAction* action : screen->menuBar()->actions()) {
        bar.append(action->text());
    }
    EXPECT_EQ(bar,
        (QStringList {
            "Azzera conteggio            ", "Esercizi eseguiti             ", "Caratteri            ", "Esci   "}));
    EXPECT_TRUE(control<QAction>(screen, "mnuMaiuscolo")->isChecked());
    EXPECT_FALSE(control<QAction>(screen, "mnuMinuscolo")->isChecked());
    // d = 3: Label1(1), Label1(2), Label1(0) from left to right.
    EXPECT_EQ(wordsOf(screen)[0]->geometry(), QRect(434, 254, 197, 50));
    EXPECT_EQ(wordsOf(screen)[1]->geometry(), QRect(14, 254, 197, 50));
    EXPECT_EQ(wordsOf(screen)[2]->geometry(), QRect(224, 254, 197, 50));
    EXPECT_EQ(wordsOf(screen)[0]->text(), "ORSO");
    EXPECT_EQ(boxesOf(screen)[2]->geometry(), QRect(432, 201, 197, 43));
    EXPECT_EQ(boxesOf(screen)[0]->font().pointSize(), 18);
    EXPECT_TRUE(boxesOf(screen)[0]->font().bold());
    EXPECT_EQ(picturesOf(screen)[2]->geometry(), QRect(427, 6, 205, 184));
    EXPECT_EQ(backgroundOf(screen), QColor(0xFF, 0xC0, 0xC0)) << "the colour 0xC0C0FF";
    EXPECT_TRUE(control<QToolButton>(screen, "Command1")->isVisibleTo(screen));
    EXPECT_FALSE(control<QToolButton>(screen, "Command1")->isEnabled());
    EXPECT_EQ(bench.program->state().ContaEsatti, 0);
}

TEST_F(Pictures, WordsOntoPicturesRightDropsThenAvanti)
{
    auto* screen = openWordsOntoPictures({1, 2, 3}, 4);
    ASSERT_NE(screen, nullptr);
    bench.random.push({0.0});
    EXPECT_TRUE(dropWordOn(boxesOf(screen)[1], 1));
    EXPECT_EQ(boxesOf(screen)[1]->text(), "MAIALE");
    EXPECT_TRUE(wordsOf(screen)[1]->text().isEmpty());
    EXPECT_FALSE(wordsOf(screen)[1]->isEnabled());
    EXPECT_EQ(bench.recorder.log, QStringList {"play si1.wav"});

    bench.random.push({0.0, 0.0});
    dropWordOn(boxesOf(screen)[0], 0);
    dropWordOn(boxesOf(screen)[2], 2);
    EXPECT_EQ(bench.program->state().ContaEsatti, 1);
    EXPECT_TRUE(control<QToolButton>(screen, "Command1")->isEnabled());
    EXPECT_EQ(boxesOf(screen)[2]->text(), "SEMAFORO");

    bench.random.pushSlot(4, 6);
    bench.random.pushSlot(5, 6);
    bench.random.pushSlot(6, 6);
    bench.random.push({0.5 / 6.0, 0.0});
    click(control<QToolButton>(screen, "Command1"));
    EXPECT_FALSE(control<QToolButton>(screen, "Command1")->isEnabled());
    EXPECT_EQ(wordsOf(screen)[0]->text(), "CANE");
    EXPECT_TRUE(wordsOf(screen)[0]->isEnabled());
    EXPECT_TRUE(boxesOf(screen)[0]->text().isEmpty());
    EXPECT_EQ(bench.random.remaining(), 0u);
}

TEST_F(Pictures, WordsOntoPicturesWrongDropTurnsBlackAndKeepsTheWord)
{
    auto* screen = openWordsOntoPictures({1, 2, 3}, 0);
    ASSERT_NE(screen, nullptr);
    // Straight to the box too, as the window hands the events on once it has found the box under the pointer.
    EXPECT_TRUE(dropStraightOnto(boxesOf(screen)[2], 0));
    EXPECT_EQ(bench.program->state().ContaErrati, 1);
    EXPECT_EQ(backgroundOf(screen), QColor(Qt::black));
    EXPECT_EQ(wordsOf(screen)[0]->text(), "ORSO");
    EXPECT_TRUE(wordsOf(screen)[0]->isEnabled());
    EXPECT_TRUE(boxesOf(screen)[2]->text().isEmpty());
    EXPECT_EQ(bench.recorder.log, QStringList {"play no.wav"});

    bench.random.push({0.0});
    dropWordOn(boxesOf(screen)[0], 0);
    EXPECT_EQ(backgroundOf(screen), QColor(Qt::black)) << "black until the next exercise";
}

TEST_F(Pictures, WordsOntoPicturesReleaseAnywhereButABoxChangesNothing)
{
    auto* screen = openWordsOntoPictures({1, 2, 3}, 0);
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(dropWordOn(picturesOf(screen)[1], 1));
    EXPECT_FALSE(dropWordOn(wordsOf(screen)[2], 1));
    EXPECT_FALSE(dropWordOn(wordsOf(screen)[1], 1));
    EXPECT_FALSE(dropWordAt(screen->centralWidget(), QPoint(300, 420), 1));
    EXPECT_FALSE(dropWordAt(screen->centralWidget(), QPoint(214, 220), 1)) << "the gap between two boxes";
    for (int n = 0; n < 3; ++n) {
        EXPECT_TRUE(wordsOf(screen)[static_cast<size_t>(n)]->isEnabled());
        EXPECT_TRUE(boxesOf(screen)[static_cast<size_t>(n)]->text().isEmpty());
    }
    EXPECT_EQ(wordsOf(screen)[1]->text(), "MAIALE");
    EXPECT_EQ(bench.program->state().ContaErrati, 0);
    EXPECT_TRUE(bench.recorder.log.isEmpty());
    EXPECT_NE(backgroundOf(screen), QColor(Qt::black));

    // Foreign data over a box is refused as well.
    QMimeData text;
    text.setText("1");
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(boxesOf(screen)[1], &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(Pictures, WordsOntoPicturesCaseMenuSummaryAndReset)
{
    auto* screen = openWordsOntoPictures({1, 2, 3}, 0);
    ASSERT_NE(screen, nullptr);
    bench.random.push({0.0});
    dropWordOn(boxesOf(screen)[2], 2);
    dropWordOn(boxesOf(screen)[0], 2);
    EXPECT_EQ(bench.program->state().ContaErrati, 0) << "a placed word no longer counts anywhere";
    dropWordOn(boxesOf(screen)[0], 1);
    control<QAction>(screen, "mnuMinuscolo")->trigger();
    EXPECT_TRUE(control<QAction>(screen, "mnuMinuscolo")->isChecked());
    EXPECT_FALSE(control<QAction>(screen, "mnuMaiuscolo")->isChecked());
    EXPECT_EQ(wordsOf(screen)[2]->text(), "semaforo");
    EXPECT_FALSE(wordsOf(screen)[2]->isEnabled());
    EXPECT_EQ(boxesOf(screen)[2]->text(), "SEMAFORO");
    control<QAction>(screen, "mnuMinuscolo")->trigger();
    EXPECT_TRUE(control<QAction>(screen, "mnuMinuscolo")->isChecked())
        << "choosing the ticked entry again keeps its tick";
    control<QAction>(screen, "mnuMaiuscolo")->trigger();
    EXPECT_TRUE(control<QAction>(screen, "mnuMaiuscolo")->isChecked()) << "and back to upper case";
    EXPECT_FALSE(control<QAction>(screen, "mnuMinuscolo")->isChecked());
    EXPECT_EQ(wordsOf(screen)[0]->text(), "ORSO");
    EXPECT_EQ(boxesOf(screen)[2]->text(), "SEMAFORO") << "a placed word keeps the case it was placed in";
    control<QAction>(screen, "mnuMinuscolo")->trigger();
    EXPECT_EQ(wordsOf(screen)[0]->text(), "orso");

    control<QAction>(screen, "mnuEsercizi")->trigger();
    EXPECT_EQ(bench.boxes.informations.last(), "Hai eseguito  0 esercizi esatti e  1 esercizi errati.");
    control<QAction>(screen, "mnuAzzera")->trigger();
    EXPECT_EQ(backgroundOf(screen), QColor(Qt::black));
    EXPECT_EQ(boxesOf(screen)[2]->text(), "SEMAFORO");
    control<QAction>(screen, "mnuEsercizi")->trigger();
    EXPECT_EQ(bench.boxes.informations.last(), "Hai eseguito  0 esercizi esatti e  0 esercizi errati.");
}

TEST_F(Pictures, WordsOntoPicturesWithoutAvantiGoesOnAndLeaves)
{
    bench.random.setFallback(0.0);
    click(control<QRadioButton>(menu, "Option1_0"));
    bench.random.setFallback(-1);
    auto* screen = openWordsOntoPictures({1, 2, 3}, 0);
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(control<QToolButton>(screen, "Command1")->isVisibleTo(screen));
    bench.random.push({0.0, 0.0, 0.0});
    dropWordOn(boxesOf(screen)[0], 0);
    dropWordOn(boxesOf(screen)[1], 1);
    bench.random.pushSlot(6, 6);
    bench.random.pushSlot(5, 6);
    bench.random.pushSlot(4, 6);
    bench.random.push({0.5 / 6.0, 0.0});
    dropWordOn(boxesOf(screen)[2], 2);
    EXPECT_EQ(wordsOf(screen)[0]->text(), "LUNA");
    EXPECT_TRUE(boxesOf(screen)[0]->text().isEmpty());
    EXPECT_EQ(bench.random.remaining(), 0u);

    bench.random.setFallback(0.0);
    bench.boxes.answers = {false, true};
    control<QAction>(screen, "mnuEsci")->trigger();
    EXPECT_EQ(bench.program->currentScreen(), screen);
    EXPECT_EQ(bench.program->state().ContaEsatti, 1);
    control<QAction>(screen, "mnuEsci")->trigger();
    EXPECT_NE(bench.current<ui::MenuScreen>(), nullptr);
    EXPECT_EQ(bench.program->state().ContaEsatti, 0);
}

TEST_F(Pictures, PictureForWordOpensAsDefined)
{
    auto* screen = openPictureForWord(2);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->objectName(), "disegni");
    EXPECT_TRUE(screen->windowTitle().isEmpty());
    EXPECT_EQ(screen->centralWidget()->size(), QSize(640, 480));
    EXPECT_EQ(choicesOf(screen)[4]->geometry(), QRect(224, 216, 176, 153));
    EXPECT_EQ(control<QLabel>(screen, "testo")->text(), "maiale   ");
    EXPECT_EQ(control<QLabel>(screen, "testo")->font().pointSize(), 18) << "the definition's 24 points are replaced";
    EXPECT_TRUE(control<QLabel>(screen, "testo")->font().bold());
    EXPECT_FALSE(control<QFrame>(screen, "Shape1")->isVisibleTo(screen));
    EXPECT_EQ(control<QLabel>(screen, "EtichettaEsatti")->text(), "0");
    EXPECT_TRUE(control<QRadioButton>(screen, "Option1")->isChecked());
    const QList<QAction*> bar = screen->menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[0]->text(), "Azzera conteggio                 ");
    EXPECT_EQ(bar[1]->text(), "Esci");
    for (QLabel* picture : choicesOf(screen)) {
        EXPECT_FALSE(picture->pixmap().isNull()) << "every box shows a picture or the placeholder";
    }
}

TEST_F(Pictures, PictureForWordRightPictureWithAvantiIsFramedUntilAvanti)
{
    auto* screen = openPictureForWord(5);
    ASSERT_NE(screen, nullptr);
    click(choicesOf(screen)[0]);
    EXPECT_EQ(control<QLabel>(screen, "EtichettaErrati")->text(), " 1");
    EXPECT_FALSE(control<QFrame>(screen, "Shape1")->isVisibleTo(screen));
    bench.random.push({0.0});
    click(choicesOf(screen)[4]);
    EXPECT_EQ(control<QLabel>(screen, "EtichettaEsatti")->text(), " 1");
    EXPECT_TRUE(control<QFrame>(screen, "Shape1")->isVisibleTo(screen));
    EXPECT_EQ(control<QFrame>(screen, "Shape1")->geometry(), QRect(224, 216, 169, 153));
    for (QLabel* picture : choicesOf(screen)) {
        EXPECT_FALSE(picture->isEnabled());
    }
    EXPECT_TRUE(control<QToolButton>(screen, "Command1")->isEnabled());
    click(choicesOf(screen)[1]);
    EXPECT_EQ(bench.program->state().ContaErrati, 1) << "no clicks while avanti waits";

    scriptPictureForWord(1);
    click(control<QToolButton>(screen, "Command1"));
    EXPECT_FALSE(control<QFrame>(screen, "Shape1")->isVisibleTo(screen));
    EXPECT_TRUE(choicesOf(screen)[4]->isEnabled());
    EXPECT_FALSE(control<QToolButton>(screen, "Command1")->isEnabled());
    EXPECT_EQ(bench.recorder.log, (QStringList {"beep", "play no.wav", "play si1.wav"}));

    scriptPictureForWord(3);
    click(control<QRadioButton>(screen, "Option2"));
    EXPECT_EQ(control<QLabel>(screen, "testo")->text(), "SEMAFORO   ");

    bench.random.setFallback(0.0);
    bench.boxes.answers = {true};
    control<QAction>(screen, "mnuEsci")->trigger();
    EXPECT_NE(bench.current<ui::MenuScreen>(), nullptr);
    EXPECT_EQ(bench.boxes.questions.last(), "Vuoi tornare al menù?");
    EXPECT_EQ(bench.program->state().ContaEsatti, 0);
}

TEST_F(Pictures, PictureForWordWithoutAvantiNeverShowsTheFrame)
{
    bench.random.setFallback(0.0);
    click(control<QRadioButton>(menu, "Option1_0"));
    bench.random.setFallback(-1);
    auto* screen = openPictureForWord(3);
    ASSERT_NE(screen, nullptr);
    EXPECT_FALSE(control<QToolButton>(screen, "Command1")->isVisibleTo(screen));
    bench.random.push({0.0});
    scriptPictureForWord(6);
    click(choicesOf(screen)[2]);
    EXPECT_FALSE(control<QFrame>(screen, "Shape1")->isVisibleTo(screen));
    EXPECT_TRUE(choicesOf(screen)[2]->isEnabled());
    EXPECT_EQ(control<QLabel>(screen, "testo")->text(), "luna   ");
    EXPECT_EQ(control<QLabel>(screen, "EtichettaEsatti")->text(), " 1");
    EXPECT_EQ(bench.random.remaining(), 0u);
}

TEST_F(Pictures, ShortListsKeepTheMenuOpen)
{
    bench.setWords({"uno", "due"});
    click(control<QToolButton>(menu, "Command2"));
    EXPECT_EQ(bench.program->currentScreen(), menu);
    bench.setWords({"uno", "due", "tre", "quattro", "cinque"});
    click(control<QToolButton>(menu, "Command3D3"));
    EXPECT_EQ(bench.program->currentScreen(), menu);
    EXPECT_EQ(bench.boxes.informations.size(), 2);
}

} // namespace
