#include "ui/screens/missing_inner_letter_screen.h"

#include "exercises/letters/missing_letter_exercise.h"
#include "ui/screens/exercise_registry.h"
#include "ui_lettera.h"

namespace tavenzo::ui {

MissingInnerLetterScreen::MissingInnerLetterScreen(
    const ScreenContext& context, MissingLetterExercise& model, QWidget* parent)
    : MissingLetterScreen(context, model, parent)
    , m_ui(std::make_unique<Ui::lettera>())
{
    m_ui->setupUi(this);
    start();
}

MissingInnerLetterScreen::~MissingInnerLetterScreen() = default;

namespace {
const ExerciseRegistration<MissingInnerLetterScreen, MissingLetterExercise> registration(
    ScreenId::MissingInnerLetter, [](const ExerciseServices& services) {
        return std::make_unique<MissingLetterExercise>(services, MissingLetterExercise::kMissingInnerLetter);
    });
} // namespace

} // namespace tavenzo::ui
