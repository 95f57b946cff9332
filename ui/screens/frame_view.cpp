#include "ui/screens/frame_view.h"

#include "ui/glue/art.h"
#include "ui/glue/window_title.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPaintEvent>
#include <QPainter>

namespace tavenzo::ui {

namespace {

// Paints a widget's background in a colour of its own. A palette would do the same, but every new palette gives
// the style new keys for its cached pixmaps, and screens are built anew at every opening.
class BackgroundFill final : public QObject {
public:
    explicit BackgroundFill(QWidget* widget)
        : QObject(widget)
    {
        setObjectName(QStringLiteral("tavenzo_background_fill"));
        widget->installEventFilter(this);
        // Every pixel it is asked to paint is filled, so the window beneath need not be painted first: on a full
        // screen that is a second fill of some eight megabytes at every new exercise.
        widget->setAttribute(Qt::WA_OpaquePaintEvent);
    }
    QColor colour;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            auto* widget = static_cast<QWidget*>(watched);
            QPainter painter(widget);
            painter.fillRect(static_cast<QPaintEvent*>(event)->rect(), colour);
        }
        return false;
    }
};

} // namespace

void setBackgroundColour(QWidget* widget, BgrColour colour)
{
    auto* fill
        = widget->findChild<BackgroundFill*>(QStringLiteral("tavenzo_background_fill"), Qt::FindDirectChildrenOnly);
    if (fill == nullptr) {
        fill = new BackgroundFill(widget);
    }
    const QColor wanted = QColor::fromRgb(bgrToRgb(colour));
    if (fill->colour != wanted) {
        fill->colour = wanted;
        widget->update();
    }
}

QColor backgroundColour(const QWidget* widget)
{
    const auto* fill = widget->findChild<const BackgroundFill*>(
        QStringLiteral("tavenzo_background_fill"), Qt::FindDirectChildrenOnly);
    return fill != nullptr ? fill->colour : widget->palette().color(QPalette::Window);
}

void renderFrame(const ExerciseFrame& frame, const FrameWidgets& widgets, QWidget* background)
{
    if (widgets.avanti != nullptr) {
        widgets.avanti->setVisible(frame.avantiVisible());
        widgets.avanti->setEnabled(frame.avantiEnabled());
    }
    if (widgets.esatti != nullptr) {
        widgets.esatti->setText(frame.esattiText());
    }
    if (widgets.errati != nullptr) {
        widgets.errati->setText(frame.erratiText());
    }
    if (widgets.rightIcon != nullptr) {
        widgets.rightIcon->setVisible(frame.rightIconVisible());
    }
    if (widgets.wrongIcon != nullptr) {
        widgets.wrongIcon->setVisible(frame.wrongIconVisible());
    }
    if (background != nullptr) {
        setBackgroundColour(background, frame.background());
    }
}

void connectFrameCommands(QWidget* screen, const ScreenContext& context, Exercise& model, QAbstractButton* avanti,
    QAction* azzera, QAction* esci, const std::function<void()>& render)
{
    onCommand(
        screen, avanti, &QAbstractButton::clicked, [&model] { model.avanti(); }, render);
    onCommand(
        screen, azzera, &QAction::triggered, [&model] { model.reset(); }, render);
    QObject::connect(esci, &QAction::triggered, screen, [context, &model] {
        if (model.leave(context.boxes)) {
            context.screens.open(ScreenId::Menu);
        }
    });
}

void setUpExerciseWindow(QMainWindow* window)
{
    // Space on a focused option or button would switch the case or open the help: no control takes the focus.
    for (QWidget* control : window->centralWidget()->findChildren<QWidget*>()) {
        control->setFocusPolicy(Qt::NoFocus);
    }
    showNoTitle(window);
}

void setUpAvanti(QAbstractButton* avanti)
{
    setPointSize(avanti, 14.25);
    useSharedIcon(avanti, QStringLiteral(":/art/icon_avanti.png"));
}

void setPointSize(QWidget* widget, double points)
{
    QFont font = widget->font();
    font.setPointSizeF(points);
    widget->setFont(font);
}

} // namespace tavenzo::ui
