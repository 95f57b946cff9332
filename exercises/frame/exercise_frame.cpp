#include "exercises/frame/exercise_frame.h"

#include "core/ports.h"
#include "core/shared_state.h"
#include "feedback/feedback.h"

#include <algorithm>

namespace tavenzo {

ExerciseFrame::ExerciseFrame(qint16& esatti, qint16& errati, FrameOptions options, std::function<void()> newItem)
    : m_esatti(esatti)
    , m_errati(errati)
    , m_options(options)
    , m_newItem(std::move(newItem))
{
}

QString ExerciseFrame::scoreText(qint16 count)
{
    return QLatin1Char(' ') + QString::number(count);
}

QString ExerciseFrame::leaveQuestion()
{
    return QStringLiteral("Vuoi tornare al menù?");
}

void ExerciseFrame::open(bool attendiAvanti)
{
    m_avantiVisible = attendiAvanti;
    m_avantiEnabled = false;
    // Neither face shows before the first answer: a child should not be greeted by a verdict.
    m_rightIcon = false;
    m_wrongIcon = false;
    if (m_options.openWithUpdateForm) {
        m_esattiText = scoreText(m_esatti);
        m_erratiText = scoreText(m_errati);
    } else {
        m_esattiText = QStringLiteral("0");
        m_erratiText = QStringLiteral("0");
    }
}

void ExerciseFrame::showRightIcon()
{
    m_rightIcon = true;
    m_wrongIcon = false;
}

void ExerciseFrame::showWrongIcon()
{
    m_rightIcon = false;
    m_wrongIcon = true;
}

void ExerciseFrame::countRight()
{
    incrementSaturating(m_esatti);
    m_esattiText = scoreText(m_esatti);
}

void ExerciseFrame::countWrong()
{
    incrementSaturating(m_errati);
    m_erratiText = scoreText(m_errati);
}

void ExerciseFrame::withdrawRight()
{
    if (m_esatti > 0) {
        --m_esatti;
    }
    m_esattiText = scoreText(m_esatti);
}

void ExerciseFrame::speakWith(Feedback& feedback, MonotonicClock& clock)
{
    m_feedback = &feedback;
    m_clock = &clock;
}

void ExerciseFrame::beginItem()
{
    m_avantiEnabled = false;
    m_nextPending = false;
    if (m_feedback) {
        m_feedback->silenceWord();
    }
}

bool ExerciseFrame::continueAfterRight()
{
    if (m_avantiVisible) {
        m_avantiEnabled = true;
        return false;
    }
    if (m_feedback && m_clock && m_feedback->speaksWords()) {
        m_nextPending = true;
        m_pendingSince = m_clock->seconds();
        m_dueAt = 0;
        return false;
    }
    m_newItem();
    return true;
}

std::optional<double> ExerciseFrame::nextItemAt() const
{
    if (!m_nextPending || !m_clock) {
        return std::nullopt;
    }
    // Nothing sounding and nothing seen to (no audio device, no voice): the item is due at once.
    if (const std::optional<double> until = m_feedback->heardUntil()) {
        m_dueAt = std::max(m_dueAt, *until + kAfterWord);
    }
    return std::max(m_dueAt, m_pendingSince);
}

std::optional<double> ExerciseFrame::secondsToNextItem() const
{
    const std::optional<double> due = nextItemAt();
    if (!due) {
        return std::nullopt;
    }
    return std::max(0.0, *due - m_clock->seconds());
}

void ExerciseFrame::tick()
{
    const std::optional<double> due = nextItemAt();
    if (due && m_clock->seconds() >= *due && !boxOpen()) {
        m_nextPending = false;
        m_newItem();
    }
}

void ExerciseFrame::close()
{
    m_nextPending = false;
    if (m_feedback) {
        m_feedback->silenceWord();
    }
}

void ExerciseFrame::avanti()
{
    if (m_avantiVisible && m_avantiEnabled) {
        m_newItem();
    }
}

void ExerciseFrame::reset()
{
    m_esatti = 0;
    m_errati = 0;
    if (m_options.resetShowsRightIcon) {
        showRightIcon();
    }
    m_esattiText = scoreText(m_esatti);
    m_erratiText = scoreText(m_errati);
}

bool ExerciseFrame::confirmLeave(MessageBoxes& boxes)
{
    if (!whileBoxOpen([&boxes] { return boxes.question(leaveQuestion()); })) {
        return false;
    }
    m_esatti = 0;
    m_errati = 0;
    return true;
}

} // namespace tavenzo
