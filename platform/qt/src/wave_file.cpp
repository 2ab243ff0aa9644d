#include "wave_file.h"

#include <cstdint>

namespace mvf::platform {
namespace {

constexpr int kFormatPcm = 1;
constexpr std::uint32_t kMinRate = 1000;
constexpr std::uint32_t kMaxRate = 384000;

std::uint32_t Le32(std::string_view bytes, std::size_t at) {
    auto byte = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i]));
    };
    return byte(0) | byte(1) << 8 | byte(2) << 16 | byte(3) << 24;
}

std::uint32_t Le16(std::string_view bytes, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
}

// Fills channels, rate and bits from a "fmt " chunk's body; false when it is not a
// format we play.
bool ReadFormat(std::string_view body, WaveSound& sound) {
    if (body.size() < 16) return false;
    const std::uint32_t tag = Le16(body, 0);
    const std::uint32_t channels = Le16(body, 2);
    const std::uint32_t rate = Le32(body, 4);
    const std::uint32_t blockAlign = Le16(body, 12);
    const std::uint32_t bits = Le16(body, 14);
    if (tag != kFormatPcm) return false;
    if (channels != 1 && channels != 2) return false;
    if (bits != 8 && bits != 16) return false;
    if (rate < kMinRate || rate > kMaxRate) return false;
    if (blockAlign != channels * bits / 8) return false;
    sound.channels = static_cast<int>(channels);
    sound.rate = static_cast<int>(rate);
    sound.bits = static_cast<int>(bits);
    return true;
}

} // namespace

std::optional<WaveSound> ParseWave(std::string_view bytes) {
    if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE")
        return std::nullopt;
    // The RIFF size may leave trailing bytes out, but may not claim more than there is.
    const std::uint64_t end = std::uint64_t{8} + Le32(bytes, 4);
    if (end > bytes.size() || end < 12) return std::nullopt;

    WaveSound sound;
    bool haveFormat = false;
    std::optional<std::string_view> data;
    std::uint64_t at = 12;
    while (at + 8 <= end) {
        const std::string_view id = bytes.substr(at, 4);
        const std::uint64_t size = Le32(bytes, at + 4);
        if (size > end - at - 8) return std::nullopt;
        const std::string_view body = bytes.substr(at + 8, size);
        if (id == "fmt " && !haveFormat) {
            if (!ReadFormat(body, sound)) return std::nullopt;
            haveFormat = true;
        } else if (id == "data" && !data) {
            data = body;
        }
        at += 8 + size + (size & 1); // chunks are padded to an even size
    }
    if (!haveFormat || !data) return std::nullopt;
    const std::size_t frameBytes = static_cast<std::size_t>(sound.FrameBytes());
    sound.samples = data->substr(0, data->size() / frameBytes * frameBytes);
    return sound;
}

} // namespace mvf::platform
