#include "ui/screens/spell_word_screen.h"

#include "exercises/letters/spell_word_exercise.h"
#include "ui/glue/art.h"
#include "ui/glue/fitted_text.h"
#include "ui/glue/picture_loader.h"
#include "ui/glue/presentation.h"
#include "ui_lettere.h"

namespace tavenzo::ui {

namespace {
constexpr int kKeyPoints = 24;
} // namespace

SpellWordScreen::SpellWordScreen(const ScreenContext& context, SpellWordExercise& model, QWidget* parent)
    : QMainWindow(parent)
    , m_context(context)
    , m_model(model)
    , m_ui(std::make_unique<Ui::lettere>())
{
    m_ui->setupUi(this);
    setUpExerciseWindow(this);
    setUpAvanti(m_ui->Command1);
    setPointSize(m_ui->SSCommand1, 27.75);
    useSharedIcon(m_ui->SSCommand1, QStringLiteral(":/art/icon_help.png"));
    m_frameWidgets = frameWidgetsOf(*m_ui);
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(1000);

    m_keyboard.attach(centralWidget(), kKeyPoints, [this](int index) {
        m_model.press(index);
        render();
    });
    connect(&m_timer, &QTimer::timeout, this, [this] {
        m_model.tick();
        render();
    });
    connect(m_ui->SSCommand1, &QToolButton::clicked, this, [this] {
        m_model.help(m_context.boxes);
        render();
    });
    const auto show = [this] { render(); };
    connectFrameCommands(this, m_context, m_model, m_ui->Command1, m_ui->mnuAzzera, m_ui->mnuEsci, show);
    connectCaseChoice(this, m_model, m_ui->mnuMinuscolo, m_ui->mnuMaiuscolo, &QAction::triggered, show);

    present(this, {624, 480}, m_context.presentation);
    m_model.open();
    render();
}

SpellWordScreen::~SpellWordScreen() = default;

void SpellWordScreen::closeEvent(QCloseEvent* event)
{
    m_timer.stop();
    QMainWindow::closeEvent(event);
}

void SpellWordScreen::render()
{
    renderFrame(m_model.frame(), m_frameWidgets, centralWidget());
    m_keyboard.render(m_model.keyboard());
    m_ui->mnuMaiuscolo->setChecked(!m_model.Minuscolo());
    m_ui->mnuMinuscolo->setChecked(m_model.Minuscolo());
    showFitted(m_ui->Label1, m_model.display());
    m_context.pictures.showIn(m_ui->Image1, m_model.picture());
    if (m_model.timerEnabled() && !m_timer.isActive()) {
        m_timer.start();
    } else if (!m_model.timerEnabled() && m_timer.isActive()) {
        m_timer.stop();
    }
}

} // namespace tavenzo::ui
