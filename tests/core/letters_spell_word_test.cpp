#include "core/alphabet.h"
#include "exercises/letters/spell_word_exercise.h"
#include "fakes.h"

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

int key(char letter)
{
    return static_cast<int>(keyboardAlphabet().indexOf(QChar(QLatin1Char(letter)).toLower()));
}

class SpellWord : public ::testing::Test {
protected:
    SpellWord() { bench.setWords({"cane", "Sole", "", QString::fromUtf8("città"), "uva"}); }
    // One exercise: the word's slot, then the background colour.
    void script(int slot) { bench.random.push({ScriptedRandom::forSlot(slot, 5), 0.0}); }
    void openOn(int slot)
    {
        script(slot);
        model.open();
        ASSERT_EQ(bench.random.remaining(), 0u);
    }
    void spell(const char* letters)
    {
        for (const char* c = letters; *c != 0; ++c) {
            model.press(key(*c));
        }
    }
    Bench bench;
    FakeClock& clock = bench.clock;
    FakeMessageBoxes boxes;
    SpellWordExercise model {bench.services()};
};

TEST_F(SpellWord, OpensInUpperCaseWithItsOwnCountsAtZero)
{
    bench.state.ContaEsatti = 3;
    openOn(1);
    EXPECT_EQ(model.letterCase(), LetterCase::Upper);
    EXPECT_EQ(model.keyboard().Alfabeto(1), "A");
    EXPECT_EQ(model.frame().esattiText(), " 0");
    EXPECT_EQ(model.frame().erratiText(), " 0");
    EXPECT_FALSE(model.timerEnabled());
    EXPECT_EQ(bench.state.word(1), "CANE");
    EXPECT_EQ(model.display(), "_ _ _ _ ");
    EXPECT_EQ(bench.state.ContaEsatti, 3) << "the shared counters are not this screen's";
}

TEST_F(SpellWord, EachRightLetterFillsTheFirstBlank)
{
    openOn(1);
    const QStringList after {"C_ _ _ ", "CA_ _ ", "CAN_ ", "CANE"};
    const char* letters = "cane";
    for (int i = 0; i < 4; ++i) {
        model.press(key(letters[i]));
        EXPECT_EQ(model.display(), after.at(i));
    }
    EXPECT_TRUE(model.timerEnabled());
    EXPECT_EQ(model.InizioAttesa(), clock.now);
    EXPECT_EQ(model.frame().esatti(), 0) << "the word counts only after the wait";
    EXPECT_TRUE(bench.recorder.log.isEmpty());
}

TEST_F(SpellWord, OnlyTheFirstOpenPositionIsTried)
{
    openOn(1);
    model.press(key('a'));
    EXPECT_EQ(model.display(), "_ _ _ _ ") << "a letter that comes later fills nothing";
    EXPECT_EQ(model.frame().errati(), 1);
    EXPECT_EQ(model.frame().erratiText(), " 1");
    EXPECT_TRUE(model.frame().wrongIconVisible());
    spell("can");
    EXPECT_EQ(model.display(), "CAN_ ");
    EXPECT_TRUE(model.frame().wrongIconVisible()) << "the wrong face stays until the word counts";
    model.press(key('n'));
    EXPECT_EQ(model.frame().errati(), 2);
    EXPECT_EQ(bench.recorder.log, (QStringList {"beep", "play no.wav", "beep", "play no.wav"}));
    EXPECT_EQ(bench.state.ContaErrati, 0);
}

TEST_F(SpellWord, CompletionWaitsFourSecondsThenBuildsTheNextWordBeforeTheSound)
{
    openOn(1);
    spell("cane");
    clock.now += 3.9;
    model.tick();
    EXPECT_TRUE(model.timerEnabled());
    EXPECT_EQ(model.frame().esatti(), 0);
    clock.now += 0.1;
    script(5);
    bench.random.push({0.6});
    model.tick();
    EXPECT_EQ(bench.random.remaining(), 0u) << "word, colour, then the sound";
    EXPECT_FALSE(model.timerEnabled());
    EXPECT_EQ(model.frame().esatti(), 1);
    EXPECT_EQ(model.frame().esattiText(), " 1");
    EXPECT_TRUE(model.frame().rightIconVisible());
    EXPECT_EQ(model.display(), "_ _ _ ");
    EXPECT_EQ(bench.state.word(5), "UVA");
    EXPECT_EQ(bench.recorder.log, (QStringList {"play si3.wav"}));
}

