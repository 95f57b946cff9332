#pragma once

#include "feedback/pcm_sound.h"

#include <QString>

#include <optional>

namespace tavenzo {

// Says a word aloud into samples. It is called away from the user-interface thread, one word at a time, and may take
// its time; nothing when it has no voice to say it with.
class SpeechSynthesiser {
public:
    virtual ~SpeechSynthesiser() = default;
    virtual std::optional<PcmSound> say(const QString& word) = 0;
};

} // namespace tavenzo
