// Characters in the text: UTF-8 sequences over byte positions.
//
// Positions, lengths and limits stay in bytes; these helpers say where the characters
// begin and how wide they are on screen. A well-formed UTF-8 sequence is one character; a
// byte that does not begin one is a character of its own (kept, shown as one replacement
// mark). So every byte belongs to exactly one character, and the boundaries found going
// forward from any boundary are the ones found going backward.
#pragma once

#include <cstdint>
#include <string_view>

namespace mvf::editor {

// The character that starts at byte `i`.
struct Utf8Char {
    char32_t code = 0;  // the code point, or the byte itself when not valid
    int32_t length = 1; // bytes, 1 to 4
    bool valid = true;  // false: a byte that begins no well-formed sequence
};

Utf8Char DecodeChar(std::string_view text, int32_t i);

// Bytes of the character starting at `i` (1 for an invalid byte; `i` < size).
inline int32_t CharLength(std::string_view text, int32_t i) {
    if (static_cast<unsigned char>(text[i]) < 0x80) return 1;
    return DecodeChar(text, i).length;
}

// The start of the next character after the one at boundary `i` (size at the end).
inline int32_t NextCharStart(std::string_view text, int32_t i) {
    return i < static_cast<int32_t>(text.size()) ? i + CharLength(text, i) : i + 1;
}

// The start of the character that ends at boundary `i` (`i` > 0).
int32_t PrevCharStart(std::string_view text, int32_t i);

// Whether byte offset `i` lies between two characters (the ends count).
bool IsCharBoundary(std::string_view text, int32_t i);

// The nearest boundary at or before `i`.
int32_t CharBoundaryAtOrBefore(std::string_view text, int32_t i);

// Characters in `text`.
int32_t CharCount(std::string_view text);

// True when every byte is ASCII: characters are bytes then.
bool IsAscii(std::string_view text);

// Screen cells of a character: 2 for the wide and full-width East Asian characters,
// 1 for every other one (tabs are expanded by the caller).
int32_t CharCells(char32_t code);

// Cells of the character starting at byte `i` when the display column before it is
// `column` (from 0): a tab reaches the next multiple of `tabSize`.
inline int32_t CellsAt(std::string_view text, int32_t i, int32_t column, int32_t tabSize,
                       int32_t* length) {
    const auto byte = static_cast<unsigned char>(text[i]);
    if (byte < 0x80) {
        *length = 1;
        return byte == '\t' ? (column / tabSize + 1) * tabSize - column : 1;
    }
    const Utf8Char c = DecodeChar(text, i);
    *length = c.length;
    return c.valid ? CharCells(c.code) : 1;
}

} // namespace mvf::editor
