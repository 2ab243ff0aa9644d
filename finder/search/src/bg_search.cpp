#include "finder/search/bg_search.h"

#include <algorithm>
#include <cstring>
#include <sched.h>
#include <thread>
#include <vector>

#include "file_test.h"
#include "file_window.h"
#include "finder/search/completion.h"
#include "finder/search/folder_paths.h"
#include "folder_walk.h"
#include "platform/core/wildcard.h"

namespace mvf::search {

namespace {

// Files in flight at most: enough that a long file holds no worker up, few enough that
// the folders their jobs keep open stay far below the open-file limit (which the programs
// raise). Where every test is short (name only: one small read), a larger window and
// several files taken at once let the threads meet less often.
constexpr std::size_t kWindowSlots = 128;
constexpr std::size_t kShortTestSlots = 512;
constexpr std::size_t kShortTestsAtOnce = 8;

// Walk thread: hands each file the walk finds, and each folder it cannot read, to the
// workers in walk order.
class FileFeeder final : public FileVisitor {
public:
    FileFeeder(const ContentPlan& plan, FileWindow& window) : plan_(plan), window_(window) {}

    void Visit(const std::shared_ptr<const platform::Folder>& folder, const char* name,
               const std::string& path) override {
        if (plan_.Alternatives() == 0) return; // a boolean mode without alternatives
        FileJob& job = window_.Free();
        job.path = path;
        job.nameOffset = path.size() - std::strlen(name);
        job.folder = folder;
        job.folderError = 0;
        window_.Push();
    }
    void FolderFailed(const std::string& path, int error) override {
        if (!plan_.logErrors) return;
        FileJob& job = window_.Free();
        job.path = path;
        job.nameOffset = path.size();
        job.folder.reset();
        job.folderError = error != 0 ? error : EIO;
        window_.Push();
    }
    void ListingFolder() override { window_.HandOver(); }

private:
    const ContentPlan& plan_;
    FileWindow& window_;
};

// Hands the tested files to the host as one thread testing them in walk order would
// have: a stop (or a file the stop cut short) ends what the host sees, so it sees
// exactly the files before it, whatever the workers did beyond.
class OrderedReport final : public JobReporter {
public:
    OrderedReport(SearchControl& control, SearchHost& host) : control_(control), host_(host) {}

    void UnderTest(FileJob& job) override {
        if (!ended_ && !job.folderError && control_.Proceed()) ShowProgress(job.path);
    }
    void Report(FileJob& job) override {
        if (ended_) return;
        if (!job.tested || !control_.Proceed()) {
            ended_ = true;
            return;
        }
        for (std::size_t i = job.progressShown; i < job.progressTexts; ++i) ShowProgress(job.path);
        for (std::string& line : job.errorLines) errorLines_.push_back(std::move(line));
        if (job.hit) {
            host_.AddHit(job.found);
            ++hits_;
        }
        if (job.stopped) ended_ = true;
    }

    std::vector<std::string>& ErrorLines() { return errorLines_; }
    std::size_t Hits() const { return hits_; }

private:
    void ShowProgress(const std::string& path) {
        statusText_.assign(kProgressPrefix).append(path);
        host_.ShowProgress(statusText_);
    }

    SearchControl& control_;
    SearchHost& host_;
    bool ended_ = false;
    std::size_t hits_ = 0;
    std::string statusText_;
    std::vector<std::string> errorLines_;
};

} // namespace

std::size_t DefaultSearchWorkers() {
    cpu_set_t cpus;
    if (::sched_getaffinity(0, sizeof cpus, &cpus) == 0 && CPU_COUNT(&cpus) > 0)
        return static_cast<std::size_t>(CPU_COUNT(&cpus));
    return std::max(1u, std::thread::hardware_concurrency());
}

TBGSearch::TBGSearch(SearchCriteria criteria, SearchHost& host, std::string errorLogPath,
                     SearchFlags& flags, std::size_t workers)
    : criteria_(std::move(criteria)), host_(host), errorLogPath_(std::move(errorLogPath)),
      flags_(flags), workers_(std::max<std::size_t>(1, workers)), control_(flags),
      thread_([this] { Execute(); }) {}

TBGSearch::~TBGSearch() {
    if (thread_.joinable()) {
        control_.Cancel();
        thread_.join();
    }
}

void TBGSearch::Wait() {
    if (thread_.joinable()) thread_.join();
}

// A walk thread lists the folders; this thread and workers_ - 1 others open and test the
// files, each with records and buffers of its own.
void TBGSearch::Execute() {
    const ContentPlan plan(criteria_);
    const EngineStopQuery stopQuery(control_);
    FileWindow window =
        plan.nameOnly ? FileWindow(kShortTestSlots, kShortTestsAtOnce) : FileWindow(kWindowSlots);
    OrderedReport report(control_, host_);
    std::thread walker([&] { Walk(plan, window); });
    const auto work = [&] {
        FileTester tester(plan, control_);
        for (JobRun run = window.Take(report); run.count > 0; run = window.Take(report)) {
            for (std::size_t i = 0; i < run.count; ++i) tester.Test(window.Job(run, i));
            window.Finish(run, report);
        }
    };
    std::vector<std::thread> helpers;
    for (std::size_t i = 1; i < workers_; ++i) helpers.emplace_back(work);
    work();
    for (std::thread& helper : helpers) helper.join();
    walker.join();
    host_.SearchFinished(FinishSearch(criteria_, flags_, std::move(report.ErrorLines()),
                                      report.Hits(), errorLogPath_));
}

void TBGSearch::Walk(const ContentPlan& plan, FileWindow& window) {
    FileFeeder feeder(plan, window);
    FolderWalk walk(criteria_.SearchSubfolders, control_, feeder);
    std::vector<platform::NameMask> masks;
    for (const std::string& mask : criteria_.Masks) masks.emplace_back(mask);
    for (const std::string& directory : criteria_.Directories) {
        if (!control_.Proceed()) break;
        const std::string folder = WithSeparator(directory);
        for (const platform::NameMask& mask : masks) walk.Walk(folder, mask);
    }
    window.Close();
}

} // namespace mvf::search
