#include "char_codes.h"

namespace mvf::dialog {

namespace {

// Codes 128-159 of the Western code page; 0 where it has no character.
constexpr char16_t kCodePage128[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

} // namespace

std::optional<char16_t> CharacterOfCode(int code) {
    if (code < kCharMapFirstCode || code > 255 || code == 127) return std::nullopt;
    if (code >= 128 && code < 160) {
        const char16_t c = kCodePage128[code - 128];
        if (c == 0) return std::nullopt;
        return c;
    }
    return static_cast<char16_t>(code);
}

} // namespace mvf::dialog
