// BARKSOUND.wav: a wave file the player can play as it is (RIFF/WAVE, 16-bit PCM mono),
// short, audible, and free of clicks.
#include "resource_library.h"

#include <QFile>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#include <gtest/gtest.h>

namespace {

struct Wave {
    int format = 0, channels = 0, sampleRate = 0, bitsPerSample = 0;
    std::vector<std::int16_t> samples;
};

std::uint32_t le32(const QByteArray& b, qsizetype at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | std::uint8_t(b[at + i]);
    return v;
}
std::uint16_t le16(const QByteArray& b, qsizetype at) {
    return std::uint16_t(std::uint8_t(b[at]) | std::uint8_t(b[at + 1]) << 8);
}

// Reads the chunks the way a player does: "fmt " and "data" wherever they are, others skipped.
std::optional<Wave> parse(const QByteArray& b) {
    if (b.size() < 12 || b.left(4) != "RIFF" || b.mid(8, 4) != "WAVE") return std::nullopt;
    if (le32(b, 4) != std::uint32_t(b.size() - 8)) return std::nullopt;
    Wave w;
    bool haveFormat = false, haveData = false;
    for (qsizetype at = 12; at + 8 <= b.size();) {
        const QByteArray id = b.mid(at, 4);
        const qsizetype size = le32(b, at + 4);
        if (at + 8 + size > b.size()) return std::nullopt;
        if (id == "fmt " && size >= 16) {
            w.format = le16(b, at + 8);
            w.channels = le16(b, at + 10);
            w.sampleRate = int(le32(b, at + 12));
            w.bitsPerSample = le16(b, at + 22);
            haveFormat = true;
        } else if (id == "data") {
            w.samples.resize(size_t(size / 2));
            std::memcpy(w.samples.data(), b.constData() + at + 8, w.samples.size() * 2);
            haveData = true;
        }
        at += 8 + size + (size & 1);
    }
    if (!haveFormat || !haveData) return std::nullopt;
    return w;
}

Wave bark() {
    mvf::testing::ResourceLibrary library;
    EXPECT_TRUE(library.registered());
    QFile file(library.path("BARKSOUND.wav"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    const std::optional<Wave> wave = parse(file.readAll());
    EXPECT_TRUE(wave.has_value()) << "not a RIFF/WAVE file with fmt and data chunks";
    return wave.value_or(Wave{});
}

TEST(BarkSoundTest, IsSixteenBitPcmMonoUnderASecond) {
    const Wave w = bark();
    EXPECT_EQ(w.format, 1); // PCM
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.bitsPerSample, 16);
    ASSERT_GE(w.sampleRate, 8000);
    ASSERT_LE(w.sampleRate, 48000);
    const double seconds = double(w.samples.size()) / w.sampleRate;
    EXPECT_LT(seconds, 1.0);
    EXPECT_GT(seconds, 0.15);
}

TEST(BarkSoundTest, IsAudibleWithoutClippingOrClicks) {
    const Wave w = bark();
    ASSERT_FALSE(w.samples.empty());
    double energy = 0;
    int peak = 0;
    for (std::int16_t s : w.samples) {
        energy += double(s) * s;
        peak = std::max(peak, std::abs(int(s)));
    }
    const double rms = std::sqrt(energy / double(w.samples.size()));
    EXPECT_GT(rms, 1000) << "too quiet to hear";
    EXPECT_GT(peak, 16000);
    EXPECT_LT(peak, 32767) << "clipped";
    // It starts and ends at rest: no click when the player opens or closes the sound.
    const size_t edge = size_t(w.sampleRate / 200); // 5 ms
    for (size_t i = 0; i < edge; ++i) {
        EXPECT_LT(std::abs(int(w.samples[i])), 1000) << "start, sample " << i;
        EXPECT_LT(std::abs(int(w.samples[w.samples.size() - 1 - i])), 100) << "end";
    }
}

} // namespace
