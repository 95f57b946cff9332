#include "ui/screens/exercise_window.h"

#include "exercises/frame/exercise_frame.h"
#include "ui/glue/art.h"
#include "ui/glue/clicks.h"
#include "ui/glue/looks.h"
#include "ui/glue/window_title.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QRadioButton>

#include <algorithm>

namespace tavenzo::ui {

namespace {

template<typename Control> Control* named(QObject* window, const char* name)
{
    return window->findChild<Control*>(QLatin1String(name));
}

} // namespace

ExerciseWindow::ExerciseWindow(const ScreenContext& context, Exercise& model, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_model(model)
{
    m_nextItem.setSingleShot(true);
    connect(&m_nextItem, &QTimer::timeout, this, [this] {
        m_model.bringPendingItem();
        render();
    });
}

ExerciseWindow::~ExerciseWindow()
{
    // Leaving the screen silences its word at once.
    m_model.close();
}

void ExerciseWindow::start()
{
    QWidget* client = centralWidget();
    // Space on a focused option or button would switch the case or open the help: no control takes the focus, and
    // the screens answer to the mouse alone (the menu bar stays reachable with Alt).
    std::vector<QWidget*> buttons;
    for (QWidget* control : client->findChildren<QWidget*>()) {
        control->setFocusPolicy(Qt::NoFocus);
        m_designed.insert(control, control->geometry());
        if (qobject_cast<QAbstractButton*>(control) != nullptr) {
            buttons.push_back(control);
        }
    }
    // Keys, avanti and the help count a child's double click once, as the words and pictures do.
    countDoubleClicksOnce(buttons, this);
    showNoTitle(this);
    m_background = new BackgroundFill(client);

    m_avanti = named<QAbstractButton>(this, "Command1");
    m_esatti = named<QLabel>(this, "EtichettaEsatti");
    m_errati = named<QLabel>(this, "EtichettaErrati");
    m_rightIcon = named<QLabel>(this, "ComandoIconaSi");
    m_wrongIcon = named<QLabel>(this, "ComandoIconaNo");
    setPointSize(m_avanti, 14.25);
    useSharedIcon(m_avanti, QStringLiteral(":/art/icon_avanti.png"));
    connectFrame();
    connectCase();

    m_stage = present(this, m_context.presentation);
    m_model.open();
    render();
}

void ExerciseWindow::presentAgain()
{
    m_stage = present(this, m_context.presentation);
    render();
}

void ExerciseWindow::connectFrame()
{
    onCommand(m_avanti, &QAbstractButton::clicked, [this] { m_model.avanti(); });
    onCommand(named<QAction>(this, "mnuAzzera"), &QAction::triggered, [this] { m_model.reset(); });
    connect(named<QAction>(this, "mnuEsci"), &QAction::triggered, this, [this] {
        if (m_model.leave(m_context.boxes)) {
            m_context.screens.open(ScreenId::Menu);
        }
    });
}

void ExerciseWindow::connectCase()
{
    // Four screens choose the case with two options, two with a menu; either builds the exercise in that case.
    m_lowerOption = named<QRadioButton>(this, "Option1");
    m_upperOption = named<QRadioButton>(this, "Option2");
    if (m_lowerOption != nullptr && m_upperOption != nullptr) {
        onCommand(m_lowerOption, &QRadioButton::clicked, [this] { m_model.setCase(LetterCase::Lower); });
        onCommand(m_upperOption, &QRadioButton::clicked, [this] { m_model.setCase(LetterCase::Upper); });
    }
    m_lowerCommand = named<QAction>(this, "mnuMinuscolo");
    m_upperCommand = named<QAction>(this, "mnuMaiuscolo");
    if (m_lowerCommand != nullptr && m_upperCommand != nullptr) {
        onCommand(m_lowerCommand, &QAction::triggered, [this] { m_model.setCase(LetterCase::Lower); });
        onCommand(m_upperCommand, &QAction::triggered, [this] { m_model.setCase(LetterCase::Upper); });
    }
}

void ExerciseWindow::render()
{
    renderFrame();
    const bool upper = m_model.letterCase() == LetterCase::Upper;
    if (m_lowerOption != nullptr && m_upperOption != nullptr) {
        (upper ? m_upperOption : m_lowerOption)->setChecked(true);
    }
    if (m_lowerCommand != nullptr && m_upperCommand != nullptr) {
        m_upperCommand->setChecked(upper);
        m_lowerCommand->setChecked(!upper);
    }
    renderExercise();
    if (std::optional<double> wait = m_model.frame().secondsToNextItem()) {
        // Behind the leave question the item waits; it is looked at again a tenth of a second later, not at once.
        if (m_model.frame().boxOpen()) {
            wait = std::max(*wait, 0.1);
        }
        m_nextItem.start(static_cast<int>(*wait * 1000.0) + 1);
    } else {
        m_nextItem.stop();
    }
}

void ExerciseWindow::renderFrame()
{
    const ExerciseFrame& frame = m_model.frame();
    m_avanti->setVisible(frame.avantiVisible());
    m_avanti->setEnabled(frame.avantiEnabled());
    if (m_esatti != nullptr) {
        m_esatti->setText(frame.esattiText());
    }
    if (m_errati != nullptr) {
        m_errati->setText(frame.erratiText());
    }
    if (m_rightIcon != nullptr) {
        m_rightIcon->setVisible(frame.rightIconVisible());
    }
    if (m_wrongIcon != nullptr) {
        m_wrongIcon->setVisible(frame.wrongIconVisible());
    }
    m_background->setColour(frame.background());
}

QRect ExerciseWindow::designed(const QWidget* control) const
{
    return m_designed.value(control);
}

void ExerciseWindow::place(QWidget* control, QPoint designedPoint)
{
    control->move(m_stage.point(designedPoint));
}

} // namespace tavenzo::ui
