#include "core/alphabet.h"
#include "exercises/letters/keyboard.h"
#include "fakes.h"

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

struct KeyRow {
    int index;
    QString letter;
};

class KeyLetters : public ::testing::TestWithParam<KeyRow> { };

TEST_P(KeyLetters, KeyShowsTheLetterOfTheSlotAfterIt)
{
    const KeyRow& row = GetParam();
    Keyboard keyboard(Keyboard::kMissingLetter);
    keyboard.open();
    EXPECT_EQ(keyboard.Alfabeto(row.index + 1), row.letter);
}

INSTANTIATE_TEST_SUITE_P(Keyboard, KeyLetters,
    ::testing::Values(KeyRow {0, "a"}, KeyRow {6, "g"}, KeyRow {7, "h"}, KeyRow {8, "i"}, KeyRow {9, "l"},
        KeyRow {13, "p"}, KeyRow {14, "q"}, KeyRow {19, "v"}, KeyRow {20, "z"}));

TEST(Keyboard, SlotZeroStaysEmptyAndLettersJkwxyAreMissing)
{
    Keyboard keyboard(Keyboard::kSpellWord);
    keyboard.open();
    EXPECT_TRUE(keyboard.Alfabeto(0).isEmpty());
    QString all;
    for (int i = 0; i < Keyboard::kKeys; ++i) {
        all += keyboard.Alfabeto(i + 1);
    }
    EXPECT_EQ(all, "ABCDEFGHILMNOPQRSTUVZ");
    for (const char* absent : {"J", "K", "W", "X", "Y"}) {
        EXPECT_FALSE(all.contains(QLatin1String(absent))) << absent;
    }
}

TEST(Keyboard, OpeningCaseDiffersPerScreen)
{
    Keyboard missing(Keyboard::kMissingLetter);
    missing.open();
    EXPECT_EQ(missing.letterCase(), LetterCase::Lower);
    EXPECT_EQ(missing.Alfabeto(1), "a");

    Keyboard spell(Keyboard::kSpellWord);
    spell.open();
    EXPECT_EQ(spell.letterCase(), LetterCase::Upper);
    EXPECT_EQ(spell.Alfabeto(1), "A");
}

TEST(Keyboard, CaseSwitchesBothWaysAndOpeningStartsAfresh)
{
    for (const KeyboardOptions& options : {Keyboard::kMissingLetter, Keyboard::kSpellWord}) {
        Keyboard keyboard(options);
        keyboard.open();
        keyboard.switchCase(LetterCase::Upper);
        EXPECT_EQ(keyboard.Alfabeto(21), "Z");
        keyboard.switchCase(LetterCase::Lower);
        EXPECT_EQ(keyboard.Alfabeto(21), "z");
        keyboard.switchCase(LetterCase::Lower);
        EXPECT_EQ(keyboard.Alfabeto(10), "l");
        keyboard.switchCase(options.openingCase == LetterCase::Lower ? LetterCase::Upper : LetterCase::Lower);
        keyboard.open();
        EXPECT_EQ(keyboard.letterCase(), options.openingCase);
    }
}

TEST(Keyboard, PressedMissingLetterKeyIsGoneUntilShownAgain)
{
    Keyboard keyboard(Keyboard::kMissingLetter);
    keyboard.open();
    keyboard.switchCase(LetterCase::Upper);
    EXPECT_EQ(keyboard.press(4), std::optional<QString>("E"));
    EXPECT_FALSE(keyboard.visible(4));
    EXPECT_EQ(keyboard.press(4), std::nullopt) << "a hidden key cannot be pressed";
    EXPECT_EQ(keyboard.keysLeft(), 20);
    for (int i = 0; i < Keyboard::kKeys; ++i) {
        keyboard.press(i);
    }
    EXPECT_EQ(keyboard.keysLeft(), 0);
    keyboard.showAll();
    EXPECT_EQ(keyboard.keysLeft(), 21);
}

TEST(Keyboard, SpellKeysStayAndAnswerOnlyWhileEnabled)
{
    Keyboard keyboard(Keyboard::kSpellWord);
    keyboard.open();
    EXPECT_EQ(keyboard.press(2), std::optional<QString>("C"));
    EXPECT_EQ(keyboard.press(2), std::optional<QString>("C"));
    EXPECT_TRUE(keyboard.visible(2));
    keyboard.setAllEnabled(false);
    EXPECT_EQ(keyboard.press(2), std::nullopt);
    keyboard.setAllEnabled(true);
    EXPECT_TRUE(keyboard.press(2).has_value());
    EXPECT_EQ(keyboard.press(-1), std::nullopt);
    EXPECT_EQ(keyboard.press(21), std::nullopt);
}

} // namespace

