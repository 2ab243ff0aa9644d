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

// The longest time the event loop did not get round to a 1 ms timer, from construction.
class StallMeter : public QObject {
public:
    StallMeter() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(1);
        connect(&timer_, &QTimer::timeout, this,
                [this] { longest_ = std::max(longest_, clock_.restart()); });
        clock_.start();
        timer_.start();
    }
    qint64 LongestMs() const { return longest_; }

private:
    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;
};

// A table model over the results list, told of each slice as a view's model is: what the
// GUI thread pays per slice besides appending the rows.
class ListTableModel : public QAbstractTableModel {
public:
    ListTableModel(const results::ResultsList& list, SearchSession& session) : list_(list) {
        connect(&session, &SearchSession::HitsAboutToBeAdded, this,
                [this](std::size_t first, std::size_t count) {
                    beginInsertRows({}, static_cast<int>(first),
                                    static_cast<int>(first + count - 1));
                });
        connect(&session, &SearchSession::HitsAdded, this, [this] { endInsertRows(); });
    }
    int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(list_.size());
    }
    int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : results::kColumnCount;
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole) return {};
        const std::string_view text =
            list_[static_cast<std::size_t>(index.row())].ColumnText(index.column());
        return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    }

private:
    const results::ResultsList& list_;
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
