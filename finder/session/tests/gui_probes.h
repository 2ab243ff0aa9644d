// What the GUI thread sees of a session, for tests and benchmarks: how long its event loop
// was kept from a timer, and a table model told of each slice of rows as a view's is.
#pragma once

#include <algorithm>

#include <QAbstractTableModel>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

#include "finder/results/results_list.h"
#include "finder/session/search_session.h"

namespace mvf::session::testing {

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

} // namespace mvf::session::testing
