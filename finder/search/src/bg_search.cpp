#include "finder/search/bg_search.h"

#include <thread>
#include <vector>

#include "file_queue.h"
#include "file_test.h"
#include "finder/search/completion.h"
#include "finder/search/folder_paths.h"
#include "folder_walk.h"
#include "platform/core/wildcard.h"

namespace mvf::search {

namespace {

// Walk thread: opens each file the walk finds and queues it for the content test.
class FileFeeder final : public FileVisitor {
public:
    FileFeeder(const ContentPlan& plan, FileQueue& queue) : opener_(plan), queue_(queue) {}

    void Visit(int folderFd, const char* name, const std::string& path) override {
        if (opener_.Open(folderFd, name, path, queue_.Free())) queue_.Push();
    }
    void FolderFailed(const std::string& path, int error) override {
        if (opener_.FolderFailed(path, error, queue_.Free())) queue_.Push();
    }

private:
    FileOpener opener_;
    FileQueue& queue_;
};

} // namespace

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

// This thread tests the files in walk order while a second one walks the folders and
// reads ahead; every engine call and every host call happens here.
void TBGSearch::Execute() {
    const ContentPlan plan(criteria_);
    FileQueue queue;
    std::thread walker([&] { Walk(plan, queue); });
    FileTester tester(plan, control_, host_);
    FoundFile hit; // reused: its strings keep their room from file to file
    std::size_t hits = 0;
    while (FileJob* job = queue.Next()) {
        if (control_.Proceed() && tester.Test(*job, hit)) {
            host_.AddHit(hit);
            ++hits;
        }
        job->Close();
        queue.Pop();
    }
    walker.join();
    host_.SearchFinished(
        FinishSearch(criteria_, flags_, std::move(tester.ErrorLines()), hits, errorLogPath_));
}

void TBGSearch::Walk(const ContentPlan& plan, FileQueue& queue) {
    FileFeeder feeder(plan, queue);
    FolderWalk walk(criteria_.SearchSubfolders, control_, feeder);
    std::vector<platform::NameMask> masks;
    for (const std::string& mask : criteria_.Masks) masks.emplace_back(mask);
    for (const std::string& directory : criteria_.Directories) {
        if (!control_.Proceed()) break;
        const std::string folder = WithSeparator(directory);
        for (const platform::NameMask& mask : masks) walk.Walk(folder, mask);
    }
    queue.Close();
}

} // namespace mvf::search
