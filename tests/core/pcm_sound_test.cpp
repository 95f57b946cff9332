#include "feedback/pcm_sound.h"

#include <QtEndian>

#include <cmath>
#include <cstring>
#include <vector>

#include <gtest/gtest.h>

using namespace tavenzo;

namespace {

using Sample = PcmFormat::Sample;

QByteArray samplesOf(const std::vector<double>& values, Sample sample)
{
    QByteArray out;
    for (const double v : values) {
        char b[4];
        switch (sample) {
        case Sample::UInt8:
            out.append(static_cast<char>(std::lround(v * 127 + 128)));
            break;
        case Sample::Int16:
            qToLittleEndian(static_cast<qint16>(std::lround(v * 32767)), b);
            out.append(b, 2);
            break;
        case Sample::Int32:
            qToLittleEndian(static_cast<qint32>(std::llround(v * 2147483647.0)), b);
            out.append(b, 4);
            break;
        case Sample::Float: {
            const float f = static_cast<float>(v);
            quint32 raw = 0;
            std::memcpy(&raw, &f, 4);
            qToLittleEndian(raw, b);
            out.append(b, 4);
            break;
        }
        }
    }
    return out;
}

struct ConvertCase {
    const char* name;
    PcmFormat from;
    std::vector<double> in;
    PcmFormat to;
    std::vector<double> out;
};

void PrintTo(const ConvertCase& c, std::ostream* out)
{
    *out << c.name;
}

class Conversion : public ::testing::TestWithParam<ConvertCase> { };

// What a word recorded in one format becomes in the answer sound's format, sample for sample.
TEST_P(Conversion, KeepsTheSoundInAnotherFormat)
{
    const ConvertCase& c = GetParam();
    const std::optional<PcmSound> got = converted({c.from, samplesOf(c.in, c.from.sample)}, c.to);
    ASSERT_TRUE(got);
    EXPECT_EQ(got->format, c.to);
    const std::optional<PcmSound> expected = converted({c.to, samplesOf(c.out, c.to.sample)}, c.to);
    ASSERT_EQ(got->samples.size(), expected->samples.size());
    // Within one step of the narrower of the two sample types.
    const double step = c.from.sample == Sample::UInt8 || c.to.sample == Sample::UInt8 ? 2.0 / 256 : 2.0 / 32768;
    const std::optional<PcmSound> a = converted(*got, {c.to.sampleRate, c.to.channels, Sample::Float});
    const std::optional<PcmSound> b = converted(*expected, {c.to.sampleRate, c.to.channels, Sample::Float});
    for (qsizetype i = 0; i < a->samples.size(); i += 4) {
        float x = 0, y = 0;
        std::memcpy(&x, a->samples.constData() + i, 4);
        std::memcpy(&y, b->samples.constData() + i, 4);
        EXPECT_NEAR(x, y, step) << "sample " << i / 4;
    }
}

const PcmFormat kMono22 {22050, 1, Sample::Int16};
const PcmFormat kStereo22 {22050, 2, Sample::Int16};
const PcmFormat kMono44 {44100, 1, Sample::Int16};

INSTANTIATE_TEST_SUITE_P(PcmSound, Conversion,
    ::testing::Values(ConvertCase {"Same", kMono22, {0.5, -0.5}, kMono22, {0.5, -0.5}},
        ConvertCase {"StereoMixedToMono", kStereo22, {0.5, 0.1, -0.2, -0.4}, kMono22, {0.3, -0.3}},
        ConvertCase {"MonoSpreadToStereo", kMono22, {0.5, -0.25}, kStereo22, {0.5, 0.5, -0.25, -0.25}},
        ConvertCase {"HalfTheRateTakesEveryOther", kMono44, {0.0, 0.2, 0.4, 0.6}, kMono22, {0.0, 0.4}},
        ConvertCase {"TwiceTheRateFillsInBetween", kMono22, {0.0, 0.4, 0.8}, kMono44, {0.0, 0.2, 0.4, 0.6, 0.8, 0.8}},
        ConvertCase {
            "UnsignedEightBit", {8000, 1, Sample::UInt8}, {0.0, 0.5, -0.5}, {8000, 1, Sample::Int16}, {0.0, 0.5, -0.5}},
        ConvertCase {"ThirtyTwoBitToSixteen", {22050, 1, Sample::Int32}, {0.25, -0.75}, kMono22, {0.25, -0.75}},
        ConvertCase {
            "FloatClippedAndNotANumberSilent", {22050, 1, Sample::Float}, {1.5, -2.0, NAN}, kMono22, {1.0, -1.0, 0.0}}),
    [](const ::testing::TestParamInfo<ConvertCase>& info) { return std::string(info.param.name); });

TEST(PcmSound, NothingIsConvertedFromOrToAFormatWithoutFramesOrRate)
{
    EXPECT_FALSE(converted({{0, 1, Sample::Int16}, QByteArray(4, 1)}, kMono22));
    EXPECT_FALSE(converted({kMono22, QByteArray(4, 1)}, {22050, 0, Sample::Int16}));
    const std::optional<PcmSound> empty = converted({kMono22, {}}, kMono44);
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->samples.isEmpty());
}

TEST(PcmSound, TrimmedOfQuietAtBothEndsKeepingAMargin)
{
    std::vector<double> values(100, 0.001);
    values[30] = 0.5;
    values[60] = -0.5;
    const PcmFormat format {1000, 1, Sample::Int16}; // a sample a millisecond
    const PcmSound sound {format, samplesOf(values, Sample::Int16)};
    EXPECT_EQ(trimmedSilence(sound, 0.01, 0).samples, sound.samples.mid(30 * 2, 31 * 2));
    EXPECT_EQ(trimmedSilence(sound, 0.01, 5).samples, sound.samples.mid(25 * 2, 41 * 2));
    EXPECT_EQ(trimmedSilence(sound, 0.01, 50).samples, sound.samples) << "the margin stops at the ends";
    EXPECT_TRUE(trimmedSilence(sound, 0.6, 5).samples.isEmpty()) << "nothing louder";
    EXPECT_NEAR(peakOf(sound), 0.5, 1e-4);
}

} // namespace
