#pragma once

#include "feedback/feedback.h"

#include <QString>

namespace tavenzo {

class MessageBoxes;

// How one screen's copy of the frame differs from the others.
struct FrameTraits {
    bool hasScoreLabels = true;      // the words-onto-pictures screen shows no counts and no icons
    bool openWithUpdateForm = false; // spell-the-word writes " 0" at opening instead of "0"
    bool resetShowsRightIcon = false;
};

// What every exercise screen shares: the counts and their labels, the right/wrong icons, the avanti button and
// its rule, the reset and the way back to the menu. The screen renders this state; it decides nothing itself.
class ExerciseFrame {
public:
    ExerciseFrame(qint16& esatti, qint16& errati, FrameTraits traits);

    void open(bool attendiAvanti);
    void beginItem() { m_avantiEnabled = false; }

    void showRightIcon();
    void showWrongIcon();
    void countRight();
    void countWrong();
    // Takes one right answer back, never below 0, and shows the lowered count at once.
    void withdrawRight();

    // After a right answer: either the screen waits for avanti (which is enabled here) or the caller must build
    // the next item at once, which is what a true result asks for.
    bool continueAfterRight();

    void reset();
    // Asks to go back to the menu; on Yes the counters are cleared and the caller leaves the screen.
    bool confirmLeave(MessageBoxes& boxes);

    void setAvantiEnabled(bool enabled) { m_avantiEnabled = enabled; }
    void setBackground(BgrColour colour) { m_background = colour; }

    bool avantiVisible() const { return m_avantiVisible; }
    bool avantiEnabled() const { return m_avantiEnabled; }
    bool rightIconVisible() const { return m_rightIcon; }
    bool wrongIconVisible() const { return m_wrongIcon; }
    const QString& esattiText() const { return m_esattiText; }
    const QString& erratiText() const { return m_erratiText; }
    BgrColour background() const { return m_background; }
    qint16 esatti() const { return m_esatti; }
    qint16 errati() const { return m_errati; }
    const FrameTraits& traits() const { return m_traits; }

    // A count as the labels show it after the opening: one blank, then the number.
    static QString scoreText(qint16 count);
    static QString leaveQuestion();

private:
    qint16& m_esatti;
    qint16& m_errati;
    FrameTraits m_traits;
    bool m_avantiVisible = false;
    bool m_avantiEnabled = false;
    bool m_rightIcon = false;
    bool m_wrongIcon = false;
    QString m_esattiText;
    QString m_erratiText;
    BgrColour m_background = 0xFFFFFF;
};

} // namespace tavenzo
