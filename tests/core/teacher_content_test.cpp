#include "core/content_finder.h"
#include "core/list_check.h"
#include "core/list_in_force.h"
#include "core/menu_model.h"
#include "core/paths.h"
#include "core/startup.h"
#include "core/word_list_reader.h"
#include "fakes.h"
#include "support/files.h"

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
        EXPECT_TRUE(writeFile(path, bytes)) << path.toStdString();
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
    ListInForce bundled(bench.state, where, boxes, bench.pictureCheck);
    EXPECT_TRUE(Main(bench.state, bench.random, bundled, where));
    EXPECT_EQ(bundled.path(), at("prog/lista.txt"));
    EXPECT_EQ(bench.state.NumeroParole, 2);
    startupReport(bundled, where);
    EXPECT_TRUE(boxes.informations.isEmpty()) << "the bundled list needs no word";

    put("insegnante/lista.txt", "sole\r\nluna\r\nmare\r\n");
    put("insegnante/jpg/sole.png");
    put("insegnante/jpg/luna.png");
    ListInForce own(bench.state, where, boxes, bench.pictureCheck);
    EXPECT_TRUE(Main(bench.state, bench.random, own, where));
    EXPECT_EQ(own.path(), at("insegnante/lista.txt"));
    EXPECT_EQ(bench.state.NumeroParole, 3);
    EXPECT_EQ(bench.state.word(1), "sole");
    EXPECT_TRUE(boxes.errors.isEmpty());
    EXPECT_TRUE(boxes.informations.isEmpty()) << "told once the splash is on view";
    startupReport(own, where);
    // The teacher learns at start-up, as after choosing a list in the menu, which words will not work.
    ASSERT_EQ(boxes.informations.size(), 1);
    EXPECT_TRUE(boxes.informations.at(0).contains(QStringLiteral("Questa parola non ha una figura")))
        << boxes.informations.at(0).toStdString();
    EXPECT_TRUE(boxes.informations.at(0).contains(QStringLiteral("grigio: mare.")));
    EXPECT_EQ(own.pictures().find("sole"), at("insegnante/jpg/sole.png"));
}

TEST_F(TeacherContent, AnUnreadableTeachersListIsReportedAndTheBundledWordsServe)
{
    put("insegnante/lista.txt", QByteArray("\xff\xd8\xff\xe0\0\x10JFIF", 10)); // a picture saved under that name
    Bench bench;
    FakeMessageBoxes boxes;
    const Paths where = paths();
    ListInForce list(bench.state, where, boxes, bench.pictureCheck);
    EXPECT_TRUE(Main(bench.state, bench.random, list, where));
    EXPECT_EQ(list.path(), at("prog/lista.txt"));
    ASSERT_EQ(boxes.errors.size(), 1);
    EXPECT_TRUE(
        boxes.errors.at(0).contains(QDir::toNativeSeparators(at("insegnante/lista.txt")) + QStringLiteral("\n\n")));
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
    ListInForce list(bench.state, where, boxes, bench.pictureCheck);
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
        return checkList(bench.state, pictures, bench.pictureCheck, emptyLines);
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
    words << QStringLiteral("città") << QStringLiteral("kiwi") << QStringLiteral("uno") << QStringLiteral("l'ape");
    const ListCheck listed = check(words, 3);
    EXPECT_EQ(listed.withoutPicture.size(), 16) << "each word once";
    EXPECT_EQ(listed.offKeyboard, (QStringList {QStringLiteral("kiwi"), QStringLiteral("l'ape")}))
        << "an accent is typed with its plain vowel; a letter no key types leaves the word out";
    const QString message = listCheckMessage(listed);
    EXPECT_TRUE(message.startsWith(QStringLiteral("La lista è stata caricata.\n\n"))) << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Queste parole non hanno una figura, e al loro posto si vedrà un "
                                                "riquadro grigio: uno, due, tre, quattro, cinque, sei, sette, otto, "
                                                "nove, dieci e altre 6.")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("negli esercizi con le lettere non vengono proposte: kiwi, l'ape.")));
    EXPECT_TRUE(message.contains(QStringLiteral("3 righe vuote sono state saltate.")));
    EXPECT_FALSE(message.contains(QStringLiteral("undici")));
    EXPECT_FALSE(message.contains(QStringLiteral("immagine"))) << "one word for picture: the guide's \"figura\"";
}

