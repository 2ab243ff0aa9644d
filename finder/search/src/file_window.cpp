#include "file_window.h"

#include <algorithm>
#include <chrono>

namespace mvf::search {

namespace {

// Idle workers are woken when this many files wait, or after kLongestWait.
constexpr std::size_t kWakeBatch = 8;
constexpr std::chrono::milliseconds kLongestWait(1);
// The walk hands its files over this many at a time while no worker is idle.
constexpr std::size_t kPublishBatch = 16;

} // namespace

FileWindow::FileWindow(std::size_t slots, std::size_t takeAtOnce)
    : slots_(slots), done_(slots, 0), takeAtOnce_(std::max<std::size_t>(1, takeAtOnce)) {}

FileJob& FileWindow::Free() {
    if (walk_.room == 0) {
        // Whatever waits here goes to the workers before the walk may sleep.
        HandOver();
        std::unique_lock<std::mutex> lock(mutex_);
        while (walk_.filled - reported_ == slots_.size()) {
            walkWaiting_ = true;
            slotsFree_.wait_for(lock, kLongestWait);
            walkWaiting_ = false;
        }
        walk_.room = slots_.size() - (walk_.filled - reported_);
    }
    return Slot(walk_.filled);
}

void FileWindow::Push() {
    ++walk_.filled;
    --walk_.room;
    if (walk_.filled - walk_.handedOver >= kPublishBatch ||
        idleWorkers_.load(std::memory_order_relaxed) > 0)
        HandOver();
}

void FileWindow::HandOver() {
    if (walk_.filled == walk_.handedOver) return;
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        wake = Publish();
    }
    if (wake) jobsReady_.notify_all();
}

bool FileWindow::Publish() {
    pushed_ = walk_.filled;
    walk_.handedOver = pushed_;
    return idleWorkers_.load(std::memory_order_relaxed) > 0 && pushed_ - taken_ >= kWakeBatch;
}

void FileWindow::Close() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        Publish();
        closed_ = true;
    }
    jobsReady_.notify_all();
}

JobRun FileWindow::Take(JobReporter& reporter) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (taken_ == pushed_) {
        if (closed_) return {};
        ++idleWorkers_;
        jobsReady_.wait_for(lock, kLongestWait);
        --idleWorkers_;
    }
    // Never more than half of what waits, so that the other workers have their share.
    const JobRun run{taken_, std::clamp<std::size_t>((pushed_ - taken_) / 2, 1, takeAtOnce_)};
    for (std::size_t i = 0; i < run.count; ++i) Job(run, i).progressShown = 0;
    // The oldest file not yet reported is shown at once, as one thread would show it
    // before its test, however long the test takes.
    const bool oldest = taken_ == reported_;
    taken_ += run.count;
    if (oldest && !reporting_) {
        reporting_ = true;
        FileJob& job = Job(run, 0);
        job.progressShown = 1;
        lock.unlock();
        reporter.UnderTest(job);
        lock.lock();
        reporting_ = false;
    }
    return run;
}

void FileWindow::Finish(const JobRun& run, JobReporter& reporter) {
    std::unique_lock<std::mutex> lock(mutex_);
    for (std::size_t i = 0; i < run.count; ++i) done_[(run.first + i) % slots_.size()] = 1;
    // The thread reporting now sees these files when their turn comes.
    if (reporting_) return;
    reporting_ = true;
    ReportInOrder(lock, reporter);
    reporting_ = false;
}

void FileWindow::ReportInOrder(std::unique_lock<std::mutex>& lock, JobReporter& reporter) {
    for (;;) {
        const std::size_t slot = reported_ % slots_.size();
        FileJob& oldest = slots_[slot];
        if (reported_ < taken_ && done_[slot]) {
            lock.unlock();
            reporter.Report(oldest);
            lock.lock();
            done_[slot] = 0;
            ++reported_;
            if (walkWaiting_ && pushed_ - reported_ <= slots_.size() / 2) slotsFree_.notify_one();
        } else if (reported_ < taken_ && oldest.progressShown == 0) {
            // Its path is the walk's and stays as it is while the file is under test.
            oldest.progressShown = 1;
            lock.unlock();
            reporter.UnderTest(oldest);
            lock.lock();
        } else {
            return;
        }
    }
}

} // namespace mvf::search
