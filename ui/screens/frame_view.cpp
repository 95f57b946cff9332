#include "ui/screens/frame_view.h"

#include <QAbstractButton>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

namespace tavenzo::ui {

void setBackgroundColour(QWidget* widget, BgrColour colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, QColor::fromRgb(bgrToRgb(colour)));
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
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

void fixClientSize(QMainWindow* window, int width, int height)
{
    window->centralWidget()->setFixedSize(width, height);
    const int bar = window->menuBar() != nullptr ? window->menuBar()->sizeHint().height() : 0;
    window->setFixedSize(width, height + bar);
}

void setPointSize(QWidget* widget, double points)
{
    QFont font = widget->font();
    font.setPointSizeF(points);
    widget->setFont(font);
}

} // namespace tavenzo::ui
