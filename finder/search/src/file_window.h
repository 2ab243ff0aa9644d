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
// millisecond, so the threads do not trade a wake-up per file.
#pragma once

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

class FileWindow {
public:
    explicit FileWindow(std::size_t slots);

    // Walk thread: a slot to fill, waiting while none is free; then Push it.
    FileJob& Free();
    void Push();
    // Walk thread: no more files will come.
    void Close();

    // Worker: the next file in walk order, waiting for it; nullptr once the window is
    // closed and every file has been taken. The oldest file not yet reported goes to
    // `reporter` as under test.
    FileJob* Take(JobReporter& reporter);
    // Worker: `job` is tested; reports what can be reported now.
    void Finish(FileJob& job, JobReporter& reporter);

private:
    FileJob& Slot(std::size_t index) { return slots_[index % slots_.size()]; }
    void ReportInOrder(std::unique_lock<std::mutex>& lock, JobReporter& reporter);

    std::vector<FileJob> slots_;
    std::vector<char> done_; // per slot: tested, not yet reported
    std::mutex mutex_;
    std::condition_variable jobsReady_;
    std::condition_variable slotsFree_;
    std::size_t pushed_ = 0;   // files pushed so far
    std::size_t taken_ = 0;    // files taken by workers so far
    std::size_t reported_ = 0; // files reported (and their slots free) so far
    std::size_t idleWorkers_ = 0;
    bool walkWaiting_ = false;
    bool reporting_ = false;
    bool closed_ = false;
};

} // namespace mvf::search
