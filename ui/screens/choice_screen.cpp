#include "ui/screens/choice_screen.h"

#include "ui/glue/clicks.h"

#include <QLabel>

namespace tavenzo::ui {

ChoiceScreen::ChoiceScreen(const ScreenContext& context, ChoiceExercise& model, QWidget* parent)
    : ExerciseWindow(context, model, parent)
    , m_model(model)
{
}

void ChoiceScreen::start(const Choices& choices)
{
    m_choices = choices;
    new ClickWatcher(
        {m_choices.begin(), m_choices.end()},
        [this](int index) {
            m_model.choose(index);
            render();
        },
        this);
    ExerciseWindow::start();
}

void ChoiceScreen::renderExercise()
{
    for (QLabel* choice : m_choices) {
        choice->setEnabled(m_model.choicesEnabled());
    }
    renderChoices();
}

} // namespace tavenzo::ui
