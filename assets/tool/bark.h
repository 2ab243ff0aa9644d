// The bark the finder plays when a search ends: two short friendly woofs, synthesised.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace mvf::assets::art {

inline constexpr int barkSampleRate = 22050;

// 16-bit mono samples at barkSampleRate, a little over half a second.
std::vector<std::int16_t> barkSamples();
// A RIFF/WAVE file of 16-bit PCM mono samples.
std::string waveFile(const std::vector<std::int16_t>& samples, int sampleRate);

} // namespace mvf::assets::art
