#include "core/content_finder.h"
#include "core/list_check.h"
#include "core/list_in_force.h"
#include "core/menu_model.h"
#include "core/paths.h"
#include "core/startup.h"
#include "core/word_list_reader.h"
#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

// A program folder, a teacher's folder and a USB stick, each with whatever a case puts there.
class TeacherContent : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(root.isValid());
        for (const char* folder : {"prog/jpg", "insegnante", "chiavetta"}) {
            ASSERT_TRUE(QDir(root.path()).mkpath(QLatin1String(folder)));
        }
        put("prog/lista.txt", "cane\r\ngatto\r\n");
    }
    QString at(const QString& relative) const { return QDir(root.path()).filePath(relative); }
    QString put(const QString& relative, const QByteArray& bytes = "x")
    {
        const QString path = at(relative);
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    Paths paths() const { return {at("prog"), at("insegnante")}; }

    QTemporaryDir root;
};

TEST_F(TeacherContent, StartUpReadsTheTeachersListWhenThereIsOne)
{
    Bench bench;
    FakeMessageBoxes boxes;
    const Paths where = paths();
    put("prog/jpg/cane.jpg");
    put("prog/jpg/gatto.jpg");
    ListInForce bundled(bench.state, where, boxes);
    EXPECT_TRUE(Main(bench.state, bench.random, bundled, where));
    EXPECT_EQ(bundled.path(), at("prog/lista.txt"));
    EXPECT_EQ(bench.state.NumeroParole, 2);
    EXPECT_TRUE(boxes.informations.isEmpty()) << "a clean list says nothing";

    put("insegnante/lista.txt", "sole\r\nluna\r\nmare\r\n");
    put("insegnante/jpg/sole.png");
    put("insegnante/jpg/luna.png");
    ListInForce own(bench.state, where, boxes);
    EXPECT_TRUE(Main(bench.state, bench.random, own, where));
    EXPECT_EQ(own.path(), at("insegnante/lista.txt"));
    EXPECT_EQ(bench.state.NumeroParole, 3);
    EXPECT_EQ(bench.state.word(1), "sole");
    EXPECT_TRUE(boxes.errors.isEmpty());
    // The teacher learns at start-up, as after choosing a list in the menu, which words will not work.
    ASSERT_EQ(boxes.informations.size(), 1);
    EXPECT_TRUE(boxes.informations.at(0).contains(QStringLiteral("Questa parola non ha un'immagine: mare.")))
        << boxes.informations.at(0).toStdString();
    EXPECT_EQ(own.pictures().find("sole"), at("insegnante/jpg/sole.png"));
}

TEST_F(TeacherContent, AnUnreadableTeachersListIsReportedAndTheBundledWordsServe)
{
    put("insegnante/lista.txt", QByteArray("\xff\xd8\xff\xe0\0\x10JFIF", 10)); // a picture saved under that name
    Bench bench;
    FakeMessageBoxes boxes;
    const Paths where = paths();
    ListInForce list(bench.state, where, boxes);
    EXPECT_TRUE(Main(bench.state, bench.random, list, where));
    EXPECT_EQ(list.path(), at("prog/lista.txt"));
    ASSERT_EQ(boxes.errors.size(), 1);
    EXPECT_TRUE(boxes.errors.at(0).endsWith(QDir::toNativeSeparators(at("insegnante/lista.txt"))));
    EXPECT_EQ(bench.state.NumeroParole, 2);
}

TEST_F(TeacherContent, PicturesAreLookedForBesideTheListThenTheTeachersThenTheBundledOnes)
{
    const QStringList places = paths().contentPlaces(at("chiavetta/animali.txt"));
    EXPECT_EQ(places, (QStringList {at("chiavetta"), at("insegnante"), at("prog")}));
    EXPECT_EQ(paths().contentPlaces(at("prog/lista.txt")), (QStringList {at("prog"), at("insegnante")}))
        << "each folder once";
    EXPECT_EQ(Paths(at("prog"), QString()).contentPlaces({}), QStringList {at("prog")});

    put("prog/jpg/cane.jpg");
    put("prog/jpg/gatto.jpg");
    put("prog/jpg/topo.jpg");
    put("insegnante/jpg/Gatto.PNG");
    put("insegnante/jpg/topo.png");
    put("chiavetta/JPG/topo.jpeg");
    put("chiavetta/JPG/riccio.Jpeg");
    ContentFinder finder(pictureKind(), places);
    EXPECT_EQ(finder.folders(), (QStringList {at("chiavetta/jpg"), at("insegnante/jpg"), at("prog/jpg")}));
    EXPECT_EQ(finder.find("cane"), at("prog/jpg/cane.jpg"));
    EXPECT_EQ(finder.find("gatto"), at("insegnante/jpg/Gatto.PNG")) << "the teacher's picture before the bundled";
    EXPECT_EQ(finder.find("TOPO"), at("chiavetta/JPG/topo.jpeg")) << "the list's own picture first";
    EXPECT_EQ(finder.find("riccio"), at("chiavetta/JPG/riccio.Jpeg")) << "a teacher's JPG folder is the jpg folder";
    for (const QString& word : {QStringLiteral("../jpg/cane"), QStringLiteral("../../prog/jpg/cane"),
             QStringLiteral("jpg/cane"), QStringLiteral("cane.jpg/.."), QStringLiteral("..")}) {
        EXPECT_TRUE(finder.find(word).isEmpty()) << word.toStdString();
    }
}

