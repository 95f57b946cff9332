#include "feedback/sound_bank.h"

#include "core/background_work.h"
#include "core/ports.h"

namespace tavenzo {

SoundBank::SoundBank(
    SoundFileDecoder& decoder, PcmOutput& output, BackgroundWork& work, MonotonicClock& clock, Limits limits)
    : m_decoder(decoder)
    , m_output(output)
    , m_work(work)
    , m_clock(clock)
    , m_limits(limits)
{
}

SoundBank::~SoundBank()
{
    m_output.stop();
}

void SoundBank::preload(const QStringList& paths)
{
    for (const QString& path : paths) {
        prepareFile(path, SoundKind::Answer);
    }
    // While the worker decodes, this thread finds the device.
    if (!m_reachedServer) {
        m_reachedServer = true;
        m_output.reachServer();
    }
}

void SoundBank::play(const QString& path)
{
    prepareFile(path, SoundKind::Answer);
    start(path);
}

void SoundBank::prepareFile(const QString& path, SoundKind kind)
{
    prepare(path, kind, [&decoder = m_decoder, path] { return decoder.decode(path); });
}

void SoundBank::prepare(const QString& id, SoundKind kind, Source source)
{
    const auto known = m_sounds.find(id);
    if (known != m_sounds.end()) {
        touch(*known);
        return;
    }
    Entry entry;
    entry.kind = kind;
    entry.ticket = ++m_tickets;
    touch(entry);
    m_sounds.insert(id, entry);
    if (kind == SoundKind::Word) {
        ++m_words;
    }
    ++m_decoding;
    auto result = std::make_shared<std::optional<PcmSound>>();
    m_work.run([result, source = std::move(source)] { *result = playable(source(), kSilenceMilliseconds); },
        [this, alive = std::weak_ptr<int>(m_alive), id, ticket = entry.ticket, result] {
            if (alive.lock()) {
                decoded(id, ticket, std::move(*result));
            }
        });
    trimWords();
}

void SoundBank::decoded(const QString& id, quint64 ticket, std::optional<PcmSound> sound)
{
    --m_decoding;
    const auto it = m_sounds.find(id);
    // Forgotten while it was being decoded, to make room for newer words.
    if (it == m_sounds.end() || it->ticket != ticket) {
        return;
    }
    Entry& entry = *it;
    if (sound) {
        entry.state = State::Ready;
        entry.seconds = sound->format.secondsOf(sound->samples.size() - sound->format.bytesFor(kSilenceMilliseconds));
        entry.sound = std::move(*sound);
        if (entry.kind == SoundKind::Word) {
            m_wordBytes += entry.sound.samples.size();
        }
    } else {
        entry.state = State::Failed;
    }
    if (m_waiting && m_waiting->id == id) {
        const Asked asked = *m_waiting;
        m_waiting.reset();
        if (entry.state == State::Ready && m_clock.seconds() - asked.at <= m_limits.latestStartSeconds) {
            startNow(id, entry);
        }
    }
    trimWords();
}

bool SoundBank::start(const QString& id)
{
    const auto it = m_sounds.find(id);
    if (it == m_sounds.end() || !makeWayFor(it->kind)) {
        return false;
    }
    touch(*it);
    if (it->state == State::Ready) {
        startNow(id, *it);
    } else if (it->state == State::Decoding) {
        m_waiting = Asked {id, it->kind, m_clock.seconds()};
    }
    return true;
}

void SoundBank::playThen(const QString& answerPath, const QString& wordId)
{
    prepareFile(answerPath, SoundKind::Answer);
    const auto answer = m_sounds.find(answerPath);
    const auto word = m_sounds.find(wordId);
    const bool wordReady = word != m_sounds.end() && word->state == State::Ready;
    // Without an answer sound (its file missing or unplayable) the word is said at once, as the answer.
    if (answer->state == State::Failed && wordReady) {
        makeWayFor(SoundKind::Answer);
        touch(*word);
        startNow(wordId, *word);
        return;
    }
    if (answer->state != State::Ready || !wordReady) {
        start(answerPath);
        return;
    }
    // Said in the answer's format, so one stream plays both; the word's own silent tail gives way to the answer's.
    const PcmFormat& format = answer->sound.format;
    const qsizetype wordBytes = word->sound.samples.size() - word->sound.format.bytesFor(kSilenceMilliseconds);
    const std::optional<PcmSound> said
        = converted(PcmSound {word->sound.format, word->sound.samples.left(wordBytes)}, format);
    if (!said || said->samples.isEmpty()) {
        start(answerPath);
        return;
    }
    makeWayFor(SoundKind::Answer);
    touch(*answer);
    touch(*word);
    const qsizetype answerBytes = answer->sound.samples.size() - format.bytesFor(kSilenceMilliseconds);
    PcmSound both {format, answer->sound.samples.left(answerBytes) + said->samples};
    both.samples.append(format.bytesFor(kSilenceMilliseconds), format.silence());
    if (m_output.play(format, both.samples, format.bytesFor(kBufferMilliseconds))) {
        const double now = m_clock.seconds();
        m_sounding = Asked {answerPath, SoundKind::Answer, now};
        m_answerPart = PcmSound {format, answer->sound.samples.left(answerBytes)};
        m_wordFrom = now + answer->seconds;
        m_soundingUntil = *m_wordFrom + format.secondsOf(said->samples.size());
    }
}

void SoundBank::cutOff(SoundKind kind)
{
    if (m_waiting && m_waiting->kind == kind) {
        m_waiting.reset();
    }
    const std::optional<SoundKind> sounding = soundingKind();
    if (kind == SoundKind::Word && sounding == SoundKind::Answer && m_wordFrom) {
        // The answer plays on from where it is heard, alone.
        const double now = m_clock.seconds();
        const PcmFormat format = m_answerPart.format; // a copy: stopping forgets the answer's part
        const qsizetype heard
            = static_cast<qsizetype>((now - m_sounding->at) * format.sampleRate) * format.bytesPerFrame();
        QByteArray rest = m_answerPart.samples.mid(std::min(heard, m_answerPart.samples.size()));
        rest.append(format.bytesFor(kSilenceMilliseconds), format.silence());
        const Asked answer = *m_sounding;
        const double until = *m_wordFrom;
        stopSounding();
        if (m_output.play(format, rest, format.bytesFor(kBufferMilliseconds))) {
            m_sounding = answer;
            m_soundingUntil = until;
        }
        return;
    }
    if (sounding == kind) {
        stopSounding();
    }
}

bool SoundBank::makeWayFor(SoundKind kind)
{
    const std::optional<SoundKind> ahead = m_waiting ? std::optional(m_waiting->kind) : soundingKind();
    if (ahead && !cutsOff(kind, *ahead)) {
        return false;
    }
    m_waiting.reset();
    stopSounding();
    return true;
}

void SoundBank::startNow(const QString& id, Entry& entry)
{
    m_sounding.reset();
    m_wordFrom.reset();
    const PcmSound& sound = entry.sound;
    if (m_output.play(sound.format, sound.samples, sound.format.bytesFor(kBufferMilliseconds))) {
        const double now = m_clock.seconds();
        m_sounding = Asked {id, entry.kind, now};
        m_soundingUntil = now + entry.seconds;
    }
}

void SoundBank::stopSounding()
{
    if (m_sounding) {
        m_output.stop();
        m_sounding.reset();
    }
    m_wordFrom.reset();
    m_answerPart = {};
}

std::optional<SoundKind> SoundBank::soundingKind() const
{
    const double now = m_clock.seconds();
    if (m_sounding && now < m_soundingUntil) {
        return m_wordFrom && now >= *m_wordFrom ? SoundKind::Word : m_sounding->kind;
    }
    return std::nullopt;
}

std::optional<double> SoundBank::soundingUntil() const
{
    if (soundingKind()) {
        return m_soundingUntil;
    }
    return std::nullopt;
}

SoundBank::State SoundBank::state(const QString& id) const
{
    const auto it = m_sounds.constFind(id);
    return it == m_sounds.constEnd() ? State::Unknown : it->state;
}

void SoundBank::trimWords()
{
    while (m_words > m_limits.wordSounds || m_wordBytes > m_limits.wordBytes) {
        // The least recently used word goes first. The newest stays, so a word larger than the whole budget is kept
        // until the next one comes; so do the one sounding and the one waiting to.
        auto oldest = m_sounds.end();
        auto newest = m_sounds.end();
        for (auto it = m_sounds.begin(); it != m_sounds.end(); ++it) {
            if (it->kind == SoundKind::Word && (newest == m_sounds.end() || it->lastUse > newest->lastUse)) {
                newest = it;
            }
        }
        for (auto it = m_sounds.begin(); it != m_sounds.end(); ++it) {
            const bool kept = it->kind != SoundKind::Word || it == newest
                || (m_sounding && m_sounding->id == it.key() && soundingKind())
                || (m_waiting && m_waiting->id == it.key());
            if (!kept && (oldest == m_sounds.end() || it->lastUse < oldest->lastUse)) {
                oldest = it;
            }
        }
        if (oldest == m_sounds.end()) {
            return;
        }
        --m_words;
        m_wordBytes -= oldest->sound.samples.size();
        m_sounds.erase(oldest);
    }
}

} // namespace tavenzo
