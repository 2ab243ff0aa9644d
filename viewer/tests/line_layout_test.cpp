// Where each character of a display line shows, and what it shows.
#include <gtest/gtest.h>

#include <string>

#include "line_layout.h"

namespace mvf::viewer {
namespace {

TEST(LineLayout, CharactersTakeTheirCellsTabsReachTheirStops) {
    // a, tab (to 8), e-acute (2 bytes), a wide ideograph (3 bytes, 2 cells), an invalid
    // byte, a cut sequence (two invalid bytes), z.
    const std::string text = "a\t\xC3\xA9\xE6\x97\xA5\xFF\xE2\x82z";
    const LaidLine line = LayOutLine(text, 8, 0, 100);
    struct Want {
        int32_t offset, length, cell, cells;
        char32_t shown;
    };
    const std::vector<Want> want = {{0, 1, 0, 1, U'a'},      {1, 1, 1, 7, 0},
                                    {2, 2, 8, 1, U'\u00E9'}, {4, 3, 9, 2, U'\u65E5'},
                                    {7, 1, 11, 1, 0xFFFD},   {8, 1, 12, 1, 0xFFFD},
                                    {9, 1, 13, 1, 0xFFFD},   {10, 1, 14, 1, U'z'}};
    ASSERT_EQ(line.chars.size(), want.size());
    for (size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(line.chars[i].offset, want[i].offset) << i;
        EXPECT_EQ(line.chars[i].length, want[i].length) << i;
        EXPECT_EQ(line.chars[i].cell, want[i].cell) << i;
        EXPECT_EQ(line.chars[i].cells, want[i].cells) << i;
        EXPECT_EQ(line.chars[i].shown, want[i].shown) << i;
    }
    EXPECT_EQ(line.cells, 15);
    // Only what reaches into the cells asked for; the tab reaches from cell 1 into 5.
    const LaidLine part = LayOutLine(text, 8, 5, 10);
    ASSERT_EQ(part.chars.size(), 3u);
    EXPECT_EQ(part.chars[0].offset, 1);
    EXPECT_EQ(part.chars[2].offset, 4);
    EXPECT_EQ(part.cells, 15);
}

TEST(LineLayout, OffsetsMapToTheCellOfTheirCharacterAndOnePerByteBeyondTheEnd) {
    const std::string text = "\tx\xE6\x97\xA5y";
    EXPECT_EQ(CellOfOffset(text, 0, 4), 0);
    EXPECT_EQ(CellOfOffset(text, 1, 4), 4);
    EXPECT_EQ(CellOfOffset(text, 2, 4), 5);
    EXPECT_EQ(CellOfOffset(text, 3, 4), 5); // inside the ideograph: its first cell
    EXPECT_EQ(CellOfOffset(text, 5, 4), 7);
    EXPECT_EQ(CellOfOffset(text, 6, 4), 8);
    EXPECT_EQ(CellOfOffset(text, 9, 4), 11);
}

TEST(LineLayout, ControlCharactersShowTheirPicturesBlanksShowNothing) {
    EXPECT_EQ(ShownChar(editor::DecodeChar("\x01", 0)), U'\u2401');
    EXPECT_EQ(ShownChar(editor::DecodeChar("\x7F", 0)), U'\u2421');
    EXPECT_EQ(ShownChar(editor::DecodeChar("\xC2\x85", 0)), U'\uFFFD'); // a C1 control
    EXPECT_EQ(ShownChar(editor::DecodeChar(" ", 0)), 0u);
    EXPECT_EQ(ShownChar(editor::DecodeChar("\t", 0)), 0u);
    EXPECT_EQ(ShownChar(editor::DecodeChar("\xC2\xA0", 0)), U'\u00A0');
}

} // namespace
} // namespace mvf::viewer
