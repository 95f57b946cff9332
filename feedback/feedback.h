#pragma once

#include "feedback/sound_player.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace tavenzo {

class RandomSource;

// Colours are 24-bit values written 0xBBGGRR, blue in the high byte.
using BgrColour = std::uint32_t;

inline constexpr std::array<BgrColour, 19> Colori = {0, 0xC0C0FF, 0x8080FF, 0x0000FF, 0x80C0FF, 0x0080FF, 0xC0FFFF,
    0x00FFFF, 0x0040C0, 0x80FF80, 0x00C000, 0xFFFFC0, 0xFFFF00, 0xFFC0C0, 0xFFC0FF, 0xFFC0FF, 0xE0E0E0, 0xFF0000,
    0xFF00FF};

// 0xBBGGRR to the usual 0xRRGGBB.
inline std::uint32_t bgrToRgb(BgrColour c)
{
    return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
}

// The answer sounds, the alert beep and the random background colours that every screen shares.
class Feedback {
public:
    Feedback(SoundPlayer& player, Beeper& beeper, RandomSource& random, QString programFolder);

    void SuonoEsatto();
    void SuonoErrato();
    BgrColour ColoreCasuale();
    void beep() { m_beeper.beep(); }

    static QString successSoundSuffix(int k);
    // Every sound file the answers may play, for a player that loads them ahead.
    QStringList soundPaths() const;

private:
    SoundPlayer& m_player;
    Beeper& m_beeper;
    RandomSource& m_random;
    QString m_programFolder;
};

} // namespace tavenzo
