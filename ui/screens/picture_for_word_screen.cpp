#include "ui/glue/fitted_text.h"
#include "ui/glue/picture_loader.h"
#include "ui/screens/choice_screen.h"
#include "ui/screens/exercise_registry.h"
#include "ui_disegni.h"

namespace tavenzo::ui {

namespace {

// Picture for the word: one word, six pictures; the picture chosen right is framed while avanti waits.
class PictureForWordScreen final : public ChoiceScreen {
public:
    PictureForWordScreen(const ScreenContext& context, ChoiceExercise& model)
        : ChoiceScreen(context, model, nullptr)
    {
        m_ui.setupUi(this);
        // The word is shown in 18 points, not the form's 24.
        QFont font = m_ui.testo->font();
        font.setFamily(QStringLiteral("MS Sans Serif"));
        font.setPointSize(18);
        font.setBold(true);
        m_ui.testo->setFont(font);
        // The marker is drawn over the pictures as an outline only, so the right picture stays in view.
        m_ui.Shape1->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_ui.Shape1->raise();
        start({m_ui.Image1_0, m_ui.Image1_1, m_ui.Image1_2, m_ui.Image1_3, m_ui.Image1_4, m_ui.Image1_5});
    }

private:
    void renderChoices() override
    {
        std::vector<std::pair<QLabel*, QString>> pictures;
        for (int i = 0; i < ChoiceExercise::kChoices; ++i) {
            pictures.emplace_back(choices()[static_cast<size_t>(i)], model().choicePicture(i));
        }
        context().pictures.showInEach(pictures);
        showFitted(m_ui.testo, model().testo());

        const int marked = model().markedChoice();
        if (marked >= 0) {
            // The marker keeps its own size wherever it goes; only its corner follows the picture.
            place(m_ui.Shape1, designed(choices()[static_cast<size_t>(marked)]).topLeft());
        }
        m_ui.Shape1->setVisible(marked >= 0);
    }

    Ui::disegni m_ui;
};

const ExerciseRegistration<PictureForWordScreen, ChoiceExercise> registration(
    ScreenId::PictureForWord, ChoiceExercise::kPictureForWord);

} // namespace

} // namespace tavenzo::ui
