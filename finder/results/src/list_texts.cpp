#include "finder/results/list_texts.h"

#include "text_util.h"

namespace mvf::results {

std::string_view ColumnTitle(int column) {
    static constexpr std::string_view kTitles[kColumnCount] = {"Filename", "Path", "Size on Disk",
                                                               "Creation Date", "Last Edited"};
    return column >= 0 && column < kColumnCount ? kTitles[column] : std::string_view();
}

std::string SelectionText(const ResultsList& list, std::span<const std::size_t> selectedRows) {
    if (selectedRows.empty()) return {};
    if (selectedRows.size() == 1) return std::string(list[selectedRows.front()].name());
    return std::to_string(selectedRows.size()) + " Files Selected";
}

std::string HitsText(std::size_t rows) {
    return "Files With Hits: " + std::to_string(rows);
}

std::string_view SortText(int column, bool ascending) {
    static constexpr std::string_view kTexts[kColumnCount][2] = {
        {"Sort: Name - (A-Z)", "Sort: Name - (Z-A)"},
        {"Sort: Path - (A-Z)", "Sort: Path - (Z-A)"},
        {"Sort: Size - (0-9)", "Sort: Size - (9-0)"},
        {"Sort: Creation Date - (0-9)", "Sort: Creation Date - (9-0)"},
        {"Sort: Edited Date - (0-9)", "Sort: Edited Date - (9-0)"},
    };
    if (column < 0 || column >= kColumnCount) return {};
    return kTexts[column][ascending ? 0 : 1];
}

ToolbarState UpdateTB(std::size_t selectedRows, std::size_t rows, bool searchRunning) {
    ToolbarState state;
    state.open = state.remove = selectedRows > 0;
    state.clear = state.save = rows > 0 && !searchRunning;
    state.load = state.newSearch = !searchRunning;
    state.stop = searchRunning;
    state.done = true;
    state.hitsText = HitsText(rows);
    return state;
}

} // namespace mvf::results
