#include "core/alphabet.h"
#include "exercises/letters/missing_letter_exercise.h"
#include "fakes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

int key(char letter)
{
    return static_cast<int>(keyboardAlphabet().indexOf(QLatin1Char(letter)));
}

// One lettera exercise: the background colour, the word's slot, then the hidden position among `length`.
void scriptLettera(ScriptedRandom& random, int slot, int words, int position, int length)
{
    random.push({0.0});
    random.pushSlot(slot, words);
    random.push({length > 0 ? ScriptedRandom::forSlot(position, length) : 0.5});
}

void scriptMissingFirstLetter(ScriptedRandom& random, int slot, int words)
{
    random.push({0.0});
    random.pushSlot(slot, words);
}

class MissingInnerLetter : public ::testing::Test {
protected:
    MissingInnerLetter() { bench.setWords({"Cane", "coccinella", "a", "", "gatto"}); }
    void openOn(int slot, int position, int length)
    {
        scriptLettera(bench.random, slot, 5, position, length);
        model.open();
        ASSERT_EQ(bench.random.remaining(), 0u);
    }
    Bench bench;
    MissingLetterExercise model {bench.services(), MissingLetterExercise::kMissingInnerLetter};
};

TEST_F(MissingInnerLetter, WorkedExampleWrongThenRight)
{
    bench.state.AttendiAvanti = true;
    openOn(1, 2, 4);
    EXPECT_EQ(model.label1(), "c_ne");
    EXPECT_EQ(model.LetteraNascosta(), "a");
    EXPECT_EQ(bench.state.word(1), "cane") << "the drawn word is recased in the list";
    EXPECT_EQ(model.frame().esattiText(), "0");
    EXPECT_FALSE(model.frame().avantiEnabled());

    EXPECT_FALSE(model.press(key('e')));
    EXPECT_FALSE(model.keyboard().visible(key('e')));
    EXPECT_TRUE(model.frame().wrongIconVisible());
    EXPECT_FALSE(model.frame().rightIconVisible());
    EXPECT_EQ(bench.state.ContaErrati, 1);
    EXPECT_EQ(model.frame().erratiText(), " 1");
    EXPECT_EQ(model.label1(), "c_ne");

    bench.random.push({0.0});
    EXPECT_TRUE(model.press(key('a')));
    EXPECT_FALSE(model.keyboard().visible(key('a')));
    EXPECT_EQ(model.keyboard().keysLeft(), 19);
    EXPECT_EQ(model.label1(), "cane");
    EXPECT_TRUE(model.frame().rightIconVisible());
    EXPECT_FALSE(model.frame().wrongIconVisible());
    EXPECT_EQ(bench.state.ContaEsatti, 1);
    EXPECT_EQ(model.frame().esattiText(), " 1");
    EXPECT_EQ(model.frame().erratiText(), " 1");
    EXPECT_TRUE(model.frame().avantiEnabled());
    EXPECT_EQ(bench.recorder.log, (QStringList {"play no.wav", "play si1.wav"})) << "no beep on this screen";
}

TEST_F(MissingInnerLetter, WaitingForAvantiLeftKeysCountWrongAndAvantiStartsAfresh)
{
    bench.state.AttendiAvanti = true;
    openOn(1, 1, 4);
    bench.random.push({0.0});
    model.press(key('c'));
    model.press(key('n'));
    EXPECT_EQ(model.label1(), "cane") << "the whole word stays on view";
    EXPECT_TRUE(model.frame().wrongIconVisible());
    EXPECT_EQ(bench.state.ContaErrati, 1);
    EXPECT_TRUE(model.frame().avantiEnabled());

    scriptLettera(bench.random, 5, 5, 5, 5);
    model.avanti();
    EXPECT_EQ(model.label1(), "gatt_");
    EXPECT_FALSE(model.frame().avantiEnabled());
    EXPECT_EQ(model.keyboard().keysLeft(), 21);
    EXPECT_TRUE(model.frame().wrongIconVisible()) << "a new exercise leaves the last icon";
    model.avanti();
    EXPECT_EQ(model.label1(), "gatt_") << "avanti is disabled until the next right answer";
}

