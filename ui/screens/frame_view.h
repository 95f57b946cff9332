#pragma once

#include "core/colour.h"
#include "exercises/frame/exercise_frame.h"
#include "exercises/frame/exercise_services.h"
#include "ui/screens/screen_context.h"

#include <QColor>
#include <QObject>

#include <functional>

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
// An exercise window: no title on the window system, and no control that takes the keyboard focus (the screens
// answer to the mouse alone; the menu bar stays reachable with Alt). Its size comes with present().
void setUpExerciseWindow(QMainWindow* window);
// The avanti button's 14.25 pt caption and its arrow.
void setUpAvanti(QAbstractButton* avanti);
// Point sizes with fractions, which screen definitions cannot carry.
void setPointSize(QWidget* widget, double points);

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
