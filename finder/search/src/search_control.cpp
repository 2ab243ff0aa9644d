#include "finder/search/search_control.h"

namespace mvf::search {

bool SearchControl::ProceedSlowly() {
    if (paused_.load(std::memory_order_acquire)) {
        std::unique_lock<std::mutex> lock(mutex_);
        resumed_.wait(lock, [this] { return !paused_.load(std::memory_order_acquire); });
    }
    return !StopRequested();
}

void SearchControl::Pause() {
    std::lock_guard<std::mutex> lock(mutex_);
    paused_.store(true, std::memory_order_release);
}

void SearchControl::Resume() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        paused_.store(false, std::memory_order_release);
    }
    resumed_.notify_all();
}

void SearchControl::Stop() {
    flags_.StopRequested = true;
    Resume();
}

void SearchControl::Cancel() {
    flags_.StopRequested = true;
    flags_.SearchCancelled = true;
    Resume();
}

} // namespace mvf::search
