#include "ui/screens/splash_screen.h"

#include "core/startup.h"
#include "ui/glue/clicks.h"
#include "ui/glue/presentation.h"
#include "ui_formavvio.h"

namespace tavenzo::ui {

SplashScreen::SplashScreen(const ScreenContext& context, SharedState& state, RandomSource& random, QWidget* parent)
    : StagedWidget(parent)
    , m_context(context)
    , m_ui(std::make_unique<Ui::FormAvvio>())
{
    m_ui->setupUi(this);
    // A click on the background or on any picture opens the menu.
    new ClickWatcher(
        {this, m_ui->Image1_0, m_ui->Image1_1, m_ui->Image1_2, m_ui->Image1_3},
        [this](int) { m_context.screens.open(ScreenId::Menu); }, this);
    // Its form names the four pictures only by their "art" property: a picture set by the form would be decoded at
    // every start, and in full-screen mode only to be replaced by a larger one.
    m_stage = present(this, m_context.presentation);
    splashLoad(state, random);
}

SplashScreen::~SplashScreen() = default;

void SplashScreen::presentAgain()
{
    m_stage = present(this, m_context.presentation);
}

} // namespace tavenzo::ui
