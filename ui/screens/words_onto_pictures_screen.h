#pragma once

#include "ui/screens/exercise_window.h"
#include "ui/screens/word_drag.h"

#include <memory>

namespace Ui {
class DISEGNI1;
}

namespace tavenzo {
class WordsOntoPicturesExercise;
}

namespace tavenzo::ui {

// Words onto pictures: the child drags each of three words onto the box under its picture.
class WordsOntoPicturesScreen final : public ExerciseWindow {
    Q_OBJECT
public:
    WordsOntoPicturesScreen(const ScreenContext& context, WordsOntoPicturesExercise& model, QWidget* parent = nullptr);
    ~WordsOntoPicturesScreen() override;

private:
    void renderExercise() override;

    WordsOntoPicturesExercise& m_model;
    std::unique_ptr<Ui::DISEGNI1> m_ui;
    WordDrag::Labels m_pictures {};
    WordDrag::Labels m_boxes {};
    WordDrag::Labels m_words {};
};

} // namespace tavenzo::ui
