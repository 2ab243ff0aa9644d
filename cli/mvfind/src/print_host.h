// mvfind's host: prints each hit as it arrives, keeps the hits as results-list rows when
// they are to be saved, and shows the file under test on request.
#pragma once

#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <string>

#include "finder/results/results_list.h"
#include "finder/search/search_host.h"

namespace mvf::cli {

// One row's fields on standard output: name, type, folder, size, created (without the
// spaces the list puts before it) and modified, separated by tabs.
void PrintRowFields(const results::ResultEntry& row);

class PrintHost final : public search::SearchHost {
public:
    struct Settings {
        bool print = true;       // one line per hit on standard output
        bool longFormat = false; // name, type, folder, size, created, modified
        bool progress = false;   // the file under test on standard error (a terminal)
        bool keepRows = false;   // keep every hit in Rows()
    };
    // `onHit` sees every hit after it was printed (to keep it, or to stop early).
    PrintHost(Settings settings, std::function<void(const search::FoundFile&)> onHit);

    void ShowProgress(const std::string& statusText) override;
    void AddHit(const search::FoundFile& hit) override;
    void SearchFinished(const search::SearchCompletion& completion) override;

    const std::optional<search::SearchCompletion>& Completion() const { return completion_; }
    // The hits as the results list holds them, in the order found (keepRows).
    results::ResultsList& Rows() { return rows_; }

private:
    void ClearProgress();

    Settings settings_;
    std::function<void(const search::FoundFile&)> onHit_;
    std::chrono::steady_clock::time_point nextProgress_{};
    bool progressShown_ = false;
    std::optional<search::SearchCompletion> completion_;
    results::ResultsList rows_;
};

} // namespace mvf::cli
