#pragma once

#include "ui/screens/exercise_window.h"
#include "ui/screens/keyboard_view.h"

namespace tavenzo {
class MissingLetterExercise;
}

namespace tavenzo::ui {

// What the missing-first-letter and missing-inner-letter screens share; each has its own form, whose controls are
// named alike.
class MissingLetterScreen : public ExerciseWindow {
    Q_OBJECT
protected:
    MissingLetterScreen(const ScreenContext& context, MissingLetterExercise& model, QWidget* parent);
    // Once the form is set up: the keyboard and the word's look, then the frame.
    void start();

private:
    void renderExercise() override;

    MissingLetterExercise& m_model;
    KeyboardView m_keyboard;
    QLabel* m_word = nullptr;
    QLabel* m_picture = nullptr;
};

} // namespace tavenzo::ui
