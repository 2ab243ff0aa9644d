#include "sort_order.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "cell_key.h"
#include "collation.h"

namespace mvf::results::detail {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

struct RowKey {
    CellKey cell;
    std::uint32_t rank; // collation rank of the text, when texts are compared at all
    std::uint32_t row;
};

// Gives each key the rank its text has where the comparison falls back to the texts.
template <typename TextOf> void RankTexts(const TextOf& textOf, std::span<RowKey> keys) {
    bool numbers = false, dates = false, others = false;
    for (const RowKey& key : keys) {
        numbers = numbers || key.cell.kind == CellKind::Number;
        dates = dates || key.cell.kind == CellKind::Date;
        others = others || (key.cell.kind != CellKind::Number && key.cell.kind != CellKind::Date);
    }
    // Numbers among themselves, and dates among themselves, compare by value.
    if (!others && numbers != dates) return;

    // With one of those kinds only, its cells need no rank among themselves: the other texts
    // are ranked, and each of its cells is placed among them. Most columns are so (names
    // and some numbers, dates and "(unknown)"), and then few texts are transformed.
    const bool placeValues = numbers != dates;
    const CellKind placed = numbers ? CellKind::Number : CellKind::Date;
    std::vector<std::string_view> texts;
    std::vector<std::uint32_t> ranked;
    for (std::uint32_t i = 0; i < keys.size(); ++i) {
        if (placeValues && keys[i].cell.kind == placed) continue;
        texts.push_back(textOf(i));
        ranked.push_back(i);
    }
    const CollationRanks ranks(texts);
    for (std::size_t k = 0; k < ranked.size(); ++k) keys[ranked[k]].rank = ranks.RankOf(k);
    if (!placeValues) return;
    for (std::uint32_t i = 0; i < keys.size(); ++i)
        if (keys[i].cell.kind == placed) keys[i].rank = ranks.PlaceOf(textOf(i));
}

// The order of `count` texts of `column`, `textOf(i)` giving the i-th; each is read once,
// in order, `ahead(i)` hinting the memory of a later one.
template <typename TextOf, typename Ahead>
std::vector<std::uint32_t> OrderOf(std::size_t count, const TextOf& textOf, const Ahead& ahead,
                                   int column, bool ascending) {
    std::vector<RowKey> keys(count);
    for (std::uint32_t i = 0; i < count; ++i) {
        ahead(i);
        keys[i] = {ReadCell(textOf(i), column), 0, i};
    }
    RankTexts(textOf, keys);

    const auto compare = [](const RowKey& a, const RowKey& b) {
        return CompareCells(a.cell, b.cell, [&] {
            return a.rank < b.rank ? -1 : a.rank > b.rank ? 1 : 0;
        });
    };
    // A merge sort stays within bounds even where mixed texts make the order circular.
    if (ascending)
        std::stable_sort(keys.begin(), keys.end(),
                         [&](const RowKey& a, const RowKey& b) { return compare(a, b) < 0; });
    else
        std::stable_sort(keys.begin(), keys.end(),
                         [&](const RowKey& a, const RowKey& b) { return compare(b, a) < 0; });

    std::vector<std::uint32_t> order(count);
    for (std::size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].row;
    return order;
}

} // namespace

int CompareRows(const ResultEntry& a, const ResultEntry& b, int column) {
    const std::string_view ta = a.ColumnText(column), tb = b.ColumnText(column);
    return CompareCells(ReadCell(ta, column), ReadCell(tb, column),
                        [&] { return Sign(std::strcoll(ta.data(), tb.data())); });
}

std::vector<std::uint32_t> SortedOrder(std::span<const ResultEntry> rows, int column,
                                       bool ascending) {
    // Each row's texts lie in a block of their own: fetch a few rows ahead, so that reading a
    // million keys does not wait on memory once per row.
    constexpr std::size_t kAhead = 16;
    return OrderOf(
        rows.size(), [&](std::size_t i) { return rows[i].ColumnText(column); },
        [&](std::size_t i) {
            if (i + kAhead < rows.size())
                __builtin_prefetch(rows[i + kAhead].ColumnText(column).data());
        },
        column, ascending);
}

std::vector<std::uint32_t> SortedOrderOf(std::span<const std::string_view> texts, int column,
                                         bool ascending) {
    return OrderOf(
        texts.size(), [&](std::size_t i) { return texts[i]; }, [](std::size_t) {}, column,
        ascending);
}

std::size_t SortedInsertPosition(std::span<const ResultEntry> rows, const ResultEntry& row,
                                 int column, bool ascending) {
    const auto precedes = [&](const ResultEntry& a, const ResultEntry& b) {
        return (ascending ? CompareRows(a, b, column) : CompareRows(b, a, column)) < 0;
    };
    return static_cast<std::size_t>(std::upper_bound(rows.begin(), rows.end(), row, precedes) -
                                    rows.begin());
}

} // namespace mvf::results::detail
