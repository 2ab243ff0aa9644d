// A running search: its thread, and the requests that steer it.
#pragma once

#include <cstddef>
#include <string>
#include <thread>

#include "finder/search/search_control.h"
#include "finder/search/search_criteria.h"
#include "finder/search/search_host.h"

namespace mvf::search {

struct ContentPlan;
class FileWindow;

// How many files a search tests at once unless told otherwise: one per processor this
// process may run on.
std::size_t DefaultSearchWorkers();

class TBGSearch {
public:
    // Starts the search on its own thread at once. `criteria` have been through
    // PrepareSearch; the search works on its own copy. Hits, progress and the end go to
    // `host`, which must outlive this object. The error log is written to `errorLogPath`
    // (none when empty). `workers` files are tested at once (at least one); the host
    // sees exactly what one worker would show, in the same order, one call at a time,
    // though not always from the same thread.
    TBGSearch(SearchCriteria criteria, SearchHost& host, std::string errorLogPath,
              SearchFlags& flags = ProcessSearchFlags(),
              std::size_t workers = DefaultSearchWorkers());
    // Cancels a search still running and waits for its thread.
    ~TBGSearch();
    TBGSearch(const TBGSearch&) = delete;
    TBGSearch& operator=(const TBGSearch&) = delete;

    // Requests of the user-interface thread; each takes effect at the next checkpoint.
    void Pause() { control_.Pause(); }
    void Resume() { control_.Resume(); }
    void Stop() { control_.Stop(); }
    void Cancel() { control_.Cancel(); }
    bool Paused() const { return control_.Paused(); }

    // Waits until the thread has ended (SearchFinished has been called).
    void Wait();

private:
    void Execute();
    void Walk(const ContentPlan& plan, FileWindow& window);

    const SearchCriteria criteria_;
    SearchHost& host_;
    const std::string errorLogPath_;
    SearchFlags& flags_;
    const std::size_t workers_;
    SearchControl control_;
    std::thread thread_;
};

} // namespace mvf::search
