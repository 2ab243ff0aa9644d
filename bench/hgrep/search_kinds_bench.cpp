// Throughput of the approximate and Soundex searches and of the line-by-line file search.
// Texts are generated (fixed seeds), so runs compare across machines and commits.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>

#include "mvfindgrep.h"

namespace {

constexpr std::size_t kTextBytes = 1 << 20;

// Lower-case words of 2-9 letters separated by spaces, lines of about 80 characters.
std::string Prose(std::size_t bytes, uint32_t seed) {
    std::mt19937 rng(seed);
    std::string text;
    text.reserve(bytes);
    std::size_t lineStart = 0;
    while (text.size() < bytes) {
        const int length = 2 + static_cast<int>(rng() % 8);
        for (int i = 0; i < length; ++i) text += static_cast<char>('a' + rng() % 26);
        if (text.size() - lineStart > 80) {
            text += '\n';
            lineStart = text.size();
        } else {
            text += ' ';
        }
    }
    return text;
}

const std::string& Text() {
    static const std::string text = Prose(kTextBytes, 42);
    return text;
}

// Arguments: pattern length, k, case-sensitive.
void ApproximateSearch(benchmark::State& state) {
    const int m = static_cast<int>(state.range(0));
    const int k = static_cast<int>(state.range(1));
    const std::string pattern = Text().substr(1000, m);
    auto record = std::make_unique<ApproxRecord>();
    AGrepInit(record.get());
    if (CompileAGrep(pattern.c_str(), k, static_cast<int>(state.range(2)), record.get()) != 0) {
        state.SkipWithError("pattern does not compile");
        return;
    }
    int matches = 0;
    for (auto _ : state) matches = AGrep(Text().c_str(), record.get());
    state.counters["matches"] = matches;
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Text().size());
    AGrepEmpty(record.get());
}
BENCHMARK(ApproximateSearch)
    ->ArgNames({"m", "k", "case"})
    ->Args({8, 0, 1})
    ->Args({8, 0, 0})
    ->Args({8, 1, 1})
    ->Args({8, 2, 0})
    ->Args({8, 6, 1})
    ->Args({32, 3, 1})
    ->Args({100, 10, 1})
    ->Args({250, 1, 1});

void SoundexSearch(benchmark::State& state, const std::string& text, const char* pattern) {
    auto record = std::make_unique<SoundexRecord>();
    CompileSGrep(pattern, 0, record.get());
    for (auto _ : state) benchmark::DoNotOptimize(SGrep(text.c_str(), record.get()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
}

// A name that never occurs, so the whole text is searched.
void SoundexProse(benchmark::State& state) {
    SoundexSearch(state, Text(), "Qxqxq Zyzyz");
}
BENCHMARK(SoundexProse);

// Long runs that every start position inside them would cross again.
void SoundexLongRuns(benchmark::State& state) {
    static const std::string text =
        std::string(kTextBytes / 4, ' ') + std::string(kTextBytes / 4, 'a') +
        std::string(kTextBytes / 4, 'b') + "x" + std::string(kTextBytes / 4, 'q');
    SoundexSearch(state, text, "Ab");
}
BENCHMARK(SoundexLongRuns);

// The file search over a file of `Text()` written once, lines read and reported.
const std::string& FilePath() {
    static const std::string path = [] {
        std::string p = "/tmp/mvfg-bench-" + std::to_string(getpid()) + ".txt";
        if (std::FILE* f = std::fopen(p.c_str(), "wb")) {
            std::fwrite(Text().data(), 1, Text().size(), f);
            std::fclose(f);
        }
        return p;
    }();
    return path;
}

template <class Compile, class Next>
void FileSearch(benchmark::State& state, Compile compile, Next next) {
    HGrepOptions(0);
    long lines = 0;
    for (auto _ : state) {
        SFileSetFlags(1, 0, 1, 0, 0);
        compile();
        if (!SFileOpen(FilePath().c_str())) {
            state.SkipWithError("cannot open the file");
            return;
        }
        while (next()) {
        }
        lines = SFileClose();
    }
    state.counters["lines"] = static_cast<double>(lines);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Text().size());
}

void FileRegularExpression(benchmark::State& state) {
    FileSearch(
        state, [] { SCompileRGrep("qu[a-e]", 1); }, &SFileRGrep);
}
void FileApproximate(benchmark::State& state) {
    FileSearch(
        state, [] { SCompileAGrep("quick", 1, 1); }, &SFileAGrep);
}
void FileSoundex(benchmark::State& state) {
    FileSearch(
        state, [] { SCompileSGrep("Robert", 0); }, &SFileSGrep);
}
BENCHMARK(FileRegularExpression);
BENCHMARK(FileApproximate);
BENCHMARK(FileSoundex);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(FilePath().c_str());
    return 0;
}
