#include "line_layout.h"

namespace mvf::viewer {
namespace {

constexpr char32_t kReplacementMark = 0xFFFD;
constexpr char32_t kControlPictures = 0x2400;
constexpr char32_t kDeletePicture = 0x2421;

} // namespace

char32_t ShownChar(const editor::Utf8Char& c) {
    if (!c.valid) return kReplacementMark;
    if (c.code == ' ' || c.code == '\t') return 0;
    if (c.code < 0x20) return kControlPictures + c.code;
    if (c.code == 0x7F) return kDeletePicture;
    if (c.code >= 0x80 && c.code < 0xA0) return kReplacementMark;
    return c.code;
}

LaidLine LayOutLine(std::string_view text, int32_t tabSize, int32_t firstCell, int32_t endCell) {
    LaidLine line;
    tabSize = tabSize > 0 ? tabSize : 1;
    const auto size = static_cast<int32_t>(text.size());
    int32_t cell = 0;
    for (int32_t i = 0; i < size;) {
        const editor::Utf8Char c = editor::DecodeChar(text, i);
        const int32_t cells = c.code == '\t' && c.valid ? (cell / tabSize + 1) * tabSize - cell
                              : c.valid                 ? editor::CharCells(c.code)
                                                        : 1;
        if (cell + cells > firstCell && cell < endCell) {
            line.chars.push_back({i, c.length, cell, cells, ShownChar(c)});
        }
        cell += cells;
        i += c.length;
    }
    line.cells = cell;
    return line;
}

int32_t CellOfOffset(std::string_view text, int32_t offset, int32_t tabSize) {
    tabSize = tabSize > 0 ? tabSize : 1;
    const auto size = static_cast<int32_t>(text.size());
    int32_t cell = 0;
    int32_t i = 0;
    while (i < size && i < offset) {
        int32_t length = 1;
        const int32_t cells = editor::CellsAt(text, i, cell, tabSize, &length);
        if (i + length > offset) break; // inside a character: its start
        cell += cells;
        i += length;
    }
    return offset > size ? cell + offset - size : cell;
}

} // namespace mvf::viewer
