#include "exercises/letters/missing_letter_exercise.h"

#include "core/alphabet.h"
#include "core/content_finder.h"
#include "core/ports.h"
#include "core/shared_state.h"
#include "feedback/feedback.h"

#include <algorithm>

namespace tavenzo {

namespace {

// Only the parity of the exercise count matters, so it may wrap like the 16-bit number it is.
void step(qint16& count, int delta)
{
    count = static_cast<qint16>(count + delta);
}

} // namespace

MissingLetterExercise::MissingLetterExercise(ExerciseServices services, MissingLetterOptions options)
    : Exercise(services.state.ContaEsatti, services.state.ContaErrati, {}, [this] { PreparaEsercizio(); })
    , m_services(services)
    , m_options(options)
    , m_keyboard(Keyboard::kMissingLetter)
{
    m_frame.speakWith(services.feedback, services.clock);
}

void MissingLetterExercise::open()
{
    m_frame.open(m_services.state.AttendiAvanti);
    // The window is built anew: Option1 selected, the picture back in its place.
    m_case = LetterCase::Lower;
    m_pictureSteps = 0;
    m_keyboard.open();
    PreparaEsercizio();
}

void MissingLetterExercise::PreparaEsercizio()
{
    SharedState& state = m_services.state;
    m_frame.beginItem();
    m_frame.setBackground(m_services.feedback.ColoreCasuale());
    m_keyboard.showAll();

    m_indiceParola = drawWordForKeys(m_services.random, state);
    QString& word = state.word(m_indiceParola);
    word = inCase(word, m_case);

    // Positions count characters, not UTF-16 halves, so a character outside the basic plane is masked whole.
    const QList<uint> characters = word.toUcs4();
    const int length = static_cast<int>(characters.size());
    int p = 1;
    if (m_options.randomPosition) {
        p = static_cast<int>(m_services.random.next() * length + 1);
        p = std::clamp(p, 1, std::max(length, 1));
    }
    m_letteraNascosta.clear();
    m_parolaMascherata.clear();
    for (int i = 1; i <= length; ++i) {
        const char32_t c = characters.at(i - 1);
        if (i == p) {
            m_letteraNascosta = QString::fromUcs4(&c, 1);
            m_parolaMascherata += QLatin1Char('_');
        } else {
            m_parolaMascherata += QString::fromUcs4(&c, 1);
        }
    }
    m_label1 = m_parolaMascherata;
    m_picture = m_services.pictures.find(word);
    m_services.feedback.prepareWord(word);
    if (m_options.pictureMoves) {
        step(m_contaEsercizi, +1);
    }
}

void MissingLetterExercise::setCase(LetterCase letterCase)
{
    m_keyboard.switchCase(letterCase);
    m_case = letterCase;
    // A rebuild for the new case is no new exercise: the count ends as it was.
    if (!m_options.pictureMoves) {
        PreparaEsercizio();
    } else if (letterCase == LetterCase::Lower) {
        step(m_contaEsercizi, -1);
        PreparaEsercizio();
    } else {
        PreparaEsercizio();
        step(m_contaEsercizi, -1);
    }
}

bool MissingLetterExercise::press(int index)
{
    // The word is complete and being said; the next item comes by itself.
    if (m_frame.nextItemPending()) {
        return false;
    }
    const std::optional<QString> letter = m_keyboard.press(index);
    if (!letter) {
        return false;
    }
    Feedback& feedback = m_services.feedback;
    // The key of a plain vowel types its accented form too: "citt_" is finished with the "a".
    if (*letter == keyFor(m_letteraNascosta)) {
        m_label1 = m_services.state.word(m_indiceParola);
        if (m_options.pictureMoves) {
            m_pictureSteps += (m_contaEsercizi % 2 != 0) ? -1 : 1;
        }
        m_frame.showRightIcon();
        feedback.SuonoEsatto(m_label1);
        m_frame.countRight();
        m_frame.continueAfterRight();
        return true;
    }
    m_frame.showWrongIcon();
    m_frame.countWrong();
    feedback.SuonoErrato();
    return false;
}

} // namespace tavenzo
