#include "ui/screens/choice_screen.h"

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
    fixClientSize(this, client.width(), client.height());
    setUpAvanti(m_widgets.Command1);
    for (QLabel* choice : m_widgets.choices) {
        choice->installEventFilter(this);
    }
    const auto show = [this] { render(); };
    connectFrameCommands(this, m_context, m_model, m_widgets.Command1, m_widgets.mnuAzzera, m_widgets.mnuEsci, show);
    connectCaseChoice(this, m_model, m_widgets.Option1, m_widgets.Option2, &QRadioButton::clicked, show);

    m_model.open();
    render();
}

bool ChoiceScreen::eventFilter(QObject* watched, QEvent* event)
{
    const int index = releasedOn(watched, event, m_widgets.choices);
    if (index >= 0) {
        m_model.choose(index);
        render();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
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
