#include "ui/screens/splash_screen.h"

#include "core/startup.h"
#include "ui_formavvio.h"

#include <QMouseEvent>

namespace tavenzo::ui {

SplashScreen::SplashScreen(const ScreenContext& context, SharedState& state, RandomSource& random, QWidget* parent)
    : QWidget(parent)
    , m_context(context)
    , m_ui(std::make_unique<Ui::FormAvvio>())
{
    m_ui->setupUi(this);
    setFixedSize(707, 608);
    m_images = {m_ui->Image1_0, m_ui->Image1_1, m_ui->Image1_2, m_ui->Image1_3};
    for (QLabel* image : m_images) {
        image->installEventFilter(this);
    }
    splashLoad(state, random);
}

SplashScreen::~SplashScreen() = default;

void SplashScreen::openMenu()
{
    m_context.screens.open(ScreenId::Menu);
}

void SplashScreen::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        openMenu();
    }
}

bool SplashScreen::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        auto* widget = qobject_cast<QWidget*>(watched);
        if (mouse->button() == Qt::LeftButton && widget != nullptr
            && widget->rect().contains(mouse->position().toPoint())) {
            openMenu();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace tavenzo::ui
