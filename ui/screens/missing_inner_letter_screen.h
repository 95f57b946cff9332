#pragma once

#include "ui/screens/missing_letter_screen.h"

#include <memory>

namespace Ui {
class lettera;
}

namespace tavenzo::ui {

// Missing inner letter: one character at a random place is hidden.
class MissingInnerLetterScreen final : public MissingLetterScreen {
    Q_OBJECT
public:
    MissingInnerLetterScreen(const ScreenContext& context, MissingLetterExercise& model, QWidget* parent = nullptr);
    ~MissingInnerLetterScreen() override;

private:
    std::unique_ptr<Ui::lettera> m_ui;
};

} // namespace tavenzo::ui
