// One row of the results file as a line: written with its columns padded and parted by
// TABs, and read back the way the loader reads it.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "finder/results/result_entry.h"

namespace mvf::results::detail {

// Words parted by runs of `separators`; leading separators are skipped.
std::vector<std::string_view> Words(std::string_view line, std::string_view separators);

// The widths the columns are padded to, measured over all rows.
struct Widths {
    std::size_t name = 0, path = 0, size = 0, created = 0, modified = 0;
};
Widths Measure(std::span<const ResultEntry> rows);

// Appends the header line (the column titles) without its line end.
void AppendColumnTitles(std::string& out, const Widths& w);

// Appends the row's line without its line end. The padded columns cannot hold every name
// (trailing blanks and control characters are taken for padding, TAB, CR and LF are shown
// as "?"); a row whose columns would load back as another file gets a seventh field, its
// full path in double quotes with "\\", "\"", "\t", "\r", "\n" and "\xHH" escapes.
// Answers the fault's text, and appends nothing, for a row that no line could bring back
// (one whose path names no file).
std::optional<std::string> AppendRow(std::string& out, const ResultEntry& row, const Widths& w);

// A row line as the loader reads it.
struct RowFields {
    std::string path; // the full path, as AddItem takes it
    std::string_view type;
    std::int64_t size = 0;
    std::string_view created; // without its leading and trailing spaces
    std::string_view modified;
};

// The fields of `line`, or the fault's text ("has fewer than six fields." and so on).
std::variant<RowFields, std::string> ReadRow(std::string_view line);

} // namespace mvf::results::detail
