#include "exercises/pictures/words_onto_pictures_exercise.h"
#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

using Drop = WordsOntoPicturesExercise::Drop;

const QStringList kSix {"Cane", "gatto", "MELA", "pera", "sole", "luna"};

// Scripts one exercise: the slot draws (with any repeats), the column order d, then the background colour
// (slot 1 of the colour table, 0xC0C0FF).
void scriptExercise(ScriptedRandom& random, int words, std::initializer_list<int> slotDraws, int order)
{
    for (int s : slotDraws) {
        random.pushSlot(s, words);
    }
    random.push({(order + 0.5) / 6.0, 0.0});
}

class WordsOntoPictures : public ::testing::Test {
protected:
    WordsOntoPictures() { bench.setWords(kSix); }
    void openWith(bool attendiAvanti, std::initializer_list<int> slotDraws = {1, 2, 3}, int order = 0)
    {
        bench.state.AttendiAvanti = attendiAvanti;
        scriptExercise(bench.random, 6, slotDraws, order);
        model.open();
    }
    // A right drop takes one value for the success sound.
    Drop rightDrop(int word)
    {
        bench.random.push({0.0});
        return model.drop(word, word);
    }
    Bench bench;
    WordsOntoPicturesExercise model {bench.services()};
};

TEST_F(WordsOntoPictures, DrawsThreeDifferentSlotsThenTheOrderThenTheColour)
{
    openWith(false, {2, 2, 5, 2, 5, 2, 6}, 3);
    EXPECT_EQ(bench.random.remaining(), 0u);
    EXPECT_EQ(model.slot(0), 2);
    EXPECT_EQ(model.slot(1), 5);
    EXPECT_EQ(model.slot(2), 6);
    EXPECT_EQ(model.columnOrder(), 3);
    EXPECT_EQ(model.frame().background(), 0xC0C0FFu);
    EXPECT_EQ(model.wordText(0), "GATTO") << "the screen opens in upper case";
    EXPECT_EQ(model.wordText(1), "SOLE");
    EXPECT_EQ(model.wordText(2), "LUNA");
    for (int n = 0; n < 3; ++n) {
        EXPECT_TRUE(model.wordEnabled(n));
        EXPECT_TRUE(model.boxText(n).isEmpty());
    }
    EXPECT_EQ(model.ParoleCollocate(), 0);
}

TEST_F(WordsOntoPictures, TheListItselfIsNeverRewritten)
{
    openWith(false, {1, 3, 2});
    EXPECT_EQ(model.wordText(0), "CANE");
    model.ScriviMinuscolo();
    EXPECT_EQ(model.wordText(1), "mela");
    EXPECT_EQ(kSix,
        QStringList({bench.state.word(1), bench.state.word(2), bench.state.word(3), bench.state.word(4),
            bench.state.word(5), bench.state.word(6)}));
}

struct OrderRow {
    int d;
    std::array<int, 3> column; // column of Label1(0), Label1(1), Label1(2), from the left
};

class ColumnOrders : public ::testing::TestWithParam<OrderRow> { };

