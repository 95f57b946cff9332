#pragma once

#include "ui/glue/presentation.h"
#include "ui/screens/screen_context.h"

#include <QHash>
#include <QMainWindow>
#include <QRect>
#include <QTimer>

class QAbstractButton;
class QAction;
class QLabel;
class QRadioButton;

namespace tavenzo {
class Exercise;
}

namespace tavenzo::ui {

class BackgroundFill;

// What every exercise screen does alike. A screen sets up its form and its own controls, then calls start(), which
// finds the frame's controls by their names in the form (avanti, the counts and their faces, the reset and leave
// commands, the case options or the case menu), connects them to the model, lays the window out for the
// presentation at the size the form gave it, opens the model and draws its first item. The form is the only source
// of geometry: a control that moves at run time is put at a point of the form with place().
class ExerciseWindow : public QMainWindow, public StagedWindow {
    Q_OBJECT
public:
    ~ExerciseWindow() override;

    Stage stage() const override { return m_stage; }
    void presentAgain() override;

protected:
    ExerciseWindow(const ScreenContext& context, Exercise& model, QWidget* parent);

    void start();
    // Draws the exercise itself; the frame and the case controls are drawn by the window.
    virtual void renderExercise() = 0;
    // Draws everything afresh, as after every command.
    void render();

    // Runs a command of the screen's own on a click or a menu command, then draws the result.
    template<typename Sender, typename Signal, typename Command>
    void onCommand(Sender* sender, Signal signal, Command command)
    {
        connect(sender, signal, this, [this, command] {
            command();
            render();
        });
    }

    // Where a control of the client area stands in the form, in the form's pixels.
    QRect designed(const QWidget* control) const;
    // Puts a control of the client area at a point of the form.
    void place(QWidget* control, QPoint designedPoint);

    const ScreenContext& context() const { return m_context; }

private:
    void connectFrame();
    void connectCase();
    void renderFrame();

    ScreenContext m_context;
    Exercise& m_model;
    Stage m_stage;
    QHash<const QWidget*, QRect> m_designed;
    BackgroundFill* m_background = nullptr;
    QAbstractButton* m_avanti = nullptr;
    QLabel* m_esatti = nullptr;
    QLabel* m_errati = nullptr;
    QLabel* m_rightIcon = nullptr;
    QLabel* m_wrongIcon = nullptr;
    QRadioButton* m_lowerOption = nullptr;
    QRadioButton* m_upperOption = nullptr;
    QAction* m_lowerCommand = nullptr;
    QAction* m_upperCommand = nullptr;
    // Brings the next item once the word of a right answer has been heard.
    QTimer m_nextItem;
};

} // namespace tavenzo::ui
