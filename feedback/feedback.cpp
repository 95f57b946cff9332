#include "feedback/feedback.h"

#include "app/paths.h"
#include "app/ports.h"

namespace tavenzo {

Feedback::Feedback(SoundPlayer& player, Beeper& beeper, RandomSource& random, QString programFolder)
    : m_player(player)
    , m_beeper(beeper)
    , m_random(random)
    , m_programFolder(std::move(programFolder))
{
}

QString Feedback::successSoundSuffix(int k)
{
    return QStringLiteral("\\suoni\\si%1.wav").arg(k);
}

void Feedback::SuonoEsatto()
{
    const int k = drawWhole(m_random, 4);
    m_player.play(dataPath(m_programFolder, successSoundSuffix(k)));
}

QStringList Feedback::soundPaths() const
{
    QStringList paths;
    for (int k = 1; k <= 4; ++k) {
        paths.append(dataPath(m_programFolder, successSoundSuffix(k)));
    }
    paths.append(dataPath(m_programFolder, QStringLiteral("\\suoni\\no.wav")));
    return paths;
}

void Feedback::SuonoErrato()
{
    m_player.play(dataPath(m_programFolder, QStringLiteral("\\suoni\\no.wav")));
}

BgrColour Feedback::ColoreCasuale()
{
    return Colori.at(static_cast<size_t>(drawWhole(m_random, 18)));
}

} // namespace tavenzo
