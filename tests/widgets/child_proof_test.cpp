#include "core/alphabet.h"
#include "ui/glue/fitted_text.h"
#include "ui/screens/menu_screen.h"
#include "ui/screens/spell_word_screen.h"
#include "ui/screens/splash_screen.h"
#include "ui/screens/words_onto_pictures_screen.h"
#include "widget_fakes.h"

#include <QDrag>
#include <QElapsedTimer>
#include <QLoggingCategory>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleHints>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

const QStringList kWords {"orso", "maiale", "semaforo", "cane", "gatto", "luna"};

// The ways children and teachers lean on the program: double clicks, clicks that carry into the next screen, stray
// keys, a word that stands twice in a list, long words.
class ChildProof : public ::testing::Test {
protected:
    void SetUp() override
    {
        bench.random.setFallback(0.0);
        menu = startToMenu<ui::SplashScreen, ui::MenuScreen>(bench, 0);
        ASSERT_NE(menu, nullptr);
        bench.setWords(kWords);
    }
    void TearDown() override { QGuiApplication::styleHints()->setMouseDoubleClickInterval(0); }
    void automatic() { click(control<QRadioButton>(menu, "Option1_0")); }
    void scriptSix(int position) { bench.scriptChoices(position); }
    QMainWindow* open(const char* button, ScreenId screen)
    {
        click(control<QToolButton>(menu, button));
        return bench.screen(screen);
    }
    QString esatti(QWidget* screen) { return control<QLabel>(screen, "EtichettaEsatti")->text(); }
    QString errati(QWidget* screen) { return control<QLabel>(screen, "EtichettaErrati")->text(); }

    ProgramBench bench;
    ui::MenuScreen* menu = nullptr;
};

// The second half of a double click arrives as a double-click press and a release; neither may count again.
TEST_F(ChildProof, ADoubleClickOnAChoiceCountsOnce)
{
    automatic();
    bench.random.setFallback(-1);
    scriptSix(1);
    auto* words = open("Command3D4", ScreenId::WordForPicture);
    ASSERT_NE(words, nullptr);
    doubleClick(choicesOf(words)[3]);
    EXPECT_EQ(errati(words), " 1");
    EXPECT_EQ(bench.recorder.log, (QStringList {"beep", "play no.wav"}));

    // The right word builds the next exercise at once; the rest of the double click must not answer it (its right
    // word is elsewhere, so a second answer would show as a wrong one).
    bench.random.push({0.0});
    scriptSix(2);
    doubleClick(choicesOf(words)[0]);
    EXPECT_EQ(esatti(words), " 1");
    EXPECT_EQ(errati(words), " 1");
    EXPECT_EQ(bench.random.remaining(), 0u);

    bench.random.setFallback(0.0);
    bench.boxes.answers = {true};
    control<QAction>(words, "mnuEsci")->trigger();
    bench.random.setFallback(-1);
    scriptSix(4);
    auto* pictures = open("Command3D3", ScreenId::PictureForWord);
    ASSERT_NE(pictures, nullptr);
    doubleClick(choicesOf(pictures)[0]);
    EXPECT_EQ(errati(pictures), " 1");
    bench.random.push({0.0});
    scriptSix(1);
    doubleClick(choicesOf(pictures)[3]);
    EXPECT_EQ(esatti(pictures), " 1");
    EXPECT_EQ(errati(pictures), " 1");
}

// Keys, avanti and "Aiutami" are buttons: a double click on them must count once too.
TEST_F(ChildProof, ADoubleClickOnAKeyPressesItOnce)
{
    auto* spell = open("Command3D2", ScreenId::SpellWord); // "ORSO": every draw is 0
    ASSERT_NE(spell, nullptr);
    const auto keys = keysOf(spell);
    const auto key
        = [&keys](char letter) { return keys[static_cast<size_t>(keyboardAlphabet().indexOf(QLatin1Char(letter)))]; };
    doubleClick(key('z'));
    EXPECT_EQ(errati(spell), " 1") << "one wrong answer, not two";
    doubleClick(key('o'));
    EXPECT_EQ(control<QLabel>(spell, "Label1")->text(), "O_ _ _ ") << "the letter typed once";
    EXPECT_EQ(errati(spell), " 1");
    bench.random.setFallback(0.0);
    bench.boxes.answers = {true};
    doubleClick(control<QToolButton>(spell, "SSCommand1"));
    EXPECT_EQ(bench.boxes.plains.size(), 1) << "the help opens once";

    bench.boxes.answers = {true};
    control<QAction>(spell, "mnuEsci")->trigger();
    automatic();
    auto* first = open("Command1", ScreenId::MissingFirstLetter); // "_rso"
    ASSERT_NE(first, nullptr);
    // The right key builds the next word at once, with every key back: the rest of the double click must not answer
    // it.
    doubleClick(keysOf(first)[static_cast<size_t>(keyboardAlphabet().indexOf(QLatin1Char('o')))]);
    EXPECT_EQ(esatti(first), " 1");
    EXPECT_EQ(errati(first), "0");
}

