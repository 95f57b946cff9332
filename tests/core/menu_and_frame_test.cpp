#include "core/list_in_force.h"
#include "core/menu_model.h"
#include "core/paths.h"
#include "core/startup.h"
#include "core/word_list_reader.h"
#include "exercises/frame/exercise_frame.h"
#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

TEST(Frame, OpensWithBareZerosOrUpdateForm)
{
    qint16 right = 0, wrong = 0;
    ExerciseFrame plain(right, wrong, {}, [] {});
    plain.open(true);
    EXPECT_EQ(plain.esattiText(), "0");
    EXPECT_EQ(plain.erratiText(), "0");
    EXPECT_TRUE(plain.avantiVisible());
    EXPECT_FALSE(plain.avantiEnabled());

    ExerciseFrame spelled(right, wrong, {.openWithUpdateForm = true, .resetShowsRightIcon = true}, [] {});
    spelled.open(false);
    EXPECT_EQ(spelled.esattiText(), " 0");
    EXPECT_FALSE(spelled.avantiVisible());
}

TEST(Frame, CountsAndTheAvantiRule)
{
    qint16 right = 0, wrong = 0;
    int items = 0;
    ExerciseFrame frame(right, wrong, {}, [&] { ++items; });
    frame.open(true);
    frame.countRight();
    frame.countRight();
    frame.countWrong();
    EXPECT_EQ(frame.esattiText(), " 2");
    EXPECT_EQ(frame.erratiText(), " 1");
    frame.avanti();
    EXPECT_EQ(items, 0) << "avanti is disabled before a right answer";
    EXPECT_FALSE(frame.continueAfterRight());
    EXPECT_TRUE(frame.avantiEnabled());
    EXPECT_EQ(items, 0) << "the screen waits for avanti";
    frame.avanti();
    EXPECT_EQ(items, 1);
    frame.beginItem();
    EXPECT_FALSE(frame.avantiEnabled());

    frame.open(false);
    EXPECT_TRUE(frame.continueAfterRight());
    EXPECT_EQ(items, 2) << "without avanti the next item comes at once";
    EXPECT_FALSE(frame.avantiEnabled());
    frame.avanti();
    EXPECT_EQ(items, 2) << "a hidden avanti takes no click";
}

TEST(Frame, CountsSaturateAt32767)
{
    qint16 right = 32766, wrong = 32767;
    ExerciseFrame frame(right, wrong, {}, [] {});
    frame.countRight();
    frame.countRight();
    frame.countWrong();
    EXPECT_EQ(right, 32767);
    EXPECT_EQ(wrong, 32767);
    EXPECT_EQ(frame.esattiText(), " 32767");
}

TEST(Frame, ResetWritesUpdateFormAndOptionallyTheRightIcon)
{
    qint16 right = 4, wrong = 2;
    ExerciseFrame quiet(right, wrong, {}, [] {});
    quiet.open(true);
    quiet.showWrongIcon();
    quiet.reset();
    EXPECT_EQ(right, 0);
    EXPECT_EQ(quiet.esattiText(), " 0");
    EXPECT_EQ(quiet.erratiText(), " 0");
    EXPECT_TRUE(quiet.wrongIconVisible());

    ExerciseFrame loud(right, wrong, {.resetShowsRightIcon = true}, [] {});
    loud.showWrongIcon();
    loud.reset();
    EXPECT_TRUE(loud.rightIconVisible());
    EXPECT_FALSE(loud.wrongIconVisible());
}

TEST(Frame, LeaveAsksAndClearsOnlyOnYes)
{
    qint16 right = 3, wrong = 1;
    ExerciseFrame frame(right, wrong, {}, [] {});
    FakeMessageBoxes boxes;
    boxes.answers = {false, true};
    EXPECT_FALSE(frame.confirmLeave(boxes));
    EXPECT_EQ(right, 3);
    EXPECT_TRUE(frame.confirmLeave(boxes));
    EXPECT_EQ(right, 0);
    EXPECT_EQ(wrong, 0);
    EXPECT_EQ(boxes.questions, (QStringList {"Vuoi tornare al menù?", "Vuoi tornare al menù?"}));
}

