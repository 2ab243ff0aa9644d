// A search run from the finder's window: the search core on its own thread, its hits
// added to the results list on the GUI thread in batches, its progress texts, the
// pause, resume, stop and cancel requests, and its end.
//
//   SearchSession session(list, {.notifier = notifier, .resources = &resources,
//                                .sound = &player, .resultsFolder = folder});
//   connect(&session, &SearchSession::ProgressChanged, ...);   // panel and tray hint
//   connect(&session, &SearchSession::HitsAboutToBeAdded, ...); // the view's bulk change
//   connect(&session, &SearchSession::HitsAdded, ...);
//   connect(&session, &SearchSession::SearchEnded, ...);        // the completion
//   session.Start(criteria);   // criteria that passed PrepareSearch (the dialog's)
//
// The GUI thread never waits for the search. The search thread leaves its news in a
// mailbox and wakes the GUI thread with one queued call until the news are taken; the
// GUI thread takes them at most every kDeliveryInterval, the first time kFirstDelivery
// after the start (so a fast search comes out at once, as one batch), or at once when the
// search has ended. The rows are made on the search thread; the GUI thread only appends
// them, a slice at a time, yielding to its event loop between slices. The list's
// automatic sorting is off while rows arrive; the end switches it back on, sorting once,
// a big list without holding the GUI thread (see src/list_sorter.h).
//
// Engine notices raised on the search thread reach the user through the process's
// EngineNoticeRoute, shown on the GUI thread while the search waits for the answer.
#pragma once

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QTimer>

#include "finder/results/results_list.h"
#include "finder/search/search_criteria.h"
#include "finder/search/search_host.h"
#include "platform/qt/notifier.h"

namespace mvf::platform {
class ResourceLibrary;
class SoundPlayer;
} // namespace mvf::platform

namespace mvf::search {
class TBGSearch;
} // namespace mvf::search

namespace mvf::session {

class SessionMailbox;
class DeliveryPace;
class ListSorter;

// What the foreground or background completion of the main window needs.
struct SearchOutcome {
    bool Background = false; // FinishBackground: results wait for the tray click
    bool Stopped = false;    // the walk ended at a stop request
    bool Cancelled = false;  // cancelled on closing the window: ask no questions
    std::size_t Hits = 0;    // rows this search added to the list
    QString SearchSummary;   // also set on the list
    QString TrayHint;        // "12 hits found! Click to process...."
    bool ErrorsLogged = false;
    // Warn was chosen, files could not be opened, and the search was not cancelled: the
    // window offers the log in the viewer (foreground: at once; background: at the tray
    // click; the question and the viewer are the file actions', finder/actions).
    bool OfferLog = false;
    std::string ErrorLogPath; // the error log of this search; empty when none is written
};

class SearchSession : public QObject {
    Q_OBJECT

public:
    struct Services {
        platform::Notifier& notifier;                         // the log-failure box
        const platform::ResourceLibrary* resources = nullptr; // the bark; none: silent
        platform::SoundPlayer* sound = nullptr;               // plays it; none: silent
        std::string resultsFolder = {};       // the error log goes here; empty: no log file
        search::SearchFlags* flags = nullptr; // none: the process's flags
    };

    static constexpr std::chrono::milliseconds kFirstDelivery{100};
    static constexpr std::chrono::milliseconds kDeliveryInterval{50};
    // The GUI thread's time for one slice of rows, before it yields to its event loop.
    static constexpr std::chrono::milliseconds kSliceBudget{8};

    SearchSession(results::ResultsList& list, Services services, QObject* parent = nullptr);
    // A search still running is cancelled and its thread waited for: destroy the session
    // only when no search runs (cancel and wait for SearchEnded), since a search thread
    // waiting for an engine notice to be answered would wait for this thread.
    ~SearchSession() override;

    // Starts a search with criteria that passed the entry checks (PrepareSearch):
    // switches the list's automatic sorting off and starts the search thread. The list
    // should be empty (the window empties it first). False, doing nothing, while a
    // search of this session has not yet ended.
    bool Start(search::SearchCriteria criteria);

    // Whether a search thread exists: from Start until SearchEnded has been emitted.
    bool Active() const { return search_ != nullptr; }
    bool Paused() const;

    // Requests to the search; nothing without an active search. A paused search shows no
    // progress texts (the window shows "Paused...."), and resuming tells the newest one
    // again; hits found before the pause still arrive. Stop resumes a paused search so that it can
    // end; Cancel also marks the search cancelled (no question at its end).
    void Pause();
    void Resume();
    void Stop();
    void Cancel();

signals:
    // "Searching: " and the path of the file under test (the newest only).
    void ProgressChanged(const QString& text);
    // Around each slice of rows appended to the list: rows first .. first + count - 1.
    void HitsAboutToBeAdded(std::size_t first, std::size_t count);
    void HitsAdded(std::size_t first, std::size_t count);
    // The search has ended and every hit is in the list, sorted once; the search flags
    // are set as the completion leaves them (SearchRunning cleared after a foreground
    // search, ResultsPending set after a background one); Active() is false.
    void SearchEnded(const mvf::session::SearchOutcome& outcome);

private:
    void Woken();
    void TakeNews();
    void AddPendingRows();
    void Complete();
    void Finish();

    results::ResultsList& list_;
    Services services_;
    search::SearchFlags& flags_;
    std::string errorLogPath_;
    std::unique_ptr<SessionMailbox> mailbox_;
    std::unique_ptr<search::TBGSearch> search_;
    std::unique_ptr<SessionMailbox> endedMailbox_; // of the last search, until the next start
    std::unique_ptr<search::TBGSearch> endedSearch_;
    std::unique_ptr<DeliveryPace> pace_;
    std::unique_ptr<ListSorter> sorter_;
    QTimer takeTimer_;
    QTimer sliceTimer_;
    std::vector<results::ResultEntry> pending_;
    std::size_t nextPending_ = 0;
    std::size_t added_ = 0;
    std::optional<search::SearchCompletion> finished_;
    QByteArray bark_;
    std::optional<std::string> newestProgress_; // told again on resuming
    bool logWritten_ = false;                   // this search writes an error log
};

} // namespace mvf::session
