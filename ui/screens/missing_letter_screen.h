#pragma once

#include "ui/screens/frame_view.h"
#include "ui/screens/keyboard_view.h"

#include <QMainWindow>
#include <QPoint>

class QAction;
class QLabel;
class QRadioButton;
class QToolButton;

namespace tavenzo {
class MissingLetterExercise;
}

namespace tavenzo::ui {

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

template<typename Form> MissingLetterWidgets missingLetterWidgetsOf(Form& form)
{
    return {form.Command1, form.Label1, form.Image1, form.Option1, form.Option2, form.mnuAzzera, form.mnuEsci,
        frameWidgetsOf(form)};
}

// What the missing-first-letter and missing-inner-letter screens share; each has its own form.
class MissingLetterScreen : public QMainWindow {
    Q_OBJECT
public:
    ~MissingLetterScreen() override;

    const KeyboardView::Keys& keys() const { return m_keyboard.keys(); }

protected:
    MissingLetterScreen(const ScreenContext& context, MissingLetterExercise& model, QWidget* parent);
    // Connects the form's controls to the model, opens it and shows the first exercise.
    void start(const MissingLetterWidgets& widgets);

private:
    void render();

    ScreenContext m_context;
    MissingLetterExercise& m_model;
    MissingLetterWidgets m_widgets;
    KeyboardView m_keyboard;
    QPoint m_pictureHome;
};

} // namespace tavenzo::ui