TEST_F(ChildProof, ADoubleClickOnTheSplashOpensOneMenu)
{
    for (int picture : {1, -1}) {
        ProgramBench fresh;
        fresh.random.setFallback(0.0);
        fresh.program->start();
        auto* splash = fresh.current<ui::SplashScreen>();
        ASSERT_NE(splash, nullptr);
        QSignalSpy opened(fresh.program.get(), &Program::screenOpened);
        doubleClick(picture >= 0 ? static_cast<QWidget*>(imagesOf(splash)[static_cast<size_t>(picture)]) : splash);
        EXPECT_EQ(opened.count(), 1) << "on picture " << picture;
        EXPECT_NE(fresh.current<ui::MenuScreen>(), nullptr);
    }
}

// A word clicked and at once pressed again to be dragged: the press comes as a double click and starts the drag.
TEST_F(ChildProof, APressReportedAsADoubleClickStartsTheDrag)
{
    for (int s = 1; s <= 3; ++s) {
        bench.random.pushSlot(s, 6);
    }
    bench.random.push({0.5 / 6.0, 0.0});
    bench.random.setFallback(-1);
    auto* screen = open("Command2", ScreenId::WordsOntoPictures);
    ASSERT_NE(screen, nullptr);
    QLabel* word = wordsOf(screen)[1];

    // A drag runs a loop of its own until the button is let go; the test lets go at once, and notes that it began.
    struct DragWatch : QObject {
        bool started = false;
        bool eventFilter(QObject* watched, QEvent* event) override
        {
            // The child is not yet a drag while it is being made; once the drag runs, it is.
            if (event->type() == QEvent::ChildAdded) {
                QTimer::singleShot(0, this, [this, watched] {
                    started = watched->findChild<QDrag*>() != nullptr;
                    QDrag::cancel();
                });
            }
            return false;
        }
    } watch;
    word->installEventFilter(&watch);
    const QPoint at = word->rect().center();
    QTest::mouseClick(word, Qt::LeftButton, {}, at);
    QMouseEvent press(QEvent::MouseButtonDblClick, at, word->mapToGlobal(at), Qt::LeftButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(word, &press);
    const QPoint away = at + QPoint(QApplication::startDragDistance() + 10, 0);
    QMouseEvent move(QEvent::MouseMove, away, word->mapToGlobal(away), Qt::NoButton, Qt::LeftButton, {});
    QCoreApplication::sendEvent(word, &move);
    QCoreApplication::processEvents();
    EXPECT_TRUE(watch.started);
    word->removeEventFilter(&watch);
}

// A click on one screen must not carry into the screen it opens.
TEST_F(ChildProof, ANewScreenTakesNoPressForTheDoubleClickInterval)
{
    ProgramBench fresh;
    fresh.random.setFallback(0.0);
    fresh.program->start();
    fresh.setWords(kWords);
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(300);
    click(imagesOf(fresh.current<ui::SplashScreen>())[0]);
    auto* freshMenu = fresh.current<ui::MenuScreen>();
    ASSERT_NE(freshMenu, nullptr);
    click(control<QToolButton>(freshMenu, "Command3D5"));
    EXPECT_TRUE(fresh.boxes.questions.isEmpty()) << "the second click of a double click on the splash reached Esci";
    QTest::qWait(400);
    fresh.boxes.answers = {false};
    click(control<QToolButton>(freshMenu, "Command3D5"));
    EXPECT_EQ(fresh.boxes.questions, QStringList {"Vuoi uscire dal programma?"});
}

// Scripts that click the real program wait for this line; a click given as soon as it is out must be taken.
QStringList screenReports;
void keepScreenReports(QtMsgType, const QMessageLogContext& context, const QString& message)
{
    if (qstrcmp(context.category, "tavenzo.screens") == 0) {
        screenReports << message;
    }
}

TEST_F(ChildProof, ANewScreenSaysWhenItTakesPresses)
{
    screenReports.clear();
    QLoggingCategory::setFilterRules(QStringLiteral("tavenzo.screens.info=true"));
    const QtMessageHandler previous = qInstallMessageHandler(keepScreenReports);
    ProgramBench fresh;
    fresh.random.setFallback(0.0);
    fresh.program->start();
    fresh.setWords(kWords);
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(300);
    QTRY_COMPARE_WITH_TIMEOUT(screenReports.size(), 1, 2000);
    QElapsedTimer sinceSplash;
    sinceSplash.start();
    click(imagesOf(fresh.current<ui::SplashScreen>())[0]);
    auto* freshMenu = fresh.current<ui::MenuScreen>();
    ASSERT_NE(freshMenu, nullptr);
    const QString menuReport = QStringLiteral("window %1 (FormMenu) takes presses").arg(freshMenu->winId());
    QTRY_COMPARE_WITH_TIMEOUT(screenReports.size(), 2, 2000);
    EXPECT_GE(sinceSplash.elapsed(), 300);
    EXPECT_EQ(screenReports.last(), menuReport);
    fresh.boxes.answers = {false};
    click(control<QToolButton>(freshMenu, "Command3D5"));
    EXPECT_EQ(fresh.boxes.questions, QStringList {"Vuoi uscire dal programma?"});
    qInstallMessageHandler(previous);
    QLoggingCategory::setFilterRules(QStringLiteral("tavenzo.screens.info=false"));
}

// No control of an exercise takes the focus, so Space and Return do nothing there; on the menu they press a button.
TEST_F(ChildProof, StrayKeysDoNothingInAnExercise)
{
    bench.setWords({"cane", "sole", "luna", "mare", "pane", "vino"});
    bench.random.setFallback(-1);
    const std::array<std::pair<const char*, const char*>, 6> screens {
        {{"Command1", "Option2"}, {"Command3D1", "Option2"}, {"Command3D2", "SSCommand1"}, {"Command3D4", "Option2"},
            {"Command3D3", "Option2"}, {"Command2", "Command1"}}};
    for (const auto& [button, clicked] : screens) {
        SCOPED_TRACE(button);
        // Enough distinct draws for any screen: the six slots in turn, again and again.
        for (int i = 0; i < 60; ++i) {
            bench.random.pushSlot(i % 6 + 1, 6);
        }
        click(control<QToolButton>(menu, button));
        auto* screen = qobject_cast<QMainWindow*>(bench.program->currentScreen());
        ASSERT_NE(screen, nullptr);
        for (QWidget* child : screen->centralWidget()->findChildren<QWidget*>()) {
            EXPECT_EQ(child->focusPolicy(), Qt::NoFocus) << child->objectName().toStdString();
        }
        QApplication::setActiveWindow(screen);
        click(control<QWidget>(screen, clicked));
        const auto state = [screen] {
            QStringList texts;
            for (QLabel* label : screen->findChildren<QLabel*>()) {
                texts << label->text() + (label->isVisible() ? "+" : "-");
            }
            for (QPushButton* key : screen->findChildren<QPushButton*>()) {
                texts << key->text() + (key->isVisible() ? "+" : "-") + (key->isEnabled() ? "e" : "d");
            }
            return texts;
        };
        const QStringList before = state();
        const qsizetype plains = bench.boxes.plains.size();
        for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_A}) {
            QTest::keyClick(screen->windowHandle(), key);
        }
        EXPECT_EQ(state(), before);
        EXPECT_EQ(bench.boxes.plains.size(), plains) << "the help box opened again";
        bench.random.setFallback(0.0);
        bench.boxes.answers = {true};
        control<QAction>(screen, "mnuEsci")->trigger();
        bench.random.setFallback(-1);
        menu = bench.current<ui::MenuScreen>();
        ASSERT_NE(menu, nullptr);
    }
}

