#pragma once

#include "feedback/preloading_sound_player.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace tavenzo {

// How the samples of a sound lie in memory: interleaved frames of `channels` samples, little-endian.
struct PcmFormat {
    enum class Sample { UInt8, Int16, Int32, Float };

    int sampleRate = 0;
    int channels = 0;
    Sample sample = Sample::Int16;

    int bytesPerFrame() const;
    // The bytes of the whole frames that last `milliseconds`.
    qsizetype bytesFor(int milliseconds) const;
    bool operator==(const PcmFormat&) const = default;
};

struct PcmSound {
    PcmFormat format;
    QByteArray samples;
};

// Reads a sound file whole: nothing for a file that is missing, too big or not a sound it can play.
class SoundFileDecoder {
public:
    virtual ~SoundFileDecoder() = default;
    virtual std::optional<PcmSound> decode(const QString& path) = 0;
};

// One stream to the sound server at a time. It plays from memory and closes the stream once it has handed the last
// byte over; what the server still holds then, up to the buffer asked for, is never heard.
class PcmOutput {
public:
    virtual ~PcmOutput() = default;
    // Ends any stream still open and plays `samples` from the start, asking the server to hold `bufferBytes` ahead;
    // false when there is no audio device or the stream would not open.
    virtual bool play(const PcmFormat& format, const QByteArray& samples, qsizetype bufferBytes) = 0;
    // Ends the stream at once, dropping what the server still holds.
    virtual void stop() = 0;
};

// The sounds held in memory as the output plays them: each ends in silence longer than the server's buffer, so
// closing the stream after the last byte drops only silence, and every stream asks for the same buffer, whatever
// the server granted the one before.
class MemorySoundBackend final : public SoundEffectBackend {
public:
    // What every stream asks the server to hold: the toolkit tops it up 20 ms at a time, so it never runs dry.
    static constexpr int kBufferMilliseconds = 200;
    // Longer than that buffer and the device's own delay together.
    static constexpr int kSilenceMilliseconds = 500;

    MemorySoundBackend(SoundFileDecoder& decoder, PcmOutput& output);
    ~MemorySoundBackend() override;
    MemorySoundBackend(const MemorySoundBackend&) = delete;
    MemorySoundBackend& operator=(const MemorySoundBackend&) = delete;

    int load(const QString& path) override;
    void start(int id) override;
    void stop(int id) override;

private:
    SoundFileDecoder& m_decoder;
    PcmOutput& m_output;
    std::vector<PcmSound> m_sounds;
    int m_playing = -1;
};

} // namespace tavenzo
