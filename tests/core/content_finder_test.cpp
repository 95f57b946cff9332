#include "core/content_finder.h"
#include "core/paths.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

// Which file a word finds when the list's folder, the teacher's and the bundled content hold the files of a row.
struct FinderCase {
    const char* name;
    QStringList files; // under the root: "lista/...", "insegnante/...", "programma/..."
    QString word;
    QString found; // empty when the word finds nothing
};

void PrintTo(const FinderCase& c, std::ostream* os)
{
    *os << c.name;
}

// The case's files, empty, under a fresh folder.
void makeEmptyFiles(const QTemporaryDir& root, const QStringList& files)
{
    ASSERT_TRUE(root.isValid());
    for (const QString& file : files) {
        ASSERT_TRUE(writeFile(root.filePath(file))) << file.toStdString();
    }
}

class Finder : public ::testing::TestWithParam<FinderCase> { };

TEST_P(Finder, FindsTheFileOfAWordInOrder)
{
    const FinderCase& c = GetParam();
    QTemporaryDir root;
    ASSERT_NO_FATAL_FAILURE(makeEmptyFiles(root, c.files));
    const Paths paths(root.filePath("programma"), root.filePath("insegnante"));
    ContentFinder finder(pictureKind(), paths.contentPlaces(root.filePath("lista/settimana.txt")));
    const QString found = finder.find(c.word);
    EXPECT_EQ(found, c.found.isEmpty() ? QString() : root.filePath(c.found));
}

INSTANTIATE_TEST_SUITE_P(Pictures, Finder,
    ::testing::Values(FinderCase {"bundled", {"programma/jpg/cane.jpg"}, "cane", "programma/jpg/cane.jpg"},
        FinderCase {"teacher_before_bundled", {"programma/jpg/cane.jpg", "insegnante/jpg/cane.png"}, "cane",
            "insegnante/jpg/cane.png"},
        FinderCase {
            "list_before_teacher", {"insegnante/jpg/cane.jpg", "lista/jpg/cane.jpeg"}, "cane", "lista/jpg/cane.jpeg"},
        FinderCase {"jpg_before_jpeg_before_png_in_one_folder",
            {"insegnante/jpg/cane.png", "insegnante/jpg/cane.jpeg", "insegnante/jpg/cane.jpg"}, "cane",
            "insegnante/jpg/cane.jpg"},
        FinderCase {"jpeg_before_png", {"insegnante/jpg/cane.png", "insegnante/jpg/cane.jpeg"}, "cane",
            "insegnante/jpg/cane.jpeg"},
        FinderCase {"ending_in_any_case", {"lista/jpg/Cane.JPEG"}, "cane", "lista/jpg/Cane.JPEG"},
        FinderCase {"word_in_any_case", {"lista/jpg/cane.png"}, "CANE", "lista/jpg/cane.png"},
        FinderCase {"folder_in_any_case", {"lista/JPG/cane.jpg"}, "cane", "lista/JPG/cane.jpg"},
        FinderCase {"other_endings_are_no_pictures", {"lista/jpg/cane.txt", "lista/jpg/cane"}, "cane", {}},
        FinderCase {"beside_the_folder_is_not_in_it", {"lista/cane.jpg"}, "cane", {}},
        FinderCase {"accent_in_the_name", {"lista/jpg/città.jpg"}, QStringLiteral("CITTÀ"), "lista/jpg/città.jpg"},
        FinderCase {"no_way_out_of_the_folder", {"lista/segreto.jpg"}, "../segreto", {}},
        FinderCase {"nothing_anywhere", {}, "cane", {}}),
    [](const auto& info) { return std::string(info.param.name); });

class VoiceFinder : public ::testing::TestWithParam<FinderCase> { };

