#pragma once

#include <QString>

namespace tavenzo {

// Plays a sound file in the background and returns at once; a new sound cuts off the one still playing.
// A missing or unplayable file simply plays nothing.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    virtual void play(const QString& path) = 0;
};

// The platform's standard alert beep.
class Beeper {
public:
    virtual ~Beeper() = default;
    virtual void beep() = 0;
};

} // namespace tavenzo
