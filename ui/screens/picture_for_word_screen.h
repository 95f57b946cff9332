#pragma once

#include "ui/screens/choice_screen.h"

#include <memory>

namespace Ui {
class disegni;
}

namespace tavenzo::ui {

// Picture for the word: one word, six pictures.
class PictureForWordScreen final : public ChoiceScreen {
    Q_OBJECT
public:
    PictureForWordScreen(const ScreenContext& context, ChoiceExercise& model, QWidget* parent = nullptr);
    ~PictureForWordScreen() override;

private:
    void renderChoices() override;

    std::unique_ptr<Ui::disegni> m_ui;
};

} // namespace tavenzo::ui
