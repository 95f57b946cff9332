#include "exercises/pictures/choice_exercise.h"
#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

const QStringList kEight {"Cane", "gatto", "MELA", "pera", "sole", "luna", "treno", "nave"};

// Scripts one exercise: the background colour, the slot draws (with any repeats) and the right position.
void scriptExercise(ScriptedRandom& random, int words, std::initializer_list<int> slotDraws, int position)
{
    random.push({0.0});
    for (int s : slotDraws) {
        random.pushSlot(s, words);
    }
    random.pushSlot(position, 6);
}

class WordForPicture : public ::testing::Test {
protected:
    WordForPicture() { bench.setWords(kEight); }
    Bench bench;
    ChoiceExercise model {bench.services(), ChoiceExercise::kWordForPicture};
};

TEST_F(WordForPicture, DrawsSixDifferentSlotsRedrawingRepeats)
{
    scriptExercise(bench.random, 8, {3, 3, 1, 1, 3, 2, 8, 5, 5, 7}, 4);
    model.open();
    EXPECT_EQ(bench.random.remaining(), 0u);
    const std::array<int, 6> expected {3, 1, 2, 8, 5, 7};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(model.slot(k), expected[static_cast<size_t>(k)]);
    }
    EXPECT_EQ(model.PosizioneGiusta(), 4);
    EXPECT_EQ(model.choiceText(0), "mela  ");
    EXPECT_EQ(model.choiceText(3), "nave  ");
}

TEST_F(WordForPicture, RecasesEveryDrawnWordIntoTheList)
{
    bench.state.AttendiAvanti = true;
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 1);
    model.open();
    EXPECT_EQ(bench.state.word(1), "cane");
    EXPECT_EQ(bench.state.word(3), "mela");
    EXPECT_EQ(bench.state.word(7), "treno") << "undrawn words keep their case";
    scriptExercise(bench.random, 8, {8, 7, 6, 5, 4, 3}, 2);
    model.setCase(LetterCase::Upper);
    EXPECT_EQ(bench.state.word(8), "NAVE");
    EXPECT_EQ(bench.state.word(3), "MELA");
    EXPECT_EQ(bench.state.word(1), "cane");
    EXPECT_EQ(model.choiceText(1), "TRENO  ");
}

TEST_F(WordForPicture, EveryPositionCanHoldTheRightWord)
{
    for (int p = 1; p <= 6; ++p) {
        scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, p);
        model.PreparaEsercizio();
        EXPECT_EQ(model.PosizioneGiusta(), p);
        EXPECT_EQ(model.slot(p - 1), p);
    }
}

TEST_F(WordForPicture, RightAnswerWaitsForAvantiWithTheMark)
{
    bench.state.AttendiAvanti = true;
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 3);
    model.open();
    bench.random.push({0.0}); // success sound
    EXPECT_TRUE(model.choose(2));
    EXPECT_EQ(model.markedChoice(), 2);
    EXPECT_FALSE(model.choicesEnabled());
    EXPECT_TRUE(model.frame().avantiEnabled());
    EXPECT_EQ(model.frame().esattiText(), " 1");
    EXPECT_TRUE(model.frame().rightIconVisible());
    EXPECT_FALSE(model.choose(2)) << "choices are disabled while waiting";
    EXPECT_EQ(bench.state.ContaEsatti, 1);
    scriptExercise(bench.random, 8, {6, 5, 4, 3, 2, 1}, 1);
    model.avanti();
    EXPECT_EQ(model.markedChoice(), -1);
    EXPECT_TRUE(model.choicesEnabled());
    EXPECT_FALSE(model.frame().avantiEnabled());
    EXPECT_TRUE(model.frame().rightIconVisible()) << "the last answer's icon stays";
}

