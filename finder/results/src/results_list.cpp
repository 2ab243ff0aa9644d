#include "finder/results/results_list.h"

#include <cstring>
#include <string>
#include <unordered_map>
#include <utility>

#include "path_split.h"
#include "sort_order.h"

namespace mvf::results {

ResultEntry EntryOf(std::string_view Path, std::string_view Created, std::string_view Modified,
                    std::int64_t Size, TypeFlags flags) {
    const detail::PathParts parts = detail::SplitPath(Path);
    int type = kNoTypeImage;
    if (flags.IsDos)
        type = static_cast<int>(ResultType::DOS);
    else if (flags.IsMac)
        type = static_cast<int>(ResultType::MAC);
    else if (flags.IsUnix)
        type = static_cast<int>(ResultType::UNIX);
    else if (flags.IsBinary)
        type = static_cast<int>(ResultType::BINARY);

    // Four spaces before the creation time; on the stack when it fits (every time text
    // does), since a search makes a row per hit.
    constexpr std::size_t kIndent = 4;
    char room[64];
    std::string heap;
    std::string_view created;
    if (kIndent + Created.size() <= sizeof room) {
        std::memset(room, ' ', kIndent);
        std::memcpy(room + kIndent, Created.data(), Created.size());
        created = std::string_view(room, kIndent + Created.size());
    } else {
        heap.assign(kIndent, ' ').append(Created);
        created = heap;
    }
    return ResultEntry(parts.name, type, parts.folder, std::to_string(Size), created, Modified);
}

std::size_t ResultsList::AddItem(std::string_view Path, std::string_view Created,
                                 std::string_view Modified, std::int64_t Size, TypeFlags flags) {
    return AddEntry(EntryOf(Path, Created, Modified, Size, flags));
}

std::size_t ResultsList::InsertPosition(const ResultEntry& entry) const {
    if (!autoSort_ || sortColumn_ == kNoSort) return rows_.size();
    return detail::SortedInsertPosition(rows_, entry, sortColumn_, sortAscending_);
}

std::size_t ResultsList::AddEntry(ResultEntry entry) {
    const std::size_t row = InsertPosition(entry);
    ++revision_;
    if (observer_) observer_->BeforeInsert(row);
    rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(row), std::move(entry));
    if (observer_) observer_->AfterInsert(row);
    return row;
}

bool ResultsList::DeleteItem(std::string_view Path) {
    const detail::PathParts parts = detail::SplitPath(Path);
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        if (rows_[row].path() != parts.folder || rows_[row].name() != parts.name) continue;
        ++revision_;
        if (observer_) observer_->BeforeRemove(row);
        rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(row));
        if (observer_) observer_->AfterRemove(row);
        return true;
    }
    return false;
}

std::size_t ResultsList::DeleteItems(std::span<const std::string> paths) {
    // Folder and name joined by a NUL, which neither holds: how many rows each still takes.
    const auto key = [](std::string_view folder, std::string_view name) {
        return std::string(folder).append(1, '\0').append(name);
    };
    std::unordered_map<std::string, std::size_t> wanted;
    for (const std::string& path : paths) {
        const detail::PathParts parts = detail::SplitPath(path);
        ++wanted[key(parts.folder, parts.name)];
    }
    std::vector<ResultEntry> kept;
    kept.reserve(rows_.size());
    for (ResultEntry& row : rows_) {
        const auto it = wanted.find(key(row.path(), row.name()));
        if (it != wanted.end() && it->second > 0)
            --it->second;
        else
            kept.push_back(std::move(row));
    }
    const std::size_t removed = rows_.size() - kept.size();
    ++revision_;
    if (observer_) observer_->BeforeReset();
    rows_.swap(kept);
    if (observer_) observer_->AfterReset();
    return removed;
}

void ResultsList::Clear() {
    ++revision_;
    if (observer_) observer_->BeforeReset();
    rows_.clear();
    if (observer_) observer_->AfterReset();
    SetSearchSummary({});
}

void ResultsList::SetSearchSummary(std::string summary) {
    summary_ = std::move(summary);
    if (observer_) observer_->SummaryChanged();
}

void ResultsList::SetAutoSort(bool on) {
    autoSort_ = on;
    if (on) Sort();
}

void ResultsList::SetSort(int column, bool ascending) {
    sortColumn_ = column >= 0 && column < kColumnCount ? column : kNoSort;
    sortAscending_ = ascending;
    Sort();
}

bool ResultsList::HeaderClick(int column) {
    if (!autoSort_ || column < 0 || column >= kColumnCount) return false;
    SetSort(column, column == sortColumn_ ? !sortAscending_ : true);
    return true;
}

std::vector<ResultEntry> ResultsList::SetAutoSortWithRows(std::vector<ResultEntry> sorted,
                                                          std::span<const std::uint32_t> order) {
    autoSort_ = true;
    if (sorted.size() != rows_.size() || order.size() != rows_.size() || sortColumn_ == kNoSort) {
        Sort();
        return sorted;
    }
    ++revision_;
    if (observer_) observer_->BeforeSort();
    rows_.swap(sorted);
    if (observer_) observer_->AfterSort(order);
    return sorted;
}

void ResultsList::Sort() {
    if (sortColumn_ == kNoSort) return;
    ApplyOrder(detail::SortedOrder(rows_, sortColumn_, sortAscending_));
}

void ResultsList::ApplyOrder(std::span<const std::uint32_t> order) {
    ++revision_;
    if (observer_) observer_->BeforeSort();
    // Row i takes old row order[i]. Gathered into a new array, each row read once and
    // written in order: far quicker on a big list than moving rows along the
    // permutation's cycles, where both the reads and the writes jump.
    std::vector<ResultEntry> sorted;
    sorted.reserve(rows_.size());
    constexpr std::size_t kAhead = 16;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (i + kAhead < order.size()) __builtin_prefetch(&rows_[order[i + kAhead]]);
        sorted.push_back(std::move(rows_[order[i]]));
    }
    rows_.swap(sorted);
    if (observer_) observer_->AfterSort(order);
}

std::vector<std::uint32_t> SortedOrderOf(std::span<const std::string_view> texts, int column,
                                         bool ascending) {
    return detail::SortedOrderOf(texts, column, ascending);
}

void ResultsList::ReplaceWith(ResultsList&& loaded) {
    ++revision_;
    if (observer_) observer_->BeforeReset();
    rows_.swap(loaded.rows_);
    sortColumn_ = loaded.sortColumn_;
    sortAscending_ = loaded.sortAscending_;
    autoSort_ = loaded.autoSort_;
    if (observer_) observer_->AfterReset();
    SetSearchSummary(std::move(loaded.summary_));
}

} // namespace mvf::results
