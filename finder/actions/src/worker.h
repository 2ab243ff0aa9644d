// A thread of its own for the disk work of one action (removing files, reading and
// writing results files, looking up and handing over files to open), so that the GUI
// thread never waits on it. Jobs run one at a time, in the order posted; a job hands its
// outcome back to the GUI thread with ToGui.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace mvf::actions::detail {

class Worker {
public:
    Worker();
    // Runs the jobs still queued, then ends the thread.
    ~Worker();
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    void Post(std::function<void()> job);
    // Waits until every job posted so far has run.
    void WaitUntilIdle();

private:
    void Run();

    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable idle_;
    std::deque<std::function<void()>> jobs_;
    bool running_ = false;
    bool ending_ = false;
    std::thread thread_;
};

// Runs `call` on the thread of `context` (the GUI thread for the actions' objects), unless
// `context` is gone by then.
template <typename Call> void ToGui(QObject* context, Call&& call) {
    QMetaObject::invokeMethod(context, std::forward<Call>(call), Qt::QueuedConnection);
}

} // namespace mvf::actions::detail
