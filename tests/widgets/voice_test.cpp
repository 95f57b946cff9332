#include "core/background_work.h"
#include "feedback/pcm_sound.h"
#include "ui/glue/espeak_synthesiser.h"
#include "ui/glue/qt_sound.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QtEndian>

#include <cmath>

#include <gtest/gtest.h>

using namespace tavenzo;

namespace {

double rmsOf(const PcmSound& sound)
{
    double sum = 0;
    const qsizetype count = sound.samples.size() / 2;
    for (qsizetype i = 0; i < count; ++i) {
        const double v = qFromLittleEndian<qint16>(sound.samples.constData() + 2 * i) / 32768.0;
        sum += v * v;
    }
    return count > 0 ? std::sqrt(sum / static_cast<double>(count)) : 0;
}

// The real synthesiser, as a child hears it: a word of about half a second to a second, loud enough to be heard over
// a classroom, not clipped, and with no long silence at either end that would delay it after the answer sound.
TEST(Synthesiser, SaysGattoAsAWordOfPlausibleLengthAndLoudness)
{
    ui::EspeakSynthesiser synthesiser(130);
    const std::optional<PcmSound> gatto = synthesiser.say("gatto");
    ASSERT_TRUE(gatto) << "no Italian voice: are espeak-ng-data and libespeak-ng installed?";
    EXPECT_EQ(gatto->format.channels, 1);
    EXPECT_EQ(gatto->format.sample, PcmFormat::Sample::Int16);
    EXPECT_GE(gatto->seconds(), 0.3);
    EXPECT_LE(gatto->seconds(), 1.5);
    const double peak = peakOf(*gatto);
    EXPECT_GT(peak, 0.2);
    EXPECT_LT(peak, 1.0);
    EXPECT_GT(rmsOf(*gatto), 0.03);
    // Trimmed: the first and last 30 ms hold sound.
    const PcmSound trimmed = trimmedSilence(*gatto, 0.01, 0);
    EXPECT_LT(gatto->seconds() - trimmed.seconds(), 0.06);

    // Slower is longer: the pace is the one asked for.
    ui::EspeakSynthesiser slow(80);
    const std::optional<PcmSound> slowGatto = slow.say("gatto");
    ASSERT_TRUE(slowGatto);
    EXPECT_GT(slowGatto->seconds(), gatto->seconds() * 1.2);

    // The words of the lists, accents and capitals too; nothing for nothing to say.
    EXPECT_TRUE(synthesiser.say(QString::fromUtf8("città")));
    EXPECT_TRUE(synthesiser.say("coccinella"));
    EXPECT_FALSE(synthesiser.say(""));
    EXPECT_FALSE(synthesiser.say("   "));
    // Markup is said as text, never obeyed.
    const std::optional<PcmSound> markup = synthesiser.say("<break time=\"9s\"/>cane");
    ASSERT_TRUE(markup);
    EXPECT_LT(markup->seconds(), 5.0);
}

// A teacher's recording saved as Ogg Vorbis is read on the sound worker, as the program reads it; a damaged one is
// refused without holding the worker up.
TEST(CompressedRecordings, AnOggRecordingIsReadAwayFromTheScreensAndADamagedOneIsRefused)
{
    const QString sox = QStandardPaths::findExecutable("sox");
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString ogg = folder.filePath("gatto.ogg");
    if (sox.isEmpty()
        || QProcess::execute(sox, {"-n", "-r", "22050", "-c", "1", ogg, "synth", "0.6", "sine", "330"}) != 0) {
        GTEST_SKIP() << "sox cannot write Ogg Vorbis here";
    }
    QFile damaged(folder.filePath("rotto.ogg"));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray("OggS") + QByteArray(4000, '\x5a'));
    damaged.close();

    ui::QtSoundFileDecoder decoder;
    ThreadPoolWork work;
    std::optional<PcmSound> good;
    std::optional<PcmSound> bad;
    int done = 0;
    work.run([&] { good = decoder.decode(ogg); }, [&] { ++done; });
    work.run([&] { bad = decoder.decode(damaged.fileName()); }, [&] { ++done; });
    QElapsedTimer waited;
    waited.start();
    while (done < 2 && waited.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    ASSERT_EQ(done, 2);
    if (!good) {
        GTEST_SKIP() << "the system's media decoder has no Ogg Vorbis plug-in";
    }
    EXPECT_NEAR(good->seconds(), 0.6, 0.05);
    EXPECT_GT(peakOf(*good), 0.3);
    EXPECT_FALSE(bad);
}

} // namespace
