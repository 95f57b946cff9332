#include "exercises/letters/keyboard.h"

#include <gtest/gtest.h>

using namespace tavenzo;

namespace {

struct KeyRow {
    int index;
    QString letter;
    QRect place;
};

class KeyPlaces : public ::testing::TestWithParam<KeyRow> { };

TEST_P(KeyPlaces, KeyShowsItsLetterAtItsPlace)
{
    const KeyRow& row = GetParam();
    Keyboard keyboard(Keyboard::missingLetterTraits());
    keyboard.open();
    EXPECT_EQ(Keyboard::keyPlace(row.index), row.place);
    EXPECT_EQ(keyboard.caption(row.index), row.letter);
    EXPECT_EQ(keyboard.Alfabeto(row.index + 1), row.letter);
}

INSTANTIATE_TEST_SUITE_P(Keyboard, KeyPlaces,
    ::testing::Values(KeyRow {0, "a", {32, 336, 41, 33}}, KeyRow {6, "g", {368, 336, 41, 33}},
        KeyRow {7, "h", {32, 376, 41, 33}}, KeyRow {8, "i", {88, 376, 41, 33}}, KeyRow {9, "l", {144, 376, 41, 33}},
        KeyRow {13, "p", {368, 376, 41, 33}}, KeyRow {14, "q", {32, 416, 41, 33}}, KeyRow {19, "v", {312, 416, 41, 33}},
        KeyRow {20, "z", {368, 416, 41, 33}}));

TEST(Keyboard, SlotZeroStaysEmptyAndLettersJkwxyAreMissing)
{
    Keyboard keyboard(Keyboard::spellTraits());
    keyboard.open();
    EXPECT_TRUE(keyboard.Alfabeto(0).isEmpty());
    QString all;
    for (int i = 0; i < Keyboard::kKeys; ++i) {
        all += keyboard.caption(i);
    }
    EXPECT_EQ(all, "ABCDEFGHILMNOPQRSTUVZ");
    for (const char* absent : {"J", "K", "W", "X", "Y"}) {
        EXPECT_FALSE(all.contains(QLatin1String(absent))) << absent;
    }
}

TEST(Keyboard, OpeningCaseAndSizeDifferPerScreen)
{
    Keyboard missing(Keyboard::missingLetterTraits());
    missing.open();
    EXPECT_EQ(missing.letterCase(), LetterCase::Lower);
    EXPECT_EQ(missing.caption(0), "a");
    EXPECT_EQ(missing.pointSize(), 13);

    Keyboard spell(Keyboard::spellTraits());
    spell.open();
    EXPECT_EQ(spell.letterCase(), LetterCase::Upper);
    EXPECT_EQ(spell.caption(0), "A");
    EXPECT_EQ(spell.pointSize(), 24);
}

TEST(Keyboard, CaseSwitchesBothWaysAndOpeningStartsAfresh)
{
    for (const KeyboardTraits& traits : {Keyboard::missingLetterTraits(), Keyboard::spellTraits()}) {
        Keyboard keyboard(traits);
        keyboard.open();
        keyboard.switchCase(LetterCase::Upper);
        EXPECT_EQ(keyboard.caption(20), "Z");
        keyboard.switchCase(LetterCase::Lower);
        EXPECT_EQ(keyboard.caption(20), "z");
        keyboard.switchCase(LetterCase::Lower);
        EXPECT_EQ(keyboard.caption(9), "l");
        keyboard.switchCase(traits.openingCase == LetterCase::Lower ? LetterCase::Upper : LetterCase::Lower);
        keyboard.open();
        EXPECT_EQ(keyboard.letterCase(), traits.openingCase);
    }
}

TEST(Keyboard, PressedMissingLetterKeyIsGoneUntilShownAgain)
{
    Keyboard keyboard(Keyboard::missingLetterTraits());
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
    Keyboard keyboard(Keyboard::spellTraits());
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
