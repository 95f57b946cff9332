#pragma once

#include "core/colour.h"
#include "exercises/frame/exercise_frame.h"
#include "exercises/frame/exercise_services.h"
#include "ui/screens/screen_context.h"

#include <QColor>
#include <QEvent>
#include <QMouseEvent>
#include <QObject>

#include <array>

class QAction;
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

// A form's frame controls, named alike on every screen that shows counts.
template<typename Form> FrameWidgets frameWidgetsOf(Form& form)
{
    return {form.Command1, form.EtichettaEsatti, form.EtichettaErrati, form.ComandoIconaSi, form.ComandoIconaNo};
}

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

// The index of the enabled control on which a left click was just released, or -1: labels and pictures take
// clicks as buttons do.
template<typename Control, size_t N>
int releasedOn(QObject* watched, QEvent* event, const std::array<Control*, N>& controls)
{
    if (event->type() != QEvent::MouseButtonRelease) {
        return -1;
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    for (size_t i = 0; i < N; ++i) {
        if (watched == controls[i] && mouse->button() == Qt::LeftButton && controls[i]->isEnabled()
            && controls[i]->rect().contains(mouse->position().toPoint())) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

// Runs a model command on a click or a menu command, then shows the result: the shape of all screen wiring.
template<typename Sender, typename Signal, typename Command, typename Render>
void onCommand(QWidget* screen, Sender* sender, Signal signal, Command command, Render render)
{
    QObject::connect(sender, signal, screen, [command, render] {
        command();
        render();
    });
}

// The frame's commands on every exercise screen: avanti, "Azzera conteggio", and "Esci", which goes back to the
// menu when the child's grown-up confirms.
void connectFrameCommands(QWidget* screen, const ScreenContext& context, Exercise& model, QAbstractButton* avanti,
    QAction* azzera, QAction* esci, const std::function<void()>& render);

// The "minuscolo" / "MAIUSCOLO" options, or the case menu, each building a new exercise in its case.
template<typename Sender, typename Signal, typename Model, typename Render>
void connectCaseChoice(QWidget* screen, Model& model, Sender* lower, Sender* upper, Signal signal, Render render)
{
    onCommand(
        screen, lower, signal, [&model] { model.setCase(LetterCase::Lower); }, render);
    onCommand(
        screen, upper, signal, [&model] { model.setCase(LetterCase::Upper); }, render);
}

} // namespace tavenzo::ui
