#include "core/background_work.h"
#include "ui/glue/qt_sound.h"
#include "ui/glue/sound_environment.h"

#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>
#include <QVersionNumber>

#include <atomic>
#include <memory>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::ui;

namespace {

// ---- which WAV files the toolkit's decoder reads --------------------------------------------------------------------

void put16(QByteArray& bytes, quint16 v)
{
    bytes.append(static_cast<char>(v & 0xff));
    bytes.append(static_cast<char>(v >> 8));
}

void put32(QByteArray& bytes, quint32 v)
{
    put16(bytes, static_cast<quint16>(v & 0xffff));
    put16(bytes, static_cast<quint16>(v >> 16));
}

enum class Header { Plain, Extensible };

constexpr quint16 kPcm = 1;
constexpr quint16 kFloat = 3;

// A WAV file of 0.1 s at 22050 Hz whose samples are `bits` wide and all the same non-silent value.
QByteArray waveFile(quint16 tag, int channels, int bits, Header header)
{
    const int rate = 22050;
    const int block = channels * bits / 8;
    QByteArray data(rate / 10 * block, '\x31');
    QByteArray fmt;
    put16(fmt, header == Header::Extensible ? 0xFFFE : tag);
    put16(fmt, static_cast<quint16>(channels));
    put32(fmt, rate);
    put32(fmt, static_cast<quint32>(rate * block));
    put16(fmt, static_cast<quint16>(block));
    put16(fmt, static_cast<quint16>(bits));
    if (header == Header::Extensible) {
        put16(fmt, 22);
        put16(fmt, static_cast<quint16>(bits));
        put32(fmt, 0);
        put16(fmt, tag);
        fmt.append("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
    } else if (tag != kPcm) {
        put16(fmt, 0);
    }
    QByteArray bytes("WAVEfmt ");
    put32(bytes, static_cast<quint32>(fmt.size()));
    bytes += fmt + "data";
    put32(bytes, static_cast<quint32>(data.size()));
    bytes += data;
    QByteArray riff("RIFF");
    put32(riff, static_cast<quint32>(bytes.size()));
    return riff + bytes;
}

struct FormatCase {
    const char* name;
    quint16 tag;
    int channels;
    int bits;
    Header header;
    std::optional<PcmFormat::Sample> delivered; // nothing: refused, and the sound stays silent
    int deliveredBits;
};

void PrintTo(const FormatCase& c, std::ostream* out)
{
    *out << c.name;
}

class WaveFormats : public ::testing::TestWithParam<FormatCase> { };

// What the README and the decoder's comment promise about sample formats, held to what Qt 6.4 does. That the sink
// plays what is delivered, the smoke stage's sound-formats check hears.
TEST_P(WaveFormats, AreReadAsTheReadmeSays)
{
    const QVersionNumber qt = QVersionNumber::fromString(QLatin1String(qVersion()));
    if (qt.majorVersion() != 6 || qt.minorVersion() != 4) {
        GTEST_SKIP() << "the table holds what Qt 6.4 decodes; with Qt " << qVersion()
                     << " find out again and say it in the README";
    }
    const FormatCase& c = GetParam();
    QTemporaryDir dir;
    QFile file(dir.filePath("suono.wav"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(waveFile(c.tag, c.channels, c.bits, c.header));
    file.close();
    const std::optional<PcmSound> sound = QtSoundFileDecoder().decode(file.fileName());
    ASSERT_EQ(sound.has_value(), c.delivered.has_value());
    if (sound) {
        EXPECT_EQ(sound->format, (PcmFormat {22050, c.channels, *c.delivered}));
        EXPECT_EQ(sound->samples.size(), 2205 * c.channels * c.deliveredBits / 8) << "a tenth of a second";
    }
}

INSTANTIATE_TEST_SUITE_P(QtSoundFileDecoder, WaveFormats,
    ::testing::Values(FormatCase {"Unsigned8Bit", kPcm, 1, 8, Header::Plain, PcmFormat::Sample::UInt8, 8},
        FormatCase {"Signed16Bit", kPcm, 1, 16, Header::Plain, PcmFormat::Sample::Int16, 16},
        FormatCase {"Stereo16Bit", kPcm, 2, 16, Header::Plain, PcmFormat::Sample::Int16, 16},
        FormatCase {"SixChannels16Bit", kPcm, 6, 16, Header::Plain, PcmFormat::Sample::Int16, 16},
        FormatCase {"Signed24BitAs16", kPcm, 1, 24, Header::Plain, PcmFormat::Sample::Int16, 16},
        FormatCase {"Signed32Bit", kPcm, 1, 32, Header::Plain, PcmFormat::Sample::Int32, 32},
        FormatCase {"Float32BitRefused", kFloat, 1, 32, Header::Plain, std::nullopt, 0},
        FormatCase {"Float64BitRefused", kFloat, 1, 64, Header::Plain, std::nullopt, 0},
        FormatCase {"Extensible16BitRefused", kPcm, 2, 16, Header::Extensible, std::nullopt, 0},
        FormatCase {"Extensible24BitRefused", kPcm, 1, 24, Header::Extensible, std::nullopt, 0},
        FormatCase {"ExtensibleFloatRefused", kFloat, 1, 32, Header::Extensible, std::nullopt, 0},
        FormatCase {"MuLawRefused", 7, 1, 8, Header::Plain, std::nullopt, 0}),
    [](const ::testing::TestParamInfo<FormatCase>& info) { return std::string(info.param.name); });

// ---- the work done away from the user-interface thread --------------------------------------------------------------

TEST(ThreadPoolWork, WorksElsewhereAndComesBackInOrderToTheAskingThread)
{
    ThreadPoolWork work;
    QThread* const here = QThread::currentThread();
    std::atomic<int> elsewhere {0};
    QList<int> back;
    for (int i = 0; i < 5; ++i) {
        work.run(
            [&elsewhere, here] {
                if (QThread::currentThread() != here) {
                    ++elsewhere;
                }
            },
            [&back, here, i] {
                EXPECT_EQ(QThread::currentThread(), here);
                back.append(i);
            });
    }
    EXPECT_TRUE(back.isEmpty()) << "nothing comes back before the event loop runs";
    for (int i = 0; i < 250 && back.size() < 5; ++i) {
        QTest::qWait(20);
    }
    EXPECT_EQ(elsewhere.load(), 5);
    EXPECT_EQ(back, (QList<int> {0, 1, 2, 3, 4}));
}

TEST(ThreadPoolWork, WhatHasNotComeBackWhenItEndsIsDropped)
{
    int back = 0;
    std::atomic<bool> worked {false};
    {
        ThreadPoolWork work;
        work.run(
            [&worked] {
                QThread::msleep(50);
                worked = true;
            },
            [&back] { ++back; });
    }
    EXPECT_TRUE(worked.load()) << "the work under way is waited for";
    QTest::qWait(50);
    EXPECT_EQ(back, 0);
}

// ---- the sound library's environment --------------------------------------------------------------------------------

} // namespace

namespace tavenzo::ui {
void PrintTo(const EnvironmentVariable& v, std::ostream* out)
{
    *out << v.name.constData() << '=' << v.value.constData();
}
} // namespace tavenzo::ui

namespace {

struct EnvironmentCase {
    const char* name;
    QStringList given; // NAME=value
    const char* loginRuntimeFolder;
    QStringList existing;
    QList<EnvironmentVariable> added;
};

void PrintTo(const EnvironmentCase& c, std::ostream* out)
{
    *out << c.name;
}

class SoundLibraryEnvironment : public ::testing::TestWithParam<EnvironmentCase> { };

TEST_P(SoundLibraryEnvironment, KeepsPulseAudiosClientFromWriting)
{
    const EnvironmentCase& c = GetParam();
    QProcessEnvironment environment;
    for (const QString& variable : c.given) {
        environment.insert(variable.section(QLatin1Char('='), 0, 0), variable.section(QLatin1Char('='), 1));
    }
    const QSet<QString> existing(c.existing.cbegin(), c.existing.cend());
    EXPECT_EQ(soundLibraryEnvironment(environment, QString::fromLatin1(c.loginRuntimeFolder),
                  [&existing](const QString& path) { return existing.contains(path); }),
        c.added);
}

const QString kCookie = QStringLiteral("/home/maestra/.config/pulse/cookie");

INSTANTIATE_TEST_SUITE_P(SoundEnvironment, SoundLibraryEnvironment,
    ::testing::Values(EnvironmentCase {"ADesktopSession", {"HOME=/home/maestra", "XDG_RUNTIME_DIR=/run/user/1000"},
                          "/run/user/1000", {kCookie}, {}},
        EnvironmentCase {"NoRuntimeFolderButTheLoginManagers", {"HOME=/home/maestra"}, "/run/user/1000", {kCookie},
            {{"XDG_RUNTIME_DIR", "/run/user/1000"}}},
        EnvironmentCase {
            "NoRuntimeFolderAtAll", {"HOME=/home/maestra"}, "", {kCookie}, {{"PULSE_RUNTIME_PATH", "/dev/null/pulse"}}},
        EnvironmentCase {
            "NoRuntimeFolderButAServerNamed", {"HOME=/home/maestra", "PULSE_SERVER=tcp:aula-3"}, "", {kCookie}, {}},
        EnvironmentCase {"NoRuntimeFolderButOneForTheSoundLibrary",
            {"HOME=/home/maestra", "PULSE_RUNTIME_PATH=/home/maestra/.pulse-run"}, "", {kCookie}, {}},
        EnvironmentCase {"AFreshAccount", {"HOME=/home/bambini", "XDG_RUNTIME_DIR=/run/user/1001"}, "", {},
            {{"PULSE_COOKIE", "/dev/zero"}}},
        EnvironmentCase {"AFreshAccountWithoutRuntimeFolder", {"HOME=/home/bambini"}, "", {},
            {{"PULSE_RUNTIME_PATH", "/dev/null/pulse"}, {"PULSE_COOKIE", "/dev/zero"}}},
        EnvironmentCase {"ACookieInTheConfigurationFolderNamed",
            {"HOME=/home/maestra", "XDG_CONFIG_HOME=/srv/config", "XDG_RUNTIME_DIR=/run/user/1000"}, "",
            {"/srv/config/pulse/cookie"}, {}},
        EnvironmentCase {"AnOldStyleCookie", {"HOME=/home/maestra", "XDG_RUNTIME_DIR=/run/user/1000"}, "",
            {"/home/maestra/.pulse-cookie"}, {}},
        EnvironmentCase {"ACookieNamed",
            {"HOME=/home/bambini", "XDG_RUNTIME_DIR=/run/user/1001", "PULSE_COOKIE=/etc/aula/cookie"}, "", {}, {}}),
    [](const ::testing::TestParamInfo<EnvironmentCase>& info) { return std::string(info.param.name); });

} // namespace
