// The results list as data: the rows, their sort state and the summary of the search that
// produced them. The main window shows these rows and keeps no copy of its own; it learns
// of every change through a ListObserver. Not thread-safe: every call on the main thread
// (the search hands its hits over to that thread). Texts that are neither numbers nor dates
// sort in strcoll's order, under the LC_COLLATE the program set at start-up from the user's
// environment (setlocale).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "finder/results/result_entry.h"

namespace mvf::results {

// Columns of the report view; a sort column is one of these or kNoSort.
enum Column : int { kNameColumn = 0, kPathColumn, kSizeColumn, kCreatedColumn, kModifiedColumn };
inline constexpr int kColumnCount = 5;
inline constexpr int kNoSort = -1;

// What a view of the list hears. Each Before call comes before the change, each After call
// once the list shows it (a Qt model maps them to its begin/end signals).
class ListObserver {
public:
    virtual ~ListObserver() = default;
    virtual void BeforeInsert(std::size_t /*row*/) {}
    virtual void AfterInsert(std::size_t /*row*/) {}
    virtual void BeforeRemove(std::size_t /*row*/) {}
    virtual void AfterRemove(std::size_t /*row*/) {}
    // A sort: row i now holds what row oldRows[i] held.
    virtual void BeforeSort() {}
    virtual void AfterSort(std::span<const std::uint32_t> /*oldRows*/) {}
    // Every row replaced or removed at once (clearing, loading a results file).
    virtual void BeforeReset() {}
    virtual void AfterReset() {}
    // SearchSummary changed (the Progress status panel shows it).
    virtual void SummaryChanged() {}
};

// How the search classified a file's line ends, as AddItem takes it:
// AddItem(path, created, modified, size, {.IsDos = true}).
struct TypeFlags {
    bool IsUnix = false;
    bool IsDos = false;
    bool IsMac = false;
    bool IsBinary = false;
};

// The row AddItem adds for a found file (its rules below). Made apart from the list so
// that a search can build its rows on its own thread and hand them over ready.
ResultEntry EntryOf(std::string_view Path, std::string_view Created, std::string_view Modified,
                    std::int64_t Size, TypeFlags flags);

// The order Sort() gives rows whose texts in the sort column are `texts` (each followed by
// a NUL in memory): position i holds the row that comes i-th. It reads nothing but
// `texts`, so it may run on any thread: a window adding many rows copies the sort column's
// texts as it adds them, works the order out on another thread, copies the rows in that
// order a few at a time, and hands them to SetAutoSortWithRows.
std::vector<std::uint32_t> SortedOrderOf(std::span<const std::string_view> texts, int column,
                                         bool ascending);

class ResultsList {
public:
    // Empty, sorted by name ascending with AutoSort on, SearchSummary empty.
    ResultsList() = default;
    // Never copied by accident (a million rows); a move takes the observer along.
    ResultsList(const ResultsList&) = delete;
    ResultsList& operator=(const ResultsList&) = delete;
    ResultsList(ResultsList&&) = default;
    ResultsList& operator=(ResultsList&&) = default;

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    const ResultEntry& operator[](std::size_t row) const { return rows_[row]; }
    std::span<const ResultEntry> entries() const { return rows_; }

    // Adds one found file and returns its row: appended while AutoSort is off, else placed
    // where the current sort puts it. Path is the file's full path; the name is what follows
    // its last "/", the folder what precedes it (the root keeps its "/"); both keep their
    // case. Created gets four spaces in front, Modified is kept as is, Size becomes plain
    // decimal text. The type is the first of IsDos, IsMac, IsUnix, IsBinary that is set
    // (DOS, MAC, UNIX, BINARY); none set gives kNoTypeImage.
    std::size_t AddItem(std::string_view Path, std::string_view Created, std::string_view Modified,
                        std::int64_t Size, TypeFlags flags);
    // Adds a row whose texts are already made, placed as AddItem places it.
    std::size_t AddEntry(ResultEntry entry);

    // Removes the first row, in list order, whose folder and name equal those of Path
    // (split as AddItem splits it, compared exactly). False when no row matched.
    bool DeleteItem(std::string_view Path);

    // DeleteItem for each of `paths` (a path given twice removes two rows) in one pass over
    // the list, for many files deleted at once: one view reset instead of a removal each.
    // Returns how many rows were removed.
    std::size_t DeleteItems(std::span<const std::string> paths);

    // Removes every row and empties SearchSummary (the clear command, once confirmed).
    void Clear();

    // The one-line description of the search that produced the list; see
    // FormatSearchSummary for the text the search completion sets.
    const std::string& SearchSummary() const { return summary_; }
    void SetSearchSummary(std::string summary);

    // The sort state. While AutoSort is on the rows stay sorted by (SortColumn,
    // SortAscending); while it is off (a search or a load is adding rows) additions append.
    // Two cells compare by value when both are whole decimal numbers (-999 counts as none);
    // in the columns after the name, by time when both begin, spaces trimmed, with the
    // pattern dd/dd/dd (read month-day-year; one that is no real date comes before every
    // date); else in strcoll's order of the untrimmed texts. Descending is the same
    // comparison with the two rows exchanged; rows that compare equal keep their order.
    int SortColumn() const { return sortColumn_; }
    bool SortAscending() const { return sortAscending_; }
    bool AutoSort() const { return autoSort_; }
    // Switching AutoSort on sorts once.
    void SetAutoSort(bool on);
    // Switches AutoSort on with the rows sorted elsewhere: `sorted` holds copies of the
    // rows in the order SortedOrderOf gave (`order`), made while the list was as it is now
    // (see Revision()). The list takes them in one step and hands back the rows it held,
    // for the caller to free where it likes (a million rows take a while to free). Rows
    // of another count are not taken: the list sorts itself and hands `sorted` back.
    std::vector<ResultEntry> SetAutoSortWithRows(std::vector<ResultEntry> sorted,
                                                 std::span<const std::uint32_t> order);
    // Changes with every change of the rows or their order (a worked-out order applies
    // only to the rows it was worked out for).
    std::uint64_t Revision() const { return revision_; }
    // Sets the sort state and sorts now (kNoSort leaves the order as it is).
    void SetSort(int column, bool ascending);
    // A click on a column header: nothing while AutoSort is off (returns false); else the
    // same column flips the direction, another column starts ascending, and the rows are
    // sorted at once. True when it sorted, so the window rewrites the sort text.
    bool HeaderClick(int column);
    // Sorts the rows by the current sort state (nothing for kNoSort).
    void Sort();

    // Takes over every row, the summary and the sort state of `loaded` in one reset.
    // `loaded` is left holding the rows it replaced, so that a caller may free a big list's
    // memory off its own thread.
    void ReplaceWith(ResultsList&& loaded);

    // At most one observer; nullptr for none. The list does not own it.
    void SetObserver(ListObserver* observer) { observer_ = observer; }

private:
    std::size_t InsertPosition(const ResultEntry& entry) const;
    void ApplyOrder(std::span<const std::uint32_t> order);

    std::vector<ResultEntry> rows_;
    std::string summary_;
    int sortColumn_ = kNameColumn;
    bool sortAscending_ = true;
    bool autoSort_ = true;
    std::uint64_t revision_ = 0;
    ListObserver* observer_ = nullptr;
};

} // namespace mvf::results
