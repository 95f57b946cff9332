#include "ui/glue/clicks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QPointer>
#include <QStyleHints>
#include <QTimer>
#include <QWidget>

namespace tavenzo::ui {

ClickWatcher::ClickWatcher(std::vector<QWidget*> controls, std::function<void(int)> onClick, QObject* parent)
    : QObject(parent)
    , m_controls(std::move(controls))
    , m_onClick(std::move(onClick))
{
    for (QWidget* control : m_controls) {
        control->installEventFilter(this);
    }
}

int ClickWatcher::indexOf(const QObject* object) const
{
    for (size_t i = 0; i < m_controls.size(); ++i) {
        if (m_controls[i] == object) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool ClickWatcher::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonRelease) {
        return false;
    }
    const int index = indexOf(watched);
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (index < 0 || mouse->button() != Qt::LeftButton) {
        return false;
    }
    QWidget* control = m_controls[static_cast<size_t>(index)];
    switch (type) {
    case QEvent::MouseButtonPress:
        m_pressed = control->isEnabled() ? index : -1;
        return true;
    case QEvent::MouseButtonDblClick:
        // The release that follows ends the double click, which was counted at its first release.
        m_pressed = -1;
        return true;
    default: {
        const bool click
            = m_pressed == index && control->isEnabled() && control->rect().contains(mouse->position().toPoint());
        m_pressed = -1;
        if (click) {
            m_onClick(index);
        }
        return true;
    }
    }
}

namespace {

class DoubleClickAsOne final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override
    {
        // The press that ends a double click never makes the button down, so its release clicks nothing either.
        return event->type() == QEvent::MouseButtonDblClick;
    }
};

// Off unless asked for (QT_LOGGING_RULES="tavenzo.screens.info=true"): scripts that click the real program wait for
// this line instead of guessing how long a new window stays deaf on a busy machine.
Q_LOGGING_CATEGORY(lcScreens, "tavenzo.screens", QtWarningMsg)

void reportTakesPresses(QWidget* window)
{
    qCInfo(lcScreens, "window %llu (%s) takes presses", static_cast<unsigned long long>(window->winId()),
        qPrintable(window->objectName()));
}

class PressGuard final : public QObject {
public:
    PressGuard(QWidget* window, int milliseconds)
        : QObject(window)
        , m_window(window)
        , m_milliseconds(milliseconds)
    {
        m_shown.start();
        QCoreApplication::instance()->installEventFilter(this);
        if (lcScreens().isInfoEnabled()) {
            m_report.setSingleShot(true);
            m_report.setTimerType(Qt::PreciseTimer);
            connect(&m_report, &QTimer::timeout, this, &PressGuard::reportWhenOver);
            m_report.start(m_milliseconds);
        }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!isPointerEvent(event->type())) {
            return false;
        }
        if (m_shown.elapsed() >= m_milliseconds || m_window.isNull()) {
            if (m_report.isActive() && !m_window.isNull()) {
                m_report.stop();
                reportTakesPresses(m_window);
            }
            QCoreApplication::instance()->removeEventFilter(this);
            deleteLater();
            return false;
        }
        auto* widget = qobject_cast<QWidget*>(watched);
        return widget != nullptr && widget->window() == m_window;
    }

private:
    // Said only once a press would pass the test above, whatever the timer's precision.
    void reportWhenOver()
    {
        const qint64 left = m_milliseconds - m_shown.elapsed();
        if (left > 0) {
            m_report.start(static_cast<int>(left));
        } else if (!m_window.isNull()) {
            reportTakesPresses(m_window);
        }
    }

    static bool isPointerEvent(QEvent::Type type)
    {
        switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
            return true;
        default:
            return false;
        }
    }

    QPointer<QWidget> m_window;
    int m_milliseconds;
    QElapsedTimer m_shown;
    QTimer m_report;
};

} // namespace

void countDoubleClicksOnce(const std::vector<QWidget*>& buttons, QObject* parent)
{
    auto* filter = new DoubleClickAsOne(parent);
    for (QWidget* button : buttons) {
        button->installEventFilter(filter);
    }
}

void ignorePressesWhileNew(QWidget* window)
{
    const int interval = QGuiApplication::styleHints()->mouseDoubleClickInterval();
    if (interval > 0) {
        new PressGuard(window, interval);
    } else if (lcScreens().isInfoEnabled()) {
        QTimer::singleShot(0, window, [window] { reportTakesPresses(window); });
    }
}

} // namespace tavenzo::ui
