#include "ui/glue/fitted_text.h"
#include "ui/glue/picture_loader.h"
#include "ui/screens/choice_screen.h"
#include "ui/screens/exercise_registry.h"
#include "ui_parole.h"

namespace tavenzo::ui {

namespace {

const QString kWordStyle = QStringLiteral("background-color: #ffffff; color: #000000;");
const QString kMarkedStyle = QStringLiteral("background-color: #ff0000; color: #000000;");

// Word for the picture: six words, one picture; the word chosen right is marked red while avanti waits.
class WordForPictureScreen final : public ChoiceScreen {
public:
    WordForPictureScreen(const ScreenContext& context, ChoiceExercise& model)
        : ChoiceScreen(context, model, nullptr)
    {
        m_ui.setupUi(this);
        start({m_ui.Label1_0, m_ui.Label1_1, m_ui.Label1_2, m_ui.Label1_3, m_ui.Label1_4, m_ui.Label1_5});
    }

private:
    void renderChoices() override
    {
        for (int i = 0; i < ChoiceExercise::kChoices; ++i) {
            QLabel* word = choices()[static_cast<size_t>(i)];
            showFitted(word, model().choiceText(i));
            word->setStyleSheet(model().markedChoice() == i ? kMarkedStyle : kWordStyle);
        }
        context().pictures.showIn(m_ui.Image1, model().rightPicture());
    }

    Ui::parole m_ui;
};

const ExerciseRegistration<WordForPictureScreen, ChoiceExercise> registration(
    ScreenId::WordForPicture, ChoiceExercise::kWordForPicture);

} // namespace

} // namespace tavenzo::ui
