#pragma once

#include "core/colour.h"
#include "core/letter_case.h"

#include <QString>

#include <functional>
#include <optional>

namespace tavenzo {

class Feedback;
class MessageBoxes;
class MonotonicClock;

// How one screen's copy of the frame differs from the others.
struct FrameOptions {
    bool openWithUpdateForm = false; // spell-the-word writes " 0" at opening instead of "0"
    bool resetShowsRightIcon = false;
};

// What every exercise screen shares: the counts and their labels, the right/wrong icons, the avanti button and
// its rule, the reset and the way back to the menu. The screen renders this state; it decides nothing itself.
class ExerciseFrame {
public:
    // newItem is the screen's procedure that builds the next item, which avanti and a right answer lead to.
    ExerciseFrame(qint16& esatti, qint16& errati, FrameOptions options, std::function<void()> newItem);

    // Seconds between the end of the word the child hears and the next item that comes by itself: time to look at
    // the word once more. It covers the sound server's own delay too, so the word is never heard over a new item.
    static constexpr double kAfterWord = 0.4;

    // With the spoken word on, the next item that comes by itself waits until the word has been heard.
    void speakWith(Feedback& feedback, MonotonicClock& clock);

    void open(bool attendiAvanti);
    // A new item: the word of the last one is no longer said.
    void beginItem();

    void showRightIcon();
    void showWrongIcon();
    void countRight();
    void countWrong();
    // Takes one right answer back, never below 0, and shows the lowered count at once.
    void withdrawRight();

    // After a right answer: either the screen waits for avanti, which is enabled here, or the next item is built at
    // once, true in this case only; or, with the spoken word on, the next item is built by tick() once the word has
    // been heard.
    bool continueAfterRight();
    // The next item is waiting for the word to be heard; the item on screen takes no more answers.
    bool nextItemPending() const { return m_nextPending; }
    // When the pending item is due (seconds of the clock), or nothing.
    std::optional<double> nextItemAt() const;
    // How long until then, in seconds from now.
    std::optional<double> secondsToNextItem() const;
    // Builds the pending item once it is due.
    void tick();
    // The screen closes: nothing waits and nothing more is said.
    void close();
    // A click on avanti builds the next item; the button only takes it while it is shown and enabled.
    void avanti();

    void reset();
    // Asks to go back to the menu; on Yes the counters are cleared and the caller leaves the screen.
    bool confirmLeave(MessageBoxes& boxes);

    // Runs `show`, which shows one of the screen's modal boxes; the screen's time stands still until it returns, as
    // the box still shows what was on screen when it opened.
    template<typename Show> decltype(auto) whileBoxOpen(Show&& show)
    {
        struct Open {
            explicit Open(int& count)
                : m_count(++count)
            {
            }
            ~Open() { --m_count; }
            int& m_count;
        } open(m_boxesOpen);
        return show();
    }
    bool boxOpen() const { return m_boxesOpen > 0; }

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

    // A count as the labels show it after the opening: one blank, then the number.
    static QString scoreText(qint16 count);
    static QString leaveQuestion();

private:
    qint16& m_esatti;
    qint16& m_errati;
    FrameOptions m_options;
    std::function<void()> m_newItem;
    bool m_avantiVisible = false;
    bool m_avantiEnabled = false;
    bool m_rightIcon = false;
    bool m_wrongIcon = false;
    QString m_esattiText;
    QString m_erratiText;
    BgrColour m_background = 0xFFFFFF;
    int m_boxesOpen = 0;
    Feedback* m_feedback = nullptr;
    MonotonicClock* m_clock = nullptr;
    bool m_nextPending = false;
    double m_pendingSince = 0;
    // The latest end of the word seen while the item waits, the pause after it included: the pause still counts
    // once the word has fallen silent.
    mutable double m_dueAt = 0;
};

// What every exercise model offers its screen besides its own commands: its opening, the case it writes in, the
// frame to render and the frame's commands to forward.
class Exercise {
public:
    virtual ~Exercise() = default;
    Exercise(const Exercise&) = delete;
    Exercise& operator=(const Exercise&) = delete;

    // The screen's load: the frame's opening steps, the exercise's own, and its first item.
    virtual void open() = 0;
    // The case options or the case menu of the screen.
    virtual void setCase(LetterCase letterCase) = 0;
    LetterCase letterCase() const { return m_case; }

    const ExerciseFrame& frame() const { return m_frame; }
    void avanti() { m_frame.avanti(); }
    // What the window's timer calls while nextItemPending(); the item comes when it is due.
    void bringPendingItem() { m_frame.tick(); }
    // The screen closes.
    void close() { m_frame.close(); }
    void reset() { m_frame.reset(); }
    bool leave(MessageBoxes& boxes) { return m_frame.confirmLeave(boxes); }

protected:
    Exercise(qint16& esatti, qint16& errati, FrameOptions options, std::function<void()> newItem)
        : m_frame(esatti, errati, options, std::move(newItem))
    {
    }

    ExerciseFrame m_frame;
    LetterCase m_case = LetterCase::Lower;
};

} // namespace tavenzo
