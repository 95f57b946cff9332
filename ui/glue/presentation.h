#pragma once

#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QSize>
#include <QWidget>

class QScreen;

namespace tavenzo::ui {

// How the screens are shown: at the sizes of their forms, or each filling the classroom screen (a projector, an
// interactive whiteboard) with its whole layout scaled by one factor.
class Presentation {
public:
    // `area`, when given, stands for the screen's whole area: a test lays screens out for a screen it has not got.
    explicit Presentation(bool fullScreen = false, QRect area = {})
        : m_fullScreen(fullScreen)
        , m_area(area)
    {
    }

    bool fullScreen() const { return m_fullScreen; }
    // F11: the adult leaves the classroom screen for a window, or goes back to it.
    void setFullScreen(bool fullScreen) { m_fullScreen = fullScreen; }
    // The screen the next window opens on: the one the window before it was on.
    QScreen* screen() const;
    // The area a full-screen window covers on it.
    QRect area() const;
    void followWindow(QWidget* window);

    // The largest factor at which a client area of the designed size, with a menu bar of the given height above it,
    // fits the available size.
    static double fitFactor(QSize available, QSize designedClient, int menuBarHeight);

private:
    bool m_fullScreen;
    QRect m_area;
    QPointer<QScreen> m_screen;
};

// How a screen's designed pixels, those of its form, map onto its window: scaled by one factor, the client area
// moved by an offset. At the forms' own sizes it changes nothing.
struct Stage {
    double factor = 1.0;
    QPoint offset;

    int length(double designed) const;
    // A point of the client area, in the pixels of the form.
    QPoint point(QPoint designed) const;
};

// Every font of a window and its controls grown by the factor; sizes are read before any is changed, so none is
// scaled twice.
void scaleFonts(QWidget* window, double factor);

// A window laid out by present(), which knows how its form maps onto it: boxes shown over it grow with it.
class StagedWindow {
public:
    virtual ~StagedWindow() = default;
    virtual Stage stage() const = 0;
    // Lays the screen out again for a presentation that has changed (F11) and draws what it shows at the new size,
    // keeping whatever it shows.
    virtual void presentAgain() = 0;
};

// A screen without a menu bar, the splash and the menu, laid out by present() when it is built.
class StagedWidget : public QWidget, public StagedWindow {
public:
    using QWidget::QWidget;
    Stage stage() const override { return m_stage; }

protected:
    Stage m_stage;
};

// The window of a screen laid out by present() shown as its presentation wants it: covering the screen, or as a
// window of its own size in the middle of it.
void showPresented(QWidget* window, const Presentation& presentation);

// The stage of a window laid out by present(); the identity for any other.
Stage stageOf(const QWidget* window);

// Lays a screen out for the presentation, right after its form is set up and before anything is drawn: its client
// area at the size the form gave the window, or full-screen with every control, font, frame and icon scaled and the
// client area centred. Answers how the form's pixels now map onto the window. Called again on a window it has laid
// out, it starts again from the form.
Stage present(QWidget* window, const Presentation& presentation);

} // namespace tavenzo::ui
