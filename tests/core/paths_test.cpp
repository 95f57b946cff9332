#include "core/list_in_force.h"
#include "core/paths.h"
#include "core/startup.h"
#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

class BundledFolder : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(root.isValid()); }
    QString at(const QString& relative) const { return QDir(root.path()).filePath(relative); }
    void makeFolder(const QString& relative) const { ASSERT_TRUE(QDir(root.path()).mkpath(relative)); }
    void put(const QString& relative, const QByteArray& bytes) const
    {
        QDir().mkpath(QFileInfo(at(relative)).absolutePath());
        QFile file(at(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir root;
};

// The package puts the program in /usr/bin and what it reads in /usr/share/tavenzo; every bundled path follows.
TEST_F(BundledFolder, AnInstalledProgramReadsEverythingFromShareTavenzo)
{
    makeFolder("usr/bin");
    put("usr/share/tavenzo/lista.txt", "cane\r\ngatto\r\nmela\r\n");
    makeFolder("usr/share/tavenzo/jpg");

    const QString bundled = Paths::bundledFolderOf(at("usr/bin"));
    EXPECT_EQ(bundled, at("usr/share/tavenzo"));
    const Paths paths(bundled, at("home/insegnante"));
    EXPECT_EQ(paths.bundledWordList(), at("usr/share/tavenzo/lista.txt"));
    EXPECT_EQ(paths.soundFolder(), at("usr/share/tavenzo/suoni"));
    EXPECT_EQ(paths.contentPlaces({}), (QStringList {at("home/insegnante"), at("usr/share/tavenzo")}));
    EXPECT_EQ(paths.listDialogFolder(), at("usr/share/tavenzo"));

    Bench bench;
    FakeMessageBoxes boxes;
    ListInForce list(bench.state, paths, boxes, bench.pictureCheck);
    EXPECT_TRUE(Main(bench.state, bench.random, list, paths));
    EXPECT_EQ(list.path(), at("usr/share/tavenzo/lista.txt"));
    EXPECT_EQ(bench.state.NumeroParole, 3);
    EXPECT_TRUE(boxes.errors.isEmpty());
}

// A build tree, or any folder holding the program with its files beside it, reads them from there; so does a program
// whose share/tavenzo is not a folder.
TEST_F(BundledFolder, ABuildTreeKeepsEverythingBesideTheProgram)
{
    put("build/bin/lista.txt", "cane\r\n");
    EXPECT_EQ(Paths::bundledFolderOf(at("build/bin")), at("build/bin"));

    put("altro/share/tavenzo", "not a folder");
    makeFolder("altro/bin");
    EXPECT_EQ(Paths::bundledFolderOf(at("altro/bin")), at("altro/bin"));
}

// An installation that lost its word list says so with the path where the list belongs, not one beside the program.
TEST_F(BundledFolder, AMissingInstalledListIsReportedWhereItBelongs)
{
    makeFolder("usr/bin");
    makeFolder("usr/share/tavenzo/jpg");
    Bench bench;
    FakeMessageBoxes boxes;
    const Paths paths(Paths::bundledFolderOf(at("usr/bin")), QString());
    ListInForce list(bench.state, paths, boxes, bench.pictureCheck);
    Main(bench.state, bench.random, list, paths);
    ASSERT_EQ(boxes.errors.size(), 1);
    EXPECT_TRUE(boxes.errors.at(0).contains(
        QDir::toNativeSeparators(at("usr/share/tavenzo/lista.txt")) + QStringLiteral("\n\n")))
        << boxes.errors.at(0).toStdString();
    EXPECT_EQ(bench.state.NumeroParole, 0);
}

// A school lab points every computer at the class folder: the command line first, then the system-wide setting, else
// the user's own folder.
TEST_F(BundledFolder, TheClassFolderComesFromTheCommandLineOrTheSystemWideSetting)
{
    put("xdg/Tavenzo/tavenzo.conf", "[General]\ncartella=/srv/scuola/classe 1A\n");
    put("relativa/Tavenzo/tavenzo.conf", "cartella = ../classi/1B, mattino\n");
    put("vuota/Tavenzo/tavenzo.conf", "# nessuna cartella\nlingua=it\n");
    const QString own = Paths::teacherFolderOfUser();
    struct Case {
        const char* name;
        QString commandLine;
        QString settings;
        QString folder;
    };
    const Case cases[] = {
        {"setting", {}, at("xdg/Tavenzo/tavenzo.conf"), "/srv/scuola/classe 1A"},
        {"command_line_first", "/media/chiavetta/", at("xdg/Tavenzo/tavenzo.conf"), "/media/chiavetta"},
        {"relative_setting_from_its_file", {}, at("relativa/Tavenzo/tavenzo.conf"), at("relativa/classi/1B, mattino")},
        {"no_key", {}, at("vuota/Tavenzo/tavenzo.conf"), own},
        {"no_file", {}, at("manca/tavenzo.conf"), own},
        {"nothing", {}, {}, own},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Paths::teacherFolderFor(c.commandLine, c.settings), QDir::cleanPath(c.folder)) << c.name;
    }
    const QString relative = Paths::teacherFolderFor(QStringLiteral("classe"), {});
    EXPECT_TRUE(QFileInfo(relative).isAbsolute()) << relative.toStdString();

    qputenv("XDG_CONFIG_DIRS", (at("manca") + ":" + at("xdg") + ":" + at("relativa")).toLocal8Bit());
    EXPECT_EQ(Paths::systemSettingsFile(), at("xdg/Tavenzo/tavenzo.conf"));
    qputenv("XDG_CONFIG_DIRS", at("manca").toLocal8Bit());
    EXPECT_EQ(Paths::systemSettingsFile(), QString());
    qunsetenv("XDG_CONFIG_DIRS");

    // The lists and pictures of the class folder are what the program reads first.
    put("classe/lista.txt", "cane\r\n");
    const Paths paths(at("bundled"), Paths::teacherFolderFor(at("classe"), {}));
    EXPECT_EQ(paths.startupWordList(), at("classe/lista.txt"));
    EXPECT_EQ(paths.listDialogFolder(), at("classe"));
}

} // namespace
