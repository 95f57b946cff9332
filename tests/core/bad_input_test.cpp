#include "core/content_finder.h"
#include "core/word_list_reader.h"
#include "fakes.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <filesystem>

#include <unistd.h>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

// Every bad list leaves the program going and the list in force exactly as it was, unless it could be read.
class BadList : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (int i = 1; i <= 12; ++i) {
            state.word(i) = QStringLiteral("parola%1").arg(i);
        }
        state.NumeroParole = 12;
        before = state.ElencoParole;
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QString write(const QString& name, const QByteArray& bytes)
    {
        QFile file(path(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    void expectListIntact()
    {
        EXPECT_EQ(state.NumeroParole, 12);
        EXPECT_EQ(state.ElencoParole, before);
    }
    // The box names the file and says why, in words a teacher can act on.
    void expectUnreadableMessage(const QString& file, const QString& why)
    {
        ASSERT_EQ(boxes.errors.size(), 1);
        EXPECT_EQ(boxes.errors.at(0),
            QStringLiteral("Non riesco a leggere la lista di parole:\n") + QDir::toNativeSeparators(file)
                + QStringLiteral("\n\n") + why);
    }

    QTemporaryDir dir;
    SharedState state;
    std::array<QString, kMaxWords + 1> before;
    FakeMessageBoxes boxes;
};

TEST_F(BadList, MissingFile)
{
    CaricaElencoParole(path("lista.txt"), state, boxes);
    expectListIntact();
    expectUnreadableMessage(path("lista.txt"), QStringLiteral("Il file non c'è."));
}

TEST_F(BadList, AFolderNamedLikeAList)
{
    ASSERT_TRUE(QDir(dir.path()).mkdir("lista.txt"));
    CaricaElencoParole(path("lista.txt"), state, boxes);
    expectListIntact();
    expectUnreadableMessage(
        path("lista.txt"), QStringLiteral("Non è un file di testo, ma una cartella o un dispositivo."));
}

TEST_F(BadList, DanglingLink)
{
    ASSERT_TRUE(QFile::link(path("gone.txt"), path("lista.txt")));
    CaricaElencoParole(path("lista.txt"), state, boxes);
    expectListIntact();
    expectUnreadableMessage(path("lista.txt"), QStringLiteral("Il file non c'è."));
}

TEST_F(BadList, DeviceFileIsNotAList)
{
    CaricaElencoParole(QStringLiteral("/dev/zero"), state, boxes);
    expectListIntact();
    EXPECT_EQ(boxes.errors.size(), 1);
}

TEST_F(BadList, JpegRenamedIsRefusedAsBinary)
{
    QByteArray jpeg("\xff\xd8\xff\xe0\x00\x10JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00", 20);
    jpeg += QByteArray(4000, '\x7f');
    CaricaElencoParole(write("lista.txt", jpeg), state, boxes);
    expectListIntact();
    expectUnreadableMessage(
        path("lista.txt"), QStringLiteral("La lista è in un formato che non conosco: salvala come testo UTF-8."));
}

TEST_F(BadList, UnicodeTextWithoutItsMarkSaysHowToSaveIt)
{
    // UTF-16 without a byte order mark: every other byte is a NUL.
    CaricaElencoParole(write("lista.txt", QByteArray("c\0a\0n\0e\0\r\0\n\0", 12)), state, boxes);
    expectListIntact();
    expectUnreadableMessage(
        path("lista.txt"), QStringLiteral("La lista è in un formato che non conosco: salvala come testo UTF-8."));
}

TEST_F(BadList, AListOneMayNotReadSaysSo)
{
    if (geteuid() == 0) {
        GTEST_SKIP() << "root reads every file";
    }
    const QString file = write("lista.txt", "cane\r\n");
    ASSERT_TRUE(QFile::setPermissions(file, QFileDevice::WriteOwner));
    CaricaElencoParole(file, state, boxes);
    expectListIntact();
    expectUnreadableMessage(file, QStringLiteral("Non ho il permesso di leggerlo."));
}

TEST_F(BadList, HugeSparseFileWithoutLineBreakLoadsInBoundedTime)
{
    QFile file(path("lista.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(qint64(1) << 30));
    file.close();
    QElapsedTimer timer;
    timer.start();
    CaricaElencoParole(path("lista.txt"), state, boxes);
    // Not a timing assertion: the reader must stop at the first NUL instead of walking a gigabyte.
    EXPECT_LT(timer.elapsed(), 20000);
    expectListIntact();
    EXPECT_EQ(boxes.errors.size(), 1);
}

TEST_F(BadList, LongLineWithoutBreakKeepsTheFirstCharacters)
{
    CaricaElencoParole(write("lista.txt", QByteArray(8 * 1024 * 1024, 'z')), state, boxes);
    EXPECT_EQ(state.NumeroParole, 1);
    EXPECT_EQ(state.word(1), QString(255, QLatin1Char('z')));
    EXPECT_EQ(state.word(2), "parola2") << "slots above the new length keep their words";
    EXPECT_TRUE(boxes.errors.isEmpty());
}

TEST_F(BadList, EmptyFileAndOnlyEmptyLines)
{
    CaricaElencoParole(write("vuota.txt", ""), state, boxes);
    EXPECT_EQ(state.NumeroParole, 0) << "an empty list is a list of no words";
    EXPECT_EQ(state.ElencoParole, before) << "but no slot is cleared";
    const WordListLoad load = CaricaElencoParole(write("righe.txt", "\r\n\r\n\r\n"), state, boxes);
    EXPECT_EQ(state.NumeroParole, 0) << "empty lines are no words";
    EXPECT_EQ(load.emptyLinesSkipped, 3);
    EXPECT_EQ(state.word(1), "parola1");
    EXPECT_TRUE(boxes.errors.isEmpty());
}

TEST_F(BadList, HundredThousandLines)
{
    QByteArray bytes;
    for (int i = 1; i <= 100000; ++i) {
        bytes += "w" + QByteArray::number(i) + "\r\n";
    }
    CaricaElencoParole(write("lunga.txt", bytes), state, boxes);
    EXPECT_EQ(state.NumeroParole, 500);
    EXPECT_EQ(state.word(500), "w500");
    EXPECT_TRUE(state.word(0).isEmpty());
    EXPECT_EQ(boxes.informations, (QStringList {tooManyWordsMessage()}));
}

TEST(BadWords, NeverReachAFileOutsideThePictureFolder)
{
    QTemporaryDir dir;
    const QDir root(dir.path());
    ASSERT_TRUE(root.mkpath("prog/jpg"));
    ASSERT_TRUE(root.mkpath("prog/jpg/sub"));
    for (const char* name : {"secret.jpg", "prog/secret.jpg", "prog/jpg/sub/x.jpg", "prog/jpg/cane.jpg"}) {
        QFile file(root.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ContentFinder finder(pictureKind(), {root.filePath("prog")});
    EXPECT_FALSE(finder.find("cane").isEmpty());
    EXPECT_FALSE(finder.find("CANE").isEmpty());
    // The folder itself is found whatever the case it is asked in.
    EXPECT_FALSE(ContentFinder({"JPG", pictureKind().extensions}, {root.filePath("prog")}).find("cane").isEmpty());
    for (const QString& word : {QStringLiteral("../secret"), QStringLiteral("..\\secret"),
             QStringLiteral("../../secret"), QStringLiteral("sub/x"), QStringLiteral("sub\\x"), QStringLiteral(".."),
             QStringLiteral("/etc/passwd"), QStringLiteral("ca\nne"), QString(255, 'a'), QString()}) {
        EXPECT_TRUE(finder.find(word).isEmpty()) << word.toStdString();
    }
}

TEST(BadWords, MissingPictureFolderMeansNoPicture)
{
    QTemporaryDir dir;
    ContentFinder finder(pictureKind(), {dir.path()});
    EXPECT_TRUE(finder.find("cane").isEmpty());
}

TEST(BadWords, PictureAddedWhileRunningIsFound)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("jpg"));
    ContentFinder finder(pictureKind(), {dir.path()});
    EXPECT_TRUE(finder.find("nave").isEmpty());
    QFile file(dir.filePath("jpg/Nave.JPG"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    // Directory times have a resolution of whole seconds on some file systems.
    const std::filesystem::path folder = dir.filePath("jpg").toStdString();
    std::filesystem::last_write_time(folder, std::filesystem::last_write_time(folder) + std::chrono::seconds(5));
    EXPECT_EQ(finder.find("nave"), dir.filePath("jpg/Nave.JPG"));
}

} // namespace
