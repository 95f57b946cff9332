#pragma once

#include "exercises/frame/exercise_frame.h"

#include <QColor>
#include <QString>

class QAbstractButton;
class QLabel;
class QMainWindow;
class QWidget;

namespace tavenzo::ui {

// The frame controls of one exercise screen; the score widgets are absent on the words-onto-pictures screen.
struct FrameWidgets {
    QAbstractButton* avanti = nullptr;
    QLabel* esatti = nullptr;
    QLabel* errati = nullptr;
    QLabel* rightIcon = nullptr;
    QLabel* wrongIcon = nullptr;
};

void renderFrame(const ExerciseFrame& frame, const FrameWidgets& widgets, QWidget* background);
void setBackgroundColour(QWidget* widget, BgrColour colour);
// The colour a screen's background was last given.
QColor backgroundColour(const QWidget* widget);
// A whole-pixel client area of the stated size, with the menu bar on top of it.
void fixClientSize(QMainWindow* window, int width, int height);
// The avanti button's 14.25 pt caption and its arrow.
void setUpAvanti(QAbstractButton* avanti);
// Point sizes with fractions, which screen definitions cannot carry.
void setPointSize(QWidget* widget, double points);

} // namespace tavenzo::ui