TEST_P(ColumnOrders, EachDrawPutsTheLabelsInItsColumns)
{
    const OrderRow row = GetParam();
    // Both ends of the draw's range give the same order: d is Int(r * 6), never rounded.
    for (double r : {row.d / 6.0, (row.d + 1) / 6.0 - 1e-9}) {
        Bench bench;
        bench.setWords(kSix);
        WordsOntoPicturesExercise model(bench.services());
        bench.random.pushSlot(1, 6);
        bench.random.pushSlot(2, 6);
        bench.random.pushSlot(3, 6);
        bench.random.push({r, 0.0});
        model.open();
        EXPECT_EQ(model.columnOrder(), row.d);
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(model.column(n), row.column[static_cast<size_t>(n)]) << "d " << row.d << " label " << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(WordsOntoPictures, ColumnOrders,
    ::testing::Values(OrderRow {0, {0, 1, 2}}, OrderRow {1, {0, 2, 1}}, OrderRow {2, {1, 0, 2}},
        OrderRow {3, {2, 0, 1}}, OrderRow {4, {2, 1, 0}}, OrderRow {5, {1, 2, 0}}),
    [](const ::testing::TestParamInfo<OrderRow>& info) { return "d" + std::to_string(info.param.d); });

TEST_F(WordsOntoPictures, RightDropFillsTheBoxAndRetiresTheLabel)
{
    openWith(true, {1, 2, 3}, 4);
    EXPECT_EQ(rightDrop(1), Drop::Right);
    EXPECT_EQ(bench.recorder.log, QStringList {"play si1.wav"});
    EXPECT_EQ(model.boxText(1), "GATTO");
    EXPECT_TRUE(model.wordText(1).isEmpty());
    EXPECT_FALSE(model.wordEnabled(1));
    EXPECT_EQ(model.ParoleCollocate(), 1);
    EXPECT_EQ(bench.state.ContaEsatti, 0) << "a whole exercise counts, not a word";
    EXPECT_EQ(model.drop(1, 1), Drop::Ignored) << "a placed word cannot be dragged again";
    EXPECT_EQ(model.drop(0, 1), Drop::Ignored);
    EXPECT_EQ(bench.state.ContaErrati, 0);
    EXPECT_EQ(bench.random.remaining(), 0u);
}

TEST_F(WordsOntoPictures, WrongDropsCountTurnBlackAndLeaveEverythingInPlace)
{
    openWith(true);
    rightDrop(0);
    EXPECT_EQ(model.drop(2, 1), Drop::Wrong) << "an empty box of another picture";
    EXPECT_EQ(model.drop(0, 2), Drop::Wrong) << "a box already filled";
    EXPECT_EQ(bench.state.ContaErrati, 2);
    EXPECT_EQ(model.frame().background(), 0x000000u);
    EXPECT_EQ(model.boxText(0), "CANE");
    EXPECT_TRUE(model.boxText(2).isEmpty());
    EXPECT_EQ(model.wordText(1), "GATTO");
    EXPECT_EQ(model.wordText(2), "MELA");
    EXPECT_TRUE(model.wordEnabled(1));
    EXPECT_TRUE(model.wordEnabled(2));
    EXPECT_EQ(model.ParoleCollocate(), 1);
    EXPECT_EQ(bench.recorder.log, (QStringList {"play si1.wav", "play no.wav", "play no.wav"}));
}

TEST_F(WordsOntoPictures, BlackSurvivesRightDropsUntilAvantiBringsAColour)
{
    openWith(true);
    model.drop(1, 0);
    rightDrop(0);
    rightDrop(1);
    rightDrop(2);
    EXPECT_EQ(model.frame().background(), 0x000000u);
    EXPECT_EQ(bench.state.ContaEsatti, 1);
    EXPECT_EQ(bench.state.ContaErrati, 1);
    scriptExercise(bench.random, 6, {4, 5, 6}, 0);
    model.avanti();
    EXPECT_EQ(model.frame().background(), 0xC0C0FFu);
}

TEST_F(WordsOntoPictures, ThirdRightDropWaitsForAvanti)
{
    openWith(true, {4, 5, 6}, 2);
    EXPECT_TRUE(model.frame().avantiVisible());
    EXPECT_FALSE(model.frame().avantiEnabled());
    model.avanti();
    EXPECT_EQ(model.slot(0), 4) << "a disabled avanti does nothing";
    rightDrop(2);
    rightDrop(0);
    EXPECT_FALSE(model.frame().avantiEnabled());
    rightDrop(1);
    EXPECT_EQ(bench.state.ContaEsatti, 1);
    EXPECT_TRUE(model.frame().avantiEnabled());
    EXPECT_EQ(model.ParoleCollocate(), 3);
    for (int n = 0; n < 3; ++n) {
        EXPECT_FALSE(model.wordEnabled(n));
        EXPECT_TRUE(model.wordText(n).isEmpty());
    }
    EXPECT_EQ(model.boxText(0), "PERA");
    EXPECT_EQ(model.boxText(1), "SOLE");
    EXPECT_EQ(model.boxText(2), "LUNA");
    EXPECT_EQ(bench.random.remaining(), 0u);

    scriptExercise(bench.random, 6, {1, 2, 3}, 5);
    model.avanti();
    EXPECT_FALSE(model.frame().avantiEnabled());
    EXPECT_EQ(model.ParoleCollocate(), 0);
    EXPECT_EQ(model.columnOrder(), 5);
    for (int n = 0; n < 3; ++n) {
        EXPECT_TRUE(model.wordEnabled(n));
        EXPECT_TRUE(model.boxText(n).isEmpty());
    }
    EXPECT_EQ(model.wordText(0), "CANE");
}

TEST_F(WordsOntoPictures, ThirdRightDropWithoutAvantiBuildsTheNextAtOnce)
{
    openWith(false);
    EXPECT_FALSE(model.frame().avantiVisible());
    rightDrop(0);
    rightDrop(1);
    bench.random.push({0.0});
    scriptExercise(bench.random, 6, {6, 5, 4}, 1);
    EXPECT_EQ(model.drop(2, 2), Drop::Right);
    EXPECT_EQ(bench.random.remaining(), 0u);
    EXPECT_EQ(bench.state.ContaEsatti, 1);
    EXPECT_EQ(model.slot(0), 6);
    EXPECT_EQ(model.ParoleCollocate(), 0);
    EXPECT_TRUE(model.boxText(2).isEmpty());
    EXPECT_TRUE(model.wordEnabled(2));
    EXPECT_FALSE(model.frame().avantiEnabled());
}

TEST_F(WordsOntoPictures, SummaryAfterTwoExercisesAndOneWrongDrop)
{
    openWith(false);
    model.drop(0, 1);
    rightDrop(0);
    rightDrop(1);
    bench.random.push({0.0});
    scriptExercise(bench.random, 6, {3, 4, 5}, 0);
    model.drop(2, 2);
    rightDrop(0);
    rightDrop(1);
    bench.random.push({0.0});
    scriptExercise(bench.random, 6, {1, 2, 3}, 0);
    model.drop(2, 2);
    EXPECT_EQ(bench.random.remaining(), 0u);
    FakeMessageBoxes boxes;
    model.showSummary(boxes);
    EXPECT_EQ(boxes.informations, QStringList {"Hai eseguito  2 esercizi esatti e  1 esercizi errati."});
}

TEST_F(WordsOntoPictures, ResetClearsTheCountsAndNothingElse)
{
    openWith(true);
    model.drop(1, 0);
    rightDrop(0);
    rightDrop(1);
    rightDrop(2);
    model.reset();
    EXPECT_EQ(bench.state.ContaEsatti, 0);
    EXPECT_EQ(bench.state.ContaErrati, 0);
    EXPECT_EQ(model.frame().background(), 0x000000u);
    EXPECT_TRUE(model.frame().avantiEnabled());
    EXPECT_EQ(model.boxText(2), "MELA");
    FakeMessageBoxes boxes;
    model.showSummary(boxes);
    EXPECT_EQ(boxes.informations, QStringList {"Hai eseguito  0 esercizi esatti e  0 esercizi errati."});
}

TEST_F(WordsOntoPictures, CaseMenuRewritesEveryLabelAndLeavesTheBoxes)
{
    openWith(true, {1, 2, 3}, 0);
    rightDrop(2);
    model.ScriviMinuscolo();
    EXPECT_EQ(model.letterCase(), LetterCase::Lower);
    EXPECT_EQ(model.wordText(0), "cane");
    EXPECT_EQ(model.wordText(2), "mela") << "a placed word shows again on its label";
    EXPECT_FALSE(model.wordEnabled(2)) << "but it cannot be dragged";
    EXPECT_EQ(model.boxText(2), "MELA") << "the box keeps the case of the drop";
    EXPECT_EQ(model.ParoleCollocate(), 1);
    EXPECT_EQ(model.drop(2, 2), Drop::Ignored);
    rightDrop(0);
    EXPECT_EQ(model.boxText(0), "cane");
    model.ScriviMaiuscolo();
    EXPECT_EQ(model.wordText(0), "CANE");
    EXPECT_EQ(model.boxText(0), "cane");
    EXPECT_EQ(bench.random.remaining(), 0u) << "nothing is drawn";
    EXPECT_EQ(bench.state.ContaEsatti, 0);
    EXPECT_EQ(bench.state.ContaErrati, 0);
}

TEST_F(WordsOntoPictures, CaseChoiceCarriesIntoTheNextExercises)
{
    openWith(true);
    model.ScriviMinuscolo();
    rightDrop(0);
    rightDrop(1);
    rightDrop(2);
    scriptExercise(bench.random, 6, {4, 5, 6}, 0);
    model.avanti();
    EXPECT_EQ(model.wordText(0), "pera");
}

TEST_F(WordsOntoPictures, OpeningClearsTheCountsAndGoesBackToUpperCase)
{
    openWith(false);
    model.ScriviMinuscolo();
    model.drop(1, 0);
    bench.state.ContaEsatti = 7;
    openWith(true, {3, 2, 1});
    EXPECT_EQ(bench.state.ContaEsatti, 0);
    EXPECT_EQ(bench.state.ContaErrati, 0);
    EXPECT_EQ(model.letterCase(), LetterCase::Upper);
    EXPECT_EQ(model.wordText(0), "MELA");
    EXPECT_TRUE(model.frame().avantiVisible());
}

TEST_F(WordsOntoPictures, AWordThatStandsTwiceFitsEitherOfItsBoxesOnce)
{
    bench.setWords({"sole", "Sole", "mare"});
    bench.state.AttendiAvanti = true;
    scriptExercise(bench.random, 3, {1, 2, 3}, 0);
    model.open();
    EXPECT_EQ(model.wordText(0), model.wordText(1));
    bench.random.push({0.0});
    EXPECT_EQ(model.drop(0, 1), Drop::Right) << "the same word under the other picture of it";
    EXPECT_EQ(model.boxText(0), "SOLE");
    EXPECT_FALSE(model.wordEnabled(1));
    EXPECT_EQ(model.drop(0, 0), Drop::Wrong) << "a filled box takes no second word";
    EXPECT_EQ(model.drop(2, 0), Drop::Wrong);
    bench.random.push({0.0, 0.0});
    EXPECT_EQ(model.drop(1, 0), Drop::Right);
    EXPECT_EQ(model.drop(2, 2), Drop::Right);
    EXPECT_EQ(bench.state.ContaEsatti, 1);
    EXPECT_EQ(bench.state.ContaErrati, 2);
    EXPECT_TRUE(model.frame().avantiEnabled());
}

TEST_F(WordsOntoPictures, CountsStopAtTheirTop)
{
    openWith(true);
    bench.state.ContaErrati = kCounterMax;
    bench.state.ContaEsatti = kCounterMax;
    model.drop(0, 1);
    rightDrop(0);
    rightDrop(1);
    rightDrop(2);
    EXPECT_EQ(bench.state.ContaErrati, kCounterMax);
    EXPECT_EQ(bench.state.ContaEsatti, kCounterMax);
}

class ShortList : public ::testing::TestWithParam<int> { };

TEST_P(ShortList, RefusesInsteadOfDrawingForEver)
{
    Bench bench;
    bench.setWords(QStringList {"uno", "due"}.mid(0, GetParam()));
    WordsOntoPicturesExercise model(bench.services());
    bench.random.push({0.0}); // the colour only
    model.open();
    EXPECT_FALSE(model.ready());
    EXPECT_EQ(bench.random.remaining(), 0u);
    for (int n = 0; n < 3; ++n) {
        EXPECT_FALSE(model.wordEnabled(n));
        EXPECT_TRUE(model.wordText(n).isEmpty());
        EXPECT_EQ(model.drop(n, n), Drop::Ignored);
    }
    model.ScriviMinuscolo();
    EXPECT_TRUE(model.wordText(0).isEmpty());
    EXPECT_EQ(bench.state.ContaErrati, 0);
}

INSTANTIATE_TEST_SUITE_P(WordsOntoPictures, ShortList, ::testing::Values(0, 1, 2));

TEST(WordsOntoPicturesPictures, EachPictureIsItsOwnWordsFileWhateverTheCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("jpg"));
    for (const char* name : {"cane.jpg", "Mela.jpg"}) {
        QFile file(dir.filePath(QStringLiteral("jpg/") + QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    Bench bench(dir.path());
    bench.setWords({"CANE", "gatto", "mela"});
    WordsOntoPicturesExercise model(bench.services());
    scriptExercise(bench.random, 3, {3, 1, 2}, 0);
    model.open();
    EXPECT_EQ(model.picture(0), dir.filePath("jpg/Mela.jpg"));
    EXPECT_EQ(model.picture(1), dir.filePath("jpg/cane.jpg"));
    EXPECT_TRUE(model.picture(2).isEmpty());
}

} // namespace
