#include "core/background_work.h"
#include "fakes.h"
#include "feedback/sound_bank.h"
#include "feedback/speech_synthesiser.h"
#include "feedback/word_voice.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <QHash>
#include <QThread>

#include <algorithm>
#include <deque>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

// Hands out the sounds it was given by path; any other path is a file it cannot read.
class FakeDecoder final : public SoundFileDecoder {
public:
    std::optional<PcmSound> decode(const QString& path) override
    {
        ++reads;
        const auto it = files.constFind(path);
        if (it == files.constEnd()) {
            return std::nullopt;
        }
        return *it;
    }
    QHash<QString, PcmSound> files;
    int reads = 0;
};

// A sound server as the toolkit's sink meets it: the stream is handed data as far as the buffer it asked for runs
// ahead of what is heard, and once the last byte has been handed over the stream closes and what it still held is
// lost. Time passes only in pass().
class FakeServer final : public PcmOutput {
public:
    void reachServer() override { ++reached; }
    bool play(const PcmFormat& format, const QByteArray& samples, qsizetype bufferBytes) override
    {
        stop();
        if (!device) {
            return false;
        }
        m_format = format;
        m_samples = samples;
        m_buffer = bufferBytes;
        m_heard = 0;
        m_open = true;
        buffers.append(bufferBytes);
        closeIfAllHandedOver();
        return true;
    }
    void stop() override
    {
        if (m_open) {
            heard.append(m_samples.left(m_heard));
            m_open = false;
        }
    }
    void pass(int milliseconds)
    {
        if (m_open) {
            m_heard = std::min(m_heard + m_format.bytesFor(milliseconds), m_samples.size());
            closeIfAllHandedOver();
        }
    }
    bool open() const { return m_open; }

    bool device = true;
    int reached = 0;
    QList<QByteArray> heard; // what each stream was heard to play, in order
    QList<qsizetype> buffers; // what each stream asked the server to hold

private:
    void closeIfAllHandedOver()
    {
        if (m_heard + m_buffer >= m_samples.size()) {
            stop();
        }
    }

    PcmFormat m_format;
    QByteArray m_samples;
    qsizetype m_buffer = 0;
    qsizetype m_heard = 0;
    bool m_open = false;
};

// Work done when the test says so, on the test's own thread; or at once, when it is not told to hold it.
class FakeWork final : public BackgroundWork {
public:
    void run(std::function<void()> work, std::function<void()> done) override
    {
        if (!hold) {
            work();
            done();
            return;
        }
        m_jobs.push_back({std::move(work), std::move(done)});
    }
    void finishAll()
    {
        while (!m_jobs.empty()) {
            Job job = std::move(m_jobs.front());
            m_jobs.pop_front();
            job.work();
            job.done();
        }
    }
    size_t waiting() const { return m_jobs.size(); }

    bool hold = false;

private:
    struct Job {
        std::function<void()> work;
        std::function<void()> done;
    };
    std::deque<Job> m_jobs;
};

// A sound whose every byte is audible (never the format's silence), so a lost byte cannot hide in a quiet stretch;
// sounds of different seeds differ from their first byte.
QByteArray audible(const PcmFormat& format, int milliseconds, int seed = 0)
{
    QByteArray bytes(format.bytesFor(milliseconds), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(0x01 + (i * 7 + seed * 13) % 0x70);
    }
    return bytes;
}

bool onlySilence(const QByteArray& bytes, const PcmFormat& format)
{
    return std::all_of(bytes.begin(), bytes.end(), [&format](char b) { return b == format.silence(); });
}

const PcmFormat kBundled {22050, 1, PcmFormat::Sample::Int16};

struct Bench {
    explicit Bench(SoundBank::Limits limits = SoundBank::Limits())
        : bank(decoder, server, work, clock, limits)
    {
    }
    // Sound and clock go on together.
    void pass(int milliseconds)
    {
        server.pass(milliseconds);
        clock.now += milliseconds / 1000.0;
    }
    void passUntilQuiet()
    {
        while (server.open()) {
            pass(10);
        }
    }
    void addFile(const QString& name, int milliseconds, int seed)
    {
        decoder.files.insert(name, {kBundled, audible(kBundled, milliseconds, seed)});
    }
    // Each stream heard, named after the file it played: "si1 whole", "no cut".
    QStringList heard() const
    {
        QStringList names;
        for (const QByteArray& stream : server.heard) {
            QString name = QStringLiteral("nothing");
            for (auto it = decoder.files.constBegin(); it != decoder.files.constEnd() && !stream.isEmpty(); ++it) {
                const QByteArray& sound = it->samples;
                if (stream.startsWith(sound) && onlySilence(stream.mid(sound.size()), it->format)) {
                    name = QString(it.key()).remove(QStringLiteral(".wav")) + QStringLiteral(" whole");
                } else if (sound.startsWith(stream)) {
                    name = QString(it.key()).remove(QStringLiteral(".wav")) + QStringLiteral(" cut");
                }
            }
            names.append(name);
        }
        return names;
    }

    FakeDecoder decoder;
    FakeServer server;
    FakeWork work;
    FakeClock clock;
    SoundBank bank;
};

// ---- the sounds as they are heard -----------------------------------------------------------------------------------

struct SoundCase {
    const char* name;
    PcmFormat format;
    int milliseconds;
};

