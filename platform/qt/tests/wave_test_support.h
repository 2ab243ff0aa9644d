// WAV files made byte by byte for the sound tests.
#pragma once

#include <cstdint>
#include <string>

namespace mvf::platform::testing {

inline std::string Le(std::uint32_t value, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
    return out;
}

inline std::string FormatChunk(int tag, int channels, int rate, int bits) {
    const int blockAlign = channels * bits / 8;
    return "fmt " + Le(16, 4) + Le(tag, 2) + Le(channels, 2) + Le(rate, 4) +
           Le(rate * blockAlign, 4) + Le(blockAlign, 2) + Le(bits, 2);
}

inline std::string Chunk(const std::string& id, const std::string& body) {
    std::string chunk = id + Le(static_cast<std::uint32_t>(body.size()), 4) + body;
    if (body.size() % 2) chunk += '\0';
    return chunk;
}

inline std::string Riff(const std::string& chunks) {
    return "RIFF" + Le(static_cast<std::uint32_t>(4 + chunks.size()), 4) + "WAVE" + chunks;
}

// A whole file: format chunk, then the samples.
inline std::string Wave(int channels, int rate, int bits, const std::string& samples) {
    return Riff(FormatChunk(1, channels, rate, bits) + Chunk("data", samples));
}

// `frames` frames of a pattern that changes from one byte to the next.
inline std::string Samples(int frames, int frameBytes) {
    std::string samples;
    for (int i = 0; i < frames * frameBytes; ++i) samples += static_cast<char>(i * 7 % 251);
    return samples;
}

} // namespace mvf::platform::testing
