#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

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
    // How long the whole frames among `bytes` last.
    double secondsOf(qsizetype bytes) const;
    // The byte that every sample of silence is made of: unsigned 8-bit samples are silent at the middle of their range.
    char silence() const { return sample == Sample::UInt8 ? char(0x80) : char(0); }
    bool operator==(const PcmFormat&) const = default;
};

struct PcmSound {
    PcmFormat format;
    QByteArray samples;

    double seconds() const { return format.secondsOf(samples.size()); }
};

// The sound as the output must be given it, or nothing for one that cannot be played (no rate, no channels, no whole
// frame): cut to whole frames, since a frame cut short at the end would put every sample after it out of step, and
// followed by `silentTailMilliseconds` of silence.
std::optional<PcmSound> playable(std::optional<PcmSound> sound, int silentTailMilliseconds);

// The sound in another format: channels mixed (or a single one spread), samples resampled by straight lines between
// them, which is plenty for speech, and written in the other sample type. Nothing for a sound that cannot be played.
std::optional<PcmSound> converted(const PcmSound& sound, const PcmFormat& format);

// The loudest sample, 0 (silence) to 1 (full scale).
double peakOf(const PcmSound& sound);

// The sound without the quiet before its first and after its last sample louder than `threshold` (0 to 1), keeping
// `marginMilliseconds` of it at either end; an empty sound when nothing is louder.
PcmSound trimmedSilence(const PcmSound& sound, double threshold, int marginMilliseconds);

// Reads a sound file whole: nothing for a file that is missing, too big or not a sound it can play. It is called away
// from the user-interface thread, so it keeps no state between calls.
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
    // Reaches the sound server ahead of the first sound: the first look for a device may take a while.
    virtual void reachServer() = 0;
    // Ends any stream still open and plays `samples` from the start, asking the server to hold `bufferBytes` ahead;
    // false when there is no audio device or the stream would not open.
    virtual bool play(const PcmFormat& format, const QByteArray& samples, qsizetype bufferBytes) = 0;
    // Ends the stream at once, dropping what the server still holds.
    virtual void stop() = 0;
};

} // namespace tavenzo
