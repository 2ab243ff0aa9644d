#include "file_window.h"

#include <chrono>

namespace mvf::search {

namespace {

// Idle workers are woken when this many files wait, or after kLongestWait.
constexpr std::size_t kWakeBatch = 8;
constexpr std::chrono::milliseconds kLongestWait(1);

} // namespace

FileWindow::FileWindow(std::size_t slots) : slots_(slots), done_(slots, 0) {}

FileJob& FileWindow::Free() {
    std::unique_lock<std::mutex> lock(mutex_);
    while (pushed_ - reported_ == slots_.size()) {
        walkWaiting_ = true;
        slotsFree_.wait_for(lock, kLongestWait);
        walkWaiting_ = false;
    }
    return Slot(pushed_);
}

void FileWindow::Push() {
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        ++pushed_;
        wake = idleWorkers_ > 0 && pushed_ - taken_ >= kWakeBatch;
    }
    if (wake) jobsReady_.notify_all();
}

void FileWindow::Close() {
    {
        std::lock_guard<std::mutex> lock(mutex_);
        closed_ = true;
    }
    jobsReady_.notify_all();
}

FileJob* FileWindow::Take(JobReporter& reporter) {
    std::unique_lock<std::mutex> lock(mutex_);
    while (taken_ == pushed_) {
        if (closed_) return nullptr;
        ++idleWorkers_;
        jobsReady_.wait_for(lock, kLongestWait);
        --idleWorkers_;
    }
    FileJob& job = Slot(taken_);
    job.progressShown = 0;
    // The oldest file not yet reported is shown at once, as one thread would show it
    // before its test, however long the test takes.
    if (taken_++ == reported_ && !reporting_) {
        reporting_ = true;
        job.progressShown = 1;
        lock.unlock();
        reporter.UnderTest(job);
        lock.lock();
        reporting_ = false;
    }
    return &job;
}

void FileWindow::Finish(FileJob& job, JobReporter& reporter) {
    std::unique_lock<std::mutex> lock(mutex_);
    done_[static_cast<std::size_t>(&job - slots_.data())] = 1;
    // The thread reporting now sees this file when its turn comes.
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
