// Running real searches through a SearchSession in tests: a scratch tree, the session's
// services, and a recorder of everything the session tells the window.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include <gtest/gtest.h>

#include "finder/results/results_list.h"
#include "finder/search/entry_checks.h"
#include "finder/search/remembered_lists.h"
#include "finder/session/search_session.h"
#include "gui_probes.h"
#include "platform/core/current_directory.h"

namespace mvf::session::testing {

// Runs the event loop until `done` or `limit`; whether `done` came true.
inline bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limit.count()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    return true;
}

// Runs the event loop for `time`.
inline void RunEventsFor(std::chrono::milliseconds time) {
    WaitFor([] { return false; }, time);
}

// Everything the session emitted, in order.
class SessionRecorder : public QObject {
public:
    explicit SessionRecorder(SearchSession& session) : session_(session) {
        connect(&session, &SearchSession::ProgressChanged, this,
                [this](const QString& text) { progress.push_back(text); });
        connect(&session, &SearchSession::HitsAboutToBeAdded, this,
                [this](std::size_t first, std::size_t count) {
                    EXPECT_FALSE(inSlice) << "slices do not nest";
                    inSlice = true;
                    slices.push_back({first, count});
                });
        connect(&session, &SearchSession::HitsAdded, this,
                [this](std::size_t first, std::size_t count) {
                    EXPECT_TRUE(inSlice);
                    inSlice = false;
                    EXPECT_EQ(slices.back().first, first);
                    EXPECT_EQ(slices.back().second, count);
                    added += count;
                });
        connect(&session, &SearchSession::SearchEnded, this,
                [this](const SearchOutcome& outcome) { ended.push_back(outcome); });
    }

    // Runs the event loop until the search has ended, at most `limit`. False on timeout.
    bool WaitForEnd(std::chrono::milliseconds limit = std::chrono::seconds(60)) {
        return WaitFor([this] { return !session_.Active(); }, limit);
    }

    std::vector<QString> progress;
    std::vector<std::pair<std::size_t, std::size_t>> slices;
    std::size_t added = 0;
    bool inSlice = false;
    std::vector<SearchOutcome> ended;

private:
    SearchSession& session_;
};

// Criteria as the dialog hands them: checked and filled by PrepareSearch.
inline search::SearchCriteria Prepared(search::SearchCriteria criteria,
                                       search::SearchFlags& flags) {
    const std::string saved = platform::CurrentDirectory();
    search::RememberedLists lists;
    const auto fault = search::PrepareSearch(criteria, lists, flags);
    platform::SetCurrentDirectory(saved);
    EXPECT_FALSE(fault) << (fault ? fault->Message : "");
    return criteria;
}

} // namespace mvf::session::testing
