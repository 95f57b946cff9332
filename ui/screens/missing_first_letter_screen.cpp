#include "ui/screens/missing_first_letter_screen.h"

#include "exercises/letters/missing_letter_exercise.h"
#include "ui/screens/exercise_registry.h"
#include "ui_lettera1.h"

namespace tavenzo::ui {

MissingFirstLetterScreen::MissingFirstLetterScreen(
    const ScreenContext& context, MissingLetterExercise& model, QWidget* parent)
    : MissingLetterScreen(context, model, parent)
    , m_ui(std::make_unique<Ui::lettera1>())
{
    m_ui->setupUi(this);
    start();
}

MissingFirstLetterScreen::~MissingFirstLetterScreen() = default;

namespace {
const ExerciseRegistration<MissingFirstLetterScreen, MissingLetterExercise> registration(
    ScreenId::MissingFirstLetter, [](const ExerciseServices& services) {
        return std::make_unique<MissingLetterExercise>(services, MissingLetterExercise::kMissingFirstLetter);
    });
} // namespace

} // namespace tavenzo::ui
