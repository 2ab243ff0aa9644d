// Running real searches over real folders in tests.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "finder/search/bg_search.h"
#include "finder/search/completion.h"
#include "finder/search/entry_checks.h"
#include "platform/core/current_directory.h"
#include "testsupport/temp_folder.h"

namespace mvf::search::testing {

using mvf::testing::TempFolder;

// Records what a search reports, as a window would see it.
class RecordingHost : public SearchHost {
public:
    void ShowProgress(const std::string& statusText) override {
        std::lock_guard<std::mutex> lock(mutex_);
        progress.push_back(statusText);
    }
    void AddHit(const FoundFile& hit) override {
        std::lock_guard<std::mutex> lock(mutex_);
        hits.push_back(hit);
    }
    void SearchFinished(const SearchCompletion& done) override {
        std::lock_guard<std::mutex> lock(mutex_);
        completion = done;
        ++finishCalls;
    }
    std::vector<std::string> Paths(const std::string& strip = {}) const {
        std::vector<std::string> paths;
        for (const FoundFile& hit : hits)
            paths.push_back(hit.Path.starts_with(strip) ? hit.Path.substr(strip.size()) : hit.Path);
        return paths;
    }
    std::size_t ProgressCount() {
        std::lock_guard<std::mutex> lock(mutex_);
        return progress.size();
    }
    std::size_t HitCount() {
        std::lock_guard<std::mutex> lock(mutex_);
        return hits.size();
    }

    std::vector<std::string> progress;
    std::vector<FoundFile> hits;
    SearchCompletion completion;
    int finishCalls = 0;

private:
    std::mutex mutex_;
};

// Puts the current directory back after the entry checks moved it.
class KeepCurrentDirectory {
public:
    KeepCurrentDirectory() : saved_(platform::CurrentDirectory()) {}
    ~KeepCurrentDirectory() { platform::SetCurrentDirectory(saved_); }

private:
    std::string saved_;
};

// Criteria for `folders` with sub-folders on and everything else at the dialog's defaults.
inline SearchCriteria Criteria(const std::string& folders, const std::string& masks = "*.*",
                               const std::string& find = {}) {
    SearchCriteria criteria;
    criteria.DirectoryText = folders;
    criteria.FileMaskText = masks;
    criteria.FindText = find;
    criteria.SearchSubfolders = true;
    return criteria;
}

// Checks the entries and runs the search to its end.
inline void RunSearch(SearchCriteria criteria, RecordingHost& host, SearchFlags& flags,
                      const std::string& errorLog = {}) {
    const KeepCurrentDirectory keep;
    RememberedLists lists;
    const auto fault = PrepareSearch(criteria, lists, flags);
    ASSERT_FALSE(fault) << fault->Message;
    TBGSearch(std::move(criteria), host, errorLog, flags).Wait();
    ApplyCompletion(flags, host.completion);
}

// The paths a search finds, relative to `root` + "/".
inline std::vector<std::string> Found(const SearchCriteria& criteria, const TempFolder& root) {
    RecordingHost host;
    SearchFlags flags;
    RunSearch(criteria, host, flags);
    return host.Paths(root.Root() + "/");
}

} // namespace mvf::search::testing