TEST_F(WordForPicture, RightAnswerWithoutAvantiBuildsTheNextAtOnce)
{
    bench.state.AttendiAvanti = false;
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 3);
    model.open();
    bench.random.push({0.0});
    scriptExercise(bench.random, 8, {8, 7, 6, 5, 4, 3}, 6);
    EXPECT_TRUE(model.choose(2));
    EXPECT_EQ(model.slot(0), 8);
    EXPECT_EQ(model.markedChoice(), -1);
    EXPECT_TRUE(model.choicesEnabled());
    EXPECT_EQ(bench.random.remaining(), 0u);
}

TEST_F(WordForPicture, WrongAnswerBeepsCountsThenSounds)
{
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 3);
    model.open();
    EXPECT_FALSE(model.choose(0));
    EXPECT_FALSE(model.choose(1));
    EXPECT_EQ(bench.state.ContaErrati, 2);
    EXPECT_EQ(model.frame().erratiText(), " 2");
    EXPECT_TRUE(model.frame().wrongIconVisible());
    EXPECT_TRUE(model.choicesEnabled());
    EXPECT_EQ(bench.recorder.log, (QStringList {"beep", "play no.wav", "beep", "play no.wav"}));
}

TEST_F(WordForPicture, DuplicateWordsOnlyTheRightSlotCounts)
{
    bench.setWords({"cane", "cane", "a", "b", "c", "d"});
    scriptExercise(bench.random, 6, {1, 2, 3, 4, 5, 6}, 2);
    model.open();
    EXPECT_EQ(model.choiceText(0), model.choiceText(1));
    EXPECT_FALSE(model.choose(0));
    bench.random.push({0.0});
    scriptExercise(bench.random, 6, {1, 2, 3, 4, 5, 6}, 1);
    EXPECT_TRUE(model.choose(1));
    EXPECT_EQ(bench.state.ContaEsatti, 1);
    EXPECT_EQ(bench.state.ContaErrati, 1);
}

TEST_F(WordForPicture, ResetShowsTheRightIconAndKeepsTheExercise)
{
    bench.state.AttendiAvanti = true;
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 3);
    model.open();
    model.choose(0);
    bench.random.push({0.0});
    model.choose(2);
    model.reset();
    EXPECT_EQ(model.frame().esattiText(), " 0");
    EXPECT_EQ(model.frame().erratiText(), " 0");
    EXPECT_TRUE(model.frame().rightIconVisible());
    EXPECT_EQ(model.markedChoice(), 2) << "still answered";
    EXPECT_TRUE(model.frame().avantiEnabled());
}

TEST_F(WordForPicture, TooFewWordsRefusesInsteadOfLooping)
{
    bench.setWords({"a", "b", "c", "d", "e"});
    bench.random.push({0.0});
    model.open();
    EXPECT_FALSE(model.ready());
    EXPECT_FALSE(model.choose(0));
    EXPECT_EQ(bench.random.remaining(), 0u);
}

TEST(ParolePicture, FoundWhateverTheCase)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("jpg"));
    QFile file(dir.filePath("jpg/cane.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Bench bench(dir.path());
    bench.setWords({"Cane", "b", "c", "d", "e", "f"});
    ChoiceExercise model(bench.services(), ChoiceExercise::kWordForPicture);
    scriptExercise(bench.random, 6, {1, 2, 3, 4, 5, 6}, 1);
    model.open();
    EXPECT_EQ(model.rightPicture(), dir.filePath("jpg/cane.jpg"));
    scriptExercise(bench.random, 6, {1, 2, 3, 4, 5, 6}, 1);
    model.setCase(LetterCase::Upper);
    EXPECT_EQ(model.rightPicture(), dir.filePath("jpg/cane.jpg"));
    scriptExercise(bench.random, 6, {2, 1, 3, 4, 5, 6}, 1);
    model.PreparaEsercizio();
    EXPECT_TRUE(model.rightPicture().isEmpty());
}

class PictureForWord : public ::testing::Test {
protected:
    PictureForWord() { bench.setWords(kEight); }
    Bench bench;
    ChoiceExercise model {bench.services(), ChoiceExercise::kPictureForWord};
};

TEST_F(PictureForWord, OnlyTheShownWordIsRecased)
{
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 3);
    model.setCase(LetterCase::Upper);
    EXPECT_EQ(model.testo(), "MELA   ");
    EXPECT_EQ(bench.state.word(1), "Cane");
    EXPECT_EQ(bench.state.word(2), "gatto");
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 1);
    model.setCase(LetterCase::Lower);
    EXPECT_EQ(model.testo(), "cane   ");
    EXPECT_EQ(bench.state.word(3), "MELA");
}