void PrintTo(const SoundCase& c, std::ostream* out)
{
    *out << c.name;
}

class WholeSounds : public ::testing::TestWithParam<SoundCase> { };

// The toolkit closes the stream as soon as it has handed the last byte over; only the silence after the sound may be
// lost then, however short the sound and whatever its format.
TEST_P(WholeSounds, AreHeardToTheirLastSampleAndOnlySilenceIsLost)
{
    const SoundCase& c = GetParam();
    Bench bench;
    const QByteArray sound = audible(c.format, c.milliseconds);
    bench.decoder.files.insert("s.wav", {c.format, sound});
    bench.bank.play("s.wav");
    bench.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), 1);
    const QByteArray& heard = bench.server.heard.first();
    EXPECT_TRUE(heard.startsWith(sound)) << "heard " << heard.size() << " of " << sound.size() << " bytes";
    EXPECT_TRUE(onlySilence(heard.mid(sound.size()), c.format));
}

INSTANTIATE_TEST_SUITE_P(SoundsInMemory, WholeSounds,
    ::testing::Values(SoundCase {"Bundled", kBundled, 773}, SoundCase {"ShorterThanTheBuffer", kBundled, 30},
        SoundCase {"CdStereo", {44100, 2, PcmFormat::Sample::Int16}, 940},
        SoundCase {"Unsigned8Bit", {8000, 1, PcmFormat::Sample::UInt8}, 600},
        SoundCase {"FloatSurround", {48000, 6, PcmFormat::Sample::Float}, 250}),
    [](const ::testing::TestParamInfo<SoundCase>& info) { return std::string(info.param.name); });

TEST(SoundsInMemory, ANewAnswerCutsOffTheSoundStillPlaying)
{
    Bench bench;
    const QByteArray first = audible(kBundled, 800, 1);
    const QByteArray second = audible(kBundled, 600, 2);
    bench.decoder.files.insert("si1.wav", {kBundled, first});
    bench.decoder.files.insert("no.wav", {kBundled, second});
    bench.bank.preload({"si1.wav", "no.wav"});
    bench.bank.play("si1.wav");
    bench.pass(300);
    bench.bank.play("no.wav");
    bench.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), 2);
    EXPECT_EQ(bench.server.heard.at(0), first.left(kBundled.bytesFor(300)));
    EXPECT_TRUE(bench.server.heard.at(1).startsWith(second));
    EXPECT_EQ(bench.decoder.reads, 2) << "each file is read once";
    // Left alone, the sink would ask each stream for what the server granted the one before, a little less each time.
    EXPECT_EQ(bench.server.buffers, (QList<qsizetype> {kBundled.bytesFor(200), kBundled.bytesFor(200)}));
}

// A child answering fast for a long while: answers come 50 ms to 1.2 s apart, so most cut off the sound before.
// Every answer's sound must start from its first sample and end whole or cut off by the next answer, never silent.
TEST(SoundsInMemory, ALongQuickSessionHearsEveryAnswer)
{
    Bench bench;
    const QStringList names {"si1.wav", "si2.wav", "si3.wav", "si4.wav", "no.wav"};
    for (int i = 0; i < names.size(); ++i) {
        bench.addFile(names[i], 620 + 80 * i, i);
    }
    bench.bank.preload(names);
    SeededRandom random(2024);
    QStringList played;
    for (int answer = 0; answer < 200; ++answer) {
        const QString name = names[drawWhole(random, 5) - 1];
        bench.bank.play(name);
        played.append(name);
        bench.pass(50 + static_cast<int>(random.next() * 1150));
    }
    bench.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), played.size());
    for (int i = 0; i < played.size(); ++i) {
        const QByteArray& heard = bench.server.heard.at(i);
        const QByteArray& sound = bench.decoder.files.value(played[i]).samples;
        ASSERT_GE(heard.size(), kBundled.bytesFor(50)) << "answer " << i << " was not heard";
        ASSERT_TRUE(sound.startsWith(heard.left(sound.size()))) << "answer " << i;
        ASSERT_TRUE(onlySilence(heard.mid(sound.size()), kBundled)) << "answer " << i;
    }
}

TEST(SoundsInMemory, UnplayableFilesPlayNothingAndTheNextSoundPlays)
{
    Bench bench;
    const PcmFormat stereo {44100, 2, PcmFormat::Sample::Int16};
    const QByteArray good = audible(kBundled, 400);
    bench.decoder.files.insert("vuoto.wav", {kBundled, {}});
    bench.decoder.files.insert("mezzo-frame.wav", {stereo, QByteArray(3, '\x11')});
    bench.decoder.files.insert("senza-canali.wav", {{22050, 0, PcmFormat::Sample::Int16}, good});
    bench.decoder.files.insert("senza-frequenza.wav", {{0, 1, PcmFormat::Sample::Int16}, good});
    bench.decoder.files.insert("si1.wav", {kBundled, good});
    const QStringList unplayable {
        "mancante.wav", "vuoto.wav", "mezzo-frame.wav", "senza-canali.wav", "senza-frequenza.wav"};
    bench.bank.preload(unplayable);
    for (const QString& name : unplayable) {
        EXPECT_EQ(bench.bank.state(name), SoundBank::State::Failed) << name.toStdString();
    }
    bench.bank.play("si1.wav");
    bench.pass(100);
    bench.bank.play("mancante.wav");
    bench.bank.play("mezzo-frame.wav");
    bench.bank.play("si1.wav");
    bench.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), 2) << "the unplayable files opened no stream";
    EXPECT_EQ(bench.server.heard.at(0), good.left(kBundled.bytesFor(100)));
    EXPECT_TRUE(bench.server.heard.at(1).startsWith(good));
}

