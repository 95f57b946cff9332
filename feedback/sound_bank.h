#pragma once

#include "feedback/pcm_sound.h"
#include "feedback/sound_player.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>

namespace tavenzo {

class BackgroundWork;
class MonotonicClock;

// Answer sounds greet an answer and are kept for the whole run; word sounds say a word and are kept while they are
// among the most recently used.
enum class SoundKind { Answer, Word };

// What a sound asked for does to the one the child hears, or is about to hear once it is decoded: an answer cuts off
// anything, since the child has just answered; a word cuts off another word but never an answer sound, whose end it
// must wait for (the bank says when that is).
constexpr bool cutsOff(SoundKind asked, SoundKind sounding)
{
    return asked == SoundKind::Answer || sounding == SoundKind::Word;
}

// Bounds of the word sounds a sound bank keeps (answer sounds are not counted), and how late it may still start one.
struct SoundBankLimits {
    // A word said in a second takes 129 KiB recorded at 44.1 kHz, 65 KiB synthesised at 22 kHz, silence included:
    // room for about 30 recorded words, where a screen needs at most its six and the six of the next one prepared
    // ahead. Small beside the 40 MiB the program holds anyway.
    qsizetype wordBytes = 4 * 1024 * 1024;
    // As many as the bytes hold of recorded words; it also bounds the words that failed or are being decoded, which
    // hold no samples.
    int wordSounds = 32;
    // A sound asked for while it is still being decoded plays when it is ready only if no more time than this has
    // passed: later it would no longer belong to the answer that asked for it.
    double latestStartSeconds = 0.25;
};

// Every sound the program plays, decoded once away from the user-interface thread and held in memory by id (its
// path, or any name for a sound given as samples), played through one output stream.
//
// The sound server drops what it still holds when a stream closes, and Qt's sink closes the stream as soon as it has
// handed the last byte over: so each sound is kept with half a second of silence after it, and only silence is lost.
// Every stream asks for the same buffer, whatever the server granted the one before (left alone, the grants shrink
// until nothing is heard).
class SoundBank final : public SoundPlayer {
public:
    // What every stream asks the server to hold: the toolkit tops it up 20 ms at a time, so it never runs dry.
    static constexpr int kBufferMilliseconds = 200;
    // Longer than that buffer and the device's own delay together.
    static constexpr int kSilenceMilliseconds = 500;

    using Limits = SoundBankLimits;

    enum class State { Unknown, Decoding, Ready, Failed };

    // Makes the sound's samples; runs away from the user-interface thread, so it may take its time but must not
    // touch what that thread uses.
    using Source = std::function<std::optional<PcmSound>()>;

    SoundBank(SoundFileDecoder& decoder, PcmOutput& output, BackgroundWork& work, MonotonicClock& clock,
        Limits limits = Limits());
    ~SoundBank() override;
    SoundBank(const SoundBank&) = delete;
    SoundBank& operator=(const SoundBank&) = delete;

    // The answer sounds, decoded ahead so the first answer need not wait; the way to the sound server is opened too.
    void preload(const QStringList& paths);
    // An answer sound by its path; a path never seen before is decoded first.
    void play(const QString& path) override;

    // Has the sound made by `source`, or read from the file at `path`, decoded under `id` unless it is known already:
    // a sound that failed is not tried again while it is remembered.
    void prepare(const QString& id, SoundKind kind, Source source);
    void prepareFile(const QString& path, SoundKind kind);
    // Plays a prepared sound as `cutsOff` allows; false when it may not cut off what sounds, or is unknown, so the
    // caller asks again at soundingUntil(). One still being decoded starts when it is ready.
    bool start(const QString& id);
    // Plays an answer sound and, in the same stream, the prepared word right after it: no second stream opens at the
    // answer's end, so the word follows without a gap and never overlaps. A word not ready yet is left out; without
    // an answer sound that can be played, the word is said at once.
    void playThen(const QString& answerPath, const QString& wordId);
    // Silences a sound of this kind, sounding or about to: a word when its screen closes. A word still to come after
    // its answer is dropped and the answer plays on.
    void cutOff(SoundKind kind);

    // When the sound the child hears falls silent (seconds of the clock), counted from its frames; nothing when none
    // is sounding. The sound server's own delay comes on top.
    std::optional<double> soundingUntil() const;
    State state(const QString& id) const;
    int decoding() const { return m_decoding; }
    qsizetype wordBytes() const { return m_wordBytes; }

private:
    struct Entry {
        SoundKind kind = SoundKind::Answer;
        State state = State::Decoding;
        PcmSound sound; // with its silent tail
        double seconds = 0; // without it
        quint64 ticket = 0; // the decode it waits for
        quint64 lastUse = 0;
    };
    struct Asked {
        QString id;
        SoundKind kind = SoundKind::Answer;
        double at = 0;
    };

    void decoded(const QString& id, quint64 ticket, std::optional<PcmSound> sound);
    // Whatever the child hears, or is about to, gives way to a sound of `kind`; false when it may not.
    bool makeWayFor(SoundKind kind);
    void startNow(const QString& id, Entry& entry);
    void stopSounding();
    void touch(Entry& entry) { entry.lastUse = ++m_uses; }
    void trimWords();
    std::optional<SoundKind> soundingKind() const;

    SoundFileDecoder& m_decoder;
    PcmOutput& m_output;
    BackgroundWork& m_work;
    MonotonicClock& m_clock;
    Limits m_limits;
    QHash<QString, Entry> m_sounds;
    std::optional<Asked> m_waiting; // asked for while it was being decoded
    std::optional<Asked> m_sounding;
    double m_soundingUntil = 0;
    // When an answer is followed by a word: the answer's samples, and the time the word takes over.
    PcmSound m_answerPart;
    std::optional<double> m_wordFrom;
    qsizetype m_wordBytes = 0;
    int m_words = 0;
    int m_decoding = 0;
    quint64 m_tickets = 0;
    quint64 m_uses = 0;
    bool m_reachedServer = false;
    // What comes back from a decode after the bank is gone finds this expired.
    std::shared_ptr<int> m_alive = std::make_shared<int>(0);
};

} // namespace tavenzo