TEST_F(SpellWord, WithAvantiTheKeysRestUntilItIsPressed)
{
    bench.state.AttendiAvanti = true;
    openOn(5);
    EXPECT_TRUE(model.frame().avantiVisible());
    EXPECT_FALSE(model.frame().avantiEnabled());
    spell("uva");
    clock.now += 4;
    bench.random.push({0.0});
    model.tick();
    EXPECT_TRUE(model.frame().avantiEnabled());
    EXPECT_FALSE(model.keyboard().enabled(0));
    EXPECT_EQ(model.display(), "UVA");
    model.press(key('u'));
    EXPECT_EQ(model.frame().errati(), 0);
    EXPECT_FALSE(model.timerEnabled()) << "disabled keys start no wait";
    clock.now += 10;
    model.tick();
    EXPECT_EQ(model.frame().esatti(), 1);
    script(1);
    model.avanti();
    EXPECT_FALSE(model.frame().avantiEnabled());
    EXPECT_TRUE(model.keyboard().enabled(20));
    EXPECT_EQ(model.display(), "_ _ _ _ ");
}

TEST_F(SpellWord, PressesDuringTheWaitCountNothingAndStartItAgain)
{
    openOn(5);
    spell("uva");
    const double completed = clock.now;
    clock.now += 3;
    model.press(key('z'));
    EXPECT_EQ(model.frame().errati(), 0);
    EXPECT_EQ(model.display(), "UVA");
    EXPECT_EQ(model.InizioAttesa(), completed + 3);
    clock.now += 2;
    model.tick();
    EXPECT_EQ(model.frame().esatti(), 0);
    clock.now += 2;
    script(1);
    bench.random.push({0.0});
    model.tick();
    EXPECT_EQ(model.frame().esatti(), 1);
}

TEST_F(SpellWord, LowerCaseFromTheMenuEvenTwice)
{
    openOn(1);
    model.press(key('c'));
    for (int round = 0; round < 2; ++round) {
        script(2);
        model.setCase(LetterCase::Lower);
        EXPECT_EQ(model.letterCase(), LetterCase::Lower);
        EXPECT_EQ(model.keyboard().Alfabeto(21), "z");
        EXPECT_EQ(model.display(), "_ _ _ _ ");
        EXPECT_EQ(bench.state.word(2), "sole");
    }
    spell("sole");
    EXPECT_EQ(model.display(), "sole");
    EXPECT_EQ(bench.state.word(1), "CANE") << "only the drawn word is recased";
    bench.random.push({0.0}); // the success sound of the completed word
    script(2);
    model.setCase(LetterCase::Upper);
    EXPECT_EQ(model.letterCase(), LetterCase::Upper);
    EXPECT_EQ(model.keyboard().Alfabeto(21), "Z");
    EXPECT_EQ(model.frame().esatti(), 1) << "the completed word counts at the switch";
    EXPECT_EQ(model.frame().errati(), 0);
}

TEST_F(SpellWord, CaseMenuDuringThePauseCountsTheCompletedWordOnce)
{
    openOn(1);
    spell("cane");
    ASSERT_TRUE(model.timerEnabled());
    bench.random.push({0.99}); // the success sound: si4
    script(5);
    model.setCase(LetterCase::Lower);
    EXPECT_FALSE(model.timerEnabled());
    EXPECT_EQ(model.frame().esatti(), 1);
    EXPECT_EQ(model.frame().esattiText(), " 1");
    EXPECT_TRUE(model.frame().rightIconVisible());
    EXPECT_EQ(bench.recorder.log, QStringList {"play si4.wav"});
    EXPECT_EQ(model.display(), "_ _ _ ") << "the new word, in the new case";
    EXPECT_EQ(model.letterCase(), LetterCase::Lower);
    clock.now += 60;
    model.tick();
    EXPECT_EQ(model.frame().esatti(), 1) << "counted once";

    script(2);
    model.setCase(LetterCase::Upper);
    EXPECT_EQ(model.frame().esatti(), 1) << "a word not completed counts nothing";
}

TEST_F(SpellWord, HelpShowsTheWordInUpperCaseAndCostsOneRightAnswer)
{
    openOn(2);
    script(2);
    model.setCase(LetterCase::Lower);
    model.press(key('s'));
    model.help(boxes);
    EXPECT_EQ(boxes.plains, (QStringList {"SOLE"}));
    EXPECT_EQ(model.frame().esatti(), 0) << "never below zero";
    EXPECT_EQ(model.frame().esattiText(), " 0");
    EXPECT_EQ(model.display(), "s_ _ _ ");

    spell("ole");
    clock.now += 4;
    script(1);
    bench.random.push({0.0});
    model.tick();
    EXPECT_EQ(model.frame().esattiText(), " 1");
    spell("cane");
    model.help(boxes);
    EXPECT_EQ(boxes.plains.last(), "CANE");
    EXPECT_EQ(model.frame().esatti(), 0);
    EXPECT_EQ(model.frame().esattiText(), " 0") << "the lowered count shows at once";
    EXPECT_TRUE(model.timerEnabled()) << "the wait goes on";
    EXPECT_EQ(model.display(), "cane");
}

