#pragma once

#include "ui/screens/frame_view.h"
#include "ui/screens/keyboard_view.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>

namespace Ui {
class lettere;
}

namespace tavenzo::ui {

class Program;

// Spell the word.
class LettereScreen final : public QMainWindow {
    Q_OBJECT
public:
    explicit LettereScreen(Program& program, QWidget* parent = nullptr);
    ~LettereScreen() override;

    Ui::lettere& form() { return *m_ui; }
    const KeyboardView::Keys& keys() const { return m_keyboard.keys(); }
    QTimer& Timer1() { return m_timer; }

protected:
    // A closed screen waits for nothing: its wait must not complete a word after the child has left.
    void closeEvent(QCloseEvent* event) override;

private:
    void render();

    Program& m_program;
    std::unique_ptr<Ui::lettere> m_ui;
    KeyboardView m_keyboard;
    FrameWidgets m_frameWidgets;
    QTimer m_timer;
};

} // namespace tavenzo::ui
