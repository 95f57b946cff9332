#pragma once

#include "ui/screens/choice_screen.h"

#include <memory>

namespace Ui {
class parole;
}

namespace tavenzo::ui {

// Word for the picture: six words, one picture.
class WordForPictureScreen final : public ChoiceScreen {
    Q_OBJECT
public:
    WordForPictureScreen(const ScreenContext& context, ChoiceExercise& model, QWidget* parent = nullptr);
    ~WordForPictureScreen() override;

private:
    void renderChoices() override;

    std::unique_ptr<Ui::parole> m_ui;
};

} // namespace tavenzo::ui