// The help box and the leave question still show the word the child completed: behind them the wait stands
// still, and the first tick after the box closes completes the word if its four seconds are over.
TEST_F(SpellWord, TheWaitIsHeldWhileABoxIsOpen)
{
    bench.state.AttendiAvanti = true;
    openOn(1);
    spell("cane");
    ASSERT_TRUE(model.timerEnabled());
    int ticksBehindTheBox = 0;
    boxes.whileOpen = [&] {
        for (int second = 0; second < 6; ++second) {
            clock.now += 1;
            model.tick();
            ++ticksBehindTheBox;
        }
    };
    boxes.answers = {false};
    EXPECT_FALSE(model.leave(boxes));
    model.help(boxes);
    EXPECT_EQ(ticksBehindTheBox, 12);
    EXPECT_TRUE(model.timerEnabled()) << "nothing completed behind the boxes";
    EXPECT_EQ(model.display(), "CANE");
    EXPECT_EQ(model.frame().esatti(), 0);
    EXPECT_FALSE(model.frame().avantiEnabled());

    boxes.whileOpen = nullptr;
    bench.random.push({0.0});
    model.tick();
    EXPECT_FALSE(model.timerEnabled()) << "the first tick after the box completes the word";
    EXPECT_EQ(model.frame().esatti(), 1);
    EXPECT_TRUE(model.frame().avantiEnabled());
    EXPECT_EQ(model.display(), "CANE") << "the completed word stays on view until avanti";
}

TEST_F(SpellWord, EmptyWordCompletesByItselfOnceEveryWait)
{
    openOn(3);
    EXPECT_EQ(model.display(), "");
    EXPECT_TRUE(model.timerEnabled());
    EXPECT_EQ(model.frame().errati(), 0);
    for (int round = 1; round <= 3; ++round) {
        clock.now += 4;
        script(3);
        bench.random.push({0.0});
        model.tick();
        EXPECT_EQ(model.frame().esatti(), round);
        EXPECT_TRUE(model.timerEnabled());
        model.tick();
        EXPECT_EQ(model.frame().esatti(), round) << "one count per wait";
    }
}

TEST_F(SpellWord, EmptyListDrawsSlotOneAndDoesNotStop)
{
    bench.state.NumeroParole = 0;
    bench.state.word(1).clear();
    bench.state.AttendiAvanti = true;
    bench.random.push({0.9, 0.0});
    model.open();
    EXPECT_EQ(model.IndiceParola(), 1);
    clock.now += 4;
    bench.random.push({0.0});
    model.tick();
    EXPECT_EQ(model.frame().esatti(), 1);
    EXPECT_TRUE(model.frame().avantiEnabled());
    EXPECT_FALSE(model.timerEnabled());
}

TEST_F(SpellWord, AnAccentIsTypedWithItsPlainVowel)
{
    openOn(4);
    spell("citt");
    EXPECT_EQ(model.display(), QString::fromUtf8("CITT_ "));
    model.press(key('e'));
    EXPECT_EQ(model.frame().errati(), 1) << "another vowel is wrong";
    model.press(key('a'));
    EXPECT_EQ(model.display(), QStringLiteral("CITTÀ")) << "the word shows its accent";
    EXPECT_TRUE(model.timerEnabled());
    clock.now += SpellWordExercise::kWait;
    script(1);
    bench.random.push({0.0}); // the success sound
    model.tick();
    EXPECT_EQ(model.frame().esatti(), 1);
}

TEST(SpellWordAlone, ALetterNoKeyTypesBlocksTheWordWhenTheListHasNoOther)
{
    Bench bench;
    bench.setWords({"kiwi", QStringLiteral("l'ape")});
    SpellWordExercise model(bench.services());
    bench.random.push({ScriptedRandom::forSlot(1, 2), 0.0});
    model.open();
    for (int i = 0; i < Keyboard::kKeys; ++i) {
        model.press(i);
    }
    EXPECT_EQ(model.frame().errati(), 21);
    EXPECT_EQ(model.display(), "_ _ _ _ ");
    EXPECT_FALSE(model.timerEnabled());
}

TEST_F(SpellWord, ResetShowsTheRightFaceAndLeaveClearsOwnCounts)
{
    openOn(1);
    model.press(key('z'));
    model.reset();
    EXPECT_TRUE(model.frame().rightIconVisible());
    EXPECT_FALSE(model.frame().wrongIconVisible());
    EXPECT_EQ(model.frame().erratiText(), " 0");
    EXPECT_EQ(model.display(), "_ _ _ _ ");
    model.press(key('z'));
    boxes.answers = {true};
    EXPECT_TRUE(model.leave(boxes));
    EXPECT_EQ(model.frame().errati(), 0);
}

TEST_F(SpellWord, CountsStopAtTheTop)
{
    openOn(5);
    for (int i = 0; i < 40000; ++i) {
        model.press(key('z'));
    }
    EXPECT_EQ(model.frame().errati(), 32767);
    EXPECT_EQ(model.frame().erratiText(), " 32767");
}

} // namespace
