#pragma once

#include "ui/screens/missing_letter_screen.h"

#include <memory>

namespace Ui {
class lettera1;
}

namespace tavenzo::ui {

// Missing first letter: the first character of the word is hidden.
class MissingFirstLetterScreen final : public MissingLetterScreen {
    Q_OBJECT
public:
    MissingFirstLetterScreen(const ScreenContext& context, MissingLetterExercise& model, QWidget* parent = nullptr);
    ~MissingFirstLetterScreen() override;

private:
    std::unique_ptr<Ui::lettera1> m_ui;
};

} // namespace tavenzo::ui
