// Characters over bytes: decoding, boundaries both ways, screen cells.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "viewer/editor/utf8.h"

namespace mvf::editor {
namespace {

std::vector<int32_t> ForwardBoundaries(std::string_view s) {
    std::vector<int32_t> out{0};
    for (int32_t i = 0; i < static_cast<int32_t>(s.size());) {
        i = NextCharStart(s, i);
        out.push_back(i);
    }
    return out;
}

TEST(Utf8, DecodesWellFormedSequencesAndRefusesTheRest) {
    struct Case {
        std::string bytes;
        char32_t code;
        int32_t length;
        bool valid;
    };
    const std::vector<Case> cases = {
        {"A", U'A', 1, true},
        {"\xC3\xA9", U'\u00E9', 2, true},
        {"\xE2\x82\xAC", U'\u20AC', 3, true},
        {"\xF0\x9F\x98\x80", U'\U0001F600', 4, true},
        {"\xF4\x8F\xBF\xBF", U'\U0010FFFF', 4, true},
        {"\xC0\xAF", 0xC0, 1, false},         // overlong
        {"\xE0\x80\xAF", 0xE0, 1, false},     // overlong
        {"\xED\xA0\x80", 0xED, 1, false},     // a surrogate
        {"\xF4\x90\x80\x80", 0xF4, 1, false}, // above U+10FFFF
        {"\xF5\x80\x80\x80", 0xF5, 1, false},
        {"\x80", 0x80, 1, false},     // a lone continuation byte
        {"\xE2\x82", 0xE2, 1, false}, // cut short by the end
        {"\xE2\x82"
         "A",
         0xE2, 1, false}, // cut short by an ASCII byte
        {"\xFF", 0xFF, 1, false},
    };
    for (const Case& c : cases) {
        const Utf8Char got = DecodeChar(c.bytes, 0);
        EXPECT_EQ(got.code, c.code) << c.bytes;
        EXPECT_EQ(got.length, c.length) << c.bytes;
        EXPECT_EQ(got.valid, c.valid) << c.bytes;
    }
}

TEST(Utf8, EveryByteBelongsToOneCharacterAndBackwardFindsTheSameBoundaries) {
    // Random mixes of ASCII, whole sequences, their fragments and stray bytes.
    const std::vector<std::string> pieces = {"a",
                                             " ",
                                             "\t",
                                             "\xC3\xA9",
                                             "\xE2\x82\xAC",
                                             "\xF0\x9F\x98\x80",
                                             "\xE6\x97\xA5",
                                             "\x80",
                                             "\xBF",
                                             "\xC3",
                                             "\xE2\x82",
                                             "\xF0\x9F\x98",
                                             "\xFF",
                                             "\xC0\xAF",
                                             "\xED\xA0\x80"};
    std::mt19937 rng(7);
    for (int round = 0; round < 2000; ++round) {
        std::string s;
        const int n = static_cast<int>(rng() % 12);
        for (int k = 0; k < n; ++k) s += pieces[rng() % pieces.size()];
        const std::vector<int32_t> forward = ForwardBoundaries(s);
        ASSERT_EQ(forward.back(), static_cast<int32_t>(s.size()));
        EXPECT_EQ(CharCount(s), static_cast<int32_t>(forward.size()) - 1);
        std::vector<int32_t> backward{static_cast<int32_t>(s.size())};
        while (backward.back() > 0) backward.push_back(PrevCharStart(s, backward.back()));
        std::reverse(backward.begin(), backward.end());
        EXPECT_EQ(backward, forward) << "round " << round;
        for (int32_t i = 0; i <= static_cast<int32_t>(s.size()); ++i) {
            const bool boundary = std::find(forward.begin(), forward.end(), i) != forward.end();
            EXPECT_EQ(IsCharBoundary(s, i), boundary) << "round " << round << " at " << i;
            const int32_t before = CharBoundaryAtOrBefore(s, i);
            EXPECT_TRUE(std::find(forward.begin(), forward.end(), before) != forward.end());
            EXPECT_LE(before, i);
            EXPECT_GT(before, i - 4);
        }
    }
}

TEST(Utf8, WideEastAsianCharactersTakeTwoCellsAndTabsReachTheNextStop) {
    EXPECT_EQ(CharCells(U'A'), 1);
    EXPECT_EQ(CharCells(U'\u00E9'), 1);
    EXPECT_EQ(CharCells(U'\u65E5'), 2);     // a CJK ideograph
    EXPECT_EQ(CharCells(U'\uAC00'), 2);     // a Hangul syllable
    EXPECT_EQ(CharCells(U'\uFF21'), 2);     // a full-width Latin letter
    EXPECT_EQ(CharCells(U'\uFF61'), 1);     // a half-width katakana mark
    EXPECT_EQ(CharCells(U'\U0001F600'), 2); // an emoji
    EXPECT_EQ(CharCells(U'\u303F'), 1);
    const std::string s = "a\t\xE6\x97\xA5\xFF";
    int32_t length = 0;
    EXPECT_EQ(CellsAt(s, 1, 1, 8, &length), 7);
    EXPECT_EQ(length, 1);
    EXPECT_EQ(CellsAt(s, 2, 8, 8, &length), 2);
    EXPECT_EQ(length, 3);
    EXPECT_EQ(CellsAt(s, 5, 10, 8, &length), 1); // an invalid byte shows as one mark
    EXPECT_EQ(length, 1);
    EXPECT_TRUE(IsAscii("plain text, long enough for the eight-byte steps"));
    EXPECT_FALSE(IsAscii("plain text, long enough for the eight-byte steps\xC3\xA9"));
    EXPECT_FALSE(IsAscii("\x80"));
}

} // namespace
} // namespace mvf::editor
