#pragma once

#include "ui/screens/frame_view.h"

#include <QMainWindow>
#include <QPoint>

#include <array>
#include <memory>

class QLabel;
class QMimeData;

namespace Ui {
class DISEGNI1;
}

namespace tavenzo {
class WordsOntoPicturesExercise;
}

namespace tavenzo::ui {

// Words onto pictures: the child drags each of three words onto the box under its picture.
class WordsOntoPicturesScreen final : public QMainWindow {
    Q_OBJECT
public:
    WordsOntoPicturesScreen(const ScreenContext& context, WordsOntoPicturesExercise& model, QWidget* parent = nullptr);
    ~WordsOntoPicturesScreen() override;

    // What a dragged word carries: the index of its label, under a type no other program offers.
    static QString wordMimeType();
    static QMimeData* wordMimeData(int word);
    // The word index a drag carries, or -1 when it is not one of our words.
    static int draggedWord(const QMimeData* data);

    const std::array<QLabel*, 3>& pictures() const { return m_pictures; }
    const std::array<QLabel*, 3>& boxes() const { return m_boxes; }
    const std::array<QLabel*, 3>& words() const { return m_words; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool wordEvent(int word, QEvent* event);
    // A finger on a whiteboard drags a word too. The window system's drag follows the mouse only, so the screen
    // moves the word's image under the finger itself and drops it on the box the finger leaves it over.
    bool touchEvent(int word, QEvent* event);
    bool boxEvent(int box, QEvent* event);
    void startDrag(int word);
    void dropOn(int box, int word);
    // The box at a point of the window, or -1.
    int boxAt(QPoint inWindow) const;
    void render();

    ScreenContext m_context;
    WordsOntoPicturesExercise& m_model;
    std::unique_ptr<Ui::DISEGNI1> m_ui;
    std::array<QLabel*, 3> m_pictures {};
    std::array<QLabel*, 3> m_boxes {};
    std::array<QLabel*, 3> m_words {};
    FrameWidgets m_frameWidgets;
    int m_pressedWord = -1;
    QPoint m_pressPosition;
    int m_touchedWord = -1;
    QLabel* m_fingerImage = nullptr;
};

} // namespace tavenzo::ui
