#include "exercises/pictures/drag_words_exercise.h"

#include "app/ports.h"
#include "app/shared_state.h"
#include "exercises/frame/picture_finder.h"

#include <algorithm>

namespace tavenzo {

namespace {
const QString kFolder = QStringLiteral("\\jpg\\");
const QString kExtension = QStringLiteral(".jpg");
constexpr BgrColour kBlack = 0x000000;
} // namespace

DragWordsExercise::DragWordsExercise(ExerciseServices services)
    : m_services(services)
    , m_frame(services.state.ContaEsatti, services.state.ContaErrati, FrameTraits {false, false, false})
{
}

void DragWordsExercise::open()
{
    m_frame.open(m_services.state.AttendiAvanti);
    m_frame.reset();
    m_maiuscolo = true;
    GeneraEsercizio();
}

int DragWordsExercise::drawSlot()
{
    return drawWhole(m_services.random, m_services.state.NumeroParole);
}

void DragWordsExercise::GeneraEsercizio()
{
    SharedState& state = m_services.state;
    m_frame.beginItem();
    m_paroleCollocate = 0;
    m_boxTexts.fill({});

    // Three different slots cannot come from a shorter list; refusing beats drawing for ever.
    m_ready = state.NumeroParole >= kWords;
    if (!m_ready) {
        m_pictures.fill({});
        m_wordTexts.fill({});
        m_wordEnabled.fill(false);
        m_frame.setBackground(m_services.feedback.ColoreCasuale());
        return;
    }

    for (int k = 0; k < kWords; ++k) {
        int s = drawSlot();
        while (std::find(m_slots.begin(), m_slots.begin() + k, s) != m_slots.begin() + k) {
            s = drawSlot();
        }
        m_slots[static_cast<size_t>(k)] = s;
    }
    for (int k = 0; k < kWords; ++k) {
        m_pictures[static_cast<size_t>(k)]
            = m_services.pictures.find(kFolder, state.word(m_slots[static_cast<size_t>(k)]), kExtension);
    }
    const int orders = static_cast<int>(kColumnOrders.size());
    m_order = std::clamp(static_cast<int>(m_services.random.next() * orders), 0, orders - 1);
    m_wordEnabled.fill(true);
    if (m_maiuscolo) {
        ScriviMaiuscolo();
    } else {
        ScriviMinuscolo();
    }
    m_frame.setBackground(m_services.feedback.ColoreCasuale());
}

void DragWordsExercise::writeWords(bool upper)
{
    if (!m_ready) {
        return;
    }
    // Only the labels change case; the list keeps its words as they are.
    for (int n = 0; n < kWords; ++n) {
        const QString& word = m_services.state.word(m_slots[static_cast<size_t>(n)]);
        m_wordTexts[static_cast<size_t>(n)] = upper ? word.toUpper() : word.toLower();
    }
}

void DragWordsExercise::ScriviMaiuscolo()
{
    writeWords(true);
}

void DragWordsExercise::ScriviMinuscolo()
{
    writeWords(false);
}

int DragWordsExercise::wordX(int word) const
{
    const auto& order = kColumnOrders.at(static_cast<size_t>(m_order));
    const auto column = std::find(order.begin(), order.end(), word);
    return column == order.end() ? kColumnX[0] : kColumnX.at(static_cast<size_t>(column - order.begin()));
}

DragWordsExercise::Drop DragWordsExercise::drop(int box, int word)
{
    if (!m_ready || box < 0 || box >= kWords || word < 0 || word >= kWords
        || !m_wordEnabled[static_cast<size_t>(word)]) {
        return Drop::Ignored;
    }
    Feedback& feedback = m_services.feedback;
    if (word == box) {
        feedback.SuonoEsatto();
        const auto n = static_cast<size_t>(box);
        m_boxTexts[n] = m_wordTexts[n];
        m_wordTexts[n].clear();
        ++m_paroleCollocate;
        m_wordEnabled[n] = false;
        if (m_paroleCollocate == kWords) {
            m_frame.countRight();
            if (m_frame.continueAfterRight()) {
                GeneraEsercizio();
            }
        }
        return Drop::Right;
    }
    feedback.SuonoErrato();
    m_frame.countWrong();
    // The black stays through the right drops that follow, until the next exercise brings a colour.
    m_frame.setBackground(kBlack);
    return Drop::Wrong;
}

void DragWordsExercise::avanti()
{
    if (m_frame.avantiVisible() && m_frame.avantiEnabled()) {
        GeneraEsercizio();
    }
}

void DragWordsExercise::setMaiuscolo(bool upper)
{
    m_maiuscolo = upper;
    if (upper) {
        ScriviMaiuscolo();
    } else {
        ScriviMinuscolo();
    }
}

void DragWordsExercise::reset()
{
    m_frame.reset();
}

QString DragWordsExercise::summaryText(qint16 esatti, qint16 errati)
{
    return QStringLiteral("Hai eseguito ") + ExerciseFrame::scoreText(esatti) + QStringLiteral(" esercizi esatti e ")
        + ExerciseFrame::scoreText(errati) + QStringLiteral(" esercizi errati.");
}

void DragWordsExercise::showSummary(MessageBoxes& boxes) const
{
    boxes.information(summaryText(m_services.state.ContaEsatti, m_services.state.ContaErrati));
}

} // namespace tavenzo
