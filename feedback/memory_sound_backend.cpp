#include "feedback/memory_sound_backend.h"

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

MemorySoundBackend::MemorySoundBackend(SoundFileDecoder& decoder, PcmOutput& output)
    : m_decoder(decoder)
    , m_output(output)
{
}

MemorySoundBackend::~MemorySoundBackend()
{
    m_output.stop();
}

int MemorySoundBackend::load(const QString& path)
{
    std::optional<PcmSound> sound = m_decoder.decode(path);
    if (!sound || sound->format.sampleRate <= 0 || sound->format.bytesPerFrame() <= 0) {
        return -1;
    }
    // A frame cut short at the end of the file would put every sample after it out of step.
    QByteArray& samples = sound->samples;
    samples.truncate(samples.size() - samples.size() % sound->format.bytesPerFrame());
    if (samples.isEmpty()) {
        return -1;
    }
    // Unsigned 8-bit samples are silent at the middle of their range.
    const char silence = sound->format.sample == PcmFormat::Sample::UInt8 ? char(0x80) : char(0);
    samples.append(sound->format.bytesFor(kSilenceMilliseconds), silence);
    m_sounds.push_back(std::move(*sound));
    return static_cast<int>(m_sounds.size()) - 1;
}

void MemorySoundBackend::start(int id)
{
    if (id < 0 || id >= static_cast<int>(m_sounds.size())) {
        return;
    }
    const PcmSound& sound = m_sounds[static_cast<size_t>(id)];
    m_playing = m_output.play(sound.format, sound.samples, sound.format.bytesFor(kBufferMilliseconds)) ? id : -1;
}

void MemorySoundBackend::stop(int id)
{
    if (id == m_playing) {
        m_output.stop();
        m_playing = -1;
    }
}

} // namespace tavenzo
