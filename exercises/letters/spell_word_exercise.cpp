#include "exercises/letters/spell_word_exercise.h"

#include "core/alphabet.h"
#include "core/content_finder.h"
#include "core/ports.h"
#include "core/shared_state.h"
#include "feedback/feedback.h"

namespace tavenzo {

namespace {
constexpr uint kOpen = '_';
} // namespace

SpellWordExercise::SpellWordExercise(ExerciseServices services)
    : Exercise(m_numeroEsatti, m_numeroErrati, {.openWithUpdateForm = true, .resetShowsRightIcon = true},
        [this] { PreparaEsercizio(); })
    , m_services(services)
    , m_keyboard(Keyboard::kSpellWord)
{
    m_frame.speakWith(services.feedback, services.clock);
}

const QString& SpellWordExercise::word() const
{
    return m_services.state.word(m_indiceParola);
}

void SpellWordExercise::open()
{
    m_numeroErrati = 0;
    m_numeroEsatti = 0;
    m_frame.open(m_services.state.AttendiAvanti);
    m_timerEnabled = false;
    m_case = LetterCase::Upper;
    m_keyboard.open();
    PreparaTastiera();
    PreparaEsercizio();
}

void SpellWordExercise::PreparaTastiera()
{
    m_keyboard.switchCase(m_case);
}

void SpellWordExercise::PreparaEsercizio()
{
    SharedState& state = m_services.state;
    m_frame.beginItem();
    m_keyboard.setAllEnabled(true);
    m_indiceParola = drawWordForKeys(m_services.random, state);
    QString& current = state.word(m_indiceParola);
    // The picture is looked up by the word as the list held it, before it takes this screen's case.
    m_picture = m_services.pictures.find(current);
    current = inCase(current, m_case);
    m_services.feedback.prepareWord(current);
    MostraTrattini();
    m_frame.setBackground(m_services.feedback.ColoreCasuale());
}

void SpellWordExercise::setDisplay(const QList<uint>& positions)
{
    m_display.clear();
    for (const uint c : positions) {
        const char32_t character = c;
        m_display += QString::fromUcs4(&character, 1);
        if (c == kOpen) {
            m_display += QLatin1Char(' ');
        }
    }
}

void SpellWordExercise::MostraTrattini()
{
    const auto count = word().toUcs4().size();
    setDisplay(QList<uint>(count, kOpen));
    // An empty word has nothing to spell: it is complete at once and waits like any completed word.
    if (count == 0) {
        press(0);
    }
}

void SpellWordExercise::press(int index)
{
    const std::optional<QString> letter = m_keyboard.press(index);
    if (!letter) {
        return;
    }
    QString placed = m_display;
    placed.remove(QLatin1Char(' '));
    QList<uint> positions = placed.toUcs4();
    const QList<uint> characters = word().toUcs4();
    const uint pressed = letter->toUcs4().value(0);
    for (qsizetype i = 0; i < positions.size() && i < characters.size(); ++i) {
        if (positions.at(i) != kOpen) {
            continue;
        }
        // The key of a plain vowel types its accented form too, which is the letter placed: "citta" typed shows
        // "città".
        const char32_t wanted = characters.at(i);
        if (keyFor(QString::fromUcs4(&wanted, 1)).toUcs4().value(0) == pressed) {
            positions[i] = wanted;
            setDisplay(positions);
        } else {
            Feedback& feedback = m_services.feedback;
            feedback.beep();
            m_frame.showWrongIcon();
            m_frame.countWrong();
            feedback.SuonoErrato();
        }
        break;
    }
    if (m_display == word()) {
        m_timerEnabled = true;
        m_inizioAttesa = m_services.clock.seconds();
    }
}

void SpellWordExercise::tick()
{
    // Behind a box the wait is held; the first tick after it closes completes the word if its time is over.
    if (!m_timerEnabled || m_frame.boxOpen()) {
        return;
    }
    const double now = m_services.clock.seconds();
    if (m_inizioAttesa + kWait > now) {
        return;
    }
    m_timerEnabled = false;
    m_frame.showRightIcon();
    m_frame.countRight();
    if (!m_frame.continueAfterRight()) {
        m_keyboard.setAllEnabled(false);
    }
    m_services.feedback.SuonoEsatto(word());
}

void SpellWordExercise::countCompletedWord()
{
    m_timerEnabled = false;
    m_frame.showRightIcon();
    m_frame.countRight();
    m_services.feedback.SuonoEsatto(word());
}

void SpellWordExercise::help(MessageBoxes& boxes)
{
    m_frame.whileBoxOpen([this, &boxes] { boxes.plain(word().toUpper()); });
    m_frame.withdrawRight();
}

void SpellWordExercise::setCase(LetterCase letterCase)
{
    m_case = letterCase;
    // A word the child has completed counts, even while it is still on view for its pause.
    if (m_timerEnabled) {
        countCompletedWord();
    }
    PreparaTastiera();
    PreparaEsercizio();
}

} // namespace tavenzo