TEST_F(MissingInnerLetter, WithoutAvantiTheRightLetterBuildsTheNextExerciseInTheSameClick)
{
    bench.state.AttendiAvanti = false;
    openOn(1, 4, 4);
    // The success sound is chosen before the next exercise's colour, word and position.
    bench.random.push({0.3});
    scriptLettera(bench.random, 2, 5, 7, 10);
    model.press(key('e'));
    EXPECT_EQ(bench.random.remaining(), 0u);
    EXPECT_EQ(model.label1(), "coccin_lla");
    EXPECT_FALSE(model.frame().avantiVisible());
    EXPECT_EQ(model.keyboard().keysLeft(), 21);
    EXPECT_EQ(bench.recorder.log, (QStringList {"play si2.wav"}));
}

TEST_F(MissingInnerLetter, OnlyTheDrawnPlaceOfARepeatedLetterIsMasked)
{
    openOn(2, 3, 10);
    EXPECT_EQ(model.label1(), "co_cinella");
    EXPECT_EQ(model.LetteraNascosta(), "c");
    bench.random.push({0.0, 0.0, 0.0, 0.0});
    EXPECT_TRUE(model.press(key('c')));
}

TEST_F(MissingInnerLetter, EveryPositionFirstToLastCanBeHidden)
{
    const QStringList expected {"_occinella", "c_ccinella", "coccinell_"};
    const std::array<int, 3> positions {1, 2, 10};
    for (size_t k = 0; k < positions.size(); ++k) {
        scriptLettera(bench.random, 2, 5, positions[k], 10);
        model.PreparaEsercizio();
        EXPECT_EQ(model.ParolaMascherata(), expected.at(static_cast<qsizetype>(k)));
    }
    // A value just below 1 still gives the last position.
    bench.random.push({0.0, ScriptedRandom::forSlot(2, 5), 0.9999999});
    model.PreparaEsercizio();
    EXPECT_EQ(model.ParolaMascherata(), "coccinell_");
}

TEST_F(MissingInnerLetter, OneLetterWordShowsOnlyTheBlank)
{
    bench.state.AttendiAvanti = true;
    openOn(3, 1, 1);
    EXPECT_EQ(model.label1(), "_");
    bench.random.push({0.0});
    EXPECT_TRUE(model.press(key('a')));
    EXPECT_EQ(model.label1(), "a");
}

TEST_F(MissingInnerLetter, EmptyWordCannotBeAnsweredAndNeverStops)
{
    openOn(4, 1, 0);
    EXPECT_EQ(model.label1(), "");
    EXPECT_EQ(model.LetteraNascosta(), "");
    EXPECT_EQ(model.picture(), "");
    for (int i = 0; i < Keyboard::kKeys; ++i) {
        EXPECT_FALSE(model.press(i));
    }
    EXPECT_EQ(bench.state.ContaErrati, 21);
    EXPECT_EQ(model.keyboard().keysLeft(), 0);
    EXPECT_FALSE(model.press(0)) << "no key is left to press";
    EXPECT_EQ(bench.state.ContaErrati, 21);
}

TEST_F(MissingInnerLetter, EmptyListDrawsSlotOne)
{
    bench.state.NumeroParole = 0;
    bench.state.word(1) = QString();
    bench.random.push({0.0, 0.7, 0.4});
    model.open();
    EXPECT_EQ(model.IndiceParola(), 1);
    EXPECT_EQ(model.label1(), "");
}

struct UnanswerableRow {
    const char* name;
    QString word;
    int position;
    QString masked;
};

class Unanswerable : public ::testing::TestWithParam<UnanswerableRow> { };

TEST_P(Unanswerable, EveryKeyIsWrongAndAvantiStaysOff)
{
    const UnanswerableRow& row = GetParam();
    Bench bench;
    bench.state.AttendiAvanti = true;
    bench.setWords({row.word});
    MissingLetterExercise model(bench.services(), MissingLetterExercise::kMissingInnerLetter);
    scriptLettera(bench.random, 1, 1, row.position, static_cast<int>(row.word.toUcs4().size()));
    model.open();
    EXPECT_EQ(model.label1(), row.masked);
    for (int i = 0; i < Keyboard::kKeys; ++i) {
        EXPECT_FALSE(model.press(i)) << "key " << i;
    }
    EXPECT_EQ(bench.state.ContaErrati, 21);
    EXPECT_EQ(bench.state.ContaEsatti, 0);
    EXPECT_EQ(model.keyboard().keysLeft(), 0);
    EXPECT_FALSE(model.frame().avantiEnabled());
    EXPECT_EQ(model.label1(), row.masked);
}

