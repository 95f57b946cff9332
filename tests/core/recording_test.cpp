#include "feedback/recording.h"
#include "support/pcm_level.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>

#include <cmath>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

constexpr double kPi = 3.14159265358979;

// `quiet` seconds of a faint hiss, `said` seconds of a tone of `level` (0..1), then `after` seconds of hiss, as a
// microphone gives them: 16-bit, at 48 kHz, in `channels` channels.
PcmSound microphone(double quiet, double said, double level, double after, int channels = 1)
{
    const PcmFormat format {48000, channels, PcmFormat::Sample::Int16};
    PcmSound sound {format, {}};
    const auto frames = [&](double seconds) { return static_cast<int>(seconds * format.sampleRate); };
    const auto put = [&](double v) {
        char b[2];
        qToLittleEndian(static_cast<qint16>(std::lround(v * 32767)), b);
        for (int c = 0; c < channels; ++c) {
            sound.samples.append(b, 2);
        }
    };
    for (int i = 0; i < frames(quiet); ++i) {
        put(0.0005 * ((i * 7919) % 3 - 1));
    }
    for (int i = 0; i < frames(said); ++i) {
        put(level * std::sin(2 * kPi * 220 * i / format.sampleRate));
    }
    for (int i = 0; i < frames(after); ++i) {
        put(0.0005 * ((i * 104729) % 3 - 1));
    }
    return sound;
}

struct LevelCase {
    const char* name;
    double quiet, said, level, after;
    int channels;
    double seconds; // kept, 0 for nothing
    double rms; // after levelling
};

void PrintTo(const LevelCase& c, std::ostream* out)
{
    *out << c.name;
}

class Levelled : public ::testing::TestWithParam<LevelCase> { };

TEST_P(Levelled, QuietEndsCutAndLoudnessLevelled)
{
    const LevelCase& c = GetParam();
    const PcmSound kept = levelledRecording(microphone(c.quiet, c.said, c.level, c.after, c.channels));
    EXPECT_EQ(kept.format, (PcmFormat {48000, 1, PcmFormat::Sample::Int16}));
    EXPECT_NEAR(kept.seconds(), c.seconds, 0.002);
    if (c.seconds > 0) {
        EXPECT_NEAR(rmsOf(kept), c.rms, c.rms * 0.1);
        EXPECT_LE(peakOf(kept), 0.9);
    }
}

// A tone's mean power is 3 dB under its peak: levelled to 0.1 it peaks at 0.14.
INSTANTIATE_TEST_SUITE_P(Recording, Levelled,
    ::testing::Values(LevelCase {"SoftWordRaised", 0.5, 0.6, 0.02, 0.4, 1, 0.66, 0.1},
        LevelCase {"LoudWordLowered", 0.3, 0.6, 0.9, 0.3, 1, 0.66, 0.1},
        LevelCase {"StereoMixedToOne", 0.2, 0.5, 0.3, 0.2, 2, 0.56, 0.1},
        LevelCase {"NoQuietToCut", 0, 0.5, 0.3, 0, 1, 0.5, 0.1},
        // Raised at most twentyfold: a whisper stays a little quieter than the rest.
        LevelCase {"WhisperRaisedTwentyfold", 0.3, 0.5, 0.005, 0.3, 1, 0.56, 0.005 * 20 / std::sqrt(2.0)},
        LevelCase {"FainterThanTheRoomIsNothing", 0.3, 0.5, 0.002, 0.3, 1, 0, 0},
        LevelCase {"OnlyTheRoom", 1.0, 0, 0, 0, 1, 0, 0}),
    [](const ::testing::TestParamInfo<LevelCase>& info) { return std::string(info.param.name); });

TEST(Recording, SavedAsVociWordWavWholeAndReadableByItsHeader)
{
    QTemporaryDir place;
    ASSERT_TRUE(place.isValid());
    const PcmSound word = levelledRecording(microphone(0.2, 0.5, 0.3, 0.2));
    QString error;
    const QString path = saveRecording(place.path(), "Gatto", word, &error);
    ASSERT_EQ(path, place.filePath("voci/gatto.wav")) << error.toStdString();
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    ASSERT_EQ(bytes.size(), 44 + word.samples.size());
    EXPECT_TRUE(bytes.startsWith("RIFF"));
    EXPECT_EQ(bytes.mid(8, 8), "WAVEfmt ");
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 20), 1) << "integer PCM";
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 22), 1);
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 24), 48000u);
    EXPECT_EQ(qFromLittleEndian<quint16>(bytes.constData() + 34), 16);
    EXPECT_EQ(qFromLittleEndian<quint32>(bytes.constData() + 40), quint32(word.samples.size()));
    EXPECT_EQ(bytes.mid(44), word.samples);

    // Recorded again: replaced whole, nothing left beside it; a teacher's own "Voci" folder is used as it is.
    ASSERT_FALSE(saveRecording(place.path(), "gatto", levelledRecording(microphone(0, 0.3, 0.5, 0))).isEmpty());
    EXPECT_EQ(QDir(place.filePath("voci")).entryList(QDir::Files | QDir::Hidden), QStringList {"gatto.wav"});
    QTemporaryDir other;
    ASSERT_TRUE(QDir(other.path()).mkdir("Voci"));
    EXPECT_EQ(saveRecording(other.path(), "cane", word), other.filePath("Voci/cane.wav"));
}

TEST(Recording, AWordThatCouldNameAnotherFileAnEmptyRecordingOrAFolderThatCannotBeMadeAreRefused)
{
    QTemporaryDir place;
    ASSERT_TRUE(place.isValid());
    const PcmSound word = levelledRecording(microphone(0, 0.3, 0.3, 0));
    for (const char* bad : {"../cane", "a/b", "a\\b", "..", ".nascosto", "", "  ", "due\nrighe"}) {
        QString error;
        EXPECT_TRUE(saveRecording(place.path(), QString::fromUtf8(bad), word, &error).isEmpty()) << bad;
        EXPECT_FALSE(error.isEmpty()) << bad;
    }
    QString error;
    EXPECT_TRUE(saveRecording(place.path(), "cane", levelledRecording(microphone(0.5, 0, 0, 0)), &error).isEmpty());
    EXPECT_FALSE(error.isEmpty());
    // Where voci/ should be there is a file: nothing can be saved, and the file is left as it was.
    QFile blocker(place.filePath("voci"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.write("non toccare");
    blocker.close();
    EXPECT_TRUE(saveRecording(place.path(), "cane", word, &error).isEmpty());
    ASSERT_TRUE(blocker.open(QIODevice::ReadOnly));
    EXPECT_EQ(blocker.readAll(), "non toccare");
    EXPECT_EQ(
        QDir(place.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList {"voci"});
}

} // namespace
