// Reading WAV files: what is played, and every kind of broken file refused.
#include <gtest/gtest.h>

#include "wave_file.h"
#include "wave_test_support.h"

namespace mvf::platform {
namespace {

using namespace mvf::platform::testing;

TEST(WaveFileTest, ReadsThePcmFormatsWePlay) {
    struct Case {
        int channels, rate, bits;
    };
    for (const Case c : {Case{1, 8000, 8}, Case{2, 8000, 8}, Case{1, 22050, 16}, Case{2, 44100, 16},
                         Case{1, 1000, 8}, Case{2, 384000, 16}}) {
        const int frameBytes = c.channels * c.bits / 8;
        const std::string samples = Samples(37, frameBytes);
        const std::string file = Wave(c.channels, c.rate, c.bits, samples);
        const auto sound = ParseWave(file);
        ASSERT_TRUE(sound) << c.channels << " " << c.rate << " " << c.bits;
        EXPECT_EQ(c.channels, sound->channels);
        EXPECT_EQ(c.rate, sound->rate);
        EXPECT_EQ(c.bits, sound->bits);
        EXPECT_EQ(samples, sound->samples);
        EXPECT_EQ(37u, sound->Frames());
    }
}

TEST(WaveFileTest, ChunksAreFoundWhereverTheyAreAndOnlyWholeFramesPlay) {
    const std::string samples = Samples(10, 4) + "xy"; // half a frame at the end
    const std::string file = Riff(Chunk("LIST", "odd") + Chunk("data", samples) +
                                  FormatChunk(1, 2, 11025, 16) + Chunk("junk", "")) +
                             "trailing bytes past the RIFF size";
    const auto sound = ParseWave(file);
    ASSERT_TRUE(sound);
    EXPECT_EQ(Samples(10, 4), sound->samples);

    const auto empty = ParseWave(Wave(1, 8000, 8, ""));
    ASSERT_TRUE(empty);
    EXPECT_EQ(0u, empty->Frames());
}

TEST(WaveFileTest, EveryOtherFormatIsRefused) {
    const std::string samples = Samples(8, 6);
    EXPECT_FALSE(ParseWave(Wave(1, 8000, 24, samples)));  // 24-bit
    EXPECT_FALSE(ParseWave(Wave(2, 8000, 32, samples)));  // 32-bit
    EXPECT_FALSE(ParseWave(Wave(3, 8000, 16, samples)));  // 3 channels
    EXPECT_FALSE(ParseWave(Wave(0, 8000, 16, samples)));  // none
    EXPECT_FALSE(ParseWave(Wave(1, 999, 8, samples)));    // too slow
    EXPECT_FALSE(ParseWave(Wave(1, 384001, 8, samples))); // too fast
    EXPECT_FALSE(ParseWave(Riff(FormatChunk(3, 1, 8000, 16) + Chunk("data", samples)))); // float
    EXPECT_FALSE(ParseWave(Riff(FormatChunk(0xFFFE, 1, 8000, 16) + Chunk("data", samples))));
    // A block size that does not match the channels and bits.
    std::string format = FormatChunk(1, 2, 8000, 16);
    format[8 + 12] = 3;
    EXPECT_FALSE(ParseWave(Riff(format + Chunk("data", samples))));
}

TEST(WaveFileTest, BrokenAndTruncatedFilesAreRefused) {
    const std::string good = Wave(2, 8000, 16, Samples(100, 4));
    ASSERT_TRUE(ParseWave(good));
    // Cut anywhere: the RIFF size then claims more than there is.
    for (std::size_t size = 0; size < good.size(); size += 7)
        EXPECT_FALSE(ParseWave(good.substr(0, size))) << size;

    EXPECT_FALSE(ParseWave(""));
    EXPECT_FALSE(ParseWave("RIFX" + good.substr(4)));
    EXPECT_FALSE(ParseWave(good.substr(0, 8) + "AVI " + good.substr(12)));
    EXPECT_FALSE(ParseWave(Riff(Chunk("data", Samples(4, 2)))));          // no format
    EXPECT_FALSE(ParseWave(Riff(FormatChunk(1, 1, 8000, 16))));           // no data
    EXPECT_FALSE(ParseWave(Riff("fmt " + Le(8, 4) + std::string(8, 1)))); // format too short

    // A data chunk claiming more than the file holds, even with a RIFF size to match.
    const std::string samples = Samples(10, 2);
    const std::string huge = FormatChunk(1, 1, 8000, 16) + "data" + Le(0xFFFFFFF0u, 4) + samples;
    EXPECT_FALSE(ParseWave(Riff(huge)));
    EXPECT_FALSE(ParseWave("RIFF" + Le(0xFFFFFFFFu, 4) + "WAVE" + huge));
    const std::string overlong = FormatChunk(1, 1, 8000, 16) + "data" + Le(21, 4) + samples;
    EXPECT_FALSE(ParseWave(Riff(overlong)));
    // A format chunk whose size runs past the end.
    EXPECT_FALSE(ParseWave(Riff("fmt " + Le(0x7FFFFFFF, 4) + FormatChunk(1, 1, 8000, 16))));
    // A RIFF size too small to hold "WAVE".
    EXPECT_FALSE(ParseWave("RIFF" + Le(2, 4) + "WAVE"));
}

} // namespace
} // namespace mvf::platform
