#include "feedback/preloading_sound_player.h"

namespace tavenzo {

PreloadingSoundPlayer::PreloadingSoundPlayer(SoundEffectBackend& backend)
    : m_backend(backend)
{
}

void PreloadingSoundPlayer::preload(const QStringList& paths)
{
    for (const QString& path : paths) {
        effectFor(path);
    }
}

int PreloadingSoundPlayer::effectFor(const QString& path)
{
    const auto it = m_effects.constFind(path);
    if (it != m_effects.constEnd()) {
        return *it;
    }
    // A file that failed to load is remembered too, so a missing sound costs one attempt, not one per answer.
    const int id = m_backend.load(path);
    m_effects.insert(path, id);
    return id;
}

void PreloadingSoundPlayer::play(const QString& path)
{
    const int id = effectFor(path);
    if (m_playing >= 0) {
        m_backend.stop(m_playing);
        m_playing = -1;
    }
    if (id >= 0) {
        m_backend.start(id);
        m_playing = id;
    }
}

} // namespace tavenzo