TEST(SoundsInMemory, AFrameCutShortAtTheEndIsLeftOut)
{
    Bench bench;
    const PcmFormat stereo {44100, 2, PcmFormat::Sample::Int16};
    const QByteArray frames = audible(stereo, 200);
    bench.decoder.files.insert("tronco.wav", {stereo, frames + QByteArray(3, '\x7f')});
    bench.bank.play("tronco.wav");
    bench.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), 1);
    const QByteArray& heard = bench.server.heard.first();
    EXPECT_TRUE(heard.startsWith(frames));
    EXPECT_TRUE(onlySilence(heard.mid(frames.size()), stereo)) << "the stray bytes would shift every later frame";
}

TEST(SoundsInMemory, WithoutAnAudioDeviceNothingPlaysUntilOneAppears)
{
    Bench bench;
    const QByteArray sound = audible(kBundled, 500);
    bench.decoder.files.insert("no.wav", {kBundled, sound});
    bench.server.device = false;
    bench.bank.play("no.wav");
    bench.bank.play("no.wav");
    EXPECT_FALSE(bench.bank.soundingUntil()) << "nothing is sounding";
    bench.passUntilQuiet();
    EXPECT_TRUE(bench.server.heard.isEmpty());
    // Headphones plugged in, or the sound server started late.
    bench.server.device = true;
    bench.bank.play("no.wav");
    bench.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), 1);
    EXPECT_TRUE(bench.server.heard.first().startsWith(sound));
}

TEST(SoundPlayer, NewSoundCutsOffThePreviousOne)
{
    Bench bench;
    bench.addFile("a.wav", 500, 1);
    bench.addFile("b.wav", 500, 2);
    bench.bank.preload({"a.wav", "b.wav"});
    bench.bank.play("a.wav");
    bench.pass(100);
    bench.bank.play("b.wav");
    bench.pass(100);
    bench.bank.play("a.wav");
    bench.passUntilQuiet();
    EXPECT_EQ(bench.heard(), (QStringList {"a cut", "b cut", "a whole"}));
    EXPECT_EQ(bench.decoder.reads, 2) << "each file is loaded once";
    EXPECT_EQ(bench.server.reached, 1) << "the way to the sound server is opened while the sounds are loaded";
}

TEST(SoundPlayer, MissingFileStopsTheOldSoundAndPlaysNothing)
{
    Bench bench;
    bench.addFile("a.wav", 500, 1);
    bench.bank.play("a.wav");
    bench.pass(100);
    bench.bank.play("missing.wav");
    bench.bank.play("missing.wav");
    bench.passUntilQuiet();
    EXPECT_EQ(bench.heard(), QStringList {"a cut"});
    EXPECT_EQ(bench.decoder.reads, 2) << "a missing file is tried once";
}

// ---- which sound cuts off which -------------------------------------------------------------------------------------

enum class Then { AnswerAfter, WordAfter, LeaveScreenAfter, AnswerLeaveScreenAfter };

struct CutCase {
    const char* name;
    SoundKind first; // started at once
    bool firstDecoded; // or still being decoded when the next request comes
    Then then;
    int afterMs;
    bool taken; // whether the second sound was allowed to start
    QStringList heard;
};

void PrintTo(const CutCase& c, std::ostream* out)
{
    *out << c.name;
}

class CutOffRule : public ::testing::TestWithParam<CutCase> { };

TEST_P(CutOffRule, DecidesWhatTheChildHears)
{
    const CutCase& c = GetParam();
    Bench bench;
    bench.addFile("si1.wav", 700, 1);
    bench.addFile("no.wav", 700, 2);
    bench.addFile("cane.wav", 600, 3);
    bench.addFile("gatto.wav", 600, 4);
    bench.bank.preload({"no.wav"});
    bench.bank.prepareFile("gatto.wav", SoundKind::Word);
    const QString first = c.first == SoundKind::Answer ? "si1.wav" : "cane.wav";
    bench.work.hold = !c.firstDecoded;
    bench.bank.prepareFile(first, c.first);
    ASSERT_TRUE(bench.bank.start(first));
    bench.pass(c.afterMs);
    bool taken = true;
    switch (c.then) {
    case Then::AnswerAfter:
        taken = bench.bank.start("no.wav");
        break;
    case Then::WordAfter:
        taken = bench.bank.start("gatto.wav");
        break;
    case Then::LeaveScreenAfter:
        bench.bank.cutOff(SoundKind::Word);
        break;
    case Then::AnswerLeaveScreenAfter:
        bench.bank.cutOff(SoundKind::Answer);
        break;
    }
    bench.work.finishAll();
    bench.passUntilQuiet();
    EXPECT_EQ(taken, c.taken);
    EXPECT_EQ(bench.heard(), c.heard);
}

