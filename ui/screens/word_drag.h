#pragma once

#include <QObject>
#include <QPoint>

#include <array>
#include <functional>

class QLabel;
class QMimeData;
class QWidget;

namespace tavenzo::ui {

// Carries the word labels of the words-onto-pictures screen onto its boxes: with the mouse through the window
// system's drag, and with a finger on a whiteboard by moving the word's image under it, since the window system's
// drag follows the mouse only. However a word arrives over a box, `dropped(box, word)` is called; released anywhere
// else, it simply goes back.
class WordDrag final : public QObject {
public:
    using Labels = std::array<QLabel*, 3>;

    WordDrag(QWidget* client, const Labels& words, const Labels& boxes, std::function<void(int box, int word)> dropped);

    // What a dragged word carries: the index of its label, under a type no other program offers.
    static QString mimeType();
    static QMimeData* mimeData(int word);
    // The word index a drag carries, or -1 when it is not one of our words.
    static int draggedWord(const QMimeData* data);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool wordEvent(int word, QEvent* event);
    bool touchEvent(int word, QEvent* event);
    bool boxEvent(int box, QEvent* event);
    void startDrag(int word);
    // The box at a point of the window, or -1.
    int boxAt(QPoint inWindow) const;

    QWidget* m_client; // where the image under a finger is drawn
    Labels m_words;
    Labels m_boxes;
    std::function<void(int, int)> m_dropped;
    int m_pressedWord = -1;
    QPoint m_pressPosition;
    int m_touchedWord = -1;
    QLabel* m_fingerImage = nullptr;
};

} // namespace tavenzo::ui
