// The files on their way from the folder walk (one thread, which opens each file and
// reads its first block) to the content test (the other thread), in walk order. Reading
// and matching thus overlap. Jobs pass through a ring without locks; a side that finds
// nothing to do sleeps, and the other wakes it only in batches, so the two threads do
// not trade a wake-up per file. A sleeper also wakes on its own after a millisecond,
// so a job never waits longer for the content test, however slowly the walk finds files.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "finder/search/content_scanner.h"
#include "platform/core/file_facts.h"

namespace mvf::search {

// One file that matched a mask.
struct FileJob {
    std::string path;
    int fd = -1;         // -1: the opening failed
    FileContent content; // the first block, in `block`
    FirstBlock block;
    std::optional<platform::FileFacts> facts; // taken early when a size or date filter applies
    bool filteredOut = false;                 // failed those filters: not read
    int folderError = 0; // nonzero: no file but a folder that could not be read, and why

    // Closes the file, if open.
    void Close();
};

class FileQueue {
public:
    explicit FileQueue(std::size_t slots = 32);

    // Walk thread: a job to fill, waiting while every slot is taken; then Push it.
    FileJob& Free();
    void Push();
    // Walk thread: no more jobs will come.
    void Close();

    // Test thread: the next job in walk order, waiting for it; nullptr once the queue is
    // closed and empty. Pop it when done.
    FileJob* Next();
    void Pop();

private:
    std::size_t Count() const { return pushed_.load() - popped_.load(); }
    void Wake(std::condition_variable& sleeper);

    std::vector<FileJob> slots_;
    std::atomic<std::size_t> pushed_{0}; // jobs pushed so far (walk thread)
    std::atomic<std::size_t> popped_{0}; // jobs popped so far (test thread)
    std::atomic<bool> closed_{false};
    std::atomic<bool> walkSleeping_{false};
    std::atomic<bool> testSleeping_{false};
    std::mutex mutex_; // only for sleeping and waking
    std::condition_variable jobsReady_;
    std::condition_variable slotsFree_;
};

} // namespace mvf::search
