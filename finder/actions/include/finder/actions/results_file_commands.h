// The results file's commands: Save and Load through the file dialogs
// (SaveListBtnClick, OpenListBtnClick), the load of "last search results.ser" at the
// first showing of the main window and its save at exit.
//
// The file is written or read on a thread of its own while the GUI stays responsive: the
// hourglass shows, `busyChanged(true)` tells the window to hold the list (no header
// clicks, no commands that change it; see CommandState), a save of more than 150 entries
// shows the "Loading" window TVFMsg, a load of a file announcing more than 300 entries the
// progress window. A load reads into a list of its own and swaps it in on the GUI thread
// at the end (nothing changes on a failure). Then the hourglass and the windows go, on
// every way out, and `finished` follows; faults are told through the notifier.
//
// While a save runs the list is read from the other thread: the window must not change it
// until `busyChanged(false)` (it holds still if the window follows CommandState).
#pragma once

#include <QObject>
#include <QTimer>
#include <atomic>
#include <memory>
#include <string>

#include "finder/actions/file_dialogs.h"
#include "finder/actions/load_progress_window.h"
#include "finder/results/results_list.h"
#include "platform/qt/notifier.h"
#include "platform/qt/wait_cursor.h"

class QWidget;

namespace mvf::actions {

namespace detail {
class TVFMsg;
class Worker;
} // namespace detail

class ResultsFileCommands : public QObject {
    Q_OBJECT
public:
    // `resultsFolder`: the program folder's "searchresults". Every reference must outlive
    // the object.
    ResultsFileCommands(results::ResultsList& list, platform::Notifier& notifier,
                        FileDialogs& dialogs, LoadProgressWindow& progress,
                        std::string resultsFolder, QWidget* window);
    // Waits for a save or load under way to end.
    ~ResultsFileCommands() override;

    // The save dialog, its two checks, then the save. Nothing while busy.
    void SaveListBtnClick();
    // The open dialog, then the load. After a load chosen this way the list is no longer
    // saved as the last search results at exit, for the rest of the run.
    void OpenListBtnClick();
    // Loads "last search results.ser" (nothing happens when it does not exist). False when
    // nothing was started.
    bool LoadLastResults();
    // Saves the list as "last search results.ser" unless a list loaded by the user is
    // shown (or the list is empty). False when nothing was started.
    bool SaveLastResults();

    bool ListLoadedByUser() const { return loadedByUser_; }
    bool Busy() const { return busy_; }
    // Blocks until the save or load under way has been written or read (for the exit).
    void WaitUntilIdle();

signals:
    void busyChanged(bool busy);
    // A load replaced the list (the window selects the first entry).
    void listLoaded();
    // A save or load ended, done or not.
    void finished();

private:
    struct Job;
    class Relay;
    bool Save(std::string fileName);
    bool Load(std::string fileName, bool chosenByUser);
    void Begin();
    void End(const std::shared_ptr<Job>& job);
    void ShowLoadProgress();
    void CloseLoadProgress();

    results::ResultsList& list_;
    platform::Notifier& notifier_;
    FileDialogs& dialogs_;
    LoadProgressWindow& progress_;
    std::string resultsFolder_;
    QWidget* window_;

    bool busy_ = false;
    bool loadedByUser_ = false;
    std::unique_ptr<platform::WaitCursor> wait_;
    std::unique_ptr<detail::TVFMsg> loading_;
    bool progressOpen_ = false;
    // The rows read so far by a load with a progress window, for its next step.
    std::shared_ptr<std::atomic<std::int64_t>> linesRead_;
    QTimer progressTimer_;
    std::unique_ptr<detail::Worker> worker_;
};

} // namespace mvf::actions
