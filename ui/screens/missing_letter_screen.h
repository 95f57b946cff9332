#pragma once

#include "ui/screens/frame_view.h"
#include "ui/screens/keyboard_view.h"

#include <QMainWindow>
#include <QPoint>

#include <memory>

class QAction;
class QLabel;
class QRadioButton;
class QToolButton;

namespace Ui {
class lettera;
class lettera1;
} // namespace Ui

namespace tavenzo {
class MissingLetterExercise;
}

namespace tavenzo::ui {

class Program;

// The controls that the two missing-letter forms share by name.
struct MissingLetterWidgets {
    QToolButton* Command1 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Image1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QAction* mnuAzzera = nullptr;
    QAction* mnuEsci = nullptr;
    FrameWidgets frame;
};

// What the missing-first-letter and missing-inner-letter screens share; each has its own form.
class MissingLetterScreen : public QMainWindow {
    Q_OBJECT
public:
    ~MissingLetterScreen() override;

    const KeyboardView::Keys& keys() const { return m_keyboard.keys(); }
    // Where the picture stands in its form, before any sideways step.
    QPoint pictureHome() const { return m_pictureHome; }

protected:
    MissingLetterScreen(Program& program, MissingLetterExercise& model, QWidget* parent);
    // Connects the form's controls to the model, opens it and shows the first exercise.
    void start(const MissingLetterWidgets& widgets);

private:
    void render();

    Program& m_program;
    MissingLetterExercise& m_model;
    MissingLetterWidgets m_widgets;
    KeyboardView m_keyboard;
    QPoint m_pictureHome;
};

// Missing inner letter.
class LetteraScreen final : public MissingLetterScreen {
    Q_OBJECT
public:
    explicit LetteraScreen(Program& program, QWidget* parent = nullptr);
    ~LetteraScreen() override;
    Ui::lettera& form() { return *m_ui; }

private:
    std::unique_ptr<Ui::lettera> m_ui;
};

// Missing first letter.
class Lettera1Screen final : public MissingLetterScreen {
    Q_OBJECT
public:
    explicit Lettera1Screen(Program& program, QWidget* parent = nullptr);
    ~Lettera1Screen() override;
    Ui::lettera1& form() { return *m_ui; }

private:
    std::unique_ptr<Ui::lettera1> m_ui;
};

} // namespace tavenzo::ui
