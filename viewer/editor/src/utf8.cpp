#include "viewer/editor/utf8.h"

#include <algorithm>
#include <cstring>
#include <iterator>

namespace mvf::editor {
namespace {

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
    return byte >= low && byte <= high;
}

struct Range {
    char32_t first;
    char32_t last;
};

// The wide and full-width characters (East Asian Width W and F), in order.
constexpr Range kWide[] = {
    {0x1100, 0x115F},   {0x231A, 0x231B},   {0x2329, 0x232A},   {0x23E9, 0x23EC},
    {0x23F0, 0x23F0},   {0x23F3, 0x23F3},   {0x25FD, 0x25FE},   {0x2614, 0x2615},
    {0x2648, 0x2653},   {0x267F, 0x267F},   {0x2693, 0x2693},   {0x26A1, 0x26A1},
    {0x26AA, 0x26AB},   {0x26BD, 0x26BE},   {0x26C4, 0x26C5},   {0x26CE, 0x26CE},
    {0x26D4, 0x26D4},   {0x26EA, 0x26EA},   {0x26F2, 0x26F3},   {0x26F5, 0x26F5},
    {0x26FA, 0x26FA},   {0x26FD, 0x26FD},   {0x2705, 0x2705},   {0x270A, 0x270B},
    {0x2728, 0x2728},   {0x274C, 0x274C},   {0x274E, 0x274E},   {0x2753, 0x2755},
    {0x2757, 0x2757},   {0x2795, 0x2797},   {0x27B0, 0x27B0},   {0x27BF, 0x27BF},
    {0x2B1B, 0x2B1C},   {0x2B50, 0x2B50},   {0x2B55, 0x2B55},   {0x2E80, 0x303E},
    {0x3041, 0x33FF},   {0x3400, 0x4DBF},   {0x4E00, 0x9FFF},   {0xA000, 0xA4CF},
    {0xA960, 0xA97F},   {0xAC00, 0xD7A3},   {0xF900, 0xFAFF},   {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F},   {0xFF00, 0xFF60},   {0xFFE0, 0xFFE6},   {0x16FE0, 0x16FE4},
    {0x17000, 0x18CFF}, {0x1B000, 0x1B2FF}, {0x1F004, 0x1F004}, {0x1F0CF, 0x1F0CF},
    {0x1F18E, 0x1F18E}, {0x1F191, 0x1F19A}, {0x1F200, 0x1F202}, {0x1F210, 0x1F23B},
    {0x1F240, 0x1F248}, {0x1F250, 0x1F251}, {0x1F260, 0x1F265}, {0x1F300, 0x1F320},
    {0x1F32D, 0x1F335}, {0x1F337, 0x1F37C}, {0x1F37E, 0x1F393}, {0x1F3A0, 0x1F3CA},
    {0x1F3CF, 0x1F3D3}, {0x1F3E0, 0x1F3F0}, {0x1F3F4, 0x1F3F4}, {0x1F3F8, 0x1F43E},
    {0x1F440, 0x1F440}, {0x1F442, 0x1F4FC}, {0x1F4FF, 0x1F53D}, {0x1F54B, 0x1F54E},
    {0x1F550, 0x1F567}, {0x1F57A, 0x1F57A}, {0x1F595, 0x1F596}, {0x1F5A4, 0x1F5A4},
    {0x1F5FB, 0x1F64F}, {0x1F680, 0x1F6C5}, {0x1F6CC, 0x1F6CC}, {0x1F6D0, 0x1F6D2},
    {0x1F6D5, 0x1F6D7}, {0x1F6EB, 0x1F6EC}, {0x1F6F4, 0x1F6FC}, {0x1F7E0, 0x1F7EB},
    {0x1F90C, 0x1F93A}, {0x1F93C, 0x1F945}, {0x1F947, 0x1F9FF}, {0x1FA70, 0x1FAFF},
    {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

} // namespace

Utf8Char DecodeChar(std::string_view text, int32_t i) {
    const auto size = static_cast<int32_t>(text.size());
    const auto at = [&](int32_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = at(i);
    if (lead < 0x80) return {lead, 1, true};
    const Utf8Char invalid{lead, 1, false};
    int32_t length;
    char32_t code;
    // The second byte's range depends on the lead: no overlong forms, no surrogates,
    // nothing above U+10FFFF.
    unsigned char low = 0x80;
    unsigned char high = 0xBF;
    if (InRange(lead, 0xC2, 0xDF)) {
        length = 2;
        code = lead & 0x1F;
    } else if (InRange(lead, 0xE0, 0xEF)) {
        length = 3;
        code = lead & 0x0F;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (InRange(lead, 0xF0, 0xF4)) {
        length = 4;
        code = lead & 0x07;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return invalid;
    }
    if (i + length > size) return invalid;
    if (!InRange(at(i + 1), low, high)) return invalid;
    for (int32_t k = 1; k < length; ++k) {
        if (k > 1 && !InRange(at(i + k), 0x80, 0xBF)) return invalid;
        code = (code << 6) | (at(i + k) & 0x3F);
    }
    return {code, length, true};
}

int32_t PrevCharStart(std::string_view text, int32_t i) {
    // A lead byte up to three bytes back whose sequence ends exactly here; otherwise the
    // byte just before is a character of its own.
    for (int32_t k = i - 1; k >= 0 && k >= i - 4; --k) {
        const auto byte = static_cast<unsigned char>(text[k]);
        if (byte < 0x80 || byte >= 0xC0) {
            if (k < i - 1 && DecodeChar(text, k).length == i - k) return k;
            break;
        }
    }
    return i - 1;
}

bool IsCharBoundary(std::string_view text, int32_t i) {
    const auto size = static_cast<int32_t>(text.size());
    if (i <= 0 || i >= size) return true;
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) return true;
    // A continuation byte is inside a character when a valid sequence starting at a lead
    // byte up to three bytes back covers it.
    for (int32_t k = i - 1; k >= 0 && k >= i - 3; --k) {
        const auto byte = static_cast<unsigned char>(text[k]);
        if ((byte & 0xC0) != 0x80) return DecodeChar(text, k).length <= i - k;
    }
    return true;
}

int32_t CharBoundaryAtOrBefore(std::string_view text, int32_t i) {
    while (!IsCharBoundary(text, i)) --i;
    return i;
}

int32_t CharCount(std::string_view text) {
    int32_t count = 0;
    const auto size = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < size; i += CharLength(text, i)) ++count;
    return count;
}

bool IsAscii(std::string_view text) {
    // Eight bytes at a time: the high bits of all of them at once.
    size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        uint64_t word;
        std::memcpy(&word, text.data() + i, 8);
        if (word & 0x8080808080808080ULL) return false;
    }
    for (; i < text.size(); ++i) {
        if (static_cast<unsigned char>(text[i]) >= 0x80) return false;
    }
    return true;
}

int32_t CharCells(char32_t code) {
    if (code < kWide[0].first) return 1;
    const auto it = std::upper_bound(std::begin(kWide), std::end(kWide), code,
                                     [](char32_t c, const Range& r) { return c < r.first; });
    return it != std::begin(kWide) && code <= std::prev(it)->last ? 2 : 1;
}

} // namespace mvf::editor
