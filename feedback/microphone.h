#pragma once

#include "feedback/pcm_sound.h"

namespace tavenzo {

// The microphone the studio records a teacher's word from.
class Microphone {
public:
    virtual ~Microphone() = default;
    // Starts recording; false when there is no microphone or it would not open.
    virtual bool start() = 0;
    // Ends the recording and gives everything heard since start(); an empty sound when nothing was.
    virtual PcmSound stop() = 0;
};

} // namespace tavenzo
