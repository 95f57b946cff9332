#include "ui/screens/word_for_picture_screen.h"

#include "ui/glue/fitted_text.h"
#include "ui/glue/picture_loader.h"
#include "ui/screens/exercise_registry.h"
#include "ui_parole.h"

namespace tavenzo::ui {

namespace {
const QString kWordStyle = QStringLiteral("background-color: #ffffff; color: #000000;");
const QString kMarkedStyle = QStringLiteral("background-color: #ff0000; color: #000000;");
} // namespace

WordForPictureScreen::WordForPictureScreen(const ScreenContext& context, ChoiceExercise& model, QWidget* parent)
    : ChoiceScreen(context, model, parent)
    , m_ui(std::make_unique<Ui::parole>())
{
    m_ui->setupUi(this);
    start({m_ui->Label1_0, m_ui->Label1_1, m_ui->Label1_2, m_ui->Label1_3, m_ui->Label1_4, m_ui->Label1_5});
}

WordForPictureScreen::~WordForPictureScreen() = default;

void WordForPictureScreen::renderChoices()
{
    for (int i = 0; i < ChoiceExercise::kChoices; ++i) {
        QLabel* word = choices()[static_cast<size_t>(i)];
        showFitted(word, model().choiceText(i));
        word->setStyleSheet(model().markedChoice() == i ? kMarkedStyle : kWordStyle);
    }
    context().pictures.showIn(m_ui->Image1, model().rightPicture());
}

namespace {
const ExerciseRegistration<WordForPictureScreen, ChoiceExercise> registration(
    ScreenId::WordForPicture, [](const ExerciseServices& services) {
        return std::make_unique<ChoiceExercise>(services, ChoiceExercise::kWordForPicture);
    });
} // namespace

} // namespace tavenzo::ui
