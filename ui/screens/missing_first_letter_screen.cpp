#include "ui/screens/missing_first_letter_screen.h"

#include "ui_lettera1.h"

namespace tavenzo::ui {

MissingFirstLetterScreen::MissingFirstLetterScreen(
    const ScreenContext& context, MissingLetterExercise& model, QWidget* parent)
    : MissingLetterScreen(context, model, parent)
    , m_ui(std::make_unique<Ui::lettera1>())
{
    m_ui->setupUi(this);
    start(missingLetterWidgetsOf(*m_ui));
}

MissingFirstLetterScreen::~MissingFirstLetterScreen() = default;

} // namespace tavenzo::ui
