#include "viewer/app/print_lines.h"

#include <algorithm>

#include "viewer/editor/utf8.h"

namespace mvf::viewer {
namespace {

using editor::CellsAt;

// Appends `text` from display column `column` with its tabs expanded, up to the limit of
// characters; returns the column reached.
int32_t AppendExpanded(std::string& out, int32_t& characters, std::string_view text, int32_t column,
                       int32_t tabSize) {
    const auto size = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < size && characters < kPrintLineLimit;) {
        int32_t length = 1;
        const int32_t cells = CellsAt(text, i, column, tabSize, &length);
        if (text[i] == '\t') {
            const int32_t blanks = std::min(cells, kPrintLineLimit - characters);
            out.append(static_cast<size_t>(blanks), ' ');
            characters += blanks;
        } else {
            out.append(text.substr(i, length));
            ++characters;
        }
        column += cells;
        i += length;
    }
    return column;
}

// The display cells of `text` from column 0.
int32_t CellsOf(std::string_view text, int32_t tabSize) {
    int32_t column = 0;
    for (int32_t i = 0; i < static_cast<int32_t>(text.size());) {
        int32_t length = 1;
        column += CellsAt(text, i, column, tabSize, &length);
        i += length;
    }
    return column;
}

std::string PrintLine(std::string_view text, int32_t tabSize, int32_t from = 0) {
    std::string out;
    int32_t characters = 0;
    int32_t column = 0;
    if (from > 0) {
        column = CellsOf(text.substr(0, from), tabSize);
        const int32_t blanks = std::min(column, kPrintLineLimit);
        out.append(static_cast<size_t>(blanks), ' ');
        characters = blanks;
    }
    AppendExpanded(out, characters, text.substr(from), column, tabSize);
    return out;
}

} // namespace

std::vector<std::string> AllPrintLines(editor::TParaList& list) {
    std::vector<std::string> lines;
    lines.reserve(static_cast<size_t>(list.LineCount()));
    const int32_t tabSize = std::max(list.TabSize(), 1);
    for (int32_t line = 1; line <= list.LineCount(); ++line)
        lines.push_back(PrintLine(list.LineText(line), tabSize));
    return lines;
}

std::vector<std::string> SelectionPrintLines(editor::TOvcCustomEditor& editor) {
    std::vector<std::string> lines;
    if (!editor.HasSelection()) return lines;
    editor::TParaList& list = editor.Paragraphs();
    const int32_t tabSize = std::max(list.TabSize(), 1);
    const editor::LineCol first = list.ParaToLine(editor.SelectionStart());
    const editor::LineCol last = list.ParaToLine(editor.SelectionEnd());
    const int32_t lastLine = last.col <= 1 && last.line > first.line ? last.line - 1 : last.line;
    for (int32_t line = first.line; line <= lastLine; ++line) {
        std::string_view text = list.LineText(line);
        if (line == last.line)
            text = text.substr(0, std::min<size_t>(text.size(), static_cast<size_t>(last.col - 1)));
        const int32_t from =
            line == first.line ? std::min<int32_t>(first.col - 1, static_cast<int32_t>(text.size()))
                               : 0;
        lines.push_back(PrintLine(text, tabSize, from));
    }
    return lines;
}

std::vector<std::vector<std::string>> PrintPages(const std::vector<std::string>& lines,
                                                 int32_t charsPerRow, int32_t rowsPerPage) {
    charsPerRow = std::max(charsPerRow, 1);
    rowsPerPage = std::max(rowsPerPage, 1);
    std::vector<std::vector<std::string>> pages(1);
    auto addRow = [&](std::string row) {
        if (static_cast<int32_t>(pages.back().size()) == rowsPerPage) pages.emplace_back();
        pages.back().push_back(std::move(row));
    };
    for (const std::string& line : lines) {
        const auto size = static_cast<int32_t>(line.size());
        int32_t start = 0;
        do {
            int32_t end = start;
            for (int32_t characters = 0; end < size && characters < charsPerRow; ++characters)
                end = editor::NextCharStart(line, end);
            addRow(line.substr(start, end - start));
            start = end;
        } while (start < size);
    }
    return pages;
}

} // namespace mvf::viewer