TEST(StartUp, SplashSetsAvantiAndReseeds)
{
    Bench bench;
    QTemporaryDir dir;
    QFile file(dir.filePath("lista.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("cane\r\ngatto\r\n");
    file.close();
    FakeMessageBoxes boxes;
    bench.state.NumeroParole = 7;
    const Paths paths(dir.path(), QString());
    ListInForce list(bench.state, paths, boxes, bench.pictureCheck);
    Main(bench.state, bench.random, list, paths);
    EXPECT_EQ(bench.state.NumeroParole, 2);
    EXPECT_FALSE(bench.state.AttendiAvanti);
    splashLoad(bench.state, bench.random);
    EXPECT_TRUE(bench.state.AttendiAvanti);
    EXPECT_EQ(bench.random.seeds(), 2);
}

TEST(StartUp, MissingListGoesOnEmptyAndSaysWhere)
{
    Bench bench;
    QTemporaryDir dir;
    FakeMessageBoxes boxes;
    const Paths paths(dir.path(), QString());
    ListInForce list(bench.state, paths, boxes, bench.pictureCheck);
    Main(bench.state, bench.random, list, paths);
    EXPECT_EQ(bench.state.NumeroParole, 0);
    ASSERT_EQ(boxes.errors.size(), 1);
    EXPECT_TRUE(
        boxes.errors.at(0).contains(QDir::toNativeSeparators(dir.filePath("lista.txt")) + QStringLiteral("\n\n")));
}

class Menu : public ::testing::Test {
protected:
    Bench bench;
    FakeMessageBoxes boxes;
    FakeFileChooser chooser;
    QTemporaryDir dir;
    Paths paths {QStringLiteral("/prog"), QString()};
    ListInForce list {bench.state, paths, boxes, bench.pictureCheck};
    MenuModel menu {bench.state, paths, list, bench.feedback};

    QString writeList(const QString& name, int words)
    {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        for (int i = 1; i <= words; ++i) {
            file.write("w" + QByteArray::number(i) + "\r\n");
        }
        return file.fileName();
    }
};

TEST_F(Menu, LoadPicksAColourAndShowsTheOption)
{
    bench.state.AttendiAvanti = true;
    bench.random.push({0.0});
    menu.load();
    EXPECT_EQ(menu.background(), 0xC0C0FFu);
    EXPECT_EQ(menu.selectedOption(), 1);
    menu.optionClicked(0);
    EXPECT_FALSE(bench.state.AttendiAvanti);
    bench.random.push({0.99});
    menu.load();
    EXPECT_EQ(menu.selectedOption(), 0);
    menu.optionClicked(1);
    EXPECT_TRUE(bench.state.AttendiAvanti);
}

TEST_F(Menu, CancelledDialogRightAfterOpeningKeepsTheList)
{
    bench.setWords({"a", "b", "c"});
    bench.random.push({0.0});
    menu.load();
    menu.changeWordList(chooser, boxes);
    EXPECT_EQ(boxes.errors, (QStringList {"Non hai scelto nessuna lista!"}));
    EXPECT_EQ(bench.state.NumeroParole, 3);
    EXPECT_EQ(chooser.startFolders, (QStringList {"/prog"}));
}

TEST_F(Menu, DialogRemembersItsLastNameUntilTheMenuReloads)
{
    bench.random.push({0.0, 0.0});
    menu.load();
    chooser.names = {writeList("eight.txt", 8)};
    menu.changeWordList(chooser, boxes);
    EXPECT_EQ(bench.state.NumeroParole, 8);
    // The file grows; a cancelled dialog reads the same name again.
    writeList("eight.txt", 9);
    menu.changeWordList(chooser, boxes);
    EXPECT_EQ(bench.state.NumeroParole, 9);
    EXPECT_TRUE(boxes.errors.isEmpty());
    menu.load();
    menu.changeWordList(chooser, boxes);
    EXPECT_EQ(boxes.errors, (QStringList {"Non hai scelto nessuna lista!"}));
}

TEST_F(Menu, DialogOpensWhereTheLastListWasChosenForTheWholeRun)
{
    bench.random.push({0.0, 0.0, 0.0});
    menu.load();
    menu.changeWordList(chooser, boxes);
    const QString list = writeList("eight.txt", 8);
    chooser.names = {list};
    menu.changeWordList(chooser, boxes);
    menu.changeWordList(chooser, boxes);
    // A later visit to the menu forgets the name, not the folder.
    menu.load();
    menu.changeWordList(chooser, boxes);
    const QString folder = QFileInfo(list).absolutePath();
    EXPECT_EQ(chooser.startFolders, (QStringList {"/prog", "/prog", folder, folder}));
}

TEST_F(Menu, GuardRefusesListsTooShort)
{
    bench.setWords({"a", "b"});
    EXPECT_FALSE(menu.mayOpen(ScreenId::WordForPicture, boxes));
    EXPECT_FALSE(menu.mayOpen(ScreenId::WordsOntoPictures, boxes));
    EXPECT_TRUE(menu.mayOpen(ScreenId::MissingInnerLetter, boxes));
    EXPECT_EQ(boxes.informations,
        (QStringList {"Questo esercizio ha bisogno di almeno 6 parole, ma la lista ne contiene 2.",
            "Questo esercizio ha bisogno di almeno 3 parole, ma la lista ne contiene 2."}));
    bench.setWords({});
    EXPECT_FALSE(menu.mayOpen(ScreenId::SpellWord, boxes));
    EXPECT_EQ(boxes.informations.last(),
        "Questo esercizio ha bisogno di almeno una parola, ma la lista non ne contiene nessuna.");
    bench.setWords({"x"});
    EXPECT_FALSE(menu.mayOpen(ScreenId::PictureForWord, boxes));
    EXPECT_EQ(
        boxes.informations.last(), "Questo esercizio ha bisogno di almeno 6 parole, ma la lista ne contiene una sola.");
}

TEST_F(Menu, AboutHasFourLinesAndExitAsks)
{
    const QStringList lines = MenuModel::aboutText().split(QStringLiteral("\r\n"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_EQ(lines.at(0), "Il gruppo di Tavenzo  ");
    EXPECT_EQ(lines.at(1), " ----------------------- ");
    EXPECT_TRUE(lines.at(3).startsWith("mail: "));
    boxes.answers = {false, true};
    EXPECT_FALSE(menu.ConfermaUscita(boxes));
    EXPECT_TRUE(menu.ConfermaUscita(boxes));
    EXPECT_EQ(boxes.questions.at(0), "Vuoi uscire dal programma?");
}

} // namespace
