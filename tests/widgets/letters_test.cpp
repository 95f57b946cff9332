#include "core/alphabet.h"
#include "exercises/letters/spell_word_exercise.h"
#include "ui/screens/menu_screen.h"
#include "ui/screens/missing_letter_screen.h"
#include "ui/screens/spell_word_screen.h"
#include "ui/screens/splash_screen.h"
#include "widget_fakes.h"

#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

int key(char letter)
{
    return static_cast<int>(keyboardAlphabet().indexOf(QLatin1Char(letter)));
}

// Every draw gives 0: slot 1, the first position, the first colour and sound.
class Letters : public ::testing::Test {
protected:
    void SetUp() override
    {
        bench.random.setFallback(0.0);
        menu = startToMenu<ui::SplashScreen, ui::MenuScreen>(bench, 2);
        ASSERT_NE(menu, nullptr);
        bench.setWords({"Cane", "sole"});
    }
    void expectKeysLaidOut(const ui::KeyboardView::Keys& keys, int pointSize, const QString& first)
    {
        // Rows a-g, h-p, q-z, 56 pixels apart across and 40 down.
        const std::array<std::pair<int, QRect>, 9> places {{{0, {32, 336, 41, 33}}, {6, {368, 336, 41, 33}},
            {7, {32, 376, 41, 33}}, {8, {88, 376, 41, 33}}, {9, {144, 376, 41, 33}}, {13, {368, 376, 41, 33}},
            {14, {32, 416, 41, 33}}, {19, {312, 416, 41, 33}}, {20, {368, 416, 41, 33}}}};
        for (const auto& [index, place] : places) {
            EXPECT_EQ(keys[static_cast<size_t>(index)]->geometry(), place) << index;
        }
        for (int i = 0; i < Keyboard::kKeys; ++i) {
            EXPECT_EQ(keys[static_cast<size_t>(i)]->geometry(), QRect(32 + 56 * (i % 7), 336 + 40 * (i / 7), 41, 33))
                << i;
            EXPECT_EQ(keys[static_cast<size_t>(i)]->font().pointSize(), pointSize);
        }
        EXPECT_EQ(keys[0]->text(), first);
        EXPECT_EQ(keys[0]->focusPolicy(), Qt::NoFocus);
    }
    // "Esci" answered Yes goes back to the menu.
    void leave(QAction* esci)
    {
        bench.boxes.answers = {true};
        esci->trigger();
        EXPECT_NE(bench.current<ui::MenuScreen>(), nullptr);
        EXPECT_EQ(bench.boxes.questions.last(), QString::fromUtf8("Vuoi tornare al menù?"));
    }
    ProgramBench bench;
    ui::MenuScreen* menu = nullptr;
};

TEST_F(Letters, MissingInnerLetterHidesPressedKeysAndStepsThePictureOnTheRightLetter)
{
    click(control<QToolButton>(menu, "Command3D1"));
    auto* screen = bench.current<ui::MissingLetterScreen>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->windowTitle(), "");
    EXPECT_EQ(screen->centralWidget()->size(), QSize(706, 575));
    EXPECT_EQ(control<QAction>(screen, "mnuAzzera")->text(), "Azzera conteggio               ");
    expectKeysLaidOut(keysOf(screen), 13, "a");
    EXPECT_EQ(control<QLabel>(screen, "Label1")->text(), "_ane");
    EXPECT_EQ(control<QLabel>(screen, "EtichettaEsatti")->text(), "0");
    EXPECT_TRUE(control<QToolButton>(screen, "Command1")->isVisibleTo(screen)) << "the splash set the wait for avanti";
    EXPECT_FALSE(control<QToolButton>(screen, "Command1")->isEnabled());

    click(keysOf(screen)[static_cast<size_t>(key('e'))]);
    EXPECT_FALSE(keysOf(screen)[static_cast<size_t>(key('e'))]->isVisibleTo(screen));
    EXPECT_EQ(control<QLabel>(screen, "EtichettaErrati")->text(), " 1");
    EXPECT_TRUE(control<QLabel>(screen, "ComandoIconaNo")->isVisibleTo(screen));

    click(keysOf(screen)[static_cast<size_t>(key('c'))]);
    EXPECT_EQ(control<QLabel>(screen, "Label1")->text(), "cane");
    EXPECT_EQ(control<QLabel>(screen, "EtichettaEsatti")->text(), " 1");
    EXPECT_TRUE(control<QToolButton>(screen, "Command1")->isEnabled());
    EXPECT_EQ(control<QLabel>(screen, "Image1")->pos(), QPoint(182 - 1, 8));

    click(control<QRadioButton>(screen, "Option2"));
    EXPECT_EQ(control<QLabel>(screen, "Label1")->text(), "_ANE");
    EXPECT_EQ(keysOf(screen)[0]->text(), "A");
    EXPECT_TRUE(keysOf(screen)[static_cast<size_t>(key('c'))]->isVisibleTo(screen));
    EXPECT_EQ(control<QLabel>(screen, "EtichettaEsatti")->text(), " 1");
    leave(control<QAction>(screen, "mnuEsci"));
    EXPECT_EQ(bench.program->state().ContaEsatti, 0);
}

