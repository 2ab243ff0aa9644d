// Pausing, resuming and stopping a running search. The search thread calls Proceed at
// its checkpoints (before each listed folder, each file, each sub-folder, each line of
// a text file and each block of a binary file); the user-interface thread calls the
// requests. A paused search thread waits inside Proceed on this object's own condition
// variable: it holds no lock and waits on nothing the user-interface thread needs.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "finder/search/search_criteria.h"

namespace mvf::search {

class SearchControl {
public:
    explicit SearchControl(SearchFlags& flags) : flags_(flags) {}

    // Search thread: waits while paused; false once a stop has been requested.
    bool Proceed() {
        if (!paused_.load(std::memory_order_relaxed) &&
            !flags_.StopRequested.load(std::memory_order_relaxed))
            return true;
        return ProceedSlowly();
    }
    bool StopRequested() const { return flags_.StopRequested.load(std::memory_order_relaxed); }

    // User-interface thread.
    void Pause();
    void Resume();
    void Stop();   // sets StopRequested and resumes a paused search so that it sees it
    void Cancel(); // Stop, and SearchCancelled: no questions at the end
    bool Paused() const { return paused_.load(std::memory_order_relaxed); }

private:
    bool ProceedSlowly();

    SearchFlags& flags_;
    std::atomic<bool> paused_{false};
    std::mutex mutex_;
    std::condition_variable resumed_;
};

} // namespace mvf::search
