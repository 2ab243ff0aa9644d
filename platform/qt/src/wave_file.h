// Reading a RIFF/WAVE file of plain PCM samples: 8-bit (unsigned) or 16-bit
// (little-endian), mono or stereo, 1,000 to 384,000 frames a second. Anything else, and
// any file whose chunks do not fit inside it (truncated, wrong or huge sizes), is refused.
#pragma once

#include <optional>
#include <string_view>

namespace mvf::platform {

struct WaveSound {
    int channels = 0;
    int rate = 0; // frames a second
    int bits = 0; // bits per sample: 8 or 16
    // The samples, whole frames only, pointing into the bytes that were parsed.
    std::string_view samples;

    int FrameBytes() const { return channels * bits / 8; }
    std::size_t Frames() const { return samples.size() / FrameBytes(); }
};

std::optional<WaveSound> ParseWave(std::string_view bytes);

} // namespace mvf::platform
