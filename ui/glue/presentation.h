#pragma once

#include <QPoint>
#include <QPointer>
#include <QSize>

class QScreen;
class QWidget;

namespace tavenzo::ui {

// How the screens are shown: at the sizes of their tables, or each filling the classroom screen (a projector, an
// interactive whiteboard) with its whole layout scaled by one factor.
class Presentation {
public:
    explicit Presentation(bool fullScreen = false)
        : m_fullScreen(fullScreen)
    {
    }

    bool fullScreen() const { return m_fullScreen; }
    // The screen the next window opens on: the one the window before it was on.
    QScreen* screen() const;
    void followWindow(QWidget* window);

    // The largest factor at which a client area of the designed size, with a menu bar of the given height above it,
    // fits the available size.
    static double fitFactor(QSize available, QSize designedClient, int menuBarHeight);

private:
    bool m_fullScreen;
    QPointer<QScreen> m_screen;
};

// How a screen's designed pixels map onto its window: scaled by one factor, the client area moved by an offset.
// Screens place what moves at run time through it; in the tables' sizes it changes nothing.
struct Stage {
    double factor = 1.0;
    QPoint offset;

    static Stage of(const QWidget* widget);
    int length(double designed) const;
    // A point of the client area, in the designed pixels of the screen table.
    QPoint point(QPoint designed) const;
};

// Lays a screen out for the presentation, after its form is set up and before anything is drawn: at the table's
// client size, or full-screen with every control, font, frame and icon scaled and the client area centred.
void present(QWidget* window, QSize designedClient, const Presentation& presentation);

} // namespace tavenzo::ui
