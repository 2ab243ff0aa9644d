// The characters of the special-character map: codes 32 to 255 in rows of 32.
//
// The map was made for the Windows Western code page; here texts are UTF-8. A cell shows
// the character its code stands for in that code page, and picking it inserts that
// character, which the find text holds (and the search matches) as its UTF-8 bytes:
// codes 32-126 are ASCII, 160-255 the Latin-1 characters U+00A0-U+00FF, and 128-159 the
// code page's own (the euro sign, typographic quotes and dashes, ...). Codes that stand
// for no character there (127, the delete control; 129, 141, 143, 144, 157) show an
// empty cell and insert nothing.
#pragma once

#include <optional>

namespace mvf::dialog {

inline constexpr int kCharMapColumns = 32;
inline constexpr int kCharMapRows = 7;
inline constexpr int kCharMapFirstCode = 32;

// The code of a cell: 32 + 32 x row + column.
inline constexpr int CharMapCode(int row, int column) {
    return kCharMapFirstCode + kCharMapColumns * row + column;
}

// The Unicode character of a code from 32 to 255; none for a code that has none.
std::optional<char16_t> CharacterOfCode(int code);

} // namespace mvf::dialog
