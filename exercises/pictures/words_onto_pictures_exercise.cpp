#include "exercises/pictures/words_onto_pictures_exercise.h"

#include "core/content_finder.h"
#include "core/ports.h"
#include "core/shared_state.h"
#include "feedback/feedback.h"

#include <algorithm>

namespace tavenzo {

namespace {
constexpr BgrColour kBlack = 0x000000;
} // namespace

WordsOntoPicturesExercise::WordsOntoPicturesExercise(ExerciseServices services)
    : Exercise(services.state.ContaEsatti, services.state.ContaErrati, {}, [this] { GeneraEsercizio(); })
    , m_services(services)
{
    m_frame.speakWith(services.feedback, services.clock);
}

void WordsOntoPicturesExercise::open()
{
    m_frame.open(m_services.state.AttendiAvanti);
    m_frame.reset();
    m_case = LetterCase::Upper;
    GeneraEsercizio();
}

void WordsOntoPicturesExercise::GeneraEsercizio()
{
    SharedState& state = m_services.state;
    m_frame.beginItem();
    m_paroleCollocate = 0;
    m_boxTexts.fill({});
    m_boxFilled.fill(false);

    // Three different slots cannot come from a shorter list; refusing beats drawing for ever.
    m_ready = state.NumeroParole >= kWords;
    if (!m_ready) {
        m_pictures.fill({});
        m_wordTexts.fill({});
        m_wordEnabled.fill(false);
        m_frame.setBackground(m_services.feedback.ColoreCasuale());
        return;
    }

    m_slots = drawDifferentSlots<kWords>(m_services.random, state.NumeroParole);
    for (int n = 0; n < kWords; ++n) {
        m_pictures[static_cast<size_t>(n)] = m_services.pictures.find(state.word(slot(n)));
        m_services.feedback.prepareWord(state.word(slot(n)));
    }
    const int orders = static_cast<int>(kColumnOrders.size());
    m_order = std::clamp(static_cast<int>(m_services.random.next() * orders), 0, orders - 1);
    m_wordEnabled.fill(true);
    if (m_case == LetterCase::Upper) {
        ScriviMaiuscolo();
    } else {
        ScriviMinuscolo();
    }
    m_frame.setBackground(m_services.feedback.ColoreCasuale());
}

// Only the labels change case; the list keeps its words as they are.
void WordsOntoPicturesExercise::setCase(LetterCase letterCase)
{
    m_case = letterCase;
    for (int n = 0; m_ready && n < kWords; ++n) {
        m_wordTexts[static_cast<size_t>(n)] = inCase(m_services.state.word(slot(n)), m_case);
    }
}

int WordsOntoPicturesExercise::column(int word) const
{
    const auto& order = kColumnOrders.at(static_cast<size_t>(m_order));
    const auto found = std::find(order.begin(), order.end(), word);
    return found == order.end() ? 0 : static_cast<int>(found - order.begin());
}

WordsOntoPicturesExercise::Drop WordsOntoPicturesExercise::drop(int box, int word)
{
    if (!m_ready || box < 0 || box >= kWords || word < 0 || word >= kWords
        || !m_wordEnabled[static_cast<size_t>(word)]) {
        return Drop::Ignored;
    }
    Feedback& feedback = m_services.feedback;
    const auto b = static_cast<size_t>(box);
    const auto w = static_cast<size_t>(word);
    const SharedState& state = m_services.state;
    if (!m_boxFilled[b] && state.word(slot(word)).toLower() == state.word(slot(box)).toLower()) {
        feedback.SuonoEsatto(state.word(slot(word)));
        m_boxTexts[b] = m_wordTexts[w];
        m_boxFilled[b] = true;
        m_wordTexts[w].clear();
        ++m_paroleCollocate;
        m_wordEnabled[w] = false;
        if (m_paroleCollocate == kWords) {
            m_frame.countRight();
            m_frame.continueAfterRight();
        }
        return Drop::Right;
    }
    feedback.SuonoErrato();
    m_frame.countWrong();
    // The black stays through the right drops that follow, until the next exercise brings a colour.
    m_frame.setBackground(kBlack);
    return Drop::Wrong;
}

QString WordsOntoPicturesExercise::summaryText(qint16 esatti, qint16 errati)
{
    return QStringLiteral("Hai eseguito ") + ExerciseFrame::scoreText(esatti) + QStringLiteral(" esercizi esatti e ")
        + ExerciseFrame::scoreText(errati) + QStringLiteral(" esercizi errati.");
}

void WordsOntoPicturesExercise::showSummary(MessageBoxes& boxes) const
{
    boxes.information(summaryText(m_services.state.ContaEsatti, m_services.state.ContaErrati));
}

} // namespace tavenzo
