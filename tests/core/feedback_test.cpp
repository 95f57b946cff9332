#include "core/random_source.h"
#include "fakes.h"

#include <cmath>

#include <gtest/gtest.h>

using namespace tavenzo;
using namespace tavenzo::testing;

namespace {

const double kJustBelowOne = std::nextafter(1.0, 0.0);

TEST(RandomDraws, TruncateNeverRound)
{
    ScriptedRandom random {0.0, 0.249, 0.25, 0.74, kJustBelowOne};
    EXPECT_EQ(drawWhole(random, 4), 1);
    EXPECT_EQ(drawWhole(random, 4), 1);
    EXPECT_EQ(drawWhole(random, 4), 2);
    EXPECT_EQ(drawWhole(random, 4), 3);
    EXPECT_EQ(drawWhole(random, 4), 4);
}

TEST(RandomDraws, EmptyListDrawsSlotOne)
{
    ScriptedRandom random {0.7};
    EXPECT_EQ(drawWhole(random, 0), 1);
}

TEST(RandomDraws, RealSourceStaysBelowOne)
{
    ClockSeededRandom random;
    for (int i = 0; i < 100000; ++i) {
        const double r = random.next();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
    }
}

TEST(Sounds, SuccessSoundFollowsTheDraw)
{
    Bench bench(QStringLiteral("/prog"));
    bench.random.push({0.0, 0.25, 0.5, kJustBelowOne});
    for (int i = 0; i < 4; ++i) {
        bench.feedback.SuonoEsatto();
    }
    EXPECT_EQ(bench.sounds.played,
        (QStringList {"/prog/suoni/si1.wav", "/prog/suoni/si2.wav", "/prog/suoni/si3.wav", "/prog/suoni/si4.wav"}));
}

TEST(Sounds, PreloadListHoldsExactlyTheFiveSounds)
{
    Bench bench(QStringLiteral("/prog"));
    EXPECT_EQ(bench.feedback.soundPaths(),
        (QStringList {"/prog/suoni/si1.wav", "/prog/suoni/si2.wav", "/prog/suoni/si3.wav", "/prog/suoni/si4.wav",
            "/prog/suoni/no.wav"}));
}

TEST(Sounds, FailureSoundIsAlwaysNo)
{
    Bench bench(QStringLiteral("/prog"));
    bench.feedback.SuonoErrato();
    bench.feedback.SuonoErrato();
    EXPECT_EQ(bench.sounds.played, (QStringList {"/prog/suoni/no.wav", "/prog/suoni/no.wav"}));
    EXPECT_EQ(bench.random.taken(), 0);
}

TEST(Colours, EdgesOfTheTable)
{
    Bench bench;
    bench.random.push({0.0, kJustBelowOne, 13.0 / 18, 14.0 / 18, 15.0 / 18});
    EXPECT_EQ(bench.feedback.ColoreCasuale(), 0xC0C0FFu);
    EXPECT_EQ(bench.feedback.ColoreCasuale(), 0xFF00FFu);
    EXPECT_EQ(bench.feedback.ColoreCasuale(), 0xFFC0FFu); // slot 14
    EXPECT_EQ(bench.feedback.ColoreCasuale(), 0xFFC0FFu); // slot 15, the same colour twice in the table
    EXPECT_EQ(bench.feedback.ColoreCasuale(), 0xE0E0E0u);
}

TEST(Colours, BgrToRgb)
{
    EXPECT_EQ(bgrToRgb(0x0000FF), 0xFF0000u);
    EXPECT_EQ(bgrToRgb(0xFFFF00), 0x00FFFFu);
    EXPECT_EQ(bgrToRgb(0x0040C0), 0xC04000u);
}

} // namespace
