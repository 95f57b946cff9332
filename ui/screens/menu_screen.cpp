#include "ui/screens/menu_screen.h"

#include "core/menu_model.h"
#include "ui/glue/art.h"
#include "ui/glue/looks.h"
#include "ui_formmenu.h"

#include <QKeyEvent>

namespace tavenzo::ui {

namespace {

// The pictures stand above the captions inside the fixed button height, so each is scaled to what is left.
void fitIcon(QToolButton* button)
{
    const QIcon icon = button->icon();
    if (icon.isNull()) {
        return;
    }
    const QSize natural = icon.availableSizes().value(0, button->iconSize());
    const int room = button->height() - button->fontMetrics().height() - 14;
    const QSize fitted = natural.scaled(QSize(button->width() - 12, std::max(16, room)), Qt::KeepAspectRatio);
    button->setIconSize(fitted);
}

// Return and Enter press the focused button as the space bar does; a grown-up moving with Tab expects either.
class ReturnPresses final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || key->isAutoRepeat()) {
            return false;
        }
        static_cast<QAbstractButton*>(watched)->click();
        return true;
    }
};

} // namespace

MenuScreen::MenuScreen(const ScreenContext& context, MenuModel& model, FileChooser& chooser, QWidget* parent)
    : StagedWidget(parent)
    , m_context(context)
    , m_model(model)
    , m_chooser(chooser)
    , m_ui(std::make_unique<Ui::FormMenu>())
{
    m_ui->setupUi(this);
    setPointSize(m_ui->Command3D3, 21.75);
    setPointSize(m_ui->Command3, 21.75);
    setPointSize(m_ui->Command2, 9.75);
    setPointSize(m_ui->Command3D6, 27.75);
    setPointSize(m_ui->Command3D5, 27.75);
    const std::array<std::pair<QToolButton*, const char*>, 8> pictures = {{
        {m_ui->Command1, ":/art/ladybird.png"},
        {m_ui->Command3D1, ":/art/ladybird.png"},
        {m_ui->Command3D2, ":/art/traffic_light.png"},
        {m_ui->Command3D4, ":/art/snake.png"},
        {m_ui->Command3D3, ":/art/three_panels.png"},
        {m_ui->Command2, ":/art/three_panels.png"},
        {m_ui->Command3D6, ":/art/icon_info.png"},
        {m_ui->Command3D5, ":/art/icon_exit.png"},
    }};
    for (const auto& [button, picture] : pictures) {
        useSharedIcon(button, QString::fromLatin1(picture));
    }
    for (QToolButton* button : {m_ui->Command1, m_ui->Command3D1, m_ui->Command3D2, m_ui->Command3D4, m_ui->Command3D3,
             m_ui->Command2, m_ui->Command3D6, m_ui->Command3D5}) {
        fitIcon(button);
    }
    m_options = {m_ui->Option1_0, m_ui->Option1_1};

    for (const ExerciseScreen& exercise : kExerciseScreens) {
        auto* button = findChild<QToolButton*>(QString::fromLatin1(exercise.menuButton));
        Q_ASSERT(button != nullptr);
        connect(button, &QToolButton::clicked, this, [this, screen = exercise.id] { openExercise(screen); });
    }
    for (int index = 0; index < 2; ++index) {
        connect(m_options[static_cast<size_t>(index)], &QRadioButton::clicked, this,
            [this, index] { m_model.optionClicked(index); });
    }
    connect(
        m_ui->Command3, &QToolButton::clicked, this, [this] { m_model.changeWordList(m_chooser, m_context.boxes); });
    connect(m_ui->Command3D6, &QToolButton::clicked, this, [this] { m_model.MostraInformazioni(m_context.boxes); });
    connect(m_ui->Command3D5, &QToolButton::clicked, this, [this] {
        if (m_model.ConfermaUscita(m_context.boxes)) {
            m_context.screens.endRun();
        }
    });

    auto* returnPresses = new ReturnPresses(this);
    for (QAbstractButton* button : findChildren<QAbstractButton*>()) {
        button->installEventFilter(returnPresses);
    }

    m_backgrounds = {new BackgroundFill(this), new BackgroundFill(m_options[0]), new BackgroundFill(m_options[1])};
    m_stage = present(this, m_context.presentation);
    m_model.load();
    render();
}

MenuScreen::~MenuScreen() = default;

void MenuScreen::presentAgain()
{
    m_stage = present(this, m_context.presentation);
    render();
}

void MenuScreen::render()
{
    for (BackgroundFill* fill : m_backgrounds) {
        fill->setColour(m_model.background());
    }
    m_options[static_cast<size_t>(m_model.selectedOption())]->setChecked(true);
}

void MenuScreen::openExercise(ScreenId screen)
{
    if (m_model.mayOpen(screen, m_context.boxes)) {
        m_context.screens.open(screen);
    }
}

} // namespace tavenzo::ui
