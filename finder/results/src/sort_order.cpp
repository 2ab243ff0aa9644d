#include "sort_order.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string_view>

#include "cell_key.h"

namespace mvf::detail {
namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

struct RowKey {
    CellKey cell;
    std::uint32_t rank; // collation rank of the text, when texts are compared at all
    std::uint32_t row;
};

// Distinct texts, found through an open-addressing table of indexes into `texts`.
class DistinctTexts {
public:
    explicit DistinctTexts(std::span<const std::string_view> texts) : texts_(texts) {
        std::size_t capacity = 16;
        while (capacity < texts.size() * 2) capacity *= 2;
        slots_.assign(capacity, kEmpty);
        firstOf_.reserve(texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) firstOf_.push_back(Find(i));
    }
    // For each text, the index of the first text equal to it.
    const std::vector<std::uint32_t>& FirstOf() const { return firstOf_; }

private:
    static constexpr std::uint32_t kEmpty = 0xFFFFFFFF;

    std::uint32_t Find(std::size_t i) {
        const std::string_view text = texts_[i];
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = std::hash<std::string_view>{}(text)&mask;;
             slot = (slot + 1) & mask) {
            if (slots_[slot] == kEmpty) {
                slots_[slot] = static_cast<std::uint32_t>(i);
                return slots_[slot];
            }
            if (text == texts_[slots_[slot]]) return slots_[slot];
        }
    }

    std::span<const std::string_view> texts_;
    std::vector<std::uint32_t> slots_;
    std::vector<std::uint32_t> firstOf_;
};

// strxfrm of many texts into one buffer; offsets, since the buffer grows.
class TransformedTexts {
public:
    // `text` is followed by a NUL.
    std::size_t Add(std::string_view text) {
        const std::size_t at = buffer_.size();
        std::size_t room = text.size() * 4 + 16;
        for (;;) {
            buffer_.resize(at + room);
            const std::size_t needed = std::strxfrm(buffer_.data() + at, text.data(), room);
            if (needed < room) {
                buffer_.resize(at + needed + 1);
                return at;
            }
            room = needed + 1;
        }
    }
    const char* At(std::size_t offset) const { return buffer_.data() + offset; }

private:
    std::vector<char> buffer_;
};

} // namespace

std::vector<std::uint32_t> CollationRanks(std::span<const std::string_view> texts) {
    const DistinctTexts distinct(texts);
    const std::vector<std::uint32_t>& firstOf = distinct.FirstOf();

    // Transform each distinct text once; strcmp on the results orders them as strcoll does.
    std::vector<std::uint32_t> order;
    std::vector<std::size_t> offset(texts.size());
    TransformedTexts transformed;
    for (std::uint32_t i = 0; i < texts.size(); ++i) {
        if (firstOf[i] != i) continue;
        order.push_back(i);
        offset[i] = transformed.Add(texts[i]);
    }
    const auto key = [&](std::uint32_t i) { return transformed.At(offset[i]); };
    std::sort(order.begin(), order.end(),
              [&](std::uint32_t a, std::uint32_t b) { return std::strcmp(key(a), key(b)) < 0; });

    std::vector<std::uint32_t> rankOf(texts.size());
    std::uint32_t rank = 0;
    for (std::size_t k = 0; k < order.size(); ++k) {
        if (k > 0 && std::strcmp(key(order[k - 1]), key(order[k])) != 0) ++rank;
        rankOf[order[k]] = rank;
    }
    for (std::size_t i = 0; i < texts.size(); ++i) rankOf[i] = rankOf[firstOf[i]];
    return rankOf;
}

int CompareRows(const ResultEntry& a, const ResultEntry& b, int column) {
    const std::string_view ta = a.ColumnText(column), tb = b.ColumnText(column);
    return CompareCells(ReadCell(ta, column), ReadCell(tb, column),
                        [&] { return Sign(std::strcoll(ta.data(), tb.data())); });
}

std::vector<std::uint32_t> SortedOrder(std::span<const ResultEntry> rows, int column,
                                       bool ascending) {
    std::vector<RowKey> keys(rows.size());
    bool allNumbers = true, allDates = true;
    for (std::uint32_t i = 0; i < rows.size(); ++i) {
        keys[i] = {ReadCell(rows[i].ColumnText(column), column), 0, i};
        allNumbers = allNumbers && keys[i].cell.kind == CellKind::Number;
        allDates = allDates && keys[i].cell.kind == CellKind::Date;
    }
    // Texts decide somewhere unless every cell is a number or every cell a date.
    if (!allNumbers && !allDates) {
        std::vector<std::string_view> texts(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) texts[i] = rows[i].ColumnText(column);
        const std::vector<std::uint32_t> ranks = CollationRanks(texts);
        for (std::size_t i = 0; i < rows.size(); ++i) keys[i].rank = ranks[i];
    }

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

    std::vector<std::uint32_t> order(rows.size());
    for (std::size_t i = 0; i < keys.size(); ++i) order[i] = keys[i].row;
    return order;
}

std::size_t SortedInsertPosition(std::span<const ResultEntry> rows, const ResultEntry& row,
                                 int column, bool ascending) {
    const auto precedes = [&](const ResultEntry& a, const ResultEntry& b) {
        return (ascending ? CompareRows(a, b, column) : CompareRows(b, a, column)) < 0;
    };
    return static_cast<std::size_t>(std::upper_bound(rows.begin(), rows.end(), row, precedes) -
                                    rows.begin());
}

} // namespace mvf::detail