namespace {

struct LetterKeyRow {
    const char* name;
    QString letter;
    QString key; // the key's letter that types it
};

void PrintTo(const LetterKeyRow& row, std::ostream* os)
{
    *os << row.name;
}

class KeyForLetter : public ::testing::TestWithParam<LetterKeyRow> { };

TEST_P(KeyForLetter, IsThePlainLetterInItsCase)
{
    EXPECT_EQ(keyFor(GetParam().letter), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Keyboard, KeyForLetter,
    ::testing::Values(LetterKeyRow {"plain", "c", "c"}, LetterKeyRow {"grave_a", QStringLiteral("à"), "a"},
        LetterKeyRow {"grave_a_upper", QStringLiteral("À"), "A"}, LetterKeyRow {"acute_e", QStringLiteral("é"), "e"},
        LetterKeyRow {"grave_e", QStringLiteral("è"), "e"}, LetterKeyRow {"grave_i", QStringLiteral("ì"), "i"},
        LetterKeyRow {"acute_o", QStringLiteral("ó"), "o"}, LetterKeyRow {"grave_u_upper", QStringLiteral("Ù"), "U"},
        LetterKeyRow {"no_key_j", "j", "j"}, LetterKeyRow {"apostrophe", "'", "'"}, LetterKeyRow {"blank", " ", " "}),
    [](const auto& info) { return std::string(info.param.name); });

struct SpellableRow {
    const char* name;
    QString word;
    bool onKeys;
};

void PrintTo(const SpellableRow& row, std::ostream* os)
{
    *os << row.name;
}

class WordOnKeys : public ::testing::TestWithParam<SpellableRow> { };

TEST_P(WordOnKeys, WhenEveryLetterHasAKey)
{
    EXPECT_EQ(onKeyboard(GetParam().word), GetParam().onKeys);
}

INSTANTIATE_TEST_SUITE_P(Keyboard, WordOnKeys,
    ::testing::Values(SpellableRow {"plain", "cane", true}, SpellableRow {"upper", "GATTO", true},
        SpellableRow {"accents", QStringLiteral("città"), true}, SpellableRow {"acute", QStringLiteral("PERCHÉ"), true},
        SpellableRow {"j", "jeans", false}, SpellableRow {"k", "kiwi", false}, SpellableRow {"w", "wurstel", false},
        SpellableRow {"x", "taxi", false}, SpellableRow {"y", "yogurt", false},
        SpellableRow {"apostrophe", "l'ape", false}, SpellableRow {"blank", "pesce rosso", false},
        SpellableRow {"digit", "r2d2", false}, SpellableRow {"empty", "", true}),
    [](const auto& info) { return std::string(info.param.name); });

struct DrawRow {
    const char* name;
    QStringList words;
    std::vector<int> draws; // the slots the random source gives, in order
    int slot; // the slot the letter exercise asks
};

void PrintTo(const DrawRow& row, std::ostream* os)
{
    *os << row.name;
}

class LetterWordDraw : public ::testing::TestWithParam<DrawRow> { };

TEST_P(LetterWordDraw, LeavesOutWordsNoKeyCanFinish)
{
    const DrawRow& row = GetParam();
    Bench bench;
    bench.setWords(row.words);
    for (const int draw : row.draws) {
        bench.random.pushSlot(draw, static_cast<int>(row.words.size()));
    }
    EXPECT_EQ(drawWordForKeys(bench.random, bench.state), row.slot);
    EXPECT_EQ(bench.random.remaining(), 0u) << "every draw taken, none more";
}

INSTANTIATE_TEST_SUITE_P(Keyboard, LetterWordDraw,
    ::testing::Values(DrawRow {"first_draw_kept", {"cane", "kiwi"}, {1}, 1},
        DrawRow {"drawn_again", {"kiwi", "cane"}, {1, 2}, 2},
        DrawRow {"drawn_again_twice", {"kiwi", "yogurt", QStringLiteral("città")}, {1, 2, 3}, 3},
        DrawRow {"accent_kept", {"kiwi", QStringLiteral("perché")}, {2}, 2},
        DrawRow {"only_words_no_key_finishes", {"kiwi", "yogurt"}, {2}, 2}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