INSTANTIATE_TEST_SUITE_P(SoundBank, CutOffRule,
    ::testing::Values(
        CutCase {"AnswerCutsOffAnswer", SoundKind::Answer, true, Then::AnswerAfter, 200, true, {"si1 cut", "no whole"}},
        CutCase {"AnswerCutsOffWord", SoundKind::Word, true, Then::AnswerAfter, 200, true, {"cane cut", "no whole"}},
        CutCase {"WordCutsOffWord", SoundKind::Word, true, Then::WordAfter, 200, true, {"cane cut", "gatto whole"}},
        CutCase {"WordWaitsForTheAnswer", SoundKind::Answer, true, Then::WordAfter, 200, false, {"si1 whole"}},
        CutCase {"WordOnceTheAnswerHasEnded", SoundKind::Answer, true, Then::WordAfter, 700, true,
            {"si1 whole", "gatto whole"}},
        CutCase {
            "LeavingTheScreenSilencesAWord", SoundKind::Word, true, Then::LeaveScreenAfter, 200, true, {"cane cut"}},
        CutCase {"LeavingTheScreenLetsAnAnswerEnd", SoundKind::Answer, true, Then::LeaveScreenAfter, 200, true,
            {"si1 whole"}},
        CutCase {
            "AnAnswerSilencedByKind", SoundKind::Answer, true, Then::AnswerLeaveScreenAfter, 200, true, {"si1 cut"}},
        CutCase {
            "WordWaitsForAnAnswerStillDecoding", SoundKind::Answer, false, Then::WordAfter, 100, false, {"si1 whole"}},
        CutCase {
            "AnswerReplacesAWordStillDecoding", SoundKind::Word, false, Then::AnswerAfter, 100, true, {"no whole"}},
        CutCase {
            "LeavingTheScreenDropsAWordStillDecoding", SoundKind::Word, false, Then::LeaveScreenAfter, 100, true, {}}),
    [](const ::testing::TestParamInfo<CutCase>& info) { return std::string(info.param.name); });

// ---- how long the sound lasts ---------------------------------------------------------------------------------------

TEST(SoundBank, SaysWhenTheSoundingSoundFallsSilent)
{
    Bench bench;
    bench.addFile("si1.wav", 600, 1);
    bench.addFile("no.wav", 800, 2);
    bench.bank.preload({"si1.wav", "no.wav"});
    EXPECT_FALSE(bench.bank.soundingUntil());
    const double start = bench.clock.now;
    bench.bank.play("si1.wav");
    ASSERT_TRUE(bench.bank.soundingUntil());
    // From its frames, without the silence after it.
    EXPECT_DOUBLE_EQ(*bench.bank.soundingUntil(), start + 0.6);
    bench.pass(300);
    bench.bank.play("no.wav");
    EXPECT_DOUBLE_EQ(*bench.bank.soundingUntil(), start + 0.3 + 0.8);
    bench.pass(799);
    EXPECT_TRUE(bench.bank.soundingUntil());
    bench.pass(5);
    EXPECT_FALSE(bench.bank.soundingUntil()) << "only its silence is left";
    bench.bank.play("si1.wav");
    bench.bank.cutOff(SoundKind::Answer);
    EXPECT_FALSE(bench.bank.soundingUntil()) << "cut off";
}

// ---- decoded away from the user-interface thread --------------------------------------------------------------------

TEST(SoundsDecodedAway, NothingIsReadOnTheAskingThreadAndTheFirstAnswerPlaysOnceReady)
{
    Bench bench;
    bench.work.hold = true;
    bench.addFile("si1.wav", 600, 1);
    bench.addFile("no.wav", 600, 2);
    bench.bank.preload({"si1.wav", "no.wav"});
    EXPECT_EQ(bench.decoder.reads, 0);
    EXPECT_EQ(bench.bank.decoding(), 2);
    EXPECT_EQ(bench.bank.state("si1.wav"), SoundBank::State::Decoding);
    EXPECT_EQ(bench.server.reached, 1) << "the server is reached meanwhile";
    // An answer given before its sound is ready plays as soon as it is, if that is soon enough.
    bench.bank.play("no.wav");
    bench.pass(100);
    bench.work.finishAll();
    EXPECT_EQ(bench.bank.decoding(), 0);
    EXPECT_EQ(bench.bank.state("si1.wav"), SoundBank::State::Ready);
    bench.passUntilQuiet();
    EXPECT_EQ(bench.heard(), QStringList {"no whole"});
}

TEST(SoundsDecodedAway, ASoundReadyTooLateForItsAnswerIsNotPlayed)
{
    Bench bench;
    bench.work.hold = true;
    bench.addFile("no.wav", 600, 2);
    bench.bank.play("no.wav");
    bench.pass(260);
    bench.work.finishAll();
    bench.passUntilQuiet();
    EXPECT_TRUE(bench.heard().isEmpty());
    bench.bank.play("no.wav");
    bench.passUntilQuiet();
    EXPECT_EQ(bench.heard(), QStringList {"no whole"}) << "the next answer plays it";
}

TEST(SoundsDecodedAway, OnlyTheLastSoundAskedForWaitsNothingQueuesUp)
{
    Bench bench;
    bench.work.hold = true;
    bench.addFile("si1.wav", 600, 1);
    bench.addFile("si2.wav", 600, 2);
    bench.addFile("no.wav", 600, 3);
    bench.bank.play("si1.wav");
    bench.bank.play("si2.wav");
    bench.bank.play("no.wav");
    bench.work.finishAll();
    bench.passUntilQuiet();
    EXPECT_EQ(bench.heard(), QStringList {"no whole"});
}

