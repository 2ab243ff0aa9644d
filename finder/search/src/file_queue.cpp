#include "file_queue.h"

#include <chrono>
#include <unistd.h>

namespace mvf::search {

namespace {

// The test thread is woken when this many jobs wait, or after kLongestWait.
constexpr std::size_t kWakeBatch = 16;
constexpr std::chrono::milliseconds kLongestWait(1);

} // namespace

void FileJob::Close() {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

FileQueue::FileQueue(std::size_t slots) : slots_(slots) {}

void FileQueue::Wake(std::condition_variable& sleeper) {
    // Taking the lock orders this after the sleeper's last look at the counters.
    { std::lock_guard<std::mutex> lock(mutex_); }
    sleeper.notify_one();
}

FileJob& FileQueue::Free() {
    while (Count() == slots_.size()) {
        std::unique_lock<std::mutex> lock(mutex_);
        walkSleeping_ = true;
        slotsFree_.wait_for(lock, kLongestWait, [this] { return Count() <= slots_.size() / 2; });
        walkSleeping_ = false;
    }
    return slots_[pushed_.load() % slots_.size()];
}

void FileQueue::Push() {
    pushed_.fetch_add(1);
    if (testSleeping_ && Count() == kWakeBatch) Wake(jobsReady_);
}

void FileQueue::Close() {
    closed_ = true;
    Wake(jobsReady_);
}

FileJob* FileQueue::Next() {
    while (Count() == 0) {
        if (closed_ && Count() == 0) return nullptr;
        std::unique_lock<std::mutex> lock(mutex_);
        testSleeping_ = true;
        jobsReady_.wait_for(lock, kLongestWait,
                            [this] { return Count() >= kWakeBatch || closed_; });
        testSleeping_ = false;
    }
    return &slots_[popped_.load() % slots_.size()];
}

void FileQueue::Pop() {
    popped_.fetch_add(1);
    // The walk thread refills half the queue at a time.
    if (walkSleeping_ && Count() == slots_.size() / 2) Wake(slotsFree_);
}

} // namespace mvf::search
