#include "exercises/pictures/choice_exercise.h"

#include "core/content_finder.h"
#include "core/ports.h"
#include "core/shared_state.h"
#include "feedback/feedback.h"

namespace tavenzo {

ChoiceExercise::ChoiceExercise(ExerciseServices services, ChoiceOptions options)
    : Exercise(services.state.ContaEsatti, services.state.ContaErrati,
        {.resetShowsRightIcon = options.resetShowsRightIcon}, [this] { PreparaEsercizio(); })
    , m_services(services)
    , m_options(options)
{
    m_frame.speakWith(services.feedback, services.clock);
}

void ChoiceExercise::open()
{
    m_frame.open(m_services.state.AttendiAvanti);
    m_case = LetterCase::Lower;
    PreparaEsercizio();
}

void ChoiceExercise::PreparaEsercizio()
{
    SharedState& state = m_services.state;
    m_frame.beginItem();
    m_choicesEnabled = true;
    m_marked = -1;
    m_frame.setBackground(m_services.feedback.ColoreCasuale());
    m_choiceTexts.fill({});
    m_choicePictures.fill({});
    m_choiceWords.fill({});
    m_testo.clear();

    // Six different slots cannot come from a shorter list; refusing beats drawing for ever.
    m_ready = state.NumeroParole >= kChoices;
    if (!m_ready) {
        m_choicesEnabled = false;
        return;
    }

    const QString suffix = QString::fromLatin1(m_options.shownSuffix);
    m_slots = drawDifferentSlots<kChoices>(m_services.random, state.NumeroParole);
    for (int k = 0; k < kChoices; ++k) {
        QString& word = state.word(m_slots[static_cast<size_t>(k)]);
        m_choiceWords[static_cast<size_t>(k)] = inCase(word, m_case);
        if (m_options.choicesAreWords) {
            word = inCase(word, m_case);
            m_choiceTexts[static_cast<size_t>(k)] = word + suffix;
        } else {
            // Pictures are looked up with the words as they are stored, before the asked word is recased.
            m_choicePictures[static_cast<size_t>(k)] = m_services.pictures.find(word);
        }
    }
    m_posizioneGiusta = drawWhole(m_services.random, kChoices);
    QString& right = state.word(m_slots[static_cast<size_t>(m_posizioneGiusta - 1)]);
    if (m_options.choicesAreWords) {
        m_choicePictures[static_cast<size_t>(m_posizioneGiusta - 1)] = m_services.pictures.find(right);
    } else {
        right = inCase(right, m_case);
        m_testo = right + suffix;
    }
    m_services.feedback.prepareWord(m_choiceWords[static_cast<size_t>(m_posizioneGiusta - 1)]);
}

void ChoiceExercise::setCase(LetterCase letterCase)
{
    m_case = letterCase;
    PreparaEsercizio();
}

bool ChoiceExercise::choose(int index)
{
    if (!m_ready || !m_choicesEnabled || index < 0 || index >= kChoices) {
        return false;
    }
    Feedback& feedback = m_services.feedback;
    if (m_choiceWords[static_cast<size_t>(index)] == m_choiceWords[static_cast<size_t>(m_posizioneGiusta - 1)]) {
        m_frame.showRightIcon();
        m_frame.countRight();
        feedback.SuonoEsatto(m_choiceWords[static_cast<size_t>(m_posizioneGiusta - 1)]);
        if (!m_frame.continueAfterRight()) {
            m_marked = index;
            m_choicesEnabled = false;
        }
        return true;
    }
    feedback.beep();
    m_frame.showWrongIcon();
    if (m_options.failureSoundBeforeCount) {
        feedback.SuonoErrato();
        m_frame.countWrong();
    } else {
        m_frame.countWrong();
        feedback.SuonoErrato();
    }
    return false;
}

} // namespace tavenzo
