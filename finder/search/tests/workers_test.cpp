// Several workers: what the host sees is what one worker shows, call for call, even when
// the files finish far out of order; and no more files are in flight than a small window.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <mutex>
#include <random>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "file_window.h"
#include "platform/core/folder.h"
#include "platform/core/open_file.h"
#include "search_test_support.h"

namespace mvf::search {
namespace {

using testing::Criteria;
using testing::RecordingHost;
using testing::RunSearch;
using testing::TempFolder;
using namespace std::chrono_literals;

class WorkersTest : public ::testing::Test {
protected:
    void TearDown() override {
        platform::SetOpenFailureHook({});
        platform::SetFolderOpenFailureHook({});
    }
    TempFolder tmp_;
};

// Long files (a megabyte, their match at the end or nowhere) among many short ones,
// so that later files finish while earlier ones are still under test; files and folders
// that cannot be opened; text, binary and every line end.
void MakeMixedTree(const TempFolder& tmp) {
    const std::string filler(std::size_t{1024} * 1024, 'x');
    const std::string both = filler + "\nneedle\nsecond\n";
    char name[64];
    for (int d = 0; d < 4; ++d) {
        for (int f = 0; f < 40; ++f) {
            std::snprintf(name, sizeof name, "d%d/f%02d.txt", d, f);
            std::string text;
            switch (f % 7) {
            case 0: text = filler + "\nneedle\n"; break;
            case 1: text = "needle\r\n"; break;
            case 2: text = "hay\rneedle"; break;
            case 3: text = std::string("bin\0needle", 10); break;
            case 4: text = filler + "\nhay\n"; break;
            case 5: text = "other\n"; break;
            default: text = d % 2 ? both : "second\n"; break;
            }
            tmp.File(name, text);
        }
        std::snprintf(name, sizeof name, "d%d/locked/f.txt", d);
        tmp.File(name, "needle");
    }
}

TEST_F(WorkersTest, HitsProgressAndErrorsComeInWalkOrderAsFromOneWorker) {
    MakeMixedTree(tmp_);
    platform::SetOpenFailureHook([](std::string_view path) { return path.ends_with("3.txt"); });
    platform::SetFolderOpenFailureHook(
        [](std::string_view path) { return path.find("locked") != std::string_view::npos; });
    for (const int mode : {0, 1, 2}) { // single, OR, AND
        SCOPED_TRACE(mode);
        for (const bool skipBinaries : {false, true}) {
            SearchCriteria criteria =
                Criteria(tmp_.Root(), "*.txt", mode == 0 ? "needle" : "needle|second");
            criteria.BoolOR = mode == 1;
            criteria.BoolAND = mode == 2;
            criteria.ErrorHandling = ErrorHandlingMode::Warn;
            criteria.SkipBinaries = skipBinaries;
            RecordingHost host; // RunSearch compares it with one worker's
            SearchFlags flags;
            RunSearch(criteria, host, flags);
            EXPECT_GT(host.hits.size(), mode == 2 ? 0u : 20u);
            EXPECT_GT(host.completion.ErrorLines.size(), 4u);
        }
    }
    // Name only: opened, classified and closed by the workers.
    RecordingHost names;
    SearchFlags flags;
    SearchCriteria criteria = Criteria(tmp_.Root(), "*.txt");
    criteria.SkipBinaries = false;
    RunSearch(criteria, names, flags);
    EXPECT_EQ(4u * 40 - 4u * 4, names.hits.size()); // less the files that cannot be opened
}

// Holds the first hit until told, counting the files opened meanwhile.
class HoldingHost : public RecordingHost {
public:
    void AddHit(const FoundFile& hit) override {
        RecordingHost::AddHit(hit);
        while (!released) std::this_thread::sleep_for(1ms);
    }
    std::atomic<bool> released{false};
};

TEST_F(WorkersTest, OnlyASmallWindowOfFilesIsInFlightWhileTheHostHoldsAHit) {
    char name[64];
    for (int f = 0; f < 3000; ++f) {
        std::snprintf(name, sizeof name, "d%d/f%04d.txt", f / 100, f);
        tmp_.File(name, "needle\n");
    }
    std::atomic<int> opened{0};
    platform::SetOpenFailureHook([&](std::string_view) {
        ++opened;
        return false;
    });
    testing::KeepCurrentDirectory keep;
    SearchCriteria criteria = Criteria(tmp_.Root(), "*.txt", "needle");
    RememberedLists lists;
    SearchFlags flags;
    ASSERT_FALSE(PrepareSearch(criteria, lists, flags));
    HoldingHost host;
    TBGSearch search(criteria, host, {}, flags, testing::kSeveralWorkers);
    // The workers run ahead while the first hit is held, as far as the window lets them.
    for (int i = 0; i < 5000 && opened < 100; ++i) std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(300ms);
    const int inFlight = opened.load();
    host.released = true;
    search.Wait();
    EXPECT_EQ(3000u, host.hits.size());
    EXPECT_GE(inFlight, 100);
    EXPECT_LT(inFlight, 300); // a window of files, not the tree
}

// Records what the window hands on; the files' paths are their walk numbers.
class OrderRecorder final : public JobReporter {
public:
    void UnderTest(FileJob& job) override { shown.push_back(std::stoul(job.path)); }
    void Report(FileJob& job) override {
        reported.push_back(std::stoul(job.path));
        if (!job.tested) untested = true;
    }
    std::vector<std::size_t> shown;
    std::vector<std::size_t> reported;
    bool untested = false;
};

TEST(FileWindowTest, RunsOfFilesGoRoundTheRingAndAreReportedOnceInWalkOrder) {
    constexpr std::size_t kFiles = 20000;
    for (const std::size_t takeAtOnce : {1u, 3u, 8u}) {
        SCOPED_TRACE(takeAtOnce);
        FileWindow window(16, takeAtOnce); // far fewer slots than files: the ring wraps often
        OrderRecorder recorder;
        std::thread walk([&] {
            for (std::size_t i = 0; i < kFiles; ++i) {
                FileJob& job = window.Free();
                job.path = std::to_string(i);
                job.tested = false;
                window.Push();
                if (i % 1000 == 0) std::this_thread::sleep_for(100us); // workers run dry
            }
            window.Close();
        });
        std::vector<std::thread> workers;
        for (unsigned seed = 1; seed <= 3; ++seed) {
            workers.emplace_back([&, seed] {
                std::minstd_rand random(seed);
                for (JobRun run = window.Take(recorder); run.count > 0;
                     run = window.Take(recorder)) {
                    for (std::size_t i = 0; i < run.count; ++i) {
                        if (random() % 64 == 0) std::this_thread::sleep_for(50us);
                        window.Job(run, i).tested = true;
                    }
                    window.Finish(run, recorder);
                }
            });
        }
        walk.join();
        for (std::thread& worker : workers) worker.join();
        ASSERT_EQ(kFiles, recorder.reported.size());
        for (std::size_t i = 0; i < kFiles; ++i) ASSERT_EQ(i, recorder.reported[i]);
        EXPECT_FALSE(recorder.untested);
        // Shown under test at most once each, in walk order.
        for (std::size_t i = 1; i < recorder.shown.size(); ++i)
            ASSERT_LT(recorder.shown[i - 1], recorder.shown[i]);
    }
}

} // namespace
} // namespace mvf::search
