#pragma once

#include "feedback/memory_sound_backend.h"
#include "feedback/preloading_sound_player.h"

#include <QAudio>
#include <QAudioDevice>
#include <QBuffer>

#include <memory>

class QAudioSink;

namespace tavenzo::ui {

// Reads a WAV file with the toolkit's own decoder, which plays 8-bit unsigned and 16-bit PCM at any rate.
class QtSoundFileDecoder final : public SoundFileDecoder {
public:
    // Answer sounds last a second or two; a bigger file is not read at all.
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

    bool play(const PcmFormat& format, const QByteArray& samples, qsizetype bufferBytes) override;
    void stop() override;

private:
    void sinkStateChanged(QAudio::State state);

    QBuffer m_source; // before the sink, which reads it to the end
    std::unique_ptr<QAudioSink> m_sink;
    QAudioDevice m_device;
    PcmFormat m_format;
};

// The answer sounds as the program plays them: read whole once, played from memory.
class QtSoundBackend final : public SoundEffectBackend {
public:
    int load(const QString& path) override;
    void start(int id) override { m_sounds.start(id); }
    void stop(int id) override { m_sounds.stop(id); }

private:
    QtSoundFileDecoder m_decoder;
    QtPcmOutput m_output;
    MemorySoundBackend m_sounds {m_decoder, m_output};
};

} // namespace tavenzo::ui
