#include "feedback/feedback.h"

#include "core/ports.h"

#include <QDir>

namespace tavenzo {

Feedback::Feedback(SoundPlayer& player, Beeper& beeper, RandomSource& random, QString soundFolder)
    : m_player(player)
    , m_beeper(beeper)
    , m_random(random)
    , m_soundFolder(std::move(soundFolder))
{
}

QString Feedback::successSound(int k) const
{
    return QDir(m_soundFolder).filePath(QStringLiteral("si%1.wav").arg(k));
}

QString Feedback::failureSound() const
{
    return QDir(m_soundFolder).filePath(QStringLiteral("no.wav"));
}

void Feedback::SuonoEsatto(const QString& word)
{
    const QString sound = successSound(drawWhole(m_random, 4));
    if (m_speaker && !word.isEmpty()) {
        m_speaker->answerThenWord(sound, word);
    } else {
        m_player.play(sound);
    }
}

void Feedback::prepareWord(const QString& word)
{
    if (m_speaker) {
        m_speaker->prepareWord(word);
    }
}

void Feedback::silenceWord()
{
    if (m_speaker) {
        m_speaker->silenceWord();
    }
}

std::optional<double> Feedback::heardUntil() const
{
    return m_speaker ? m_speaker->heardUntil() : std::nullopt;
}

void Feedback::SuonoErrato()
{
    m_player.play(failureSound());
}

QStringList Feedback::soundPaths() const
{
    return {successSound(1), successSound(2), successSound(3), successSound(4), failureSound()};
}

BgrColour Feedback::ColoreCasuale()
{
    return Colori.at(static_cast<size_t>(drawWhole(m_random, 18)));
}

} // namespace tavenzo
