#include "feedback/pcm_sound.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

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

namespace {

// Every sample as a value of -1 to 1, frame after frame.
std::vector<float> samplesOf(const PcmSound& sound)
{
    const PcmFormat& f = sound.format;
    const int width = f.channels > 0 ? f.bytesPerFrame() / f.channels : 0;
    std::vector<float> values;
    if (width <= 0) {
        return values;
    }
    const qsizetype count = sound.samples.size() / f.bytesPerFrame() * f.channels;
    values.reserve(static_cast<size_t>(count));
    const auto* bytes = reinterpret_cast<const uchar*>(sound.samples.constData());
    for (qsizetype i = 0; i < count; ++i) {
        const uchar* at = bytes + i * width;
        switch (f.sample) {
        case PcmFormat::Sample::UInt8:
            values.push_back((static_cast<float>(*at) - 128.0f) / 128.0f);
            break;
        case PcmFormat::Sample::Int16:
            values.push_back(static_cast<float>(qFromLittleEndian<qint16>(at)) / 32768.0f);
            break;
        case PcmFormat::Sample::Int32:
            values.push_back(static_cast<float>(static_cast<double>(qFromLittleEndian<qint32>(at)) / 2147483648.0));
            break;
        case PcmFormat::Sample::Float: {
            const quint32 raw = qFromLittleEndian<quint32>(at);
            float value = 0;
            std::memcpy(&value, &raw, sizeof value);
            values.push_back(std::isfinite(value) ? std::clamp(value, -1.0f, 1.0f) : 0.0f);
            break;
        }
        }
    }
    return values;
}

QByteArray bytesOf(const std::vector<float>& values, PcmFormat::Sample sample)
{
    QByteArray bytes;
    const int width = sample == PcmFormat::Sample::UInt8 ? 1 : sample == PcmFormat::Sample::Int16 ? 2 : 4;
    bytes.resize(static_cast<qsizetype>(values.size()) * width);
    auto* at = reinterpret_cast<uchar*>(bytes.data());
    for (const float raw : values) {
        const double v = std::clamp(static_cast<double>(raw), -1.0, 1.0);
        switch (sample) {
        case PcmFormat::Sample::UInt8:
            *at = static_cast<uchar>(std::lround(std::clamp(v * 128.0 + 128.0, 0.0, 255.0)));
            break;
        case PcmFormat::Sample::Int16:
            qToLittleEndian(static_cast<qint16>(std::lround(std::clamp(v * 32768.0, -32768.0, 32767.0))), at);
            break;
        case PcmFormat::Sample::Int32:
            qToLittleEndian(
                static_cast<qint32>(std::llround(std::clamp(v * 2147483648.0, -2147483648.0, 2147483647.0))), at);
            break;
        case PcmFormat::Sample::Float: {
            const float f = static_cast<float>(v);
            quint32 out = 0;
            std::memcpy(&out, &f, sizeof out);
            qToLittleEndian(out, at);
            break;
        }
        }
        at += width;
    }
    return bytes;
}

} // namespace

std::optional<PcmSound> converted(const PcmSound& sound, const PcmFormat& format)
{
    const PcmFormat& from = sound.format;
    if (from.sampleRate <= 0 || from.bytesPerFrame() <= 0 || format.sampleRate <= 0 || format.bytesPerFrame() <= 0) {
        return std::nullopt;
    }
    if (from == format) {
        return sound;
    }
    const std::vector<float> in = samplesOf(sound);
    const size_t frames = in.size() / static_cast<size_t>(from.channels);
    // First the channels, frame by frame: the same number kept, else mixed down to one and spread.
    const auto inChannel = [&](size_t frame, int channel) -> float {
        if (from.channels == format.channels) {
            return in[frame * static_cast<size_t>(from.channels) + static_cast<size_t>(channel)];
        }
        float sum = 0;
        for (int c = 0; c < from.channels; ++c) {
            sum += in[frame * static_cast<size_t>(from.channels) + static_cast<size_t>(c)];
        }
        return sum / static_cast<float>(from.channels);
    };
    const size_t outFrames
        = frames == 0 ? 0 : static_cast<size_t>(static_cast<double>(frames) * format.sampleRate / from.sampleRate);
    std::vector<float> out;
    out.reserve(outFrames * static_cast<size_t>(format.channels));
    const double step = static_cast<double>(from.sampleRate) / format.sampleRate;
    for (size_t i = 0; i < outFrames; ++i) {
        const double position = static_cast<double>(i) * step;
        const size_t left = std::min(static_cast<size_t>(position), frames - 1);
        const size_t right = std::min(left + 1, frames - 1);
        const float part = static_cast<float>(position - static_cast<double>(left));
        for (int c = 0; c < format.channels; ++c) {
            out.push_back(inChannel(left, c) * (1.0f - part) + inChannel(right, c) * part);
        }
    }
    return PcmSound {format, bytesOf(out, format.sample)};
}

double peakOf(const PcmSound& sound)
{
    double peak = 0;
    for (const float v : samplesOf(sound)) {
        peak = std::max(peak, static_cast<double>(std::fabs(v)));
    }
    return peak;
}

PcmSound trimmedSilence(const PcmSound& sound, double threshold, int marginMilliseconds)
{
    const PcmFormat& f = sound.format;
    const int frameBytes = f.bytesPerFrame();
    if (frameBytes <= 0 || f.sampleRate <= 0) {
        return {f, {}};
    }
    const std::vector<float> values = samplesOf(sound);
    const auto channels = static_cast<size_t>(f.channels);
    const size_t frames = values.size() / channels;
    const auto loud = [&](size_t frame) {
        for (size_t c = 0; c < channels; ++c) {
            if (std::fabs(values[frame * channels + c]) > threshold) {
                return true;
            }
        }
        return false;
    };
    size_t first = 0;
    while (first < frames && !loud(first)) {
        ++first;
    }
    if (first == frames) {
        return {f, {}};
    }
    size_t last = frames - 1;
    while (last > first && !loud(last)) {
        --last;
    }
    const auto margin = static_cast<size_t>(static_cast<qint64>(f.sampleRate) * std::max(marginMilliseconds, 0) / 1000);
    const size_t from = first > margin ? first - margin : 0;
    const size_t to = std::min(frames, last + 1 + margin);
    return {f,
        sound.samples.mid(static_cast<qsizetype>(from) * frameBytes, static_cast<qsizetype>(to - from) * frameBytes)};
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
