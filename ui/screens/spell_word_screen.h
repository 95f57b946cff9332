#pragma once

#include "ui/screens/exercise_window.h"
#include "ui/screens/keyboard_view.h"

#include <QTimer>

#include <memory>

namespace Ui {
class lettere;
}

namespace tavenzo {
class SpellWordExercise;
}

namespace tavenzo::ui {

// Spell the word.
class SpellWordScreen final : public ExerciseWindow {
    Q_OBJECT
public:
    SpellWordScreen(const ScreenContext& context, SpellWordExercise& model, QWidget* parent = nullptr);
    ~SpellWordScreen() override;

protected:
    // A closed screen waits for nothing: its wait must not complete a word after the child has left.
    void closeEvent(QCloseEvent* event) override;

private:
    void renderExercise() override;

    SpellWordExercise& m_model;
    std::unique_ptr<Ui::lettere> m_ui;
    KeyboardView m_keyboard;
    QTimer m_timer {this};
};

} // namespace tavenzo::ui
