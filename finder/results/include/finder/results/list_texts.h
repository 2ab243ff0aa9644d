// The texts the main window shows about the results list, and which of its commands are
// enabled. The window only puts these where they belong.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "finder/results/results_list.h"

namespace mvf::results {

// The header of report column 0-4: "Filename", "Path", "Size on Disk", "Creation Date",
// "Last Edited"; empty for any other column.
std::string_view ColumnTitle(int column);

// Status panel 0: empty for no selection, the row's name for one selected row, else the
// count followed by " Files Selected". `selectedRows` are row numbers of `list`.
std::string SelectionText(const ResultsList& list, std::span<const std::size_t> selectedRows);

// Status panel 1: "Files With Hits: " and the number of rows.
std::string HitsText(std::size_t rows);

// Status panel 2 for a sort state, e.g. "Sort: Size - (9-0)"; empty for kNoSort.
std::string_view SortText(int column, bool ascending);

// The question the clear command asks (Yes and No) before it clears the list.
inline constexpr std::string_view kClearQuestion =
    "Are you sure you want to clear the search results list?";

// Which toolbar commands are enabled, and the panel 1 text that goes with them.
struct ToolbarState {
    bool open = false;      // Open: a row is selected
    bool remove = false;    // Delete: a row is selected
    bool clear = false;     // Clear: rows exist and no search runs
    bool load = false;      // Load (OpenListBtn): no search runs
    bool save = false;      // Save (SaveListBtn): rows exist and no search runs
    bool stop = false;      // Stop (StopGoBtn): a search runs
    bool newSearch = false; // New search (Newsearchbtn): no search runs
    bool done = true;       // Done (ExitBtn): always
    std::string hitsText;   // status panel 1

    friend bool operator==(const ToolbarState&, const ToolbarState&) = default;
};
ToolbarState UpdateTB(std::size_t selectedRows, std::size_t rows, bool searchRunning);

} // namespace mvf::results