TEST_F(ChildProof, ReturnOrEnterPressesTheFocusedMenuButton)
{
    QApplication::setActiveWindow(menu);
    auto* about = control<QToolButton>(menu, "Command3D6");
    about->setFocus();
    QTest::keyClick(menu->windowHandle(), Qt::Key_Return);
    EXPECT_EQ(bench.boxes.informations.size(), 1);
    QTest::keyClick(menu->windowHandle(), Qt::Key_Enter);
    EXPECT_EQ(bench.boxes.informations.size(), 2);
    QWidget::setTabOrder(about, about); // no change: the next button in the form's order follows
    EXPECT_EQ(about->nextInFocusChain(), control<QToolButton>(menu, "Command1"));
}

// The child who picks a word that stands twice in the list picked the right word, on all three picture screens.
TEST_F(ChildProof, ARepeatedWordIsRightInEitherPlace)
{
    bench.setWords({"cane", "gatto", "Cane", "luna", "mare", "pane"});
    bench.random.setFallback(-1);
    scriptSix(3);
    auto* words = open("Command3D4", ScreenId::WordForPicture);
    ASSERT_NE(words, nullptr);
    EXPECT_EQ(choicesOf(words)[0]->text(), choicesOf(words)[2]->text());
    bench.random.push({0.0});
    click(choicesOf(words)[0]);
    EXPECT_EQ(esatti(words), " 1");
    EXPECT_EQ(errati(words), "0");

    bench.random.setFallback(0.0);
    bench.boxes.answers = {true, true};
    control<QAction>(words, "mnuEsci")->trigger();
    bench.random.setFallback(-1);
    scriptSix(1);
    auto* pictures = open("Command3D3", ScreenId::PictureForWord);
    ASSERT_NE(pictures, nullptr);
    bench.random.push({0.0});
    click(choicesOf(pictures)[2]);
    EXPECT_EQ(esatti(pictures), " 1");
    EXPECT_EQ(errati(pictures), "0");

    bench.random.setFallback(0.0);
    control<QAction>(pictures, "mnuEsci")->trigger();
    bench.random.setFallback(-1);
    for (int s : {1, 3, 2}) {
        bench.random.pushSlot(s, 6);
    }
    bench.random.push({0.5 / 6.0, 0.0});
    auto* drag = open("Command2", ScreenId::WordsOntoPictures);
    ASSERT_NE(drag, nullptr);
    bench.random.push({0.0, 0.0});
    EXPECT_TRUE(dropWordOn(boxesOf(drag)[1], 0)) << "\"cane\" onto the box under the other picture of it";
    EXPECT_EQ(boxesOf(drag)[1]->text(), "CANE");
    EXPECT_TRUE(dropWordOn(boxesOf(drag)[0], 1));
    EXPECT_EQ(bench.program->state().ContaErrati, 0);
}

