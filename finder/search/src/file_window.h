// The files on their way from the folder walk (one thread, which only lists folders) to
// the workers that open and test them (any number of threads), and their results on
// their way to the host in walk order.
//
// A ring of slots bounds what is in flight: the walk waits while every slot holds a file
// not yet reported. Workers take the files in walk order and finish them in any order;
// whoever finishes a file then reports, in walk order, every finished file from the
// oldest on, until it meets one still under test. One thread reports at a time, and a
// file finished while another thread reports is reported by that thread, so nobody
// waits for the reporter. Sleepers are woken in batches (the walk when half the ring is
// free, idle workers when several files wait) and wake on their own after a
// millisecond, so the threads do not trade a wake-up per file. Files also cross in runs:
// the walk hands over several at a time (at once while a worker is idle), and where
// tests are short a worker takes several, so the lock is not taken once per file.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "finder/search/search_host.h"
#include "platform/core/folder.h"

namespace mvf::search {

// One file that matched a mask, or one folder that could not be read.
struct FileJob {
    // Set by the walk.
    std::string path;
    std::size_t nameOffset = 0;                     // where the file's own name begins
    std::shared_ptr<const platform::Folder> folder; // the file's folder, open
    int folderError = 0; // nonzero: no file but a folder that could not be read, and why

    // Set by the worker that tested it.
    bool tested = false;           // false: a stop came before the test began
    bool stopped = false;          // the test ended at a stop request
    bool hit = false;              // `found` describes it
    std::size_t progressTexts = 0; // "Searching: " texts one thread would have shown
    std::vector<std::string> errorLines;
    FoundFile found;

    // Set by the reporter: texts shown while the file was still under test.
    std::size_t progressShown = 0;

    const char* Name() const { return path.c_str() + nameOffset; }
};

// Receives the files in walk order, one call at a time.
class JobReporter {
public:
    virtual ~JobReporter() = default;
    // The oldest file not yet reported is under test (called at most once per file).
    virtual void UnderTest(FileJob& job) = 0;
    // A tested file, after every file before it.
    virtual void Report(FileJob& job) = 0;
};

// Consecutive files a worker took at once: the files from `first` on, in walk order.
struct JobRun {
    std::size_t first = 0;
    std::size_t count = 0;
};

class FileWindow {
public:
    // `slots` files in flight at most; a worker takes up to `takeAtOnce` files at a time
    // (1 where a test may be long, so that no file waits behind it).
    FileWindow(std::size_t slots, std::size_t takeAtOnce = 1);

    // Walk thread: a slot to fill, waiting while none is free; then Push it.
    FileJob& Free();
    void Push();
    // Walk thread: the files pushed so far go to the workers now, not with the next run.
    void HandOver();
    // Walk thread: no more files will come.
    void Close();

    // Worker: the next files in walk order, waiting for at least one; an empty run once
    // the window is closed and every file has been taken. The oldest file not yet
    // reported goes to `reporter` as under test.
    JobRun Take(JobReporter& reporter);
    FileJob& Job(const JobRun& run, std::size_t i) { return Slot(run.first + i); }
    // Worker: every file of `run` is tested; reports what can be reported now.
    void Finish(const JobRun& run, JobReporter& reporter);

private:
    FileJob& Slot(std::size_t index) { return slots_[index % slots_.size()]; }
    // Walk thread, under the lock: makes the files filled so far visible to the workers;
    // true when idle workers should be woken.
    bool Publish();
    void ReportInOrder(std::unique_lock<std::mutex>& lock, JobReporter& reporter);

    static constexpr std::size_t kCacheLine = 64;

    std::vector<FileJob> slots_;
    std::vector<char> done_; // per slot: tested, not yet reported
    const std::size_t takeAtOnce_;
    // The walk's own counts, read and written by the walk thread only, on a cache line of
    // their own so that the workers' traffic on the lock does not slow every push.
    struct alignas(kCacheLine) WalkCounts {
        std::size_t filled = 0;     // slots filled
        std::size_t room = 0;       // slots beyond `filled` known to be free
        std::size_t handedOver = 0; // what pushed_ holds: the walk alone changes it
    } walk_;
    // Changed when a worker falls idle or wakes; read by the walk without the lock.
    alignas(kCacheLine) std::atomic<std::size_t> idleWorkers_{0};
    alignas(kCacheLine) std::mutex mutex_;
    std::condition_variable jobsReady_;
    std::condition_variable slotsFree_;
    // Under the lock.
    std::size_t pushed_ = 0;   // files the workers can see
    std::size_t taken_ = 0;    // files taken by workers so far
    std::size_t reported_ = 0; // files reported (and their slots free) so far
    bool walkWaiting_ = false;
    bool reporting_ = false;
    bool closed_ = false;
};

} // namespace mvf::search
