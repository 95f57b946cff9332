#include "ui/screens/spell_word_screen.h"

#include "exercises/letters/spell_word_exercise.h"
#include "ui/glue/art.h"
#include "ui/glue/fitted_text.h"
#include "ui/glue/looks.h"
#include "ui/glue/picture_loader.h"
#include "ui/screens/exercise_registry.h"
#include "ui_lettere.h"

namespace tavenzo::ui {

SpellWordScreen::SpellWordScreen(const ScreenContext& context, SpellWordExercise& model, QWidget* parent)
    : ExerciseWindow(context, model, parent)
    , m_model(model)
    , m_ui(std::make_unique<Ui::lettere>())
{
    m_ui->setupUi(this);
    setPointSize(m_ui->SSCommand1, 27.75);
    useSharedIcon(m_ui->SSCommand1, QStringLiteral(":/art/icon_help.png"));
    m_timer.setObjectName(QStringLiteral("Timer1"));
    m_timer.setInterval(1000);

    // The keys' letters in 24 points, larger than the form's.
    m_keyboard.attach(centralWidget(), 24, [this](int index) {
        m_model.press(index);
        render();
    });
    onCommand(&m_timer, &QTimer::timeout, [this] { m_model.tick(); });
    onCommand(m_ui->SSCommand1, &QToolButton::clicked, [this] { m_model.help(this->context().boxes); });
    start();
}

SpellWordScreen::~SpellWordScreen() = default;

void SpellWordScreen::closeEvent(QCloseEvent* event)
{
    m_timer.stop();
    QMainWindow::closeEvent(event);
}

void SpellWordScreen::renderExercise()
{
    m_keyboard.render(m_model.keyboard());
    showFitted(m_ui->Label1, m_model.display());
    context().pictures.showIn(m_ui->Image1, m_model.picture());
    if (m_model.timerEnabled() && !m_timer.isActive()) {
        m_timer.start();
    } else if (!m_model.timerEnabled() && m_timer.isActive()) {
        m_timer.stop();
    }
}

namespace {
const ExerciseRegistration<SpellWordScreen, SpellWordExercise> registration(ScreenId::SpellWord);
} // namespace

} // namespace tavenzo::ui
