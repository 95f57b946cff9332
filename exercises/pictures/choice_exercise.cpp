#include "exercises/pictures/choice_exercise.h"

#include "app/ports.h"
#include "app/shared_state.h"
#include "exercises/frame/picture_finder.h"

#include <algorithm>

namespace tavenzo {

namespace {
const QString kFolder = QStringLiteral("\\jpg\\");
const QString kExtension = QStringLiteral(".jpg");
} // namespace

ChoiceTraits ChoiceExercise::paroleTraits()
{
    return {true, QStringLiteral("  "), false, true};
}

ChoiceTraits ChoiceExercise::disegniTraits()
{
    return {false, QStringLiteral("   "), true, false};
}

ChoiceExercise::ChoiceExercise(ExerciseServices services, ChoiceTraits traits)
    : m_services(services)
    , m_traits(std::move(traits))
    , m_frame(services.state.ContaEsatti, services.state.ContaErrati,
          FrameTraits {true, false, m_traits.resetShowsRightIcon})
{
}

void ChoiceExercise::open()
{
    m_frame.open(m_services.state.AttendiAvanti);
    m_case = LetterCase::Lower;
    PreparaEsercizio();
}

QString ChoiceExercise::recased(const QString& word) const
{
    return m_case == LetterCase::Upper ? word.toUpper() : word.toLower();
}

int ChoiceExercise::drawSlot()
{
    return drawWhole(m_services.random, m_services.state.NumeroParole);
}

void ChoiceExercise::PreparaEsercizio()
{
    SharedState& state = m_services.state;
    m_frame.beginItem();
    m_choicesEnabled = true;
    m_marked = -1;
    m_frame.setBackground(m_services.feedback.ColoreCasuale());

    // Six different slots cannot come from a shorter list; refusing beats drawing for ever.
    m_ready = state.NumeroParole >= kChoices;
    if (!m_ready) {
        m_choiceTexts.fill({});
        m_choicePictures.fill({});
        m_testo.clear();
        m_choicesEnabled = false;
        return;
    }

    m_choicePictures.fill({});
    for (int k = 0; k < kChoices; ++k) {
        int s = drawSlot();
        while (std::find(m_slots.begin(), m_slots.begin() + k, s) != m_slots.begin() + k) {
            s = drawSlot();
        }
        m_slots[static_cast<size_t>(k)] = s;
        if (m_traits.recaseEveryChoice) {
            state.word(s) = recased(state.word(s));
            m_choiceTexts[static_cast<size_t>(k)] = state.word(s) + m_traits.shownSuffix;
        } else {
            // Pictures are looked up with the words as they are stored, before the asked word is recased.
            m_choicePictures[static_cast<size_t>(k)] = m_services.pictures.find(kFolder, state.word(s), kExtension);
        }
    }
    m_posizioneGiusta = drawWhole(m_services.random, kChoices);
    const int right = m_slots[static_cast<size_t>(m_posizioneGiusta - 1)];
    if (m_traits.recaseEveryChoice) {
        m_choicePictures[static_cast<size_t>(m_posizioneGiusta - 1)]
            = m_services.pictures.find(kFolder, state.word(right), kExtension);
        m_testo.clear();
    } else {
        state.word(right) = recased(state.word(right));
        m_testo = state.word(right) + m_traits.shownSuffix;
    }
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
    if (index == m_posizioneGiusta - 1) {
        m_frame.showRightIcon();
        m_frame.countRight();
        feedback.SuonoEsatto();
        if (m_frame.continueAfterRight()) {
            PreparaEsercizio();
        } else {
            m_marked = index;
            m_choicesEnabled = false;
        }
        return true;
    }
    feedback.beep();
    m_frame.showWrongIcon();
    if (m_traits.failureSoundBeforeCount) {
        feedback.SuonoErrato();
        m_frame.countWrong();
    } else {
        m_frame.countWrong();
        feedback.SuonoErrato();
    }
    return false;
}

void ChoiceExercise::avanti()
{
    if (m_frame.avantiVisible() && m_frame.avantiEnabled()) {
        PreparaEsercizio();
    }
}

} // namespace tavenzo
