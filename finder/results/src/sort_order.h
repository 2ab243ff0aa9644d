// The ten sort orders of the results list (five columns, two directions).
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "finder/results/result_entry.h"

namespace mvf::results::detail {

// Ascending comparison of two rows on a column, straight from their texts.
int CompareRows(const ResultEntry& a, const ResultEntry& b, int column);

// The rows' sorted order: position i holds the row that comes i-th. Each row's key is read
// once; equal rows keep their relative order. Descending is the ascending comparison with
// its two rows exchanged. Texts that no order can satisfy together (a number, a longer
// number and a text between them) still give some order, never a fault.
std::vector<std::uint32_t> SortedOrder(std::span<const ResultEntry> rows, int column,
                                       bool ascending);

// The same order for rows whose texts in `column` are `texts` (each followed by a NUL).
std::vector<std::uint32_t> SortedOrderOf(std::span<const std::string_view> texts, int column,
                                         bool ascending);

// Where a new row goes in rows already sorted this way: after every row it does not precede.
std::size_t SortedInsertPosition(std::span<const ResultEntry> rows, const ResultEntry& row,
                                 int column, bool ascending);

} // namespace mvf::results::detail
