#include "ui/screens/words_onto_pictures_screen.h"

#include "exercises/pictures/words_onto_pictures_exercise.h"
#include "ui/glue/fitted_text.h"
#include "ui/glue/picture_loader.h"
#include "ui/screens/exercise_registry.h"
#include "ui_disegni1.h"

namespace tavenzo::ui {

WordsOntoPicturesScreen::WordsOntoPicturesScreen(
    const ScreenContext& context, WordsOntoPicturesExercise& model, QWidget* parent)
    : ExerciseWindow(context, model, parent)
    , m_model(model)
    , m_ui(std::make_unique<Ui::DISEGNI1>())
{
    m_ui->setupUi(this);
    m_pictures = {m_ui->Image1_0, m_ui->Image1_1, m_ui->Image1_2};
    m_boxes = {m_ui->Label2_0, m_ui->Label2_1, m_ui->Label2_2};
    m_words = {m_ui->Label1_0, m_ui->Label1_1, m_ui->Label1_2};
    new WordDrag(centralWidget(), m_words, m_boxes, [this](int box, int word) {
        m_model.drop(box, word);
        render();
    });
    connect(m_ui->mnuEsercizi, &QAction::triggered, this, [this] { m_model.showSummary(this->context().boxes); });
    start();
}

WordsOntoPicturesScreen::~WordsOntoPicturesScreen() = default;

void WordsOntoPicturesScreen::renderExercise()
{
    const WordsOntoPicturesExercise& model = m_model;
    std::vector<std::pair<QLabel*, QString>> pictures;
    for (int n = 0; n < WordsOntoPicturesExercise::kWords; ++n) {
        pictures.emplace_back(m_pictures[static_cast<size_t>(n)], model.picture(n));
    }
    context().pictures.showInEach(pictures);
    for (int n = 0; n < WordsOntoPicturesExercise::kWords; ++n) {
        const auto i = static_cast<size_t>(n);
        showFitted(m_boxes[i], model.boxText(n));
        QLabel* word = m_words[i];
        showFitted(word, model.wordText(n));
        word->setEnabled(model.wordEnabled(n));
        // The word labels stand in the columns of the form's three labels, in this exercise's order.
        const QLabel* column = m_words[static_cast<size_t>(model.column(n))];
        place(word, {designed(column).x(), designed(word).y()});
    }
}

namespace {
const ExerciseRegistration<WordsOntoPicturesScreen, WordsOntoPicturesExercise> registration(
    ScreenId::WordsOntoPictures);
} // namespace

} // namespace tavenzo::ui
