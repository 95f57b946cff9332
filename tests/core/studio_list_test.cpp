#include "core/picture_import.h"
#include "core/studio_list.h"
#include "core/word_list_reader.h"
#include "fakes.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <sys/mount.h>
#include <unistd.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void write(const QString& path, const QByteArray& bytes)
{
    ASSERT_TRUE(writeFile(path, bytes)) << path.toStdString();
}

// Whether the process can ignore file permissions (root in a container): a read-only folder is then no test.
bool permissionsApply()
{
    return ::geteuid() != 0;
}

TEST(StudioList, RowsAreAddedRemovedMovedAndCorrectedAndEachChangeCounts)
{
    StudioList list;
    list.setWords({"cane", "gatto", "mela"});
    EXPECT_FALSE(list.modified());
    list.append("pera");
    list.insert(0, "uva");
    list.move(4, 1); // pera up to the second row
    list.remove(3); // gatto
    list.setWord(0, "Uva");
    EXPECT_EQ(list.words(), QStringList({"Uva", "pera", "cane", "mela"}));
    EXPECT_TRUE(list.modified());

    // Rows out of range change nothing, not even the unsaved mark.
    list.setModified(false);
    list.remove(9);
    list.move(0, 9);
    list.setWord(-1, "x");
    list.setWord(1, "pera");
    EXPECT_FALSE(list.modified());
    EXPECT_EQ(list.size(), 4);
}

// A column copied from a spreadsheet arrives with tabs, CR LF and quotes; from a document, one word a line.
TEST(StudioList, APastedColumnBecomesOneRowPerWordWhereTheTeacherIs)
{
    struct Case {
        const char* name;
        QString text;
        QStringList words;
    };
    const Case cases[] = {
        {"spreadsheet_column", "cane\r\ngatto\r\n\r\nmela\r\n", {"x", "cane", "gatto", "mela", "y"}},
        {"spreadsheet_row", "\"cane\"\t\"gatto\"\t\r\n", {"x", "cane", "gatto", "y"}},
        {"document_lines", QStringLiteral("  città \nperché\n"),
            {"x", QStringLiteral("città"), QStringLiteral("perché"), "y"}},
        {"nothing_but_blanks", " \r\n\t\r\n", {"x", "y"}},
    };
    for (const Case& c : cases) {
        StudioList list;
        list.setWords({"x", "y"});
        const int added = list.paste(1, c.text);
        EXPECT_EQ(list.words(), c.words) << c.name;
        EXPECT_EQ(added, c.words.size() - 2) << c.name;
        EXPECT_EQ(list.modified(), added > 0) << c.name;
    }
}

TEST(StudioList, EachWordSaysWhatIsWrongWithItInPlainItalian)
{
    StudioList list;
    list.setWords({"cane", QStringLiteral("città"), "koala", "Cane", "gatto", "../segreti", "", "mela", "pe\"ra",
        QStringLiteral("perché?")});
    const PictureLookup lookup {[](const QString& word) {
                                    return word == "cane" || word == "Cane" ? QStringLiteral("/l/jpg/cane.jpg")
                                        : word == "mela"                    ? QStringLiteral("/l/jpg/mela.png")
                                                                            : QString();
                                },
        [](const QString& path) {
            return path.endsWith("mela.png") ? PictureCheck::Result::Damaged : PictureCheck::Result::Readable;
        }};
    const auto problems = [&](int row) { return list.problems(row, lookup).join(QLatin1Char('|')); };
    EXPECT_EQ(problems(0), "");
    // The accent is typed with its plain vowel's key: città is fine but for its missing picture.
    EXPECT_EQ(problems(1), QStringLiteral("Non ha una figura: i bambini vedranno un riquadro grigio."));
    EXPECT_EQ(problems(2),
        QStringLiteral("La tastiera sullo schermo non ha: k. La parola va bene nei tre esercizi con le figure; gli "
                       "esercizi con le lettere non la propongono, perché non si potrebbe completare.|Non ha una "
                       "figura: i bambini vedranno un "
                       "riquadro grigio."));
    EXPECT_EQ(problems(3), QStringLiteral("È già nella lista, alla riga 1."));
    EXPECT_TRUE(problems(5).contains(QStringLiteral("non può avere una figura"))) << problems(5).toStdString();
    EXPECT_EQ(problems(6), QStringLiteral("La riga è vuota: non verrà salvata."));
    EXPECT_EQ(
        problems(7), QStringLiteral("La figura mela.png non si può mostrare (file danneggiato): scegline un'altra."));
    EXPECT_TRUE(problems(8).startsWith(QStringLiteral("Le virgolette"))) << problems(8).toStdString();
    // The quotes go on saving, so pe"ra may still have its picture; a question mark stays and no USB stick takes it.
    EXPECT_FALSE(problems(8).contains(QStringLiteral("non può avere una figura"))) << problems(8).toStdString();
    EXPECT_TRUE(problems(9).contains(QStringLiteral("non può avere una figura"))) << problems(9).toStdString();
}