TEST_F(PictureForWord, WrongAnswerSoundsBeforeCounting)
{
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 3);
    model.open();
    model.choose(5);
    EXPECT_EQ(bench.recorder.log, (QStringList {"beep", "play no.wav"}));
    EXPECT_EQ(model.frame().erratiText(), " 1");
}

TEST_F(PictureForWord, ResetLeavesTheIconsAlone)
{
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 3);
    model.open();
    model.choose(0);
    model.reset();
    EXPECT_TRUE(model.frame().wrongIconVisible());
    EXPECT_FALSE(model.frame().rightIconVisible());
}

TEST_F(PictureForWord, SixWordsGiveSixPicturesOfAllTheWords)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("jpg"));
    const QStringList six {"ape", "bue", "cane", "dado", "elmo", "faro"};
    for (const QString& word : six) {
        QFile file(dir.filePath("jpg/" + word + ".jpg"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    Bench sixBench(dir.path());
    sixBench.setWords(six);
    ChoiceExercise sixModel(sixBench.services(), ChoiceExercise::kPictureForWord);
    scriptExercise(sixBench.random, 6, {4, 4, 2, 6, 2, 1, 4, 3, 6, 5}, 2);
    sixModel.open();
    EXPECT_EQ(sixBench.random.remaining(), 0u);
    QStringList shown;
    for (int k = 0; k < 6; ++k) {
        shown.append(sixModel.choicePicture(k).section('/', -1));
    }
    EXPECT_EQ(shown, (QStringList {"dado.jpg", "bue.jpg", "faro.jpg", "ape.jpg", "cane.jpg", "elmo.jpg"}));
    EXPECT_EQ(sixModel.testo(), "bue   ");
}

TEST_F(PictureForWord, EachPositionCanHoldTheRightPicture)
{
    bench.state.AttendiAvanti = true;
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 1);
    model.open();
    for (int p = 1; p <= 6; ++p) {
        scriptExercise(bench.random, 8, {8, 7, 6, 5, 4, 3}, p);
        model.setCase(LetterCase::Lower);
        EXPECT_EQ(model.PosizioneGiusta(), p);
        EXPECT_EQ(model.testo(), bench.state.word(9 - p) + "   ");
        for (int wrong = 0; wrong < 6; ++wrong) {
            if (wrong != p - 1) {
                EXPECT_FALSE(model.choose(wrong));
            }
        }
        bench.random.push({0.0});
        EXPECT_TRUE(model.choose(p - 1));
        EXPECT_EQ(model.markedChoice(), p - 1);
    }
    EXPECT_EQ(bench.state.ContaEsatti, 6);
    EXPECT_EQ(bench.state.ContaErrati, 30);
}

TEST_F(PictureForWord, SameWordInTwoSlotsOnlyTheRightPictureCounts)
{
    bench.setWords({"sole", "mare", "sole", "luna", "pane", "vino"});
    scriptExercise(bench.random, 6, {1, 2, 3, 4, 5, 6}, 3);
    model.open();
    EXPECT_EQ(model.testo(), "sole   ");
    EXPECT_FALSE(model.choose(0)) << "the same word in another slot is a wrong picture";
    bench.random.push({0.0});
    scriptExercise(bench.random, 6, {1, 2, 3, 4, 5, 6}, 1);
    EXPECT_TRUE(model.choose(2));
    EXPECT_EQ(bench.state.ContaErrati, 1);
    EXPECT_EQ(bench.state.ContaEsatti, 1);
}

TEST_F(PictureForWord, RightAnswerWithAvantiMarksThePictureUntilTheNextExercise)
{
    bench.state.AttendiAvanti = true;
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 5);
    model.open();
    EXPECT_EQ(model.frame().esattiText(), "0");
    EXPECT_EQ(model.markedChoice(), -1);
    bench.random.push({0.0});
    EXPECT_TRUE(model.choose(4));
    EXPECT_EQ(model.markedChoice(), 4);
    EXPECT_FALSE(model.choicesEnabled());
    EXPECT_TRUE(model.frame().avantiEnabled());
    EXPECT_EQ(model.frame().esattiText(), " 1");
    EXPECT_FALSE(model.choose(4)) << "pictures take no clicks while avanti waits";
    EXPECT_FALSE(model.choose(0));
    EXPECT_EQ(bench.state.ContaErrati, 0);
    EXPECT_EQ(bench.recorder.log, QStringList {"play si1.wav"});
    // A case option builds a new exercise from the answered state too.
    scriptExercise(bench.random, 8, {6, 5, 4, 3, 2, 1}, 1);
    model.setCase(LetterCase::Upper);
    EXPECT_EQ(model.markedChoice(), -1);
    EXPECT_TRUE(model.choicesEnabled());
    EXPECT_FALSE(model.frame().avantiEnabled());
    EXPECT_EQ(model.testo(), "LUNA   ");
    EXPECT_EQ(bench.state.ContaEsatti, 1);
}

