#include "ui/screens/form_avvio.h"
#include "ui/screens/form_menu.h"
#include "ui/screens/lettere_screen.h"
#include "ui/screens/missing_letter_screen.h"
#include "ui_formmenu.h"
#include "ui_lettera.h"
#include "ui_lettera1.h"
#include "ui_lettere.h"
#include "widget_fakes.h"

#include <QMenu>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

int key(char letter)
{
    return static_cast<int>(Keyboard::alphabet().indexOf(QLatin1Char(letter)));
}

// Every draw gives 0: slot 1, the first position, the first colour and sound.
class Letters : public ::testing::Test {
protected:
    void SetUp() override
    {
        bench.random.setFallback(0.0);
        menu = startToMenu<ui::FormAvvio, ui::FormMenu>(bench, 2);
        ASSERT_NE(menu, nullptr);
        bench.setWords({"Cane", "sole"});
    }
    void expectKeysLaidOut(const ui::KeyboardView::Keys& keys, int pointSize, const QString& first)
    {
        for (int i = 0; i < Keyboard::kKeys; ++i) {
            EXPECT_EQ(keys[static_cast<size_t>(i)]->geometry(), Keyboard::keyPlace(i)) << i;
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
        EXPECT_NE(bench.current<ui::FormMenu>(), nullptr);
        EXPECT_EQ(bench.boxes.questions.last(), QString::fromUtf8("Vuoi tornare al menù?"));
    }
    ProgramBench bench;
    ui::FormMenu* menu = nullptr;
};

TEST_F(Letters, LetteraHidesPressedKeysAndStepsThePictureOnTheRightLetter)
{
    click(menu->form().Command3D1);
    auto* screen = bench.current<ui::LetteraScreen>();
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(screen->windowTitle(), "");
    EXPECT_EQ(screen->centralWidget()->size(), QSize(706, 575));
    EXPECT_EQ(screen->form().mnuAzzera->text(), "Azzera conteggio               ");
    expectKeysLaidOut(screen->keys(), 13, "a");
    Ui::lettera& form = screen->form();
    EXPECT_EQ(form.Label1->text(), "_ane");
    EXPECT_EQ(form.EtichettaEsatti->text(), "0");
    EXPECT_TRUE(form.Command1->isVisibleTo(screen)) << "the splash set the wait for avanti";
    EXPECT_FALSE(form.Command1->isEnabled());

    click(screen->keys()[static_cast<size_t>(key('e'))]);
    EXPECT_FALSE(screen->keys()[static_cast<size_t>(key('e'))]->isVisibleTo(screen));
    EXPECT_EQ(form.EtichettaErrati->text(), " 1");
    EXPECT_TRUE(form.ComandoIconaNo->isVisibleTo(screen));

    click(screen->keys()[static_cast<size_t>(key('c'))]);
    EXPECT_EQ(form.Label1->text(), "cane");
    EXPECT_EQ(form.EtichettaEsatti->text(), " 1");
    EXPECT_TRUE(form.Command1->isEnabled());
    EXPECT_EQ(form.Image1->pos(), screen->pictureHome() - QPoint(1, 0));

    click(form.Option2);
    EXPECT_EQ(form.Label1->text(), "_ANE");
    EXPECT_EQ(screen->keys()[0]->text(), "A");
    EXPECT_TRUE(screen->keys()[static_cast<size_t>(key('c'))]->isVisibleTo(screen));
    EXPECT_EQ(form.EtichettaEsatti->text(), " 1");
    leave(form.mnuEsci);
    EXPECT_EQ(bench.program->state().ContaEsatti, 0);
}

TEST_F(Letters, Lettera1MasksTheFirstLetterWithoutAvanti)
{
    click(menu->form().Option1_0);
    click(menu->form().Command1);
    auto* screen = bench.current<ui::Lettera1Screen>();
    ASSERT_NE(screen, nullptr);
    Ui::lettera1& form = screen->form();
    EXPECT_EQ(screen->centralWidget()->size(), QSize(706, 575));
    EXPECT_EQ(form.Command1->geometry(), QRect(448, 368, 129, 65));
    EXPECT_EQ(form.ComandoIconaSi->geometry(), QRect(48, 16, 65, 57));
    EXPECT_EQ(form.mnuAzzera->text(), "Azzera conteggio           ");
    expectKeysLaidOut(screen->keys(), 13, "a");
    EXPECT_FALSE(form.Command1->isVisibleTo(screen));
    EXPECT_EQ(form.Label1->text(), "_ane");

    click(screen->keys()[static_cast<size_t>(key('c'))]);
    EXPECT_EQ(form.Label1->text(), "_ane") << "the next word came at once";
    EXPECT_EQ(form.EtichettaEsatti->text(), " 1");
    EXPECT_TRUE(screen->keys()[static_cast<size_t>(key('c'))]->isVisibleTo(screen));
    EXPECT_EQ(form.Image1->pos(), screen->pictureHome());
    leave(form.mnuEsci);
}

TEST_F(Letters, LettereFillsBlanksWaitsAndTakesHelp)
{
    click(menu->form().Command3D2);
    auto* screen = bench.current<ui::LettereScreen>();
    ASSERT_NE(screen, nullptr);
    Ui::lettere& form = screen->form();
    EXPECT_EQ(screen->windowTitle(), "");
    EXPECT_EQ(screen->centralWidget()->size(), QSize(624, 480));
    EXPECT_EQ(form.mnuCaratteri->title(), "Caratteri           ");
    EXPECT_TRUE(form.mnuMaiuscolo->isChecked());
    EXPECT_FALSE(form.mnuMinuscolo->isChecked());
    expectKeysLaidOut(screen->keys(), 24, "A");
    EXPECT_EQ(form.EtichettaEsatti->text(), " 0");
    EXPECT_EQ(form.Label1->text(), "_ _ _ _ ");

    click(screen->keys()[static_cast<size_t>(key('c'))]);
    EXPECT_EQ(form.Label1->text(), "C_ _ _ ");
    EXPECT_TRUE(screen->keys()[static_cast<size_t>(key('c'))]->isVisibleTo(screen)) << "keys stay here";
    for (char c : {'a', 'n', 'e'}) {
        click(screen->keys()[static_cast<size_t>(key(c))]);
    }
    EXPECT_EQ(form.Label1->text(), "CANE");
    EXPECT_TRUE(screen->Timer1().isActive());

    bench.clock.now += 4;
    EXPECT_TRUE(QTest::qWaitFor([&] { return !screen->Timer1().isActive(); }, 5000));
    EXPECT_EQ(form.EtichettaEsatti->text(), " 1");
    EXPECT_TRUE(form.Command1->isEnabled());
    EXPECT_FALSE(screen->keys()[0]->isEnabled());

    click(form.SSCommand1);
    EXPECT_EQ(bench.boxes.plains, (QStringList {"CANE"}));
    EXPECT_EQ(form.EtichettaEsatti->text(), " 0");

    form.mnuMinuscolo->trigger();
    EXPECT_FALSE(form.mnuMaiuscolo->isChecked());
    EXPECT_TRUE(form.mnuMinuscolo->isChecked());
    EXPECT_EQ(screen->keys()[0]->text(), "a");
    EXPECT_TRUE(screen->keys()[0]->isEnabled());
    form.mnuMinuscolo->trigger();
    EXPECT_TRUE(form.mnuMinuscolo->isChecked()) << "the chosen case keeps its mark";
    leave(form.mnuEsci);
    EXPECT_EQ(bench.program->lettere().NumeroEsatti(), 0);
}

} // namespace
