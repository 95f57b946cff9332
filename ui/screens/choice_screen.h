#pragma once

#include "exercises/pictures/choice_exercise.h"
#include "ui/screens/exercise_window.h"

#include <array>

class QLabel;

namespace tavenzo::ui {

// What the word-for-the-picture and picture-for-the-word screens share: six choices that take clicks. Each screen
// draws its own choices.
class ChoiceScreen : public ExerciseWindow {
    Q_OBJECT
protected:
    using Choices = std::array<QLabel*, ChoiceExercise::kChoices>;

    ChoiceScreen(const ScreenContext& context, ChoiceExercise& model, QWidget* parent);
    // Once the form is set up: the six choices take clicks, then the frame.
    void start(const Choices& choices);
    // The choices and whatever else the screen shows of the exercise.
    virtual void renderChoices() = 0;

    const ChoiceExercise& model() const { return m_model; }
    const Choices& choices() const { return m_choices; }

private:
    void renderExercise() override;

    ChoiceExercise& m_model;
    Choices m_choices {};
};

} // namespace tavenzo::ui