TEST(StudioList, TheSummarySaysWhichExercisesTheListIsLongEnoughFor)
{
    struct Case {
        int words;
        const char* starts;
    };
    for (const Case c : {Case {0, "La lista è vuota"},
             Case {1, "1 parola: bastano solo per gli esercizi con le lettere"}, Case {2, "2 parole: bastano solo"},
             Case {3, "3 parole: bastano per gli esercizi con le lettere e per le tre"},
             Case {5, "5 parole: bastano per gli esercizi con le lettere e"},
             Case {6, "6 parole: bastano per tutti e sei gli esercizi."}, Case {500, "500 parole: bastano per tutti"},
             Case {501, "501 parole: troppe. Tavenzo ne legge al massimo 500"}}) {
        StudioList list;
        QStringList words;
        for (int i = 0; i < c.words; ++i) {
            words << QStringLiteral("w%1").arg(i);
        }
        words << ""; // an empty row is not a word
        list.setWords(words);
        EXPECT_TRUE(list.summary().startsWith(QString::fromUtf8(c.starts))) << list.summary().toStdString();
    }
}

// What is saved reads back, through the children's own reader, as the very same words.
TEST(StudioList, SavedTextIsUtf8WithCrLfAndReadsBackAsTheSameWords)
{
    StudioList list;
    list.setWords({QStringLiteral("città"), "pesce rosso", "sale, pepe", " spazio", "", "pe\"ra", "uva"});
    const QByteArray text = list.toFileText();
    EXPECT_EQ(text, QByteArray("citt\xc3\xa0\r\npesce rosso\r\n\"sale, pepe\"\r\n\" spazio\"\r\npera\r\nuva\r\n"));
    const WordListReadResult back = readWordList(text);
    EXPECT_EQ(QStringList(back.words.begin(), back.words.end()),
        QStringList({QStringLiteral("città"), "pesce rosso", "sale, pepe", " spazio", "pera", "uva"}));
}

class StudioSave : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(root.isValid()); }
    QString at(const QString& relative) const { return QDir(root.path()).filePath(relative); }
    QTemporaryDir root;
};

TEST_F(StudioSave, ASaveReplacesTheFileWholeAndMarksTheListSaved)
{
    write(at("classe/settimana.txt"), "vecchia\r\n");
    StudioList list;
    list.setWords({"cane", "gatto"});
    list.setModified(true);
    const SaveResult saved = saveList(list, at("classe/settimana.txt"));
    EXPECT_TRUE(saved.ok()) << saved.message.toStdString();
    EXPECT_EQ(readAll(at("classe/settimana.txt")), "cane\r\ngatto\r\n");
    EXPECT_FALSE(list.modified());
    EXPECT_EQ(list.path(), at("classe/settimana.txt"));
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(at("classe")).entryList(QDir::Files), QStringList({"settimana.txt"}));
}

