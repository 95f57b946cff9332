#include "ui/screens/picture_for_word_screen.h"

#include "ui/glue/fitted_text.h"
#include "ui/glue/picture_loader.h"
#include "ui/screens/exercise_registry.h"
#include "ui_disegni.h"

namespace tavenzo::ui {

namespace {
constexpr int kWordPoints = 18;
} // namespace

PictureForWordScreen::PictureForWordScreen(const ScreenContext& context, ChoiceExercise& model, QWidget* parent)
    : ChoiceScreen(context, model, parent)
    , m_ui(std::make_unique<Ui::disegni>())
{
    m_ui->setupUi(this);
    // The word is shown in 18 points, not the form's 24.
    QFont font = m_ui->testo->font();
    font.setFamily(QStringLiteral("MS Sans Serif"));
    font.setPointSize(kWordPoints);
    font.setBold(true);
    m_ui->testo->setFont(font);
    // The marker is drawn over the pictures as an outline only, so the right picture stays in view.
    m_ui->Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_ui->Shape1->raise();
    start({m_ui->Image1_0, m_ui->Image1_1, m_ui->Image1_2, m_ui->Image1_3, m_ui->Image1_4, m_ui->Image1_5});
}

PictureForWordScreen::~PictureForWordScreen() = default;

void PictureForWordScreen::renderChoices()
{
    std::vector<std::pair<QLabel*, QString>> pictures;
    for (int i = 0; i < ChoiceExercise::kChoices; ++i) {
        pictures.emplace_back(choices()[static_cast<size_t>(i)], model().choicePicture(i));
    }
    context().pictures.showInEach(pictures);
    showFitted(m_ui->testo, model().testo());

    const int marked = model().markedChoice();
    if (marked >= 0) {
        // The marker keeps its own size wherever it goes; only its corner follows the picture.
        place(m_ui->Shape1, designed(choices()[static_cast<size_t>(marked)]).topLeft());
    }
    m_ui->Shape1->setVisible(marked >= 0);
}

namespace {
const ExerciseRegistration<PictureForWordScreen, ChoiceExercise> registration(
    ScreenId::PictureForWord, [](const ExerciseServices& services) {
        return std::make_unique<ChoiceExercise>(services, ChoiceExercise::kPictureForWord);
    });
} // namespace

} // namespace tavenzo::ui
