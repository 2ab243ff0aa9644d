#include "worker.h"

namespace mvf::actions::detail {

Worker::Worker() : thread_([this] { Run(); }) {}

Worker::~Worker() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void Worker::Post(std::function<void()> job) {
    {
        const std::lock_guard lock(mutex_);
        jobs_.push_back(std::move(job));
    }
    wake_.notify_all();
}

void Worker::WaitUntilIdle() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return jobs_.empty() && !running_; });
}

void Worker::Run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return ending_ || !jobs_.empty(); });
        if (jobs_.empty()) return; // ending, and nothing left to do
        std::function<void()> job = std::move(jobs_.front());
        jobs_.pop_front();
        running_ = true;
        lock.unlock();
        job();
        job = nullptr; // what it holds is freed here too, not while others wait for the lock
        lock.lock();
        running_ = false;
        if (jobs_.empty()) idle_.notify_all();
    }
}

} // namespace mvf::actions::detail
