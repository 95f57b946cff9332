#pragma once

#include "exercises/frame/exercise_frame.h"
#include "exercises/frame/exercise_services.h"

#include <QString>

#include <array>

namespace tavenzo {

// Where the word-for-the-picture and picture-for-the-word screens differ; everything else is one model.
struct ChoiceOptions {
    bool choicesAreWords = false; // six words and one picture, or six pictures and one word
    const char* shownSuffix = ""; // blanks after a written word
    bool failureSoundBeforeCount = false; // on a wrong answer
    bool resetShowsRightIcon = false;
};

// Six different slots of the word list, one of them right. The word-for-the-picture screen shows six words and one
// picture and recases every word it draws; the picture-for-the-word screen shows six pictures and recases only the
// word it asks for.
class ChoiceExercise final : public Exercise {
public:
    static constexpr int kChoices = 6;
    static constexpr ChoiceOptions kWordForPicture {
        .choicesAreWords = true, .shownSuffix = "  ", .failureSoundBeforeCount = false, .resetShowsRightIcon = true};
    static constexpr ChoiceOptions kPictureForWord {
        .choicesAreWords = false, .shownSuffix = "   ", .failureSoundBeforeCount = true, .resetShowsRightIcon = false};

    ChoiceExercise(ExerciseServices services, ChoiceOptions options);

    void open() override;
    void PreparaEsercizio();
    void setCase(LetterCase letterCase) override;
    // A click on choice index 0..5; answers whether it was right. A choice is right when its word is the word asked
    // for, compared in the case of the exercise, so a word that stands twice in the list is right in either place.
    // Ignored (false) while choices are disabled.
    bool choose(int index);

    bool ready() const { return m_ready; }
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
    ExerciseServices m_services;
    ChoiceOptions m_options;
    bool m_ready = false;
    std::array<int, kChoices> m_slots {};
    std::array<QString, kChoices> m_choiceTexts;
    std::array<QString, kChoices> m_choicePictures;
    std::array<QString, kChoices> m_choiceWords; // each choice's word in the case of the exercise
    QString m_testo;
    int m_posizioneGiusta = 1;
    bool m_choicesEnabled = true;
    int m_marked = -1;
};

} // namespace tavenzo