// Recordings are the teacher's only: beside the list in force, then in the teacher's folder, never among the bundled
// content; a word with none is said by the synthesiser.
TEST_P(VoiceFinder, FindsTheRecordingOfAWordInOrder)
{
    const FinderCase& c = GetParam();
    QTemporaryDir root;
    ASSERT_NO_FATAL_FAILURE(makeEmptyFiles(root, c.files));
    const Paths paths(root.filePath("programma"), root.filePath("insegnante"));
    ContentFinder finder(voiceKind(), paths.voicePlaces(root.filePath("lista/settimana.txt")));
    EXPECT_EQ(finder.find(c.word), c.found.isEmpty() ? QString() : root.filePath(c.found));
}

INSTANTIATE_TEST_SUITE_P(Voices, VoiceFinder,
    ::testing::Values(FinderCase {"beside_the_list", {"lista/voci/cane.wav"}, "cane", "lista/voci/cane.wav"},
        FinderCase {"teacher_folder", {"insegnante/voci/cane.wav"}, "cane", "insegnante/voci/cane.wav"},
        FinderCase {
            "list_before_teacher", {"insegnante/voci/cane.wav", "lista/voci/cane.mp3"}, "cane", "lista/voci/cane.mp3"},
        FinderCase {"never_the_bundled_folder", {"programma/voci/cane.wav"}, "cane", {}},
        FinderCase {"wav_before_ogg_before_mp3_before_m4a",
            {"lista/voci/cane.m4a", "lista/voci/cane.mp3", "lista/voci/cane.ogg", "lista/voci/cane.wav"}, "cane",
            "lista/voci/cane.wav"},
        FinderCase {"ogg_before_mp3", {"lista/voci/cane.mp3", "lista/voci/cane.ogg"}, "cane", "lista/voci/cane.ogg"},
        FinderCase {"mp3_before_m4a", {"lista/voci/cane.m4a", "lista/voci/cane.mp3"}, "cane", "lista/voci/cane.mp3"},
        FinderCase {"m4a_alone", {"insegnante/voci/cane.m4a"}, "cane", "insegnante/voci/cane.m4a"},
        FinderCase {"ending_and_folder_in_any_case", {"lista/Voci/Cane.WAV"}, "CANE", "lista/Voci/Cane.WAV"},
        FinderCase {"other_endings_are_no_recordings",
            {"lista/voci/cane.flac", "lista/voci/cane.jpg", "lista/voci/cane", "lista/jpg/cane.wav"}, "cane", {}},
        FinderCase {"accent_in_the_name", {"lista/voci/città.wav"}, QStringLiteral("città"), "lista/voci/città.wav"},
        FinderCase {"no_way_out_of_the_folder", {"lista/segreto.wav"}, "../segreto", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(VoicePlaces, TheBundledListKeepsItsOwnFolderAndNoListKeepsTheTeachers)
{
    const Paths paths("/usr/share/tavenzo", "/home/maestra/.local/share/tavenzo");
    EXPECT_EQ(paths.voicePlaces("/usr/share/tavenzo/lista.txt"),
        (QStringList {"/usr/share/tavenzo", "/home/maestra/.local/share/tavenzo"}));
    EXPECT_EQ(paths.voicePlaces({}), QStringList {"/home/maestra/.local/share/tavenzo"});
    EXPECT_EQ(paths.voicePlaces("/home/maestra/.local/share/tavenzo/lista.txt"),
        QStringList {"/home/maestra/.local/share/tavenzo"});
}

TEST(Finder, OtherKindsLookInTheirOwnFolderWithTheirOwnEndings)
{
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("voci"));
    ASSERT_TRUE(QDir(root.path()).mkpath("jpg"));
    for (const char* name : {"voci/cane.wav", "jpg/cane.ogg"}) {
        QFile file(root.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ContentFinder voices({QStringLiteral("voci"), {QStringLiteral(".wav"), QStringLiteral(".ogg")}}, {root.path()});
    EXPECT_EQ(voices.find("cane"), root.filePath("voci/cane.wav"));
    ContentFinder pictures(pictureKind(), {root.path()});
    EXPECT_TRUE(pictures.find("cane").isEmpty());
}

} // namespace
