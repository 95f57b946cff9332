#include "ui/glue/qt_sound.h"

#include <QAudioFormat>
#include <QAudioSink>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
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

} // namespace

std::optional<PcmSound> QtSoundFileDecoder::decode(const QString& path)
{
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileBytes) {
        return std::nullopt;
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

} // namespace tavenzo::ui
