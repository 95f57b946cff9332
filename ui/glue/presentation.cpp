#include "ui/glue/presentation.h"

#include "ui/glue/art.h"
#include "ui/glue/fitted_text.h"

#include <QAbstractButton>
#include <QFontInfo>
#include <QFrame>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>

#include <algorithm>
#include <vector>

namespace tavenzo::ui {

namespace {

int scaled(int designed, double factor)
{
    return qRound(designed * factor);
}

// Edges are scaled, not sizes, so neighbours that touched still touch and nothing gains a gap from rounding.
QRect scaled(const QRect& designed, double factor)
{
    const int left = scaled(designed.left(), factor);
    const int top = scaled(designed.top(), factor);
    return {left, top, scaled(designed.left() + designed.width(), factor) - left,
        scaled(designed.top() + designed.height(), factor) - top};
}

// Frames, outlines drawn by style sheets, icons and the option buttons' circles grow with the rest.
void scaleLooks(QWidget* widget, double factor)
{
    if (auto* frame = qobject_cast<QFrame*>(widget); frame != nullptr && frame->frameShape() != QFrame::NoFrame) {
        frame->setLineWidth(std::max(1, scaled(frame->lineWidth(), factor)));
        frame->setMidLineWidth(scaled(frame->midLineWidth(), factor));
    }
    QString sheet = widget->styleSheet();
    if (sheet.contains(QStringLiteral("px"))) {
        static const QRegularExpression pixels(QStringLiteral("(\\d+)px"));
        QString result;
        qsizetype last = 0;
        for (const QRegularExpressionMatch& match : pixels.globalMatch(sheet)) {
            result += sheet.mid(last, match.capturedStart() - last);
            result += QStringLiteral("%1px").arg(std::max(1, scaled(match.captured(1).toInt(), factor)));
            last = match.capturedEnd();
        }
        sheet = result + sheet.mid(last);
    }
    if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        const int circle
            = scaled(option->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option), factor);
        sheet += QStringLiteral(" QRadioButton::indicator { width: %1px; height: %1px; }").arg(circle);
    }
    if (sheet != widget->styleSheet()) {
        widget->setStyleSheet(sheet);
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget); button != nullptr && !button->icon().isNull()) {
        button->setIconSize(button->iconSize() * factor);
    }
}

// What present() found on a window as its form built it, so that it can lay the window out again from the form when
// the presentation changes.
class FormLayout final : public QObject {
public:
    struct Control {
        QPointer<QWidget> widget;
        QRect geometry;
        QFont font;
        bool ownFont = false;
        int lineWidth = 0;
        int midLineWidth = 0;
        QString styleSheet;
        QSize iconSize;
    };

    FormLayout(QWidget* window, QSize client)
        : QObject(window)
        , m_client(client)
    {
        setObjectName(QLatin1String(kName));
        m_controls.push_back(record(window));
        for (QWidget* child : window->findChildren<QWidget*>()) {
            m_controls.push_back(record(child));
        }
    }

    static FormLayout* of(const QWidget* window)
    {
        return window->findChild<FormLayout*>(QLatin1String(kName), Qt::FindDirectChildrenOnly);
    }

    QSize client() const { return m_client; }

    // Every control as the form built it; a label's text is fitted again from its form's size.
    void restore(const QWidget* client) const
    {
        for (const Control& control : m_controls) {
            QWidget* widget = control.widget;
            if (widget == nullptr) {
                continue;
            }
            if (client->isAncestorOf(widget)) {
                widget->setGeometry(control.geometry);
            }
            widget->setFont(control.ownFont ? control.font : QFont());
            if (auto* frame = qobject_cast<QFrame*>(widget)) {
                frame->setLineWidth(control.lineWidth);
                frame->setMidLineWidth(control.midLineWidth);
            }
            if (widget->styleSheet() != control.styleSheet) {
                widget->setStyleSheet(control.styleSheet);
            }
            if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
                button->setIconSize(control.iconSize);
            }
            if (auto* label = qobject_cast<QLabel*>(widget)) {
                forgetFitting(label);
            }
        }
    }

    // The controls the form built, still there.
    QList<QWidget*> widgets() const
    {
        QList<QWidget*> found;
        for (const Control& control : m_controls) {
            if (control.widget != nullptr) {
                found.append(control.widget);
            }
        }
        return found;
    }

private:
    static constexpr const char* kName = "tavenzo_form_layout";

    static Control record(QWidget* widget)
    {
        Control control;
        control.widget = widget;
        control.geometry = widget->geometry();
        control.font = widget->font();
        control.ownFont = widget->testAttribute(Qt::WA_SetFont);
        if (auto* frame = qobject_cast<QFrame*>(widget)) {
            control.lineWidth = frame->lineWidth();
            control.midLineWidth = frame->midLineWidth();
        }
        control.styleSheet = widget->styleSheet();
        if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            control.iconSize = button->iconSize();
        }
        return control;
    }

    QSize m_client;
    std::vector<Control> m_controls;
};

} // namespace

