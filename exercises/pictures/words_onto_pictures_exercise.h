#pragma once

#include "exercises/frame/exercise_frame.h"
#include "exercises/frame/exercise_services.h"

#include <QString>

#include <array>

namespace tavenzo {

class MessageBoxes;

// Three pictures, a box under each and the three words shuffled below them; the child drags every word onto the
// box under its own picture. Word n, picture n and box n share the index n; only the word labels change columns.
class WordsOntoPicturesExercise final : public Exercise {
public:
    static constexpr int kWords = 3;
    // For each draw d = 0..5, the word label standing in the left, middle and right column.
    static constexpr std::array<std::array<int, kWords>, 6> kColumnOrders {{
        {0, 1, 2},
        {0, 2, 1},
        {1, 0, 2},
        {1, 2, 0},
        {2, 1, 0},
        {2, 0, 1},
    }};

    enum class Drop { Right, Wrong, Ignored };

    explicit WordsOntoPicturesExercise(ExerciseServices services);

    void open() override;
    void GeneraEsercizio();
    // The case menu: the same words written again in that case, nothing drawn or counted; the case stays for the
    // exercises that follow.
    void setCase(LetterCase letterCase) override;
    // The writing of the words of every new exercise and of the case menu's commands.
    void ScriviMaiuscolo() { setCase(LetterCase::Upper); }
    void ScriviMinuscolo() { setCase(LetterCase::Lower); }
    // Word label `word` released over box `box`. The drop is right when the box is still empty and its picture's
    // word is the dragged word, so a word that stands twice in the list fits either of its boxes. A label that cannot
    // be dragged gives Ignored and changes nothing.
    Drop drop(int box, int word);
    // "Esercizi eseguiti": completed exercises and wrong drops in an information box.
    void showSummary(MessageBoxes& boxes) const;

    bool ready() const { return m_ready; }
    int ParoleCollocate() const { return m_paroleCollocate; }
    // The slots of the three words drawn, PrimaParola, SecondaParola and TerzaParola.
    int slot(int word) const { return m_slots.at(static_cast<size_t>(word)); }
    // The draw d of the current exercise, 0..5.
    int columnOrder() const { return m_order; }
    // The column, 0 (left) to 2 (right), in which word label `word` stands in this exercise.
    int column(int word) const;
    const QString& wordText(int word) const { return m_wordTexts.at(static_cast<size_t>(word)); }
    bool wordEnabled(int word) const { return m_wordEnabled.at(static_cast<size_t>(word)); }
    const QString& boxText(int box) const { return m_boxTexts.at(static_cast<size_t>(box)); }
    // The picture file of word n; empty when it has none.
    const QString& picture(int word) const { return m_pictures.at(static_cast<size_t>(word)); }

    static QString summaryText(qint16 esatti, qint16 errati);

private:
    ExerciseServices m_services;
    bool m_ready = false;
    int m_paroleCollocate = 0;
    int m_order = 0;
    std::array<int, kWords> m_slots {};
    std::array<QString, kWords> m_pictures;
    std::array<QString, kWords> m_wordTexts;
    std::array<bool, kWords> m_wordEnabled {};
    std::array<QString, kWords> m_boxTexts;
    std::array<bool, kWords> m_boxFilled {};
};

} // namespace tavenzo
