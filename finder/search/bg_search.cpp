#include "finder/search/bg_search.h"

#include <vector>

#include "finder/search/completion.h"
#include "finder/search/file_test.h"
#include "finder/search/folder_paths.h"
#include "finder/search/folder_walk.h"
#include "platform/core/wildcard.h"

namespace mvf::search {

namespace {

// Hands every file of the walk to the content test, and each hit to the host.
class HitReporter final : public FileVisitor {
public:
    HitReporter(FileTester& tester, SearchHost& host) : tester_(tester), host_(host) {}

    void Visit(int folderFd, const char* name, const std::string& path) override {
        if (!tester_.Test(folderFd, name, path, hit_)) return;
        host_.AddHit(hit_);
        ++hits_;
    }
    std::size_t Hits() const { return hits_; }

private:
    FileTester& tester_;
    SearchHost& host_;
    FoundFile hit_; // reused: its strings keep their room from file to file
    std::size_t hits_ = 0;
};

}  // namespace

TBGSearch::TBGSearch(SearchCriteria criteria, SearchHost& host, std::string errorLogPath,
                     SearchFlags& flags)
    : criteria_(std::move(criteria)), host_(host), errorLogPath_(std::move(errorLogPath)),
      flags_(flags), control_(flags), thread_([this] { Execute(); }) {}

TBGSearch::~TBGSearch() {
    if (thread_.joinable()) {
        control_.Cancel();
        thread_.join();
    }
}

void TBGSearch::Wait() {
    if (thread_.joinable()) thread_.join();
}

void TBGSearch::Execute() {
    FileTester tester(criteria_, control_, host_);
    HitReporter reporter(tester, host_);
    FolderWalk walk(criteria_.SearchSubfolders, control_, reporter);
    std::vector<platform::NameMask> masks;
    for (const std::string& mask : criteria_.Masks) masks.emplace_back(mask);

    for (const std::string& directory : criteria_.Directories) {
        if (!control_.Proceed()) break;
        const std::string folder = WithSeparator(directory);
        for (const platform::NameMask& mask : masks) walk.Walk(folder, mask);
    }
    host_.SearchFinished(FinishSearch(criteria_, flags_, std::move(tester.ErrorLines()),
                                      reporter.Hits(), errorLogPath_));
}

}  // namespace mvf::search
