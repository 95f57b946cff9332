#include "core/settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;

namespace {

struct FileCase {
    const char* name;
    const char* text;
    Settings expected;
};

void PrintTo(const FileCase& c, std::ostream* out)
{
    *out << c.name;
}

class SettingsFile : public ::testing::TestWithParam<FileCase> { };

// What a teacher may write by hand until the studio has its settings page.
TEST_P(SettingsFile, IsReadAsTheTeacherMeantIt)
{
    const FileCase& c = GetParam();
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = settingsFile(folder.path());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(c.text);
    file.close();
    EXPECT_EQ(readSettings(path), c.expected);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
        QStringList {"impostazioni.conf"})
        << "reading leaves no lock or other file behind";
}

constexpr Settings kDefaults {};
constexpr Settings kSpeaking {.speakWord = true};

INSTANTIATE_TEST_SUITE_P(Settings, SettingsFile,
    ::testing::Values(FileCase {"Empty", "", kDefaults},
        FileCase {"AllThree", "parola_letta=true\nritmo_voce=110\nschermo_intero=true\n",
            {.speakWord = true, .pace = 110, .fullScreen = true}},
        FileCase {"ItalianYesAndBlanks", "  parola_letta =  sì  \r\n", kSpeaking},
        FileCase {"OneAndCapitals", "Parola_Letta=1\r\n", kSpeaking},
        FileCase {"CommentsAndSection", "# mia\n[General]\nparola_letta=true ; per la classe\n", kSpeaking},
        FileCase {"QuotedValue", "parola_letta=\"true\"\n", kSpeaking},
        FileCase {"SwitchedOffAgain", "parola_letta=true\nparola_letta=no\n", kDefaults},
        FileCase {"UnreadableValueKeepsDefault", "parola_letta=forse\nritmo_voce=lento\n", kDefaults},
        FileCase {"PaceTooSlowIsRaised", "ritmo_voce=10\n", {.pace = Settings::kSlowestPace}},
        FileCase {"PaceTooFastIsLowered", "ritmo_voce=900\n", {.pace = Settings::kFastestPace}},
        FileCase {"UnknownKeysAndGarbage", "colore=blu\n=true\nsenza uguale\n\x01\x02\xff\n", kDefaults},
        FileCase {
            "OldMacLineEnds", "parola_letta=true\rschermo_intero=true\r", {.speakWord = true, .fullScreen = true}}),
    [](const ::testing::TestParamInfo<FileCase>& info) { return std::string(info.param.name); });

TEST(Settings, NoFileAFolderOrNoTeacherFolderGiveTheDefaults)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_EQ(readSettings(settingsFile(folder.path())), kDefaults);
    EXPECT_TRUE(settingsFile({}).isEmpty());
    EXPECT_EQ(readSettings({}), kDefaults);
    ASSERT_TRUE(QDir(folder.path()).mkdir("impostazioni.conf"));
    EXPECT_EQ(readSettings(settingsFile(folder.path())), kDefaults);
    EXPECT_EQ(readSettings("/dev/zero"), kDefaults) << "not a file";
}

TEST(Settings, SavedAsAWholeAndReadBackTheSame)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = settingsFile(QDir(folder.path()).filePath("nuova/tavenzo"));
    const Settings chosen {.speakWord = true, .pace = 100, .fullScreen = true};
    QString error;
    ASSERT_TRUE(saveSettings(path, chosen, &error)) << error.toStdString();
    EXPECT_EQ(readSettings(path), chosen);
    ASSERT_TRUE(saveSettings(path, kDefaults));
    EXPECT_EQ(readSettings(path), kDefaults);
    EXPECT_EQ(
        QDir(QFileInfo(path).absolutePath()).entryList(QDir::Files | QDir::Hidden), QStringList {"impostazioni.conf"})
        << "no temporary file left beside it";
}

TEST(Settings, AFailedSaveSaysWhyAndLeavesTheOldFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = settingsFile(folder.path());
    ASSERT_TRUE(saveSettings(path, kSpeaking));
    // The file's folder is a file: nothing can be written under it.
    const QString blocked = settingsFile(path);
    QString error;
    EXPECT_FALSE(saveSettings(blocked, kDefaults, &error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(saveSettings({}, kDefaults, &error));
    EXPECT_EQ(readSettings(path), kSpeaking);
}

} // namespace