INSTANTIATE_TEST_SUITE_P(MissingInnerLetter, Unanswerable,
    ::testing::Values(UnanswerableRow {"j", "jeans", 1, "_eans"}, UnanswerableRow {"k", "kiwi", 1, "_iwi"},
        UnanswerableRow {"w", "kiwi", 3, "ki_i"}, UnanswerableRow {"x", "taxi", 3, "ta_i"},
        UnanswerableRow {"y", "yoga", 1, "_oga"}, UnanswerableRow {"apostrophe", "l'ape", 2, "l_ape"},
        UnanswerableRow {"blank", "la casa", 3, "la_casa"}, UnanswerableRow {"digit", "r2d2", 2, "r_d2"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MissingInnerLetter, UpperCaseRecasesTheListAndTheKeys)
{
    bench.state.AttendiAvanti = true;
    openOn(5, 1, 5);
    bench.random.push({0.0, ScriptedRandom::forSlot(1, 5), ScriptedRandom::forSlot(3, 4)});
    model.setCase(LetterCase::Upper);
    EXPECT_EQ(model.keyboard().Alfabeto(1), "A");
    EXPECT_EQ(model.label1(), "CA_E");
    EXPECT_EQ(bench.state.word(1), "CANE");
    EXPECT_EQ(bench.state.word(5), "gatto");
    bench.random.push({0.0});
    EXPECT_FALSE(model.press(key('m')));
    EXPECT_TRUE(model.press(key('n')));
    EXPECT_EQ(model.label1(), "CANE");
}

TEST_F(MissingInnerLetter, CaseSwitchCountsNothingAndBringsEveryKeyBack)
{
    openOn(1, 2, 4);
    model.press(key('z'));
    model.press(key('b'));
    const qint16 exercises = model.ContaEsercizi();
    const qint16 errati = bench.state.ContaErrati;
    for (LetterCase letterCase : {LetterCase::Upper, LetterCase::Lower, LetterCase::Lower}) {
        scriptLettera(bench.random, 2, 5, 1, 10);
        model.setCase(letterCase);
        EXPECT_EQ(model.ContaEsercizi(), exercises);
        EXPECT_EQ(bench.state.ContaErrati, errati);
        EXPECT_EQ(bench.state.ContaEsatti, 0);
        EXPECT_EQ(model.keyboard().keysLeft(), 21);
        EXPECT_EQ(model.letterCase(), letterCase);
    }
    EXPECT_EQ(model.label1(), "_occinella");
}

TEST_F(MissingInnerLetter, PictureStepsByTheParityOfTheExerciseCountAcrossVisits)
{
    bench.state.AttendiAvanti = false;
    // First visit: exercise 1 steps left, exercise 2 steps back.
    openOn(1, 1, 4);
    EXPECT_EQ(model.ContaEsercizi(), 1);
    bench.random.push({0.0});
    scriptLettera(bench.random, 1, 5, 1, 4);
    model.press(key('c'));
    EXPECT_EQ(model.pictureSteps(), -1);
    bench.random.push({0.0});
    scriptLettera(bench.random, 1, 5, 1, 4);
    model.press(key('c'));
    EXPECT_EQ(model.pictureSteps(), 0);
    EXPECT_EQ(model.ContaEsercizi(), 3);
    // Exercise 3 is left unanswered; the next visit starts from its place with exercise 4, so it steps right.
    bench.state.ContaEsatti = 0;
    openOn(1, 1, 4);
    EXPECT_EQ(model.ContaEsercizi(), 4);
    EXPECT_EQ(model.pictureSteps(), 0);
    bench.random.push({0.0});
    scriptLettera(bench.random, 1, 5, 1, 4);
    model.press(key('c'));
    EXPECT_EQ(model.pictureSteps(), 1);
    // A case switch in between does not change the parity.
    scriptLettera(bench.random, 1, 5, 1, 4);
    model.setCase(LetterCase::Upper);
    bench.random.push({0.0});
    scriptLettera(bench.random, 1, 5, 1, 4);
    model.press(key('c'));
    EXPECT_EQ(model.pictureSteps(), 0);
}

TEST_F(MissingInnerLetter, CaseSwitchAfterARightAnswerKeepsThePictureSteppingTheSameWay)
{
    bench.state.AttendiAvanti = true;
    openOn(1, 1, 4);
    bench.random.push({0.0});
    model.press(key('c'));
    EXPECT_EQ(model.pictureSteps(), -1);
    scriptLettera(bench.random, 1, 5, 1, 4);
    model.setCase(LetterCase::Upper);
    EXPECT_EQ(model.pictureSteps(), -1) << "a new exercise does not move the picture";
    bench.random.push({0.0});
    model.press(key('c'));
    EXPECT_EQ(model.pictureSteps(), -2);
}

TEST_F(MissingInnerLetter, CountsStopAtTheTop)
{
    bench.state.AttendiAvanti = true;
    openOn(1, 1, 4);
    bench.state.ContaEsatti = 32767;
    bench.state.ContaErrati = 32767;
    model.press(key('d'));
    bench.random.push({0.0});
    model.press(key('c'));
    EXPECT_EQ(bench.state.ContaEsatti, 32767);
    EXPECT_EQ(bench.state.ContaErrati, 32767);
    EXPECT_EQ(model.frame().esattiText(), " 32767");
}

TEST_F(MissingInnerLetter, ResetLeavesIconsAndExerciseLeaveAsksFirst)
{
    openOn(1, 2, 4);
    model.press(key('o'));
    model.reset();
    EXPECT_EQ(model.frame().esattiText(), " 0");
    EXPECT_EQ(model.frame().erratiText(), " 0");
    EXPECT_TRUE(model.frame().wrongIconVisible());
    EXPECT_EQ(model.label1(), "c_ne");
    model.press(key('u'));
    FakeMessageBoxes boxes;
    boxes.answers = {false, true};
    EXPECT_FALSE(model.leave(boxes));
    EXPECT_EQ(bench.state.ContaErrati, 1);
    EXPECT_TRUE(model.leave(boxes));
    EXPECT_EQ(bench.state.ContaErrati, 0);
    EXPECT_EQ(boxes.questions.first(), QString::fromUtf8("Vuoi tornare al menù?"));
}

class MissingFirstLetter : public ::testing::Test {
protected:
    MissingFirstLetter() { bench.setWords({"Coccinella", "a", "", "jeans"}); }
    Bench bench;
    MissingLetterExercise model {bench.services(), MissingLetterExercise::kMissingFirstLetter};
};

struct AccentRow {
    const char* name;
    QString word;
    int position;
    LetterCase letterCase;
    char key;
    QString masked;
    QString completed;
};

void PrintTo(const AccentRow& row, std::ostream* os)
{
    *os << row.name;
}

// An accented letter has no key of its own: its plain vowel's key types it, and the word shows its accent.
class AccentedLetter : public ::testing::TestWithParam<AccentRow> { };

TEST_P(AccentedLetter, IsTypedWithThePlainVowel)
{
    const AccentRow& row = GetParam();
    Bench bench;
    bench.state.AttendiAvanti = true; // the completed word stays on view
    bench.setWords({row.word});
    MissingLetterExercise model(bench.services(), MissingLetterExercise::kMissingInnerLetter);
    scriptLettera(bench.random, 1, 1, 1, 1);
    model.open();
    scriptLettera(bench.random, 1, 1, row.position, static_cast<int>(row.word.toUcs4().size()));
    model.setCase(row.letterCase);
    EXPECT_EQ(model.label1(), row.masked);
    const QChar other = QLatin1Char(row.key == 'a' ? 'o' : 'a');
    EXPECT_FALSE(model.press(static_cast<int>(keyboardAlphabet().indexOf(other)))) << "another vowel stays wrong";
    bench.random.push({0.0}); // the success sound
    EXPECT_TRUE(model.press(key(row.key)));
    EXPECT_EQ(model.label1(), row.completed);
    EXPECT_EQ(bench.state.ContaEsatti, 1);
    EXPECT_EQ(bench.state.ContaErrati, 1);
}

INSTANTIATE_TEST_SUITE_P(MissingLetter, AccentedLetter,
    ::testing::Values(
        AccentRow {"grave_a", QStringLiteral("città"), 5, LetterCase::Lower, 'a', "citt_", QStringLiteral("città")},
        AccentRow {"acute_e", QStringLiteral("perché"), 6, LetterCase::Lower, 'e', "perch_", QStringLiteral("perché")},
        AccentRow {"grave_o_upper", QStringLiteral("però"), 4, LetterCase::Upper, 'o', "PER_", QStringLiteral("PERÒ")},
        AccentRow {"grave_u_first", QStringLiteral("ùva"), 1, LetterCase::Lower, 'u', "_va", QStringLiteral("ùva")},
        AccentRow {"plain_letter_beside_an_accent", QStringLiteral("città"), 1, LetterCase::Lower, 'c', "_ittà",
            QStringLiteral("città")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MissingFirstLetter, AlwaysTheFirstLetterWithOneDrawOnly)
{
    bench.state.AttendiAvanti = false;
    scriptMissingFirstLetter(bench.random, 1, 4);
    model.open();
    EXPECT_EQ(bench.random.remaining(), 0u);
    EXPECT_EQ(model.label1(), "_occinella");
    EXPECT_EQ(model.LetteraNascosta(), "c");
    bench.random.push({0.0});
    scriptMissingFirstLetter(bench.random, 2, 4);
    EXPECT_TRUE(model.press(key('c')));
    EXPECT_EQ(model.label1(), "_");
    EXPECT_EQ(model.pictureSteps(), 0) << "the picture never moves here";
    bench.random.push({0.0});
    scriptMissingFirstLetter(bench.random, 3, 4);
    model.press(key('a'));
    EXPECT_EQ(model.label1(), "") << "an empty word masks nothing";
    EXPECT_EQ(model.pictureSteps(), 0);
    EXPECT_EQ(model.ContaEsercizi(), 0);
    EXPECT_EQ(bench.state.ContaEsatti, 2);
}

TEST_F(MissingFirstLetter, AWordNoKeyCanFinishIsDrawnAgain)
{
    scriptMissingFirstLetter(bench.random, 4, 4); // "jeans"
    bench.random.pushSlot(1, 4);
    model.open();
    EXPECT_EQ(bench.random.remaining(), 0u);
    EXPECT_EQ(model.label1(), "_occinella");
}

TEST(MissingFirstLetterAlone, AListOfWordsNoKeyCanFinishEndsOnlyByCaseSwitch)
{
    Bench bench;
    bench.setWords({"jeans"});
    MissingLetterExercise model(bench.services(), MissingLetterExercise::kMissingFirstLetter);
    scriptMissingFirstLetter(bench.random, 1, 1);
    model.open();
    for (int i = 0; i < Keyboard::kKeys; ++i) {
        model.press(i);
    }
    EXPECT_EQ(bench.state.ContaErrati, 21);
    EXPECT_EQ(model.keyboard().keysLeft(), 0);
    scriptMissingFirstLetter(bench.random, 1, 1);
    model.setCase(LetterCase::Upper);
    EXPECT_EQ(model.label1(), "_EANS");
    EXPECT_EQ(model.keyboard().keysLeft(), 21);
    EXPECT_EQ(bench.state.ContaErrati, 21);
}

TEST(LetterPictures, UpperFolderAndExtensionFindTheSamePicture)
{
    QTemporaryDir dir;
    ASSERT_TRUE(QDir(dir.path()).mkpath("jpg"));
    QFile file(dir.filePath("jpg/cane.jpg"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    Bench bench(dir.path());
    bench.setWords({"cane"});
    MissingLetterExercise first(bench.services(), MissingLetterExercise::kMissingFirstLetter);
    MissingLetterExercise inner(bench.services(), MissingLetterExercise::kMissingInnerLetter);
    scriptMissingFirstLetter(bench.random, 1, 1);
    first.open();
    EXPECT_EQ(first.picture(), file.fileName());
    scriptMissingFirstLetter(bench.random, 1, 1);
    first.setCase(LetterCase::Upper);
    EXPECT_EQ(bench.state.word(1), "CANE");
    EXPECT_EQ(first.picture(), file.fileName());
    scriptLettera(bench.random, 1, 1, 1, 4);
    inner.open();
    EXPECT_EQ(inner.picture(), file.fileName());
}

} // namespace
