// The comparison behind every sort of the results list. A cell's text is read once into a
// key (number, date or plain text); two keys then compare without parsing again. Where the
// rule falls back to the locale's order of the texts, the caller says how to get it: from
// strcoll directly, or from ranks computed once per sort.
#pragma once

#include <cstdint>
#include <string_view>

namespace mvf::results::detail {

enum class CellKind : std::uint8_t {
    Number,  // a whole decimal number other than -999
    Date,    // date pattern, and a date that exists
    BadDate, // date pattern, but no date that exists (a hand-edited results file)
    Text,    // anything else
};

struct CellKey {
    CellKind kind = CellKind::Text;
    std::int64_t value = 0; // the number, or the date in seconds
};

// The key of column 0-4's text. Dates count only in the columns after the name, and are
// recognised on the text with its spaces trimmed.
CellKey ReadCell(std::string_view text, int column);

// Ascending order of two cells of one column: negative, zero or positive.
//  - two numbers: by value;
//  - two date patterns: chronologically; a date pattern that is no date comes before every
//    date, and two such texts fall back to the texts' order;
//  - otherwise textOrder(), the locale's order of the two untrimmed texts.
template <class TextOrder>
int CompareCells(const CellKey& a, const CellKey& b, TextOrder&& textOrder) {
    const auto byValue = [&] { return a.value < b.value ? -1 : a.value > b.value ? 1 : 0; };
    if (a.kind == CellKind::Number && b.kind == CellKind::Number) return byValue();
    const bool aDated = a.kind == CellKind::Date || a.kind == CellKind::BadDate;
    const bool bDated = b.kind == CellKind::Date || b.kind == CellKind::BadDate;
    if (aDated && bDated) {
        if (a.kind == CellKind::Date && b.kind == CellKind::Date) return byValue();
        if (a.kind != b.kind) return a.kind == CellKind::BadDate ? -1 : 1;
    }
    return textOrder();
}

} // namespace mvf::results::detail
