// What the benchmarks on a large text share: the generated text itself, and the clocks
// and memory figure they judge by.
#pragma once

#include <sys/resource.h>
#include <time.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <vector>

namespace mvf::bench {

// Processor time of the calling thread: a busy machine's pre-emptions do not count.
inline double ThreadSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

inline long PeakKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// Writes `lines` lines of words and blanks, about `bytes` bytes in all with their line
// feeds, each line ending in "." (a whole word is never cut, so multi-byte words stay
// whole); the same text on every run. Returns the bytes written.
inline int64_t WriteWordLines(const std::string& path, std::initializer_list<const char*> words,
                              int lines, int64_t bytes) {
    const std::vector<const char*> pool(words);
    std::mt19937 rng(20261208);
    std::ofstream out(path, std::ios::binary);
    std::string line;
    int64_t written = 0;
    for (int n = 0; n < lines; ++n) {
        const int64_t left = bytes - written;
        const int64_t linesLeft = lines - n;
        const auto want = static_cast<size_t>(
            std::clamp<int64_t>(left / linesLeft - 1 + static_cast<int>(rng() % 41) - 20, 0, 200));
        line.clear();
        while (line.size() < want) {
            line += pool[rng() % pool.size()];
            line += ' ';
        }
        if (!line.empty()) line.back() = '.';
        line += '\n';
        out << line;
        written += static_cast<int64_t>(line.size());
    }
    return written;
}

} // namespace mvf::bench
