#include "ui/screens/missing_inner_letter_screen.h"

#include "ui_lettera.h"

namespace tavenzo::ui {

MissingInnerLetterScreen::MissingInnerLetterScreen(
    const ScreenContext& context, MissingLetterExercise& model, QWidget* parent)
    : MissingLetterScreen(context, model, parent)
    , m_ui(std::make_unique<Ui::lettera>())
{
    m_ui->setupUi(this);
    start(missingLetterWidgetsOf(*m_ui));
}

MissingInnerLetterScreen::~MissingInnerLetterScreen() = default;

} // namespace tavenzo::ui
