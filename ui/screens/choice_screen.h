#pragma once

#include "exercises/pictures/choice_exercise.h"
#include "ui/screens/frame_view.h"

#include <QMainWindow>
#include <QSize>

#include <array>

class QAction;
class QLabel;
class QRadioButton;
class QToolButton;

namespace tavenzo::ui {

// The controls that the two six-choice forms share by name; the choices are the six word labels or the six
// pictures.
struct ChoiceWidgets {
    std::array<QLabel*, ChoiceExercise::kChoices> choices {};
    QToolButton* Command1 = nullptr;
    QRadioButton* Option1 = nullptr;
    QRadioButton* Option2 = nullptr;
    QAction* mnuAzzera = nullptr;
    QAction* mnuEsci = nullptr;
    FrameWidgets frame;
};

template<typename Form> ChoiceWidgets choiceWidgetsOf(Form& form, const std::array<QLabel*, 6>& choices)
{
    return {choices, form.Command1, form.Option1, form.Option2, form.mnuAzzera, form.mnuEsci, frameWidgetsOf(form)};
}

// What the word-for-the-picture and picture-for-the-word screens share: six choices that take clicks, the case
// options and the frame. Each screen draws its own choices.
class ChoiceScreen : public QMainWindow {
    Q_OBJECT
public:
    ~ChoiceScreen() override;

    const std::array<QLabel*, ChoiceExercise::kChoices>& choices() const { return m_widgets.choices; }

protected:
    ChoiceScreen(const ScreenContext& context, ChoiceExercise& model, QWidget* parent);
    // Connects the form's controls to the model, opens it and shows the first exercise.
    void start(const ChoiceWidgets& widgets, QSize client);
    bool eventFilter(QObject* watched, QEvent* event) override;
    // The choices and whatever else the screen shows of the exercise besides its frame.
    virtual void renderChoices() = 0;

    const ChoiceExercise& model() const { return m_model; }
    const ScreenContext& context() const { return m_context; }

private:
    void render();

    ScreenContext m_context;
    ChoiceExercise& m_model;
    ChoiceWidgets m_widgets;
};

} // namespace tavenzo::ui
