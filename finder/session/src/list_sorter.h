// The one sort at the end of a search, without holding the GUI thread on a big list.
//
// While rows arrive (AutoSort off, rows appended) the sorter copies the texts of the sort
// column. At the end a list of kApartFrom rows or more is ordered on a thread of its own
// from those texts; the GUI thread then copies the rows in that order a slice at a time
// (the list stays whole and shown meanwhile), swaps them in at once, and leaves the old
// rows to be freed on another thread. Anyone changing the list meanwhile (a row deleted)
// only costs the shortcut: the list is then sorted in place, as a small one is.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

#include <QObject>
#include <QTimer>

#include "column_texts.h"
#include "delivery_pace.h"
#include "finder/results/results_list.h"

namespace mvf::session {

class ListSorter : public QObject {
    Q_OBJECT

public:
    static constexpr std::size_t kApartFrom = 20000;

    explicit ListSorter(results::ResultsList& list);
    // Waits for its threads; destroy it only when no sort is under way.
    ~ListSorter() override;

    // A search starts adding rows to the list.
    void Begin();
    // Before a slice of rows is appended, and each row of it before it goes in.
    void BeforeSlice();
    void Note(const results::ResultEntry& row) {
        if (texts_) texts_->Add(row.ColumnText(column_));
    }
    // After the slice.
    void AfterSlice() { revision_ = list_.Revision(); }

    // Switches the list's AutoSort on (sorting it once) and runs `done` on this thread
    // when the list is sorted: at once for a small list.
    void Sort(std::function<void()> done);

private:
    bool StillValid() const;
    void Ordered(std::vector<std::uint32_t> order);
    void CopySlice();
    void SortInPlace();

    results::ResultsList& list_;
    std::unique_ptr<ColumnTexts> texts_;
    int column_ = results::kNoSort;
    bool ascending_ = true;
    std::uint64_t revision_ = 0;
    std::function<void()> done_;
    std::vector<std::uint32_t> order_;
    std::vector<results::ResultEntry> copies_;
    std::unique_ptr<DeliveryPace> pace_;
    QTimer sliceTimer_;
    std::thread orderer_;  // works the order out
    std::thread disposer_; // frees the rows the sorted ones replaced
};

} // namespace mvf::session
