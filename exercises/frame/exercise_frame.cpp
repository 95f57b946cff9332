#include "exercises/frame/exercise_frame.h"

#include "core/ports.h"
#include "core/shared_state.h"

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

bool ExerciseFrame::continueAfterRight()
{
    if (m_avantiVisible) {
        m_avantiEnabled = true;
        return false;
    }
    m_newItem();
    return true;
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
    if (!boxes.question(leaveQuestion())) {
        return false;
    }
    m_esatti = 0;
    m_errati = 0;
    return true;
}

} // namespace tavenzo
