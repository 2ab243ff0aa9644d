// The editor over UTF-8 text: moves, columns, wrapping and loading step over whole
// characters while positions stay in bytes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_test_support.h"
#include "viewer/editor/utf8.h"

namespace mvf::editor {
namespace {

using testing::EditorFixture;
using testing::Fill;
using testing::Paras;

// e-acute (2 bytes), euro (3), a wide ideograph (3 bytes, 2 cells), an emoji (4, 2 cells).
const std::string kE = "\xC3\xA9";
const std::string kEuro = "\xE2\x82\xAC";
const std::string kSun = "\xE6\x97\xA5";
const std::string kSmile = "\xF0\x9F\x98\x80";

using Utf8Editor = EditorFixture;

TEST_F(Utf8Editor, LeftAndRightStepOverWholeCharactersAndLoneInvalidBytes) {
    const std::string line = "a" + kE + kEuro + "\xFF" + "\xE2\x82" + kSmile + "b";
    Load({line, "next"});
    std::vector<int32_t> rightward;
    for (int i = 0; i < 9; ++i) {
        rightward.push_back(ed.Caret().pos);
        Do(ccRight);
    }
    // a, e-acute, euro, FF, E2, 82 (a cut sequence is two characters), emoji, b, end.
    EXPECT_EQ(rightward, (std::vector<int32_t>{1, 2, 4, 7, 8, 9, 10, 14, 15}));
    EXPECT_EQ(ed.Caret(), (ParaPos{2, 1}));
    std::vector<int32_t> leftward;
    Do(ccLeft);
    for (int i = 0; i < 8; ++i) {
        leftward.push_back(ed.Caret().pos);
        Do(ccLeft);
    }
    EXPECT_EQ(leftward, (std::vector<int32_t>{15, 14, 10, 9, 8, 7, 4, 2}));
    // Shift+Right extends by characters too.
    ed.SetCaret({1, 2});
    Do(ccExtendRight, 2);
    EXPECT_EQ(ed.SelectedText(), kE + kEuro);
}

TEST_F(Utf8Editor, ColumnsShownCountCharactersAndLinesKeepTheirDisplayColumn) {
    Load({kSun + kSun + "ab", "abcdef", kE + kE + kE + "x"});
    ed.SetCaret({1, 7}); // after the two ideographs: 4 cells, 2 characters
    EXPECT_EQ(ed.CaretLineCol().col, 7);
    EXPECT_EQ(ed.CaretColumnShown(), 3);
    Do(ccDown); // display column 4 on a plain line
    EXPECT_EQ(ed.Caret(), (ParaPos{2, 5}));
    EXPECT_EQ(ed.CaretColumnShown(), 5);
    Do(ccDown); // and on a line of two-byte characters: after the fourth character
    EXPECT_EQ(ed.Caret(), (ParaPos{3, 8}));
    EXPECT_EQ(ed.CaretColumnShown(), 5);
    // From the middle of a wide character's cells the caret lands on a boundary.
    ed.SetCaret({2, 4}); // display column 3
    Do(ccUp);
    EXPECT_TRUE(IsCharBoundary(list().ParaText(1), ed.Caret().pos - 1));
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 7}));
}

TEST_F(Utf8Editor, WordMovesAndDoubleClicksTakeMultiByteLettersAsWordCharacters) {
    Load({"na" + kE + "ve " + kSun + kSun + ", caf" + kE});
    Do(ccWordRight);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 8}));
    Do(ccWordRight);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 16}));
    Do(ccEnd);
    Do(ccWordLeft);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 16}));
    const int32_t w = 8;
    ed.DoubleClick(0, 15 + 7 * w + 2, w, false); // on the first ideograph's cells
    EXPECT_EQ(ed.SelectedText(), kSun + kSun);
    ed.DoubleClick(0, 15 + 1 * w, w, false);
    EXPECT_EQ(ed.SelectedText(), "na" + kE + "ve ");
}

TEST_F(Utf8Editor, MousePointsMapToCharacterBoundariesByCells) {
    Load({"a" + kSun + "b" + kEuro + "c"});
    const int32_t w = 10;
    const int32_t margin = ed.LeftMargin();
    // Cells: a 0, ideograph 1-2, b 3, euro 4, c 5.
    auto at = [&](int32_t pixel) { return ed.PointToLineCol(0, margin + pixel, w).col; };
    EXPECT_EQ(at(4), 1);
    EXPECT_EQ(at(6), 2);  // nearest boundary: before the ideograph
    EXPECT_EQ(at(26), 5); // past its middle: after it
    EXPECT_EQ(at(36), 6);
    EXPECT_EQ(at(46), 9); // after the euro sign
    EXPECT_EQ(at(100), 10);
}

TEST_F(Utf8Editor, EndOnAWrappedLineStopsOnItsLastWholeCharacter) {
    ed.SetWrapColumn(5);
    ed.SetWordWrap(true);
    Load({kSun + kSun + kSun});
    ASSERT_EQ(list().LineCount(), 3); // two display lines and the empty last paragraph
    Do(ccEnd);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 4}));
    EXPECT_EQ(ed.CaretLineCol(), (LineCol{1, 4}));
}

TEST(Utf8Wrapping, LinesBreakBetweenCharactersCountingCells) {
    TParaList list;
    list.SetWrapping(true, 5, 8);
    Fill(list, {kSun + kSun + kSun + kSun, kE + kE + kE + kE + kE + kE + kE,
                "ab " + kSmile + kSmile, "\xFF\xFF\xFF\xFF\xFF\xFF"});
    auto starts = [&](int32_t para) {
        std::vector<int32_t> out;
        const int32_t first = list.FirstLineOfPara(para);
        for (int32_t l = 0; l < list.ParaLineCount(para); ++l)
            out.push_back(list.FindLine(first + l).offset);
        return out;
    };
    EXPECT_EQ(starts(1), (std::vector<int32_t>{0, 6}));  // two ideographs (4 cells) a line
    EXPECT_EQ(starts(2), (std::vector<int32_t>{0, 10})); // five e-acutes a line
    EXPECT_EQ(starts(3), (std::vector<int32_t>{0, 3}));  // at the blank
    EXPECT_EQ(starts(4), (std::vector<int32_t>{0, 5}));  // invalid bytes: a cell each
    list.SetWrapping(true, 1, 8); // narrower than a wide character: one a line, never split
    EXPECT_EQ(starts(1), (std::vector<int32_t>{0, 3, 6, 9}));
}

TEST(Utf8Loading, AnOverlongLineIsCutBetweenCharacters) {
    TParaList list;
    list.SetParaLengthLimit(10);
    Fill(list, {"abc" + kEuro + kEuro + kEuro + kEuro});
    // 15 bytes: the cut before the third euro sign (byte 10 would split it).
    EXPECT_EQ(Paras(list), (std::vector<std::string>{"abc" + kEuro + kEuro, kEuro + kEuro, ""}));
}

} // namespace
} // namespace mvf::editor
