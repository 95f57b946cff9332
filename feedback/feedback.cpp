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

void Feedback::SuonoEsatto()
{
    m_player.play(successSound(drawWhole(m_random, 4)));
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