TEST_F(PictureForWord, RightAnswerWithoutAvantiBuildsTheNextAtOnce)
{
    scriptExercise(bench.random, 8, {1, 2, 3, 4, 5, 6}, 2);
    model.open();
    bench.random.push({0.0});
    scriptExercise(bench.random, 8, {7, 8, 1, 2, 3, 4}, 2);
    EXPECT_TRUE(model.choose(1));
    EXPECT_EQ(bench.random.remaining(), 0u);
    EXPECT_EQ(model.markedChoice(), -1);
    EXPECT_TRUE(model.choicesEnabled());
    EXPECT_EQ(model.testo(), "nave   ");
    EXPECT_TRUE(model.frame().rightIconVisible());
    EXPECT_FALSE(model.frame().avantiVisible());
}

TEST_F(PictureForWord, TooFewWordsRefusesInsteadOfLooping)
{
    bench.setWords({"a", "b", "c", "d", "e"});
    bench.random.push({0.0});
    model.open();
    EXPECT_FALSE(model.ready());
    EXPECT_FALSE(model.choose(0));
    EXPECT_TRUE(model.testo().isEmpty());
    EXPECT_EQ(bench.random.remaining(), 0u);
}

TEST(DisegniPictures, LookedUpBeforeTheShownWordIsRecased)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkdir("jpg"));
    for (const char* name : {"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg"}) {
        QFile file(dir.filePath(QStringLiteral("jpg/") + QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    Bench bench(dir.path());
    bench.setWords({"A", "b", "c", "d", "e", "../f"});
    ChoiceExercise model(bench.services(), ChoiceExercise::kPictureForWord);
    scriptExercise(bench.random, 6, {1, 2, 3, 4, 5, 6}, 1);
    model.open();
    EXPECT_EQ(model.choicePicture(0), dir.filePath("jpg/A.jpg").replace("A.jpg", "a.jpg"));
    EXPECT_EQ(model.choicePicture(4), dir.filePath("jpg/e.jpg"));
    EXPECT_TRUE(model.choicePicture(5).isEmpty()) << "a word with .. never reaches outside the folder";
    EXPECT_EQ(model.testo(), "a   ");
}

} // namespace