TEST(SoundsDecodedAway, ASoundMadeAsSamplesIsMadeAwayAndPlayedWhole)
{
    Bench bench;
    bench.work.hold = true;
    const PcmFormat voice {22050, 1, PcmFormat::Sample::Float};
    const QByteArray said = audible(voice, 400, 5);
    int made = 0;
    bench.bank.prepare("voce:cane", SoundKind::Word, [&made, voice, said] {
        ++made;
        return std::optional<PcmSound>({voice, said});
    });
    EXPECT_EQ(made, 0);
    bench.work.finishAll();
    EXPECT_EQ(made, 1);
    ASSERT_TRUE(bench.bank.start("voce:cane"));
    EXPECT_DOUBLE_EQ(*bench.bank.soundingUntil(), bench.clock.now + 0.4);
    bench.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), 1);
    EXPECT_TRUE(bench.server.heard.first().startsWith(said));
    EXPECT_TRUE(onlySilence(bench.server.heard.first().mid(said.size()), voice));
    EXPECT_EQ(bench.bank.wordBytes(), said.size() + voice.bytesFor(SoundBank::kSilenceMilliseconds));
}

TEST(SoundsDecodedAway, WhatComesBackAfterTheBankIsGoneIsDropped)
{
    FakeDecoder decoder;
    FakeServer server;
    FakeWork work;
    FakeClock clock;
    work.hold = true;
    decoder.files.insert("no.wav", {kBundled, audible(kBundled, 300)});
    {
        SoundBank bank(decoder, server, work, clock);
        bank.play("no.wav");
    }
    work.finishAll();
    EXPECT_TRUE(server.heard.isEmpty());
}

// ---- what the word cache keeps --------------------------------------------------------------------------------------

// A script of steps on words 1..9: "p3" prepares word 3, a sound of 100 ms, "P3" one of a second, "x3" one whose
// file cannot be read; "s3" starts word 3 and lets 20 ms pass, "e" lets any sound end.
struct CacheCase {
    const char* name;
    int wordSounds;
    double wordBytesInShortWords;
    const char* steps;
    const char* kept;
};

void PrintTo(const CacheCase& c, std::ostream* out)
{
    *out << c.name;
}

class WordCache : public ::testing::TestWithParam<CacheCase> { };

TEST_P(WordCache, KeepsTheMostRecentlyUsedWordsAndEveryAnswer)
{
    const CacheCase& c = GetParam();
    const qsizetype silence = kBundled.bytesFor(SoundBank::kSilenceMilliseconds);
    SoundBank::Limits limits;
    limits.wordSounds = c.wordSounds;
    limits.wordBytes = static_cast<qsizetype>(c.wordBytesInShortWords * double(kBundled.bytesFor(100) + silence));
    Bench bench(limits);
    const QStringList answers {"si1.wav", "si2.wav", "si3.wav", "si4.wav", "no.wav"};
    for (int i = 0; i < answers.size(); ++i) {
        bench.addFile(answers[i], 2000, 20 + i);
    }
    bench.bank.preload(answers);
    QHash<QString, qsizetype> sizes;
    for (const QString& step : QString::fromLatin1(c.steps).split(QLatin1Char(' '))) {
        const QString word = QStringLiteral("w") + step.mid(1);
        if (step.startsWith(QLatin1Char('s'))) {
            bench.bank.start(word);
            bench.pass(20);
        } else if (step == QLatin1String("e")) {
            bench.passUntilQuiet();
        } else {
            if (!step.startsWith(QLatin1Char('x'))) {
                bench.addFile(word, step.startsWith(QLatin1Char('P')) ? 1000 : 100, step.mid(1).toInt());
                sizes.insert(word, bench.decoder.files.value(word).samples.size() + silence);
            }
            bench.bank.prepareFile(word, SoundKind::Word);
        }
    }
    QStringList kept;
    qsizetype bytes = 0;
    for (int w = 1; w <= 9; ++w) {
        const QString word = QStringLiteral("w%1").arg(w);
        if (bench.bank.state(word) != SoundBank::State::Unknown) {
            kept.append(QString::number(w));
            bytes += sizes.value(word);
        }
    }
    EXPECT_EQ(kept.join(QLatin1Char(' ')), QString::fromLatin1(c.kept));
    EXPECT_EQ(bench.bank.wordBytes(), bytes);
    for (const QString& answer : answers) {
        EXPECT_EQ(bench.bank.state(answer), SoundBank::State::Ready) << answer.toStdString() << " is pinned";
    }
}

