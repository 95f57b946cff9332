#pragma once

#include "ui/screens/exercise_window.h"
#include "ui/screens/keyboard_view.h"

#include <functional>
#include <memory>

namespace tavenzo {
class MissingLetterExercise;
}

namespace tavenzo::ui {

// Missing first letter and missing inner letter: one screen, drawn from either of two forms whose controls are named
// alike.
class MissingLetterScreen final : public ExerciseWindow {
    Q_OBJECT
public:
    // `form` is the form's generated class, which `setUp` builds the window from.
    MissingLetterScreen(const ScreenContext& context, MissingLetterExercise& model, std::shared_ptr<void> form,
        const std::function<void(QMainWindow*)>& setUp);

private:
    void renderExercise() override;

    MissingLetterExercise& m_model;
    std::shared_ptr<void> m_form;
    KeyboardView m_keyboard;
    QLabel* m_word = nullptr;
    QLabel* m_picture = nullptr;
};

} // namespace tavenzo::ui