TEST_F(Letters, MissingFirstLetterMasksTheFirstLetterWithoutAvanti)
{
    click(control<QRadioButton>(menu, "Option1_0"));
    click(control<QToolButton>(menu, "Command1"));
    auto* screen = bench.current<ui::MissingLetterScreen>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->centralWidget()->size(), QSize(706, 575));
    EXPECT_EQ(control<QToolButton>(screen, "Command1")->geometry(), QRect(448, 368, 129, 65));
    EXPECT_EQ(control<QLabel>(screen, "ComandoIconaSi")->geometry(), QRect(48, 16, 65, 57));
    EXPECT_EQ(control<QAction>(screen, "mnuAzzera")->text(), "Azzera conteggio           ");
    expectKeysLaidOut(keysOf(screen), 13, "a");
    EXPECT_FALSE(control<QToolButton>(screen, "Command1")->isVisibleTo(screen));
    EXPECT_EQ(control<QLabel>(screen, "Label1")->text(), "_ane");

    click(keysOf(screen)[static_cast<size_t>(key('c'))]);
    EXPECT_EQ(control<QLabel>(screen, "Label1")->text(), "_ane") << "the next word came at once";
    EXPECT_EQ(control<QLabel>(screen, "EtichettaEsatti")->text(), " 1");
    EXPECT_TRUE(keysOf(screen)[static_cast<size_t>(key('c'))]->isVisibleTo(screen));
    EXPECT_EQ(control<QLabel>(screen, "Image1")->pos(), QPoint(182, 8));
    leave(control<QAction>(screen, "mnuEsci"));
}

TEST_F(Letters, SpellWordFillsBlanksWaitsAndTakesHelp)
{
    click(control<QToolButton>(menu, "Command3D2"));
    auto* screen = bench.current<ui::SpellWordScreen>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->windowTitle(), "");
    EXPECT_EQ(screen->centralWidget()->size(), QSize(624, 480));
    EXPECT_EQ(control<QMenu>(screen, "mnuCaratteri")->title(), "Caratteri           ");
    EXPECT_TRUE(control<QAction>(screen, "mnuMaiuscolo")->isChecked());
    EXPECT_FALSE(control<QAction>(screen, "mnuMinuscolo")->isChecked());
    expectKeysLaidOut(keysOf(screen), 24, "A");
    EXPECT_EQ(control<QLabel>(screen, "EtichettaEsatti")->text(), " 0");
    EXPECT_EQ(control<QLabel>(screen, "Label1")->text(), "_ _ _ _ ");

    click(keysOf(screen)[static_cast<size_t>(key('c'))]);
    EXPECT_EQ(control<QLabel>(screen, "Label1")->text(), "C_ _ _ ");
    EXPECT_TRUE(keysOf(screen)[static_cast<size_t>(key('c'))]->isVisibleTo(screen)) << "keys stay here";
    for (char c : {'a', 'n', 'e'}) {
        click(keysOf(screen)[static_cast<size_t>(key(c))]);
    }
    EXPECT_EQ(control<QLabel>(screen, "Label1")->text(), "CANE");
    EXPECT_TRUE(timerOf(screen).isActive());

    bench.clock.now += 4;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !timerOf(screen).isActive(); }, 5000));
    EXPECT_EQ(control<QLabel>(screen, "EtichettaEsatti")->text(), " 1");
    EXPECT_TRUE(control<QToolButton>(screen, "Command1")->isEnabled());
    EXPECT_FALSE(keysOf(screen)[0]->isEnabled());

    click(control<QToolButton>(screen, "SSCommand1"));
    EXPECT_EQ(bench.boxes.plains, (QStringList {"CANE"}));
    EXPECT_EQ(control<QLabel>(screen, "EtichettaEsatti")->text(), " 0");

    control<QAction>(screen, "mnuMinuscolo")->trigger();
    EXPECT_FALSE(control<QAction>(screen, "mnuMaiuscolo")->isChecked());
    EXPECT_TRUE(control<QAction>(screen, "mnuMinuscolo")->isChecked());
    EXPECT_EQ(keysOf(screen)[0]->text(), "a");
    EXPECT_TRUE(keysOf(screen)[0]->isEnabled());
    control<QAction>(screen, "mnuMinuscolo")->trigger();
    EXPECT_TRUE(control<QAction>(screen, "mnuMinuscolo")->isChecked()) << "the chosen case keeps its mark";
    leave(control<QAction>(screen, "mnuEsci"));
    EXPECT_EQ(bench.model<SpellWordExercise>(ScreenId::SpellWord).frame().esatti(), 0);
}

} // namespace
