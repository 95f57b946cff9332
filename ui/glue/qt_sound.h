#pragma once

#include "feedback/microphone.h"
#include "feedback/pcm_sound.h"

#include <QAudio>
#include <QAudioDevice>
#include <QBuffer>

#include <memory>

class QAudioSink;
class QAudioSource;

namespace tavenzo::ui {

// Reads a WAV file with the toolkit's own decoder. Qt 6.4 reads integer PCM under the plain header only: 8-bit
// unsigned, 16-bit, 24-bit (handed over as 16-bit) and 32-bit, at any rate and with any number of channels. Floating
// point samples, the extensible header (which many editors write for 24 and 32 bits or more than two channels) and
// compressed samples it refuses, and those sounds stay silent. Recordings ending in .ogg, .mp3 or .m4a go to the
// system's media decoder instead, which reads those it has a plug-in for.
class QtSoundFileDecoder final : public SoundFileDecoder {
public:
    // An answer or a word lasts a second or two; a bigger file is a long recording and is not read at all.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    std::optional<PcmSound> decode(const QString& path) override;
};

// One audio sink on the default output device, kept from sound to sound while device and format stay the same.
class QtPcmOutput final : public PcmOutput {
public:
    QtPcmOutput();
    ~QtPcmOutput() override;
    QtPcmOutput(const QtPcmOutput&) = delete;
    QtPcmOutput& operator=(const QtPcmOutput&) = delete;

    void reachServer() override;
    bool play(const PcmFormat& format, const QByteArray& samples, qsizetype bufferBytes) override;
    void stop() override;

private:
    void sinkStateChanged(QAudio::State state);

    QBuffer m_source; // before the sink, which reads it to the end
    std::unique_ptr<QAudioSink> m_sink;
    QAudioDevice m_device;
    PcmFormat m_format;
};

// The default input device, recorded into memory: a word lasts a second or two.
class QtMicrophone final : public Microphone {
public:
    QtMicrophone();
    ~QtMicrophone() override;
    QtMicrophone(const QtMicrophone&) = delete;
    QtMicrophone& operator=(const QtMicrophone&) = delete;

    bool start() override;
    PcmSound stop() override;

private:
    QByteArray m_samples;
    QBuffer m_sink; // the source writes into it
    std::unique_ptr<QAudioSource> m_source;
    PcmFormat m_format;
};

} // namespace tavenzo::ui