// A teacher's long word is drawn smaller in the same font, inside its box; a word that fits keeps the form's size.
TEST_F(ChildProof, LongWordsFitTheirBoxes)
{
    const QString longWord = QStringLiteral("precipitevolissimevolmente");
    bench.setWords({longWord, "sole", longWord + "mente", "luna", "mare", "pane"});
    int shrunk = 0;
    const auto expectFits = [&shrunk](QLabel* label, double designed) {
        SCOPED_TRACE(label->objectName().toStdString() + " \"" + label->text().toStdString() + "\"");
        const double width = QFontMetricsF(label->font()).horizontalAdvance(label->text());
        EXPECT_LE(width, ui::textRoom(label, label->font()));
        QFont asDesigned = label->font();
        asDesigned.setPointSizeF(designed);
        if (QFontMetricsF(asDesigned).horizontalAdvance(label->text()) > ui::textRoom(label, asDesigned)) {
            EXPECT_LT(label->font().pointSizeF(), designed);
            ++shrunk;
            EXPECT_GT(width, 0.8 * ui::textRoom(label, label->font())) << "shrunk far more than needed";
        } else {
            EXPECT_DOUBLE_EQ(label->font().pointSizeF(), designed);
        }
        EXPECT_EQ(label->font().family(), QFont(label->font()).family());
        EXPECT_TRUE(label->font().bold());
    };
    bench.random.setFallback(-1);
    scriptSix(1);
    auto* words = open("Command3D4", ScreenId::WordForPicture);
    ASSERT_NE(words, nullptr);
    for (QLabel* word : choicesOf(words)) {
        expectFits(word, 18);
    }
    bench.random.setFallback(0.0);
    bench.boxes.answers = {true, true, true};
    control<QAction>(words, "mnuEsci")->trigger();
    bench.random.setFallback(-1);
    scriptSix(3);
    auto* pictures = open("Command3D3", ScreenId::PictureForWord);
    ASSERT_NE(pictures, nullptr);
    expectFits(control<QLabel>(pictures, "testo"), 18);

    bench.random.setFallback(0.0);
    control<QAction>(pictures, "mnuEsci")->trigger();
    bench.random.setFallback(-1);
    for (int s : {1, 2, 3}) {
        bench.random.pushSlot(s, 6);
    }
    bench.random.push({0.5 / 6.0, 0.0});
    auto* drag = open("Command2", ScreenId::WordsOntoPictures);
    ASSERT_NE(drag, nullptr);
    for (QLabel* word : wordsOf(drag)) {
        expectFits(word, 18);
    }
    bench.random.push({0.0});
    dropWordOn(boxesOf(drag)[0], 0);
    expectFits(boxesOf(drag)[0], 18);

    bench.random.setFallback(0.0);
    control<QAction>(drag, "mnuEsci")->trigger();
    for (const auto& [button, id] :
        {std::pair {"Command1", ScreenId::MissingFirstLetter}, std::pair {"Command3D2", ScreenId::SpellWord}}) {
        bench.random.setFallback(0.0);
        auto* screen = open(button, id);
        ASSERT_NE(screen, nullptr);
        QLabel* label = control<QLabel>(screen, "Label1");
        expectFits(label, 27.75);
        bench.boxes.answers = {true};
        control<QAction>(screen, "mnuEsci")->trigger();
    }
    EXPECT_GE(shrunk, 6) << "the long words were drawn smaller in every kind of box";
}

} // namespace
