#pragma once

#include "exercises/frame/exercise_frame.h"
#include "exercises/frame/exercise_services.h"
#include "exercises/letters/keyboard.h"

#include <QString>

namespace tavenzo {

class MessageBoxes;

// The whole word spelt letter by letter, left to right, on the on-screen keyboard. The screen keeps its own
// counts; a completed word is counted only after a pause, so the child can look at it.
class SpellWordExercise final : public Exercise {
public:
    // Seconds a completed word stays on view before it counts.
    static constexpr double kWait = 4.0;

    explicit SpellWordExercise(ExerciseServices services);

    void open() override;
    void PreparaTastiera();
    void PreparaEsercizio();
    // A click on key Index: tried against the first open position only.
    void press(int index);
    // Timer1, every second while timerEnabled().
    void tick();
    // "Aiutami": shows the word and costs one right answer.
    void help(MessageBoxes& boxes);
    // mnuMaiuscolo (Upper) and mnuMinuscolo (Lower): always a new word, nothing counted.
    void setCase(LetterCase letterCase) override;

    const Keyboard& keyboard() const { return m_keyboard; }
    int IndiceParola() const { return m_indiceParola; }
    // The text of Label1: placed letters, and "_ " for every open position.
    const QString& display() const { return m_display; }
    bool timerEnabled() const { return m_timerEnabled; }
    double InizioAttesa() const { return m_inizioAttesa; }
    // The picture file of the word; empty when it has none.
    const QString& picture() const { return m_picture; }

private:
    void MostraTrattini();
    void countCompletedWord();
    void setDisplay(const QList<uint>& positions);
    const QString& word() const;

    ExerciseServices m_services;
    // The screen's own counts, which its frame counts in.
    qint16 m_numeroEsatti = 0;
    qint16 m_numeroErrati = 0;
    Keyboard m_keyboard;
    int m_indiceParola = 1;
    QString m_display;
    QString m_picture;
    bool m_timerEnabled = false;
    double m_inizioAttesa = 0.0;
};

} // namespace tavenzo
