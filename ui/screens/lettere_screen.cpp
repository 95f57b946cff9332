#include "ui/screens/lettere_screen.h"

#include "exercises/letters/spell_word_exercise.h"
#include "ui/glue/program.h"
#include "ui/glue/shared_icons.h"
#include "ui_lettere.h"

namespace tavenzo::ui {

LettereScreen::LettereScreen(Program& program, QWidget* parent)
    : QMainWindow(parent)
    , m_program(program)
    , m_ui(std::make_unique<Ui::lettere>())
{
    m_ui->setupUi(this);
    fixClientSize(this, 624, 480);
    setUpAvanti(m_ui->Command1);
    setPointSize(m_ui->SSCommand1, 27.75);
    useSharedIcon(m_ui->SSCommand1, QStringLiteral(":/art/icon_help.png"));
    m_frameWidgets = frameWidgetsOf(*m_ui);
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(1000);

    SpellWordExercise& model = m_program.lettere();
    m_keyboard.attach(centralWidget(), [this, &model](int index) {
        model.press(index);
        render();
    });
    connect(&m_timer, &QTimer::timeout, this, [this, &model] {
        model.tick();
        render();
    });
    connect(m_ui->SSCommand1, &QToolButton::clicked, this, [this, &model] {
        model.help(m_program.ports().boxes);
        render();
    });
    const auto show = [this] { render(); };
    connectFrameCommands(this, m_program, model, m_ui->Command1, m_ui->mnuAzzera, m_ui->mnuEsci, show);
    connectCaseChoice(this, model, m_ui->mnuMinuscolo, m_ui->mnuMaiuscolo, &QAction::triggered, show);

    model.open();
    render();
}

LettereScreen::~LettereScreen() = default;

void LettereScreen::closeEvent(QCloseEvent* event)
{
    m_timer.stop();
    QMainWindow::closeEvent(event);
}

void LettereScreen::render()
{
    const SpellWordExercise& model = m_program.lettere();
    renderFrame(model.frame(), m_frameWidgets, centralWidget());
    m_keyboard.render(model.keyboard());
    m_ui->mnuMaiuscolo->setChecked(!model.Minuscolo());
    m_ui->mnuMinuscolo->setChecked(model.Minuscolo());
    m_ui->Label1->setText(model.display());
    m_ui->Image1->setPixmap(m_program.pictureLoader().load(model.picture(), m_ui->Image1->contentsRect().size()));
    if (model.timerEnabled() && !m_timer.isActive()) {
        m_timer.start();
    } else if (!model.timerEnabled() && m_timer.isActive()) {
        m_timer.stop();
    }
}

} // namespace tavenzo::ui
