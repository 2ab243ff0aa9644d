// How soon a stopped search ends, whatever its line: a search on one line that plain
// backtracking would never finish is stopped, and the time from Stop to the end of the
// search is measured (the goal: well within 100 ms). Beside it, the back-references that
// made such lines slow, at the lengths the goal names (80 characters: under 1 s; 1,000:
// under 10 s).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "mvfindgrep.h"

#include "finder/search/bg_search.h"
#include "finder/search/entry_checks.h"

namespace {

using namespace mvf::search;

// Waits until the search has begun its one file, then a little more: by then it is deep
// inside the line.
class WaitingHost : public SearchHost {
public:
    void ShowProgress(const std::string&) override { started = true; }
    void AddHit(const FoundFile&) override {}
    void SearchFinished(const SearchCompletion&) override {}
    std::atomic<bool> started{false};
};

void BM_StopInsideOneEndlessLine(benchmark::State& state) {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "mvf-stop-bench";
    std::filesystem::create_directories(folder);
    std::ofstream(folder / "endless.txt") << "ab" << std::string(300, 'c') << "\n";
    for (auto _ : state) {
        SearchCriteria criteria;
        criteria.DirectoryText = folder.string();
        criteria.FileMaskText = "*.txt";
        criteria.FindText = "\\(a\\(b.*.*.*.*.*.*.*.*.*.*\\1z\\)\\)";
        SearchFlags flags;
        RememberedLists lists;
        if (PrepareSearch(criteria, lists, flags)) state.SkipWithError("criteria refused");
        WaitingHost host;
        TBGSearch search(criteria, host, {}, flags);
        while (!host.started) std::this_thread::yield();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        const auto from = std::chrono::steady_clock::now();
        search.Stop();
        search.Wait();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - from).count());
    }
    std::filesystem::remove_all(folder);
}
BENCHMARK(BM_StopInsideOneEndlessLine)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_BackReferenceAfterSixClosures(benchmark::State& state) {
    const std::string line = std::string(static_cast<std::size_t>(state.range(0)), 'a') + "bz";
    if (SCompileRGrep("\\(a\\).*.*.*.*.*.*\\1z", 1) != 0) state.SkipWithError("refused");
    for (auto _ : state) benchmark::DoNotOptimize(SRGrep(line.c_str()));
}
BENCHMARK(BM_BackReferenceAfterSixClosures)->Arg(80)->Arg(1000)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
