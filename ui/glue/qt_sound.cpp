#include "ui/glue/qt_sound.h"

#include <QAudioBuffer>
#include <QAudioDecoder>
#include <QAudioFormat>
#include <QAudioSink>
#include <QAudioSource>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>
#include <QUrl>
#include <QWaveDecoder>

#include <array>
#include <utility>

namespace tavenzo::ui {

namespace {

// The sample formats both sides know; the sink plays each of them. The decoder gives no floating point, but a sound
// made as samples may come in it.
constexpr std::array<std::pair<PcmFormat::Sample, QAudioFormat::SampleFormat>, 4> kSamples {{
    {PcmFormat::Sample::UInt8, QAudioFormat::UInt8},
    {PcmFormat::Sample::Int16, QAudioFormat::Int16},
    {PcmFormat::Sample::Int32, QAudioFormat::Int32},
    {PcmFormat::Sample::Float, QAudioFormat::Float},
}};

std::optional<PcmFormat::Sample> sampleOf(QAudioFormat::SampleFormat format)
{
    for (const auto& [ours, toolkit] : kSamples) {
        if (toolkit == format) {
            return ours;
        }
    }
    return std::nullopt;
}

QAudioFormat toolkitFormat(const PcmFormat& format)
{
    QAudioFormat result;
    result.setSampleRate(format.sampleRate);
    result.setChannelCount(format.channels);
    for (const auto& [ours, toolkit] : kSamples) {
        if (ours == format.sample) {
            result.setSampleFormat(toolkit);
        }
    }
    return result;
}

// A compressed recording (Ogg Vorbis, MP3, AAC in M4A) through the system's media decoder, where it has one for the
// format. The decoder reports through the event loop, so the asking thread runs one of its own until it is done.
std::optional<PcmSound> decodeCompressed(const QString& path)
{
    // A word lasts a second or two; what decodes to more than a minute of CD sound is no word.
    constexpr qsizetype kMaxDecodedBytes = 44100 * 2 * 2 * 60;
    constexpr int kMaxMilliseconds = 10000;
    QAudioDecoder decoder;
    if (!decoder.isSupported()) {
        return std::nullopt;
    }
    QEventLoop loop;
    std::optional<PcmSound> sound;
    bool failed = false;
    const auto fail = [&] {
        failed = true;
        loop.quit();
    };
    QObject::connect(&decoder, &QAudioDecoder::bufferReady, &loop, [&] {
        const QAudioBuffer buffer = decoder.read();
        const QAudioFormat format = buffer.format();
        const std::optional<PcmFormat::Sample> sample = sampleOf(format.sampleFormat());
        if (!buffer.isValid() || !sample) {
            return;
        }
        const PcmFormat ours {format.sampleRate(), format.channelCount(), *sample};
        if (!sound) {
            sound = PcmSound {ours, {}};
        } else if (sound->format != ours) {
            fail();
            return;
        }
        sound->samples.append(buffer.constData<char>(), buffer.byteCount());
        if (sound->samples.size() > kMaxDecodedBytes) {
            fail();
        }
    });
    QObject::connect(&decoder, &QAudioDecoder::finished, &loop, &QEventLoop::quit);
    QObject::connect(&decoder, qOverload<QAudioDecoder::Error>(&QAudioDecoder::error), &loop, fail);
    QTimer::singleShot(kMaxMilliseconds, &loop, fail);
    decoder.setSource(QUrl::fromLocalFile(path));
    decoder.start();
    if (decoder.error() != QAudioDecoder::NoError) {
        return std::nullopt;
    }
    loop.exec();
    decoder.stop();
    if (failed || !sound || sound->samples.isEmpty()) {
        return std::nullopt;
    }
    return sound;
}

} // namespace

std::optional<PcmSound> QtSoundFileDecoder::decode(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileBytes) {
        return std::nullopt;
    }
    const QString suffix = info.suffix().toLower();
    if (suffix == QLatin1String("ogg") || suffix == QLatin1String("mp3") || suffix == QLatin1String("m4a")) {
        return decodeCompressed(path);
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    // Read at most one byte past the limit: a file that grew since it was looked at is refused all the same.
    QByteArray bytes = file.read(kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes) {
        return std::nullopt;
    }
    QBuffer whole(&bytes);
    whole.open(QIODevice::ReadOnly);
    // The decoder parses the header as it opens, since the whole file is already there to read.
    QWaveDecoder wave(&whole);
    if (!wave.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QAudioFormat format = wave.audioFormat();
    const std::optional<PcmFormat::Sample> sample = sampleOf(format.sampleFormat());
    if (!format.isValid() || !sample) {
        return std::nullopt;
    }
    // Up to the end of the data chunk, never into whatever chunk follows it.
    QByteArray samples = wave.read(wave.size());
    return PcmSound {{format.sampleRate(), format.channelCount(), *sample}, std::move(samples)};
}

QtPcmOutput::QtPcmOutput() = default;

QtPcmOutput::~QtPcmOutput()
{
    stop();
}

void QtPcmOutput::reachServer()
{
    // The first look for a device connects to the sound server.
    QMediaDevices::defaultAudioOutput();
}

bool QtPcmOutput::play(const PcmFormat& format, const QByteArray& samples, qsizetype bufferBytes)
{
    stop();
    // The default device may change while the program runs (headphones plugged in); without one nothing plays.
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull()) {
        return false;
    }
    if (!m_sink || m_device != device || m_format != format) {
        if (m_sink) {
            m_sink->disconnect();
            m_sink.release()->deleteLater();
        }
        m_sink = std::make_unique<QAudioSink>(device, toolkitFormat(format));
        if (m_sink->isNull()) {
            m_sink.reset();
            return false;
        }
        QObject::connect(m_sink.get(), &QAudioSink::stateChanged, m_sink.get(),
            [this](QAudio::State state) { sinkStateChanged(state); });
        m_device = device;
        m_format = format;
    }
    m_source.close();
    m_source.setData(samples);
    m_source.open(QIODevice::ReadOnly);
    // Left alone, the sink asks each new stream for the buffer the server granted the last one, which the server
    // grants about a quarter smaller each time: by the ninth stream too small to be fed, and nothing is heard again.
    m_sink->setBufferSize(bufferBytes);
    m_sink->start(&m_source);
    return m_sink->state() != QAudio::StoppedState;
}

void QtPcmOutput::stop()
{
    if (m_sink) {
        m_sink->stop();
    }
}

void QtPcmOutput::sinkStateChanged(QAudio::State state)
{
    // Idle with data left is a moment's underrun; idle at the end means the silence after the sound is handed over.
    // The state is read again because the signal may arrive queued, after the next sound has started.
    if (state == QAudio::IdleState && m_sink->state() == QAudio::IdleState && m_source.atEnd()) {
        m_sink->stop();
    }
}

QtMicrophone::QtMicrophone() = default;

QtMicrophone::~QtMicrophone()
{
    if (m_source) {
        m_source->stop();
    }
}

bool QtMicrophone::start()
{
    if (m_source) {
        m_source->stop();
        m_source.reset();
    }
    const QAudioDevice device = QMediaDevices::defaultAudioInput();
    if (device.isNull()) {
        return false;
    }
    // Speech needs no more than one channel of 16-bit samples; the device's own format where it will not give that.
    QAudioFormat format = device.preferredFormat();
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    if (!device.isFormatSupported(format)) {
        format = device.preferredFormat();
    }
    const std::optional<PcmFormat::Sample> sample = sampleOf(format.sampleFormat());
    if (!sample || format.sampleRate() <= 0 || format.channelCount() <= 0) {
        return false;
    }
    m_format = {format.sampleRate(), format.channelCount(), *sample};
    m_samples.clear();
    m_sink.close();
    m_sink.setBuffer(&m_samples);
    m_sink.open(QIODevice::WriteOnly);
    m_source = std::make_unique<QAudioSource>(device, format);
    m_source->start(&m_sink);
    if (m_source->error() != QAudio::NoError || m_source->state() == QAudio::StoppedState) {
        m_source.reset();
        m_sink.close();
        return false;
    }
    return true;
}

PcmSound QtMicrophone::stop()
{
    if (!m_source) {
        return {};
    }
    m_source->stop();
    m_source.reset();
    m_sink.close();
    PcmSound sound {m_format, m_samples};
    m_samples.clear();
    return sound;
}

} // namespace tavenzo::ui
