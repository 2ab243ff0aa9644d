// What a print holds: the document's display lines, tabs expanded to blanks by the tab
// size, each cut to 1,024 characters; and how they fill the pages.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "viewer/editor/editor.h"
#include "viewer/editor/para_list.h"

namespace mvf::viewer {

inline constexpr int32_t kPrintLineLimit = 1024;

// Every display line, first to last.
std::vector<std::string> AllPrintLines(editor::TParaList& list);
// The display lines from the selection's first to its last: on the first line the text
// before the selection becomes blanks (so the selection keeps its place on the line), the
// last line ends with the selection's last character. A selection that ends at the very
// start of a line does not print that line. Nothing without a selection.
std::vector<std::string> SelectionPrintLines(editor::TOvcCustomEditor& editor);

// The printed rows page by page: a line wider than `charsPerRow` characters goes on in
// the next row, and a page holds `rowsPerPage` rows.
std::vector<std::vector<std::string>> PrintPages(const std::vector<std::string>& lines,
                                                 int32_t charsPerRow, int32_t rowsPerPage);

} // namespace mvf::viewer