INSTANTIATE_TEST_SUITE_P(SoundBank, WordCache,
    ::testing::Values(CacheCase {"UnderBothBoundsAllStay", 4, 4, "p1 p2 p3 p4", "1 2 3 4"},
        CacheCase {"TheCountDropsTheLeastRecentlyUsed", 3, 100, "p1 p2 p3 p4", "2 3 4"},
        CacheCase {"PreparingAgainRenewsAWord", 3, 100, "p1 p2 p3 p1 p4", "1 3 4"},
        CacheCase {"PlayingRenewsAWord", 3, 100, "p1 p2 p3 s1 e p4 p5", "1 4 5"},
        CacheCase {"TheWordSoundingStays", 2, 100, "p1 s1 p2 p3", "1 3"},
        CacheCase {"TheBytesDropTheOldest", 32, 2.5, "p1 p2 p3", "2 3"},
        CacheCase {"AWordOverTheWholeBudgetStaysAlone", 32, 2, "p1 p2 P3", "3"},
        CacheCase {"AndGoesWhenTheNextComes", 32, 2, "p1 P2 p3", "3"},
        CacheCase {"FailedWordsAreRememberedAndCounted", 3, 100, "x1 x2 p3 p4", "2 3 4"}),
    [](const ::testing::TestParamInfo<CacheCase>& info) { return std::string(info.param.name); });

TEST(WordCacheDecodes, AFailedWordIsTriedOnceWhileRememberedAndAgainOnceForgotten)
{
    SoundBank::Limits limits;
    limits.wordSounds = 2;
    Bench bench(limits);
    bench.addFile("gatto.wav", 100, 1);
    bench.addFile("mela.wav", 100, 2);
    for (int i = 0; i < 3; ++i) {
        bench.bank.prepareFile("cane.wav", SoundKind::Word);
        bench.bank.start("cane.wav");
    }
    EXPECT_EQ(bench.decoder.reads, 1);
    EXPECT_EQ(bench.bank.state("cane.wav"), SoundBank::State::Failed);
    bench.bank.prepareFile("gatto.wav", SoundKind::Word);
    bench.bank.prepareFile("mela.wav", SoundKind::Word);
    EXPECT_EQ(bench.bank.state("cane.wav"), SoundBank::State::Unknown);
    bench.bank.prepareFile("cane.wav", SoundKind::Word);
    EXPECT_EQ(bench.decoder.reads, 4) << "a teacher may have recorded it meanwhile";
}

TEST(WordCacheDecodes, AWordForgottenWhileBeingDecodedIsDroppedWhenItComesBack)
{
    SoundBank::Limits limits;
    limits.wordSounds = 1;
    Bench bench(limits);
    bench.work.hold = true;
    bench.addFile("cane.wav", 100, 1);
    bench.addFile("gatto.wav", 100, 2);
    bench.bank.prepareFile("cane.wav", SoundKind::Word);
    bench.bank.prepareFile("gatto.wav", SoundKind::Word);
    EXPECT_EQ(bench.bank.state("cane.wav"), SoundBank::State::Unknown);
    bench.work.finishAll();
    EXPECT_EQ(bench.bank.decoding(), 0);
    EXPECT_EQ(bench.bank.state("cane.wav"), SoundBank::State::Unknown);
    EXPECT_EQ(bench.bank.state("gatto.wav"), SoundBank::State::Ready);
    EXPECT_EQ(bench.bank.wordBytes(),
        bench.decoder.files.value("gatto.wav").samples.size() + kBundled.bytesFor(SoundBank::kSilenceMilliseconds));
    // Prepared again, it is decoded afresh.
    bench.bank.prepareFile("cane.wav", SoundKind::Word);
    bench.work.finishAll();
    EXPECT_EQ(bench.bank.state("cane.wav"), SoundBank::State::Ready);
    EXPECT_EQ(bench.bank.state("gatto.wav"), SoundBank::State::Unknown);
}

// ---- the word after the answer --------------------------------------------------------------------------------------

// A word recorded at 44.1 kHz in stereo, as a teacher's phone gives it, said after a bundled answer sound.
const PcmFormat kPhone {44100, 2, PcmFormat::Sample::Int16};

struct WordBench : Bench {
    WordBench()
    {
        addFile("si1.wav", 700, 1);
        addFile("no.wav", 600, 2);
        bank.preload({"si1.wav", "no.wav"});
        word = audible(kPhone, 500, 3);
        bank.prepare("voce:gatto", SoundKind::Word, [this] { return std::optional<PcmSound>({kPhone, word}); });
    }
    QByteArray answer() const { return decoder.files.value("si1.wav").samples; }
    QByteArray wordAsAnswer() const { return converted({kPhone, word}, kBundled)->samples; }
    QByteArray word;
};

TEST(WordAfterAnswer, FollowsTheAnswerSoundInTheSameStreamWithoutAGap)
{
    WordBench bench;
    const double start = bench.clock.now;
    bench.bank.playThen("si1.wav", "voce:gatto");
    ASSERT_TRUE(bench.bank.soundingUntil());
    EXPECT_NEAR(*bench.bank.soundingUntil(), start + 0.7 + 0.5, 1e-6);
    bench.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), 1) << "one stream: nothing opens or closes between the two";
    const QByteArray& heard = bench.server.heard.first();
    const QByteArray both = bench.answer() + bench.wordAsAnswer();
    EXPECT_TRUE(heard.startsWith(both)) << "heard " << heard.size() << " of " << both.size() << " bytes";
    EXPECT_TRUE(onlySilence(heard.mid(both.size()), kBundled));
    EXPECT_EQ(bench.wordAsAnswer().size(), kBundled.bytesFor(500)) << "said in the answer's format at its length";
}

