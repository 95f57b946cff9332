#include "ui/glue/looks.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

namespace tavenzo::ui {

BackgroundFill::BackgroundFill(QWidget* widget)
    : QObject(widget)
    , m_widget(widget)
    , m_colour(widget->palette().color(QPalette::Window))
{
    widget->installEventFilter(this);
    // Every pixel it is asked to paint is filled, so the window beneath need not be painted first: on a full screen
    // that is a second fill of some eight megabytes at every new exercise.
    widget->setAttribute(Qt::WA_OpaquePaintEvent);
}

void BackgroundFill::setColour(BgrColour colour)
{
    const QColor wanted = QColor::fromRgb(bgrToRgb(colour));
    if (m_colour != wanted) {
        m_colour = wanted;
        m_widget->update();
    }
}

BackgroundFill* BackgroundFill::of(const QWidget* widget)
{
    return widget->findChild<BackgroundFill*>(QString(), Qt::FindDirectChildrenOnly);
}

bool BackgroundFill::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_widget && event->type() == QEvent::Paint) {
        QPainter painter(m_widget);
        painter.fillRect(static_cast<QPaintEvent*>(event)->rect(), m_colour);
    }
    return false;
}

void setPointSize(QWidget* widget, double points)
{
    QFont font = widget->font();
    font.setPointSizeF(points);
    widget->setFont(font);
}

} // namespace tavenzo::ui