TEST_F(StudioSave, AMissingOrReadOnlyFolderSaysWhyAndTheListStaysUnsaved)
{
    StudioList list;
    list.setWords({"cane"});
    list.setModified(true);
    list.setPath(at("chiavetta/lista.txt"));

    const SaveResult missing = saveList(list, at("chiavetta/lista.txt"));
    EXPECT_EQ(missing.failure, SaveFailure::MissingFolder);
    EXPECT_TRUE(missing.message.contains(QStringLiteral("forse la chiavetta è stata tolta")))
        << missing.message.toStdString();
    EXPECT_TRUE(missing.message.contains(QStringLiteral("La lista resta aperta e le modifiche non sono perse.")));
    EXPECT_TRUE(list.modified());

    SaveResult refused;
    if (permissionsApply()) {
        write(at("sola-lettura/lista.txt"), "vecchia\r\n");
        QFile::setPermissions(at("sola-lettura"), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
        refused = saveList(list, at("sola-lettura/lista.txt"));
        QFile::setPermissions(
            at("sola-lettura"), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        EXPECT_EQ(readAll(at("sola-lettura/lista.txt")), "vecchia\r\n");
    } else if (QFileInfo(QStringLiteral("/sys")).isDir()) {
        // Root may write in any folder of a disk, but not in the kernel's own.
        refused = saveList(list, QStringLiteral("/sys/lista.txt"));
    } else {
        GTEST_SKIP() << "no folder this process cannot write in";
    }
    EXPECT_EQ(refused.failure, SaveFailure::ReadOnly);
    EXPECT_TRUE(refused.message.contains(QStringLiteral("Non ho il permesso di scrivere")))
        << refused.message.toStdString();
    EXPECT_TRUE(list.modified());
    EXPECT_EQ(list.path(), at("chiavetta/lista.txt"));
}

// Root can make a real full disk: a tiny memory file system holding the old list.
TEST_F(StudioSave, AFullDiskSaysSoAndTheOldListStaysWhole)
{
    const QString disk = at("chiavetta-piena");
    QDir().mkpath(disk);
    if (::geteuid() != 0 || ::mount("tmpfs", disk.toLocal8Bit().constData(), "tmpfs", 0, "size=8k") != 0) {
        GTEST_SKIP() << "cannot mount a small file system here";
    }
    write(disk + "/lista.txt", "vecchia\r\n");
    StudioList list;
    QStringList words;
    for (int i = 0; i < 3000; ++i) {
        words << QStringLiteral("parola%1").arg(i);
    }
    list.setWords(words);
    list.setModified(true);
    const SaveResult full = saveList(list, disk + "/lista.txt");
    const QByteArray kept = readAll(disk + "/lista.txt");
    const QStringList left = QDir(disk).entryList(QDir::Files);
    ::umount(disk.toLocal8Bit().constData());
    EXPECT_EQ(full.failure, SaveFailure::DiskFull) << full.message.toStdString();
    EXPECT_TRUE(full.message.contains(QStringLiteral("è pieno"))) << full.message.toStdString();
    EXPECT_EQ(kept, "vecchia\r\n");
    EXPECT_EQ(left, QStringList({"lista.txt"})); // no half-written file beside it
    EXPECT_TRUE(list.modified());
}

// A full disk cannot be made in a test without root; what the teacher reads for it is checked with the others.
TEST_F(StudioSave, EveryFailureTellsTheTeacherWhatToDo)
{
    struct Case {
        SaveFailure failure;
        const char* says;
    };
    for (const Case c : {Case {SaveFailure::MissingFolder, "non c'è (più)"}, Case {SaveFailure::ReadOnly, "permesso"},
             Case {SaveFailure::DiskFull, "è pieno"}, Case {SaveFailure::Other, "non è riuscita"}}) {
        const QString message = saveFailureMessage(c.failure, "/media/chiavetta/lista.txt");
        EXPECT_TRUE(
            message.startsWith(QStringLiteral("Non riesco a salvare la lista di parole:\n/media/chiavetta/lista.txt")));
        EXPECT_TRUE(message.contains(QString::fromUtf8(c.says))) << message.toStdString();
        EXPECT_TRUE(message.contains(QStringLiteral("«Salva con nome»"))) << message.toStdString();
    }
    EXPECT_EQ(saveFailureMessage(SaveFailure::None, "x"), QString());
}

TEST_F(StudioSave, OpeningReadsEveryListTheChildrensReaderReadsAndSaysWhyNot)
{
    write(at("unicode.txt"),
        QByteArray("\xFF\xFE"
                   "c\0i\0t\0t\0\xE0\0\r\0\n\0",
            16));
    const StudioOpen opened = openListFile(at("unicode.txt"));
    EXPECT_TRUE(opened.ok);
    EXPECT_EQ(opened.words, QStringList({QStringLiteral("città")}));
    const StudioOpen missing = openListFile(at("manca.txt"));
    EXPECT_FALSE(missing.ok);
    EXPECT_TRUE(missing.message.contains(QStringLiteral("Il file non c'è."))) << missing.message.toStdString();
}

TEST(PictureFraming, TheSquareIsCutAroundTheCentreAndMovesAlongTheLongSide)
{
    EXPECT_EQ(cropSquare({4000, 3000}, 0.0), QRect(500, 0, 3000, 3000));
    EXPECT_EQ(cropSquare({4000, 3000}, -1.0), QRect(0, 0, 3000, 3000));
    EXPECT_EQ(cropSquare({4000, 3000}, 1.0), QRect(1000, 0, 3000, 3000));
    EXPECT_EQ(cropSquare({4000, 3000}, 7.0), QRect(1000, 0, 3000, 3000));
    EXPECT_EQ(cropSquare({3000, 4000}, 0.5), QRect(0, 750, 3000, 3000));
    EXPECT_EQ(cropSquare({600, 600}, 1.0), QRect(0, 0, 600, 600));
    EXPECT_EQ(fitInSquare({4000, 3000}, 600), QRect(0, 75, 600, 450));
    EXPECT_EQ(fitInSquare({1000, 2000}, 600), QRect(150, 0, 300, 600));
    EXPECT_EQ(fitInSquare({6000, 1}, 600), QRect(0, 299, 600, 1));
}

// The word names the file, so whatever it holds must not lead the file out of the list's jpg folder.
TEST(PictureFraming, AWordNamesAFileOnlyInsideTheJpgFolder)
{
    struct Case {
        QString word;
        QString target;
    };
    const Case cases[] = {
        {"cane", "/scuola/jpg/cane.jpg"},
        {QStringLiteral("città"), QStringLiteral("/scuola/jpg/città.jpg")},
        {" pesce rosso ", "/scuola/jpg/pesce rosso.jpg"},
        {"../cane", ""},
        {"..", ""},
        {".nascosta", ""},
        {"a/b", ""},
        {"/etc/passwd", ""},
        {"a\\b", ""},
        // Signs a USB stick (FAT) or a Windows share refuses in a file name.
        {QStringLiteral("perché?"), ""},
        {"ore 8:30", ""},
        {"x*y", ""},
        {"<cane>", ""},
        {"a|b", ""},
        {"pe\"ra", ""},
        {QStringLiteral("ca\nne"), ""},
        {QStringLiteral("ca") + QChar(0x7f), ""},
        {QStringLiteral("ca") + QChar(0), ""},
        {"", ""},
        {"   ", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(importTarget("/scuola", c.word), c.target) << c.word.toStdString();
    }
}

// Records what the toolkit would have done.
class FakeImporter final : public PictureImporter {
public:
    QSize uprightSize(const QString& source) override { return source.endsWith(".rotto") ? QSize() : QSize(40, 30); }
    QString importPicture(const QString& source, const QString& target, const Framing&) override
    {
        imported << source + " -> " + target;
        write(target, "nuova");
        return {};
    }
    QStringList imported;
};

TEST_F(StudioSave, AnExistingPictureIsReplacedOnlyWhenTheTeacherSaysSo)
{
    write(at("lista/jpg/Cane.JPG"), "vecchia");
    write(at("lista/jpg/gatto.png"), "vecchia");
    FakeImporter importer;
    FakeMessageBoxes boxes;

    boxes.answers = {false};
    const ImportResult kept = importWordPicture(at("lista"), "cane", "/foto/cane.heic", {}, importer, boxes);
    EXPECT_EQ(kept.outcome, ImportOutcome::KeptExisting);
    EXPECT_EQ(readAll(at("lista/jpg/Cane.JPG")), "vecchia");
    ASSERT_EQ(boxes.questions.size(), 1);
    EXPECT_EQ(boxes.questions.at(0),
        QStringLiteral("C'è già una figura per «cane» (Cane.JPG). Volete sostituirla con quella nuova?"));
    EXPECT_TRUE(importer.imported.isEmpty());

    boxes.answers = {true};
    EXPECT_EQ(importWordPicture(at("lista"), "cane", "/foto/cane.heic", {}, importer, boxes).outcome,
        ImportOutcome::Imported);
    EXPECT_EQ(readAll(at("lista/jpg/Cane.JPG")), "nuova"); // in place, so no older one comes before it
    boxes.answers = {true};
    EXPECT_EQ(
        importWordPicture(at("lista"), "gatto", "/foto/g.png", {}, importer, boxes).outcome, ImportOutcome::Imported);
    EXPECT_EQ(readAll(at("lista/jpg/gatto.jpg")), "nuova");

    // A new word asks nothing; a word that cannot name a file, or a picture nothing reads, writes nothing.
    const qsizetype asked = boxes.questions.size();
    EXPECT_EQ(
        importWordPicture(at("lista"), "mela", "/foto/m.png", {}, importer, boxes).outcome, ImportOutcome::Imported);
    EXPECT_EQ(importWordPicture(at("lista"), "../../mela", "/foto/m.png", {}, importer, boxes).outcome,
        ImportOutcome::Refused);
    const ImportResult broken = importWordPicture(at("lista"), "pera", "/foto/p.rotto", {}, importer, boxes);
    EXPECT_EQ(broken.outcome, ImportOutcome::Refused);
    EXPECT_TRUE(broken.message.startsWith(QStringLiteral("Non riesco ad aprire la figura")))
        << broken.message.toStdString();
    EXPECT_EQ(boxes.questions.size(), asked);
    EXPECT_EQ(importer.imported.size(), 3);
    EXPECT_EQ(
        QDir(at("lista/jpg")).entryList(QDir::Files), QStringList({"Cane.JPG", "gatto.jpg", "gatto.png", "mela.jpg"}));
    EXPECT_EQ(QDir(root.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"lista"}));
}

} // namespace