TEST(WordAfterAnswer, AWordNotReadyYetIsLeftOutAndTheAnswerPlaysAlone)
{
    WordBench bench;
    bench.work.hold = true;
    bench.bank.prepareFile("cane.wav", SoundKind::Word);
    bench.addFile("cane.wav", 400, 4);
    bench.bank.playThen("si1.wav", "cane.wav");
    bench.pass(200);
    bench.bank.playThen("no.wav", "sconosciuta");
    bench.work.finishAll();
    bench.passUntilQuiet();
    EXPECT_EQ(bench.heard(), (QStringList {"si1 cut", "no whole"}));
}

TEST(WordAfterAnswer, WithoutAnAnswerSoundTheWordIsSaidAtOnce)
{
    WordBench bench;
    bench.bank.playThen("suoni-mancanti/si1.wav", "voce:gatto");
    ASSERT_TRUE(bench.bank.soundingUntil());
    EXPECT_NEAR(*bench.bank.soundingUntil(), bench.clock.now + 0.5, 1e-6);
    bench.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), 1);
    EXPECT_TRUE(bench.server.heard.first().startsWith(bench.word));
}

enum class During { LeaveScreen, NewAnswer, NextWord };

struct AfterCase {
    const char* name;
    int afterMs;
    During what;
    // What is heard: the answer's bytes, then the word's, in the order of the streams.
    QList<std::pair<int, int>> answerSpans; // [from, to) milliseconds of the answer in each stream
    int wordMs; // how much of the word is heard
    bool taken = true;
};

void PrintTo(const AfterCase& c, std::ostream* out)
{
    *out << c.name;
}

class WordAfterAnswerCut : public ::testing::TestWithParam<AfterCase> { };

TEST_P(WordAfterAnswerCut, DecidesWhatIsHeard)
{
    const AfterCase& c = GetParam();
    WordBench bench;
    bench.addFile("cane.wav", 300, 5);
    bench.bank.prepareFile("cane.wav", SoundKind::Word);
    bench.bank.playThen("si1.wav", "voce:gatto");
    bench.pass(c.afterMs);
    bool taken = true;
    switch (c.what) {
    case During::LeaveScreen:
        bench.bank.cutOff(SoundKind::Word);
        break;
    case During::NewAnswer:
        taken = bench.bank.start("no.wav");
        break;
    case During::NextWord:
        taken = bench.bank.start("cane.wav");
        break;
    }
    bench.passUntilQuiet();
    EXPECT_EQ(taken, c.taken);
    const QByteArray answer = bench.answer();
    const QByteArray said = bench.wordAsAnswer();
    QByteArray answerHeard;
    QByteArray wordHeard;
    for (int i = 0; i < bench.server.heard.size(); ++i) {
        const QByteArray& stream = bench.server.heard.at(i);
        if (i < c.answerSpans.size()) {
            const auto [from, to] = c.answerSpans.at(i);
            const QByteArray span = answer.mid(kBundled.bytesFor(from), kBundled.bytesFor(to - from));
            ASSERT_TRUE(stream.startsWith(span)) << "stream " << i;
            answerHeard += span;
            if (i == 0) {
                wordHeard = stream.mid(span.size());
            }
        }
    }
    EXPECT_EQ(answerHeard, answer.left(answerHeard.size()));
    EXPECT_TRUE(said.startsWith(wordHeard.left(said.size())));
    EXPECT_NEAR(kBundled.secondsOf(std::min(wordHeard.size(), said.size())), c.wordMs / 1000.0, 0.011);
}

INSTANTIATE_TEST_SUITE_P(SoundBank, WordAfterAnswerCut,
    ::testing::Values(
        // Leaving during the answer: the answer plays to its end, from where it was, and the word is not said.
        AfterCase {
            "LeavingDuringTheAnswerLetsItEndAndDropsTheWord", 200, During::LeaveScreen, {{0, 200}, {200, 700}}, 0},
        AfterCase {"LeavingDuringTheWordCutsItOff", 900, During::LeaveScreen, {{0, 700}}, 200},
        AfterCase {"ANewAnswerCutsOffTheWord", 900, During::NewAnswer, {{0, 700}}, 200},
        AfterCase {"ANewAnswerCutsOffTheAnswerAndItsWord", 300, During::NewAnswer, {{0, 300}}, 0},
        AfterCase {"ANextWordWaitsForTheAnswer", 300, During::NextWord, {{0, 700}}, 500, false},
        AfterCase {"ANextWordCutsOffTheWord", 900, During::NextWord, {{0, 700}}, 200}),
    [](const ::testing::TestParamInfo<AfterCase>& info) { return std::string(info.param.name); });

// ---- whose voice ----------------------------------------------------------------------------------------------------

class FakeSynthesiser final : public SpeechSynthesiser {
public:
    std::optional<PcmSound> say(const QString& word) override
    {
        asked.append(word);
        if (!voice) {
            return std::nullopt;
        }
        return PcmSound {kBundled, audible(kBundled, 450, 9)};
    }
    QStringList asked;
    bool voice = true;
};

enum class Recording { None, Good, Broken };

struct VoiceCase {
    const char* name;
    Recording recording;
    bool synthesiser;
    const char* heard; // "recording", "synthesiser" or "nothing"
};

void PrintTo(const VoiceCase& c, std::ostream* out)
{
    *out << c.name;
}

class WhoseVoice : public ::testing::TestWithParam<VoiceCase> { };

