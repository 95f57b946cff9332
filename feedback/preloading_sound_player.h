#pragma once

#include "feedback/sound_player.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace tavenzo {

// The platform side of sound playback: effects loaded once by path, started and stopped by id.
class SoundEffectBackend {
public:
    virtual ~SoundEffectBackend() = default;
    // An id for the loaded effect, or -1 when the file is missing or cannot be played.
    virtual int load(const QString& path) = 0;
    virtual void start(int id) = 0;
    virtual void stop(int id) = 0;
};

// Keeps one effect per file and stops the sound that is playing before starting the next, so two quick answers
// are heard as the first cut off by the second.
class PreloadingSoundPlayer final : public SoundPlayer {
public:
    explicit PreloadingSoundPlayer(SoundEffectBackend& backend);
    void preload(const QStringList& paths);
    void play(const QString& path) override;

private:
    int effectFor(const QString& path);

    SoundEffectBackend& m_backend;
    QHash<QString, int> m_effects;
    int m_playing = -1;
};

} // namespace tavenzo
