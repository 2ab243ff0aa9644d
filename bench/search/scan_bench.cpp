// The text scan's own cost per line: the same lines searched by the content scanner
// (reading, line ends, terminators, checkpoints) and by bare engine calls on lines split
// beforehand. The text is this machine's headers, concatenated to 64 MB.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "mvfindgrep.h"

#include "finder/search/content_scanner.h"

namespace {

using namespace mvf::search;

constexpr std::size_t kTextBytes = 64 << 20;

const std::string& TextFile() {
    static const std::string path = [] {
        std::string text;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(
                 "/usr/include", std::filesystem::directory_options::skip_permission_denied)) {
            if (text.size() >= kTextBytes) break;
            if (!entry.is_regular_file() || entry.path().extension() != ".h") continue;
            std::ifstream in(entry.path(), std::ios::binary);
            text.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        }
        const std::string file = std::filesystem::temp_directory_path() / "mvf-scan-bench.txt";
        std::ofstream(file, std::ios::binary)
            .write(text.data(), static_cast<std::streamsize>(text.size()));
        return file;
    }();
    return path;
}

// The scanner searches with a record of its own, the bare calls with the engine's.
RegexRecord g_record;

void Compile(benchmark::State& state, const char* pattern) {
    if (SCompileRGrep(pattern, 1) != 0 || CompileRGrep(pattern, 1, &g_record) != 0)
        state.SkipWithError("pattern refused");
}

void BM_ScanText(benchmark::State& state, const char* pattern) {
    Compile(state, pattern);
    const int fd = ::open(TextFile().c_str(), O_RDONLY);
    SearchFlags flags;
    SearchControl control(flags);
    ContentScanner scanner;
    FirstBlock block;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const FileContent content = block.Read(fd, kReadBlock, true);
        benchmark::DoNotOptimize(scanner.ScanText(content, g_record, control));
        bytes += static_cast<std::int64_t>(std::filesystem::file_size(TextFile()));
    }
    ::close(fd);
    state.SetBytesProcessed(bytes);
}

void BM_EngineOnLines(benchmark::State& state, const char* pattern) {
    Compile(state, pattern);
    std::ifstream in(TextFile(), std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<const char*> lines;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t end = std::min(text.find_first_of("\r\n", at), text.size());
        text[end < text.size() ? end : text.size() - 1] = 0;
        lines.push_back(text.data() + at);
        at = end + 1;
    }
    for (auto _ : state)
        for (const char* line : lines) benchmark::DoNotOptimize(SRGrep(line));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

// Patterns that match nowhere, so that every line is searched.
BENCHMARK_CAPTURE(BM_ScanText, literal, "PTHREAD_MUTEX_NOWHERE")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EngineOnLines, literal, "PTHREAD_MUTEX_NOWHERE")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ScanText, class_closure, "[a-z][a-z0-9_]*_mutex_nowhere")
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_EngineOnLines, class_closure, "[a-z][a-z0-9_]*_mutex_nowhere")
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
