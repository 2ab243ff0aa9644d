// One display line laid out in screen cells: where each character shows and what it shows.
// Plain C++, so the drawing's decisions are testable without a window.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "viewer/editor/utf8.h"

namespace mvf::viewer {

struct LaidChar {
    int32_t offset = 0; // byte offset inside the display line
    int32_t length = 1; // bytes
    int32_t cell = 0;   // first cell, counted from 0 at the line's start
    int32_t cells = 1;  // cells taken: 2 for a wide character, a tab up to the next stop
    char32_t shown = 0; // the character drawn; 0 when nothing is drawn (blanks)
};

struct LaidLine {
    std::vector<LaidChar> chars; // the characters reaching into the cells asked for
    int32_t cells = 0;           // cells of the whole line
};

// Lays out `text`, keeping the characters that touch cells [firstCell, endCell).
LaidLine LayOutLine(std::string_view text, int32_t tabSize, int32_t firstCell, int32_t endCell);

// The cell where byte `offset` of the line begins; past the end every byte position is one
// more cell (the blank space a caret may stand in).
int32_t CellOfOffset(std::string_view text, int32_t offset, int32_t tabSize);

// What a character looks like: an invalid byte or a C1 control shows a replacement mark,
// a C0 control or DEL its control picture, a blank nothing.
char32_t ShownChar(const editor::Utf8Char& c);

} // namespace mvf::viewer
