#include "ui/screens/missing_letter_screen.h"

#include "exercises/letters/missing_letter_exercise.h"
#include "ui/glue/fitted_text.h"
#include "ui/glue/looks.h"
#include "ui/glue/picture_loader.h"
#include "ui/screens/exercise_registry.h"
#include "ui_lettera.h"
#include "ui_lettera1.h"

#include <QLabel>
#include <QRadioButton>

namespace tavenzo::ui {

namespace {

constexpr int kKeyPoints = 13;
// The picture's sideways step: 20 units of 1/15 pixel, which a screen can only show as one whole pixel.
constexpr int kPictureStep = 1;

template<typename Form> struct From {
    static QWidget* create(const ScreenContext& context, MissingLetterExercise& model)
    {
        auto form = std::make_shared<Form>();
        return new MissingLetterScreen(context, model, form, [form](QMainWindow* window) { form->setupUi(window); });
    }
};

const ExerciseRegistration<From<Ui::lettera1>, MissingLetterExercise> firstLetter(
    ScreenId::MissingFirstLetter, MissingLetterExercise::kMissingFirstLetter);
const ExerciseRegistration<From<Ui::lettera>, MissingLetterExercise> innerLetter(
    ScreenId::MissingInnerLetter, MissingLetterExercise::kMissingInnerLetter);

} // namespace

MissingLetterScreen::MissingLetterScreen(const ScreenContext& context, MissingLetterExercise& model,
    std::shared_ptr<void> form, const std::function<void(QMainWindow*)>& setUp)
    : ExerciseWindow(context, model, nullptr)
    , m_model(model)
    , m_form(std::move(form))
{
    setUp(this);
    m_word = findChild<QLabel*>(QStringLiteral("Label1"));
    m_picture = findChild<QLabel*>(QStringLiteral("Image1"));
    setPointSize(m_word, 27.75);
    for (const char* option : {"Option1", "Option2"}) {
        setPointSize(findChild<QRadioButton*>(QLatin1String(option)), 8.25);
    }
    m_keyboard.attach(centralWidget(), kKeyPoints, [this](int index) {
        m_model.press(index);
        render();
    });
    start();
}

void MissingLetterScreen::renderExercise()
{
    m_keyboard.render(m_model.keyboard());
    showFitted(m_word, m_model.label1());
    place(m_picture, designed(m_picture).topLeft() + QPoint(m_model.pictureSteps() * kPictureStep, 0));
    context().pictures.showIn(m_picture, m_model.picture());
}

} // namespace tavenzo::ui