TEST_P(WhoseVoice, TheTeachersRecordingElseTheSynthesiserElseSilence)
{
    const VoiceCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    ASSERT_TRUE(QDir(folder.path()).mkpath("voci"));
    const QString recording = folder.filePath("voci/gatto.wav");
    Bench bench;
    bench.addFile("si1.wav", 300, 1);
    if (c.recording != Recording::None) {
        QFile file(recording);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        if (c.recording == Recording::Good) {
            bench.decoder.files.insert(recording, {kPhone, audible(kPhone, 600, 7)});
        }
    }
    ContentFinder recordings(voiceKind(), {folder.path()});
    FakeSynthesiser synthesiser;
    synthesiser.voice = c.synthesiser;
    WordVoice voice(bench.bank, recordings, bench.decoder, &synthesiser);
    voice.prepareWord("GATTO");
    voice.answerThenWord("si1.wav", "GATTO");
    ASSERT_TRUE(voice.heardUntil());
    const double word = *voice.heardUntil() - bench.clock.now - 0.3;
    bench.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), 1);
    const QString heard = word < 0.001 ? "nothing" : std::abs(word - 0.6) < 0.001 ? "recording" : "synthesiser";
    EXPECT_EQ(heard, QString::fromLatin1(c.heard));
    EXPECT_EQ(synthesiser.asked, c.recording == Recording::Good ? QStringList {} : QStringList {"gatto"})
        << "said in small letters, once";
}

INSTANTIATE_TEST_SUITE_P(WordVoice, WhoseVoice,
    ::testing::Values(VoiceCase {"Recorded", Recording::Good, true, "recording"},
        VoiceCase {"NotRecorded", Recording::None, true, "synthesiser"},
        VoiceCase {"BrokenRecording", Recording::Broken, true, "synthesiser"},
        VoiceCase {"RecordedWithoutSynthesiser", Recording::Good, false, "recording"},
        VoiceCase {"NeitherAnswerAlone", Recording::None, false, "nothing"},
        VoiceCase {"BrokenAndNoSynthesiser", Recording::Broken, false, "nothing"}),
    [](const ::testing::TestParamInfo<VoiceCase>& info) { return std::string(info.param.name); });

TEST(WordVoiceRecordings, TheRoomsQuietAtBothEndsIsCutSoTheWordFollowsAtOnceAndSilenceAloneIsNoRecording)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("voci"));
    for (const char* name : {"voci/cane.wav", "voci/muto.wav"}) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    Bench bench;
    bench.addFile("si1.wav", 300, 1);
    // 400 ms of quiet with a faint hiss, 500 ms of word, 300 ms of quiet.
    QByteArray hiss(kPhone.bytesFor(400), '\0');
    for (qsizetype i = 0; i < hiss.size(); i += 2) {
        hiss[i] = static_cast<char>(i % 7);
    }
    const QByteArray word = audible(kPhone, 500, 2);
    bench.decoder.files.insert(
        folder.filePath("voci/cane.wav"), {kPhone, hiss + word + QByteArray(kPhone.bytesFor(300), '\0')});
    bench.decoder.files.insert(folder.filePath("voci/muto.wav"), {kPhone, hiss});
    ContentFinder recordings(voiceKind(), {folder.path()});
    FakeSynthesiser synthesiser;
    WordVoice voice(bench.bank, recordings, bench.decoder, &synthesiser);
    voice.prepareWord("cane");
    voice.answerThenWord("si1.wav", "cane");
    EXPECT_NEAR(*voice.heardUntil() - bench.clock.now, 0.3 + 0.5 + 2 * 0.03, 0.002);
    voice.prepareWord("muto");
    EXPECT_EQ(synthesiser.asked, QStringList {"muto"}) << "a recording of silence is said by the synthesiser";
}

TEST(WordVoiceCache, ARecordingMadeMeanwhileIsHeardAndTheWordsStayWithinTheirBounds)
{
    QTemporaryDir folder;
    ASSERT_TRUE(QDir(folder.path()).mkpath("voci"));
    SoundBank::Limits limits;
    limits.wordSounds = 8;
    Bench bench(limits);
    ContentFinder recordings(voiceKind(), {folder.path()});
    FakeSynthesiser synthesiser;
    WordVoice voice(bench.bank, recordings, bench.decoder, &synthesiser);
    const QString before = voice.soundId("gatto");
    voice.prepareWord("gatto");
    EXPECT_EQ(bench.bank.state(before), SoundBank::State::Ready);
    // The teacher records it while the program runs (the folder's listing is read again when it changes).
    QThread::msleep(20);
    QFile file(folder.filePath("voci/gatto.wav"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    bench.decoder.files.insert(folder.filePath("voci/gatto.wav"), {kPhone, audible(kPhone, 600, 7)});
    EXPECT_NE(voice.soundId("gatto"), before);
    for (int i = 0; i < 40; ++i) {
        voice.prepareWord(QStringLiteral("parola%1").arg(i));
    }
    EXPECT_LE(bench.bank.wordBytes(), limits.wordBytes);
    int kept = 0;
    for (int i = 0; i < 40; ++i) {
        kept += bench.bank.state(voice.soundId(QStringLiteral("parola%1").arg(i))) != SoundBank::State::Unknown;
    }
    EXPECT_EQ(kept, 8);
}

} // namespace
