#include "exercises/letters/keyboard.h"

#include <gtest/gtest.h>

using namespace tavenzo;

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
