#include "ui/screens/choice_screen.h"

#include "ui/glue/clicks.h"
#include "ui/glue/presentation.h"

#include <QLabel>
#include <QRadioButton>
#include <QToolButton>

namespace tavenzo::ui {

ChoiceScreen::ChoiceScreen(const ScreenContext& context, ChoiceExercise& model, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_model(model)
{
}

ChoiceScreen::~ChoiceScreen() = default;

void ChoiceScreen::start(const ChoiceWidgets& widgets, QSize client)
{
    m_widgets = widgets;
    setUpExerciseWindow(this);
    setUpAvanti(m_widgets.Command1);
    new ClickWatcher(
        {m_widgets.choices.begin(), m_widgets.choices.end()},
        [this](int index) {
            m_model.choose(index);
            render();
        },
        this);
    const auto show = [this] { render(); };
    connectFrameCommands(this, m_context, m_model, m_widgets.Command1, m_widgets.mnuAzzera, m_widgets.mnuEsci, show);
    connectCaseChoice(this, m_model, m_widgets.Option1, m_widgets.Option2, &QRadioButton::clicked, show);

    present(this, client, m_context.presentation);
    m_model.open();
    render();
}

void ChoiceScreen::render()
{
    renderFrame(m_model.frame(), m_widgets.frame, centralWidget());
    (m_model.letterCase() == LetterCase::Upper ? m_widgets.Option2 : m_widgets.Option1)->setChecked(true);
    for (QLabel* choice : m_widgets.choices) {
        choice->setEnabled(m_model.choicesEnabled());
    }
    renderChoices();
}

} // namespace tavenzo::ui
