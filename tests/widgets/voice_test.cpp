#include "core/alphabet.h"
#include "core/background_work.h"
#include "exercises/frame/exercise_frame.h"
#include "feedback/pcm_sound.h"
#include "support/pcm_level.h"
#include "ui/glue/espeak_synthesiser.h"
#include "ui/glue/qt_sound.h"
#include "ui/screens/menu_screen.h"
#include "ui/screens/missing_letter_screen.h"
#include "ui/screens/splash_screen.h"
#include "widget_fakes.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <QtEndian>

#include <cmath>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

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
    // The pace moved on the studio's page holds from the next word.
    slow.setPace(130);
    const std::optional<PcmSound> again = slow.say("gatto");
    ASSERT_TRUE(again);
    EXPECT_NEAR(again->seconds(), gatto->seconds(), 0.02);

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

// Every answer sound lasts 100 ms; the sink takes each stream and plays it for as long as the clock says.
class ShortSounds final : public SoundFileDecoder {
public:
    std::optional<PcmSound> decode(const QString&) override
    {
        return PcmSound {{22050, 1, PcmFormat::Sample::Int16}, QByteArray(4410, '\x10')};
    }
};
class CountingOutput final : public PcmOutput {
public:
    void reachServer() override { }
    bool play(const PcmFormat& format, const QByteArray& samples, qsizetype) override
    {
        seconds.append(format.secondsOf(samples.size()));
        return true;
    }
    void stop() override { }
    QList<double> seconds;
};
class AtOnce final : public BackgroundWork {
public:
    void run(std::function<void()> work, std::function<void()> done) override
    {
        work();
        done();
    }
};
class ShortVoice final : public SpeechSynthesiser {
public:
    std::optional<PcmSound> say(const QString& word) override
    {
        said.append(word);
        return PcmSound {{22050, 1, PcmFormat::Sample::Int16}, QByteArray(4410 * 2, '\x20')};
    }
    QStringList said;
};

// The screen in the automatic mode with the spoken word: the word is said after the answer sound in one stream, the
// completed word stays on screen until the program's clock has passed the word and the pause after it, and the
// window's own timer then brings the next item.
TEST(SpokenWordScreen, TheNextItemComesWhenTheWordHasBeenHeard)
{
    ShortSounds decoder;
    CountingOutput output;
    AtOnce work;
    ShortVoice synthesiser;
    Recorder recorder;
    FakeMessageBoxes boxes;
    FakeFileChooser chooser;
    FakeSoundPlayer unused(recorder);
    FakeBeeper beeper(recorder);
    ScriptedRandom random;
    random.setFallback(0.0);
    FakeClock clock;
    SoundBank bank(decoder, output, work, clock);
    VoicePorts voice {bank, decoder, &synthesiser};
    Program program(Paths(QStringLiteral(TAVENZO_PROGRAM_DIR), {}),
        ProgramPorts {boxes, chooser, beeper, bank, random, clock, &voice});
    program.start();
    program.started();
    auto* splash = qobject_cast<ui::SplashScreen*>(program.currentScreen());
    ASSERT_NE(splash, nullptr);
    click(imagesOf(splash)[2]);
    auto* menu = qobject_cast<ui::MenuScreen*>(program.currentScreen());
    ASSERT_NE(menu, nullptr);
    program.state().word(1) = "cane";
    program.state().word(2) = "sole";
    program.state().NumeroParole = 2;
    click(control<QRadioButton>(menu, "Option1_0"));
    click(control<QToolButton>(menu, "Command1"));
    auto* screen = qobject_cast<ui::MissingLetterScreen*>(program.currentScreen());
    ASSERT_NE(screen, nullptr);
    QLabel* word = control<QLabel>(screen, "Label1");
    ASSERT_EQ(word->text(), "_ane");
    EXPECT_EQ(synthesiser.said, QStringList {"cane"}) << "made ready with its item";

    const int key = static_cast<int>(keyboardAlphabet().indexOf(QLatin1Char('c')));
    click(keysOf(screen)[static_cast<size_t>(key)]);
    EXPECT_EQ(word->text(), "cane");
    ASSERT_FALSE(output.seconds.isEmpty());
    EXPECT_NEAR(output.seconds.last(), 0.1 + 0.2 + SoundBank::kSilenceMilliseconds / 1000.0, 0.001)
        << "the answer and its word in one stream";
    // The window's timer fires after the 0.7 s the clock gave it, but the clock has stood still: the word is still
    // being said as far as the program knows, and the completed word stays.
    QTest::qWait(900);
    EXPECT_EQ(word->text(), "cane");
    clock.now += 0.1 + 0.2 + ExerciseFrame::kAfterWord;
    QTRY_COMPARE_WITH_TIMEOUT(word->text(), QStringLiteral("_ane"), 2000);
    EXPECT_EQ(program.state().ContaEsatti, 1);
    boxes.answers = {true};
    control<QAction>(screen, "mnuEsci")->trigger();
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
