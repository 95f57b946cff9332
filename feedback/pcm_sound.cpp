#include "feedback/pcm_sound.h"

#include <algorithm>

namespace tavenzo {

int PcmFormat::bytesPerFrame() const
{
    const int bytesPerSample = sample == Sample::UInt8 ? 1 : sample == Sample::Int16 ? 2 : 4;
    return std::max(channels, 0) * bytesPerSample;
}

qsizetype PcmFormat::bytesFor(int milliseconds) const
{
    return static_cast<qsizetype>(std::max(sampleRate, 0)) * milliseconds / 1000 * bytesPerFrame();
}

double PcmFormat::secondsOf(qsizetype bytes) const
{
    const int frame = bytesPerFrame();
    if (frame <= 0 || sampleRate <= 0) {
        return 0;
    }
    return static_cast<double>(bytes / frame) / sampleRate;
}

std::optional<PcmSound> playable(std::optional<PcmSound> sound, int silentTailMilliseconds)
{
    if (!sound || sound->format.sampleRate <= 0 || sound->format.bytesPerFrame() <= 0) {
        return std::nullopt;
    }
    QByteArray& samples = sound->samples;
    samples.truncate(samples.size() - samples.size() % sound->format.bytesPerFrame());
    if (samples.isEmpty()) {
        return std::nullopt;
    }
    samples.append(sound->format.bytesFor(silentTailMilliseconds), sound->format.silence());
    return sound;
}

} // namespace tavenzo
