// Loads a generated 100 MB text of 2 million lines, goes to the middle line, types 1,000
// characters there one keystroke at a time, saves, and prints the times and the peak memory.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "text_file_editor.h"

namespace {

using Clock = std::chrono::steady_clock;
using mvf::editor::TOvcTextFileEditor;

constexpr int kLines = 2000000;
constexpr int64_t kTargetBytes = 100000000;
constexpr int kKeystrokes = 1000;

double Seconds(Clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Lines of words and blanks, 50 bytes on average with their line feed.
int64_t Generate(const std::string& path) {
    static const char* kWords[] = {"alpha", "beta",  "gamma", "delta", "epsilon", "zeta",
                                   "eta",   "theta", "iota",  "kappa", "lambda",  "mu"};
    std::mt19937 rng(20261208);
    std::ofstream out(path, std::ios::binary);
    std::string line;
    int64_t written = 0;
    for (int n = 0; n < kLines; ++n) {
        const int64_t left = kTargetBytes - written;
        const int64_t linesLeft = kLines - n;
        const auto want = static_cast<size_t>(
            std::clamp<int64_t>(left / linesLeft - 1 + static_cast<int>(rng() % 41) - 20, 0, 200));
        line.clear();
        while (line.size() < want) {
            line += kWords[rng() % 12];
            line += ' ';
        }
        line.resize(want);
        if (!line.empty() && line.back() == ' ') line.back() = '.';
        line += '\n';
        out << line;
        written += static_cast<int64_t>(line.size());
    }
    return written;
}

} // namespace

int main(int argc, char** argv) {
    const std::string folder = argc > 1 ? argv[1] : std::filesystem::temp_directory_path().string();
    const std::string path = folder + "/mvf-editor-bench-" + std::to_string(::getpid()) + ".txt";
    const int64_t bytes = Generate(path);
    std::printf("file: %s, %lld bytes, %d lines\n", path.c_str(), static_cast<long long>(bytes),
                kLines);
    const long before = PeakKilobytes();

    TOvcTextFileEditor ed;
    auto t0 = Clock::now();
    ed.LoadFromFile(path);
    const double load = Seconds(Clock::now() - t0);

    t0 = Clock::now();
    ed.GotoLine(kLines / 2);
    const double gotoMiddle = Seconds(Clock::now() - t0);

    std::vector<double> keys;
    keys.reserve(kKeystrokes);
    const std::string typed = "The quick brown fox jumps over the lazy dog. ";
    for (int n = 0; n < kKeystrokes; ++n) {
        const auto k0 = Clock::now();
        ed.KeyPress(typed[n % typed.size()]);
        keys.push_back(Seconds(Clock::now() - k0));
    }
    std::sort(keys.begin(), keys.end());
    double total = 0;
    for (double k : keys) total += k;

    t0 = Clock::now();
    ed.SaveToFile(path);
    const double save = Seconds(Clock::now() - t0);
    const auto saved = static_cast<int64_t>(std::filesystem::file_size(path));
    std::filesystem::remove(path);

    const long peak = PeakKilobytes();
    const double peakMb = peak / 1024.0;
    const double fileMb = static_cast<double>(bytes) / (1024.0 * 1024.0);
    std::printf("load:            %8.3f s   (aim: under 2 s)\n", load);
    std::printf("go to line %d: %8.3f ms\n", kLines / 2, gotoMiddle * 1000);
    std::printf("keystrokes:      %d typed, mean %.4f ms, median %.4f ms, max %.4f ms "
                "(aim: each under 1 ms)\n",
                kKeystrokes, total / kKeystrokes * 1000, keys[keys.size() / 2] * 1000,
                keys.back() * 1000);
    std::printf("save:            %8.3f s   (%lld bytes written)\n", save,
                static_cast<long long>(saved));
    std::printf("peak memory:     %8.1f MB  (%.2f x the file; %.1f MB before loading; "
                "aim: under 3 x)\n",
                peakMb, peakMb / fileMb, before / 1024.0);
    const bool ok =
        load < 2.0 && keys.back() < 0.001 && peakMb < 3 * fileMb && saved == bytes + kKeystrokes;
    std::printf("%s\n", ok ? "all aims met" : "AIMS MISSED");
    return ok ? 0 : 1;
}