TEST_F(TeacherContent, TheListDialogOpensInTheTeachersFolderOnceItHoldsLists)
{
    EXPECT_EQ(paths().listDialogFolder(), at("prog"));
    put("insegnante/Settimana 3.TXT", "sole\r\n");
    EXPECT_EQ(paths().listDialogFolder(), at("insegnante"));
    EXPECT_EQ(Paths(at("prog"), at("manca")).listDialogFolder(), at("prog"));
}

TEST_F(TeacherContent, AListChosenFromTheMenuIsHandedOnWithWhatWasSkipped)
{
    put("insegnante/piante.txt", "albero\r\n\r\nfiore\r\n\r\n");
    Bench bench;
    FakeFileChooser chooser;
    FakeMessageBoxes boxes;
    const Paths where = paths();
    ListInForce list(bench.state, where, boxes);
    MenuModel menu(bench.state, where, list, bench.feedback);
    chooser.names = {at("insegnante/piante.txt"), at("insegnante/manca.txt")};
    menu.changeWordList(chooser, boxes);
    EXPECT_EQ(chooser.startFolders, QStringList {at("insegnante")});
    EXPECT_EQ(list.path(), at("insegnante/piante.txt"));
    ASSERT_EQ(boxes.informations.size(), 1);
    EXPECT_TRUE(boxes.informations.at(0).contains(QStringLiteral("2 righe vuote sono state saltate.")));
    EXPECT_EQ(list.pictures().folders().value(0), at("insegnante/jpg")) << "pictures beside the list first";
    EXPECT_EQ(bench.state.NumeroParole, 2);
    menu.changeWordList(chooser, boxes);
    EXPECT_EQ(list.path(), at("insegnante/piante.txt")) << "a list that could not be read changes nothing";
    EXPECT_EQ(boxes.errors.size(), 1);
    EXPECT_EQ(bench.state.NumeroParole, 2);
}

class CheckedList : public ::testing::Test {
protected:
    ListCheck check(const QStringList& words, int emptyLines = 0)
    {
        bench.setWords(words);
        return checkList(bench.state, pictures, emptyLines);
    }
    QTemporaryDir dir;
    Bench bench;
    ContentFinder pictures {pictureKind(), {dir.path()}};
};

TEST_F(CheckedList, ACleanListSaysNothing)
{
    QDir(dir.path()).mkpath(QStringLiteral("jpg"));
    for (const char* name : {"jpg/cane.jpg", "jpg/Gatto.png"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const ListCheck clean = check({"cane", "GATTO", "cane"});
    EXPECT_TRUE(clean.clean());
    EXPECT_TRUE(listCheckMessage(clean).isEmpty());
}

TEST_F(CheckedList, NamesTenWordsThenCountsTheRest)
{
    QStringList words;
    for (const char* word : {"uno", "due", "tre", "quattro", "cinque", "sei", "sette", "otto", "nove", "dieci",
             "undici", "dodici", "tredici"}) {
        words << QLatin1String(word);
    }
    words << QStringLiteral("città") << QStringLiteral("kiwi") << QStringLiteral("uno");
    const ListCheck listed = check(words, 3);
    EXPECT_EQ(listed.withoutPicture.size(), 15) << "each word once";
    EXPECT_EQ(listed.offKeyboard, (QStringList {QStringLiteral("città"), QStringLiteral("kiwi")}));
    const QString message = listCheckMessage(listed);
    EXPECT_TRUE(message.contains(QStringLiteral("Queste parole non hanno un'immagine: uno, due, tre, quattro, cinque, "
                                                "sei, sette, otto, nove, dieci e altre 5.")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("non si possono completare: città, kiwi.")));
    EXPECT_TRUE(message.contains(QStringLiteral("3 righe vuote sono state saltate.")));
    EXPECT_FALSE(message.contains(QStringLiteral("undici")));
}

TEST_F(CheckedList, OneOfEachIsSaidInTheSingular)
{
    const QString message = listCheckMessage(check({QStringLiteral("perché")}, 1));
    EXPECT_TRUE(message.contains(QStringLiteral("Questa parola non ha un'immagine: perché.")));
    EXPECT_TRUE(message.contains(QStringLiteral("Questa parola ha lettere che la tastiera sullo schermo non ha")));
    EXPECT_TRUE(message.contains(QStringLiteral("Una riga vuota è stata saltata.")));
    QStringList eleven;
    for (int i = 0; i < 11; ++i) {
        eleven << QStringLiteral("parola%1").arg(i);
    }
    EXPECT_TRUE(listCheckMessage(check(eleven)).contains(QStringLiteral(" e un'altra.")));
}

} // namespace
