#pragma once

#include "exercises/frame/exercise_frame.h"
#include "exercises/frame/exercise_services.h"

#include <QString>

#include <array>

namespace tavenzo {

// Where the word-for-the-picture and picture-for-the-word screens differ; everything else is one model.
struct ChoiceTraits {
    bool recaseEveryChoice;        // every drawn word is recased and shown, or only the word asked for
    QString shownSuffix;           // blanks after a written word
    bool failureSoundBeforeCount;  // on a wrong answer
    bool resetShowsRightIcon;
};

// Six different slots of the word list, one of them right. `parole` shows six words and one picture;
// `disegni` shows six pictures and one word.
class ChoiceExercise {
public:
    static constexpr int kChoices = 6;

    ChoiceExercise(ExerciseServices services, ChoiceTraits traits);
    static ChoiceTraits paroleTraits();
    static ChoiceTraits disegniTraits();

    void open();
    void PreparaEsercizio();
    void setCase(LetterCase letterCase);
    // A click on choice index 0..5; answers whether it was right. Ignored (false) while choices are disabled.
    bool choose(int index);
    void avanti();
    void reset() { m_frame.reset(); }
    bool leave(MessageBoxes& boxes) { return m_frame.confirmLeave(boxes); }

    const ExerciseFrame& frame() const { return m_frame; }
    bool ready() const { return m_ready; }
    LetterCase letterCase() const { return m_case; }
    int PosizioneGiusta() const { return m_posizioneGiusta; }
    int slot(int index) const { return m_slots.at(static_cast<size_t>(index)); }
    // The text of a word choice (word-for-the-picture).
    const QString& choiceText(int index) const { return m_choiceTexts.at(static_cast<size_t>(index)); }
    // The picture file of a choice; empty when it has none. Word-for-the-picture fills only the right one.
    const QString& choicePicture(int index) const { return m_choicePictures.at(static_cast<size_t>(index)); }
    const QString& rightPicture() const { return choicePicture(m_posizioneGiusta - 1); }
    // The word asked for (picture-for-the-word).
    const QString& testo() const { return m_testo; }
    bool choicesEnabled() const { return m_choicesEnabled; }
    // The choice marked as answered while avanti waits, or -1.
    int markedChoice() const { return m_marked; }

private:
    QString recased(const QString& word) const;
    int drawSlot();

    ExerciseServices m_services;
    ChoiceTraits m_traits;
    ExerciseFrame m_frame;
    LetterCase m_case = LetterCase::Lower;
    bool m_ready = false;
    std::array<int, kChoices> m_slots {};
    std::array<QString, kChoices> m_choiceTexts;
    std::array<QString, kChoices> m_choicePictures;
    QString m_testo;
    int m_posizioneGiusta = 1;
    bool m_choicesEnabled = true;
    int m_marked = -1;
};

} // namespace tavenzo