TEST_F(CheckedList, OneOfEachIsSaidInTheSingular)
{
    const QString message = listCheckMessage(check({QStringLiteral("yogurt")}, 1));
    EXPECT_TRUE(message.contains(QStringLiteral("Questa parola non ha una figura, e al suo posto si vedrà un riquadro "
                                                "grigio: yogurt.")))
        << message.toStdString();
    EXPECT_TRUE(message.contains(QStringLiteral("Questa parola ha lettere che la tastiera sullo schermo non ha, e "
                                                "negli esercizi con le lettere non viene proposta: yogurt.")));
    EXPECT_TRUE(message.contains(QStringLiteral("Una riga vuota è stata saltata.")));
    QStringList eleven;
    for (int i = 0; i < 11; ++i) {
        eleven << QStringLiteral("parola%1").arg(i);
    }
    EXPECT_TRUE(listCheckMessage(check(eleven)).contains(QStringLiteral(" e un'altra.")));
}

TEST_F(CheckedList, APictureThatCannotBeShownIsNamedWithWhy)
{
    QDir(dir.path()).mkpath(QStringLiteral("jpg"));
    for (const char* name : {"jpg/mela.webp", "jpg/cane.jpg", "jpg/gatto.png"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    bench.pictureCheck.results = {{QStringLiteral("mela.webp"), PictureCheck::Result::UnknownFormat},
        {QStringLiteral("cane.jpg"), PictureCheck::Result::Damaged}};
    const ListCheck listed = check({"mela", "cane", "gatto", "mela"});
    EXPECT_TRUE(listed.withoutPicture.isEmpty()) << "a file is there: the message says what is wrong with it";
    ASSERT_EQ(listed.unreadable.size(), 2u) << "each word once";
    const QString message = listCheckMessage(listed);
    EXPECT_TRUE(message.contains(QStringLiteral("Queste figure non si possono mostrare, e al loro posto si vedrà un "
                                                "riquadro grigio: mela.webp (formato non riconosciuto), cane.jpg "
                                                "(file danneggiato).")))
        << message.toStdString();
    EXPECT_FALSE(message.contains(QStringLiteral("gatto")));
}

TEST_F(CheckedList, WithTheSpokenWordAPartlyRecordedListNamesTheWordsTheSynthesiserSays)
{
    QDir(dir.path()).mkpath(QStringLiteral("jpg"));
    QDir(dir.path()).mkpath(QStringLiteral("voci"));
    for (const char* name : {"jpg/cane.jpg", "jpg/gatto.png", "jpg/mela.png", "voci/Cane.wav"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ContentFinder recordings(voiceKind(), {dir.path()});
    struct Row {
        const char* what;
        QStringList words;
        bool spoken;
        QStringList synthesised;
    };
    const std::vector<Row> rows {
        {"some words recorded", {"cane", "gatto", "mela", "gatto"}, true, {"gatto", "mela"}},
        {"every word recorded", {"cane", "CANE"}, true, {}},
        {"no word recorded: the program's voice throughout, as expected", {"gatto", "mela"}, true, {}},
        {"the spoken word off", {"cane", "gatto"}, false, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        bench.setWords(row.words);
        const ListCheck listed
            = checkList(bench.state, pictures, bench.pictureCheck, 0, row.spoken ? &recordings : nullptr);
        EXPECT_EQ(listed.synthesised, row.synthesised);
        EXPECT_EQ(listed.clean(), row.synthesised.isEmpty());
    }
    bench.setWords({"cane", "gatto"});
    const QString message = listCheckMessage(checkList(bench.state, pictures, bench.pictureCheck, 0, &recordings));
    EXPECT_TRUE(message.contains(QStringLiteral("Questa parola non ha una vostra registrazione, e sarà letta dalla "
                                                "voce del programma: gatto.")))
        << message.toStdString();
}

} // namespace
