#pragma once

#include "ui/screens/frame_view.h"
#include "ui/screens/keyboard_view.h"

#include <QMainWindow>
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
class SpellWordScreen final : public QMainWindow {
    Q_OBJECT
public:
    SpellWordScreen(const ScreenContext& context, SpellWordExercise& model, QWidget* parent = nullptr);
    ~SpellWordScreen() override;

    const KeyboardView::Keys& keys() const { return m_keyboard.keys(); }
    QTimer& Timer1() { return m_timer; }

protected:
    // A closed screen waits for nothing: its wait must not complete a word after the child has left.
    void closeEvent(QCloseEvent* event) override;

private:
    void render();

    ScreenContext m_context;
    SpellWordExercise& m_model;
    std::unique_ptr<Ui::lettere> m_ui;
    KeyboardView m_keyboard;
    FrameWidgets m_frameWidgets;
    QTimer m_timer;
};

} // namespace tavenzo::ui