void scaleFonts(QWidget* window, double factor)
{
    std::vector<std::pair<QWidget*, QFont>> fonts {{window, window->font()}};
    const qreal windowPoints = QFontInfo(window->font()).pointSizeF();
    for (QWidget* child : window->findChildren<QWidget*>()) {
        // Some controls take their font from the platform for their kind (menus, a box's text) rather than from
        // the window: they are given theirs too.
        const bool ownSize
            = child->testAttribute(Qt::WA_SetFont) && (child->font().resolveMask() & QFont::SizeResolved) != 0;
        if (ownSize || child->isWindow() || qobject_cast<QMenuBar*>(child) != nullptr
            || QFontInfo(child->font()).pointSizeF() != windowPoints) {
            fonts.emplace_back(child, child->font());
        }
    }
    for (auto& [widget, font] : fonts) {
        font.setPointSizeF(font.pointSizeF() * factor);
        widget->setFont(font);
    }
}

QScreen* Presentation::screen() const
{
    return m_screen != nullptr ? m_screen.data() : QGuiApplication::primaryScreen();
}

QRect Presentation::area() const
{
    return m_area.isValid() ? m_area : screen()->geometry();
}

void Presentation::followWindow(QWidget* window)
{
    if (window != nullptr && window->screen() != nullptr) {
        m_screen = window->screen();
    }
}

double Presentation::fitFactor(QSize available, QSize designedClient, int menuBarHeight)
{
    if (designedClient.isEmpty()) {
        return 1.0;
    }
    return std::min(static_cast<double>(available.width()) / designedClient.width(),
        static_cast<double>(available.height()) / (designedClient.height() + menuBarHeight));
}

Stage stageOf(const QWidget* window)
{
    const auto* staged = window != nullptr ? dynamic_cast<const StagedWindow*>(window->window()) : nullptr;
    return staged != nullptr ? staged->stage() : Stage();
}

int Stage::length(double designed) const
{
    return qRound(designed * factor);
}

QPoint Stage::point(QPoint designed) const
{
    return offset + QPoint(length(designed.x()), length(designed.y()));
}

Stage present(QWidget* window, const Presentation& presentation)
{
    auto* main = qobject_cast<QMainWindow*>(window);
    QWidget* client = main != nullptr ? main->centralWidget() : window;
    // At the first call the form has sized the window as its client area is designed and nothing has laid it out yet;
    // at a later one everything goes back to the form first.
    const FormLayout* form = FormLayout::of(window);
    if (form == nullptr) {
        form = new FormLayout(window, window->size());
    } else {
        form->restore(client);
    }
    const QSize designedClient = form->client();
    QWidget* bar = main != nullptr ? main->menuWidget() : nullptr;
    const auto barHeight = [bar] { return bar != nullptr ? bar->sizeHint().height() : 0; };
    if (!presentation.fullScreen()) {
        client->setFixedSize(designedClient);
        if (main != nullptr) {
            window->setFixedSize(designedClient.width(), designedClient.height() + barHeight());
        }
        refreshArt(window);
        return {};
    }

    const QRect screen = presentation.area();
    const double factor = Presentation::fitFactor(screen.size(), designedClient, barHeight());
    // Only what the form built: a picture a finger drags along is not the form's.
    QList<QWidget*> children = form->widgets();
    children.removeOne(window);
    scaleFonts(window, factor);
    for (QWidget* child : children) {
        if (client->isAncestorOf(child)) {
            child->setGeometry(scaled(child->geometry(), factor));
        }
        scaleLooks(child, factor);
    }
    for (QWidget* fixed : {window, client}) {
        fixed->setMinimumSize(0, 0);
        fixed->setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    }
    // The client area stands in the middle of what the menu bar leaves; around it the window's own background shows,
    // in whatever colour the screen has.
    const QSize room(screen.width(), screen.height() - barHeight());
    const QPoint offset((room.width() - scaled(designedClient.width(), factor)) / 2,
        (room.height() - scaled(designedClient.height(), factor)) / 2);
    for (QObject* child : client->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child); widget != nullptr && !widget->isWindow()) {
            widget->move(widget->pos() + offset);
        }
    }
    refreshArt(window);
    return {factor, offset};
}

void showPresented(QWidget* window, const Presentation& presentation)
{
    if (presentation.fullScreen()) {
        // Without a window manager nothing would resize the window; with one, the full-screen state keeps it so.
        window->setScreen(presentation.screen());
        window->setGeometry(presentation.area());
        window->showFullScreen();
    } else if (window->isFullScreen()) {
        window->showNormal();
        QRect frame = window->frameGeometry();
        frame.moveCenter(presentation.screen()->availableGeometry().center());
        window->move(frame.topLeft());
    } else {
        window->show();
    }
}

} // namespace tavenzo::ui
