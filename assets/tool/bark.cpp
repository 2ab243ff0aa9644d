#include "bark.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

namespace mvf::assets::art {
namespace {

constexpr double pi = std::numbers::pi;

// One resonance of the vocal tract: centre and width in hertz, relative strength.
struct Formant {
    double from, to; // the centre glides from `from` to `to` as the mouth opens
    double width;
    double gain;
};
constexpr Formant formants[] = {
    {380, 720, 130, 1.0}, {850, 1450, 220, 0.55}, {2600, 2600, 380, 0.2}};

// A fixed-seed generator: the same breath noise in every build.
struct Noise {
    std::uint32_t state = 0x2545F491u;
    double next() {
        state = state * 1664525u + 1013904223u;
        return (state >> 8) / double(1u << 24) * 2.0 - 1.0;
    }
};

double smoothStep(double x) {
    return x <= 0 ? 0 : x >= 1 ? 1 : 0.5 - 0.5 * std::cos(pi * x);
}

// One woof of `duration` seconds whose pitch peaks at `peak` hertz, added into `out`.
void woof(std::vector<double>& out, double start, double duration, double peak) {
    const int first = int(start * barkSampleRate);
    const int count = int(duration * barkSampleRate);
    double phase = 0;
    Noise noise;
    double n1 = 0, n2 = 0; // the noise resonator's memory
    const double nf = 2 * pi * 1900.0 / barkSampleRate, nr = 0.93;
    for (int i = 0; i < count && first + i < int(out.size()); ++i) {
        const double t = double(i) / barkSampleRate;
        // Pitch jumps up at the onset and then sinks: the shape of a bark.
        const double f0 = t < 0.025 ? peak * (0.72 + 0.28 * t / 0.025)
                                    : peak * (0.55 + 0.45 * std::exp(-(t - 0.025) / 0.06));
        phase += 2 * pi * f0 / barkSampleRate;
        const double open = smoothStep(t / 0.045);
        double voice = 0;
        for (int k = 1; k * f0 < 6000; ++k) {
            double strength = 0;
            for (const Formant& f : formants) {
                const double centre = f.from + (f.to - f.from) * open;
                const double d = (k * f0 - centre) / f.width;
                strength += f.gain / (1 + d * d);
            }
            voice += strength / std::pow(k, 0.7) * std::sin(k * phase);
        }
        // A touch of growl: the voice pulses at half its pitch.
        voice *= 1 + 0.15 * std::sin(phase / 2);
        const double white = noise.next();
        const double breath = white + 2 * nr * std::cos(nf) * n1 - nr * nr * n2;
        n2 = n1;
        n1 = breath;
        const double envelope = smoothStep(t / 0.006) * std::exp(-std::max(0.0, t - 0.02) / 0.05) *
                                smoothStep((duration - t) / 0.03);
        const double puff = 0.05 * std::exp(-t / 0.02) + 0.012;
        out[size_t(first + i)] += envelope * (voice + puff * breath);
    }
}

} // namespace

std::vector<std::int16_t> barkSamples() {
    std::vector<double> mix(size_t(0.58 * barkSampleRate), 0.0);
    woof(mix, 0.01, 0.21, 560);
    woof(mix, 0.30, 0.24, 500);
    double peak = 0;
    for (double v : mix) peak = std::max(peak, std::abs(v));
    std::vector<std::int16_t> samples;
    samples.reserve(mix.size());
    const double scale = 0.7 * 32767 / peak; // about 3 dB below full scale
    for (double v : mix) samples.push_back(std::int16_t(std::lround(v * scale)));
    return samples;
}

std::string waveFile(const std::vector<std::int16_t>& samples, int sampleRate) {
    std::string bytes;
    const auto u32 = [&bytes](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(char((v >> (8 * i)) & 0xff));
    };
    const auto u16 = [&bytes](std::uint16_t v) {
        bytes.push_back(char(v & 0xff));
        bytes.push_back(char(v >> 8));
    };
    const std::uint32_t dataSize = std::uint32_t(samples.size() * 2);
    bytes += "RIFF";
    u32(36 + dataSize);
    bytes += "WAVEfmt ";
    u32(16);
    u16(1); // PCM
    u16(1); // mono
    u32(std::uint32_t(sampleRate));
    u32(std::uint32_t(sampleRate * 2));
    u16(2);  // bytes per frame
    u16(16); // bits per sample
    bytes += "data";
    u32(dataSize);
    for (std::int16_t s : samples) u16(std::uint16_t(s));
    return bytes;
}

} // namespace mvf::assets::art
