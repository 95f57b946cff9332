#include "fakes.h"
#include "feedback/memory_sound_backend.h"
#include "feedback/preloading_sound_player.h"

#include <QHash>

#include <algorithm>

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
    // Lets the stream run until it closes by itself.
    void passUntilQuiet()
    {
        while (m_open) {
            pass(10);
        }
    }

    bool device = true;
    QList<QByteArray> heard; // what each stream was heard to play, in order

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

// A sound whose every byte is audible (never the format's silence), so a lost byte cannot hide in a quiet stretch.
QByteArray audible(const PcmFormat& format, int milliseconds)
{
    QByteArray bytes(format.bytesFor(milliseconds), Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(0x01 + i % 0x70);
    }
    return bytes;
}

bool onlySilence(const QByteArray& bytes, const PcmFormat& format)
{
    const char silence = format.sample == PcmFormat::Sample::UInt8 ? char(0x80) : char(0);
    return std::all_of(bytes.begin(), bytes.end(), [silence](char b) { return b == silence; });
}

struct Bench {
    FakeDecoder decoder;
    FakeServer server;
    MemorySoundBackend backend {decoder, server};
    PreloadingSoundPlayer player {backend};
};

const PcmFormat kBundled {22050, 1, PcmFormat::Sample::Int16};

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
    bench.player.play("s.wav");
    bench.server.passUntilQuiet();
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
    const QByteArray first = audible(kBundled, 800);
    const QByteArray second = audible(kBundled, 600);
    bench.decoder.files.insert("si1.wav", {kBundled, first});
    bench.decoder.files.insert("no.wav", {kBundled, second});
    bench.player.preload({"si1.wav", "no.wav"});
    bench.player.play("si1.wav");
    bench.server.pass(300);
    bench.player.play("no.wav");
    bench.server.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), 2);
    EXPECT_EQ(bench.server.heard.at(0), first.left(kBundled.bytesFor(300)));
    EXPECT_TRUE(bench.server.heard.at(1).startsWith(second));
    EXPECT_EQ(bench.decoder.reads, 2) << "each file is read once";
}

// A child answering fast for a long while: answers come 50 ms to 1.2 s apart, so most cut off the sound before.
// Every answer's sound must start from its first sample and end whole or cut off by the next answer, never silent.
TEST(SoundsInMemory, ALongQuickSessionHearsEveryAnswer)
{
    Bench bench;
    const QStringList names {"si1.wav", "si2.wav", "si3.wav", "si4.wav", "no.wav"};
    for (int i = 0; i < names.size(); ++i) {
        bench.decoder.files.insert(names[i], {kBundled, audible(kBundled, 620 + 80 * i)});
    }
    bench.player.preload(names);
    SeededRandom random(2024);
    QStringList played;
    for (int answer = 0; answer < 200; ++answer) {
        const QString name = names[drawWhole(random, 5) - 1];
        bench.player.play(name);
        played.append(name);
        bench.server.pass(50 + static_cast<int>(random.next() * 1150));
    }
    bench.server.passUntilQuiet();
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
    for (const char* name :
        {"mancante.wav", "vuoto.wav", "mezzo-frame.wav", "senza-canali.wav", "senza-frequenza.wav"}) {
        EXPECT_EQ(bench.backend.load(name), -1) << name;
    }
    bench.player.play("si1.wav");
    bench.server.pass(100);
    bench.player.play("mancante.wav");
    bench.player.play("mezzo-frame.wav");
    bench.player.play("si1.wav");
    bench.server.passUntilQuiet();
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
    bench.player.play("tronco.wav");
    bench.server.passUntilQuiet();
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
    bench.player.play("no.wav");
    bench.player.play("no.wav");
    bench.server.passUntilQuiet();
    EXPECT_TRUE(bench.server.heard.isEmpty());
    // Headphones plugged in, or the sound server started late.
    bench.server.device = true;
    bench.player.play("no.wav");
    bench.server.passUntilQuiet();
    ASSERT_EQ(bench.server.heard.size(), 1);
    EXPECT_TRUE(bench.server.heard.first().startsWith(sound));
}

} // namespace
