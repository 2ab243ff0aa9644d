// The editor over UTF-8 text: moves, columns, wrapping and loading step over whole
// characters while positions stay in bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "editor_test_support.h"
#include "testsupport/temp_folder.h"
#include "viewer/editor/text_file_editor.h"
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

TEST_F(Utf8Editor, TypingOvertypingAndDeletingTakeWholeCharacters) {
    Load({"a" + kEuro + "\xFF" + kE + "b"});
    ed.SetCaret({1, 2});
    ed.ProcessChar(kSun); // insert: a, ideograph, euro, ...
    EXPECT_EQ(list().ParaText(1), "a" + kSun + kEuro + "\xFF" + kE + "b");
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 5}));
    Do(ccIns); // overwrite: each typed character replaces one character of any length
    ed.ProcessChar("x");
    EXPECT_EQ(list().ParaText(1), "a" + kSun + "x\xFF" + kE + "b");
    ed.ProcessChar(kSmile); // over the invalid byte
    EXPECT_EQ(list().ParaText(1), "a" + kSun + "x" + kSmile + kE + "b");
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 10}));
    Do(ccUndo);
    Do(ccUndo);
    EXPECT_EQ(list().ParaText(1), "a" + kSun + kEuro + "\xFF" + kE + "b");
    Do(ccIns);
    ed.SetCaret({1, 5});
    Do(ccDel); // the euro sign, all three bytes
    EXPECT_EQ(list().ParaText(1), "a" + kSun + "\xFF" + kE + "b");
    Do(ccBack); // the ideograph
    EXPECT_EQ(list().ParaText(1), "a\xFF" + kE + "b");
    Do(ccDel); // the invalid byte alone
    EXPECT_EQ(list().ParaText(1), "a" + kE + "b");
    Do(ccEnd);
    Do(ccBack, 2);
    EXPECT_EQ(list().ParaText(1), "a");
    // A character message of several bytes is one character: suppressed whole after the
    // first key of a sequence, otherwise typed whole.
    controller.LoadTables(TOvcController::ViewerTables());
    controller.EntryCommands.Table("WordStar")->SetActive(true);
    ed.KeyDown('Q', ssCtrl);
    ed.KeyPress(kEuro);
    EXPECT_EQ(list().ParaText(1), "a");
    ed.KeyDown('E', 0); // no such pair
    ed.KeyPress(kEuro);
    EXPECT_EQ(list().ParaText(1), "a" + kEuro);
}

TEST_F(Utf8Editor, TabsCountColumnsInCellsAndOvertypeWholeCharacters) {
    ed.SetTabType(ttFixed);
    ed.SetTabSize(4);
    Load({kSun + "x", kE + kE + kE + kE + kE + kE});
    ed.SetCaret({1, 4}); // display column 3, after the ideograph
    Do(ccTab);
    EXPECT_EQ(list().ParaText(1), kSun + "  x");
    // In overwrite mode a fixed tab's spaces replace as many characters.
    Do(ccIns);
    ed.SetCaret({2, 3}); // after one e-acute: three spaces to the stop after column 4
    Do(ccTab);
    EXPECT_EQ(list().ParaText(2), kE + "   " + kE + kE);
    // A smart tab lines up with the next word above, counting the ideograph as two cells.
    Do(ccIns);
    ed.SetTabType(ttSmart);
    Load({kSun + kSun + " word", "ab"});
    ed.SetCaret({2, 3});
    Do(ccTab);
    EXPECT_EQ(list().ParaText(2), "ab   ");
}

int32_t InvalidBytes(std::string_view text) {
    int32_t count = 0;
    for (int32_t i = 0; i < static_cast<int32_t>(text.size());) {
        const Utf8Char c = DecodeChar(text, i);
        count += c.valid ? 0 : 1;
        i += c.length;
    }
    return count;
}

// Over a long run of generated commands on mixed text: every caret and selection end
// stays between characters, and no change ever cuts a character. Taking whole characters
// out or putting valid ones in cannot make a valid sequence invalid (at most it joins stray
// bytes into one), so the count of invalid bytes never grows, except by a paste of invalid
// bytes; an undo or a redo goes back to a text the run had.
TEST_F(Utf8Editor, GeneratedMovesAndEditsKeepPositionsOnCharactersAndBytesWhole) {
    const std::vector<std::string> pieces = {"a",   "b",    " ",    "\t",       kE,
                                             kEuro, kSun,   kSmile, "\xFF",     "\x80",
                                             "-",   "\xC0", ".",    "\xE2\x82", "\xF0\x9F\x98"};
    std::mt19937 rng(2027);
    std::vector<std::string> lines;
    for (int i = 0; i < 12; ++i) {
        std::string line;
        for (int k = static_cast<int>(rng() % 14); k > 0; --k)
            line += pieces[rng() % pieces.size()];
        lines.push_back(line);
    }
    ed.SetWrapColumn(9);
    ed.SetWordWrap(true);
    Load(lines);
    const std::vector<int> commands = {
        ccLeft,     ccRight,      ccWordLeft,   ccWordRight,   ccHome,        ccEnd,
        ccUp,       ccDown,       ccExtendLeft, ccExtendRight, ccExtWordLeft, ccExtWordRight,
        ccExtendUp, ccExtendDown, ccExtendEnd,  ccPrevPage,    ccNextPage,    ccBack,
        ccDel,      ccDelWord,    ccDelEol,     ccDelBol,      ccDelLine,     ccNewLine,
        ccIns,      ccTab,        ccUndo,       ccRedo,        ccCut,         ccPaste,
        ccCopy,     ccFirstPage,  ccLastPage};
    const std::vector<std::string> typed = {"z", kE, kEuro, kSun, kSmile, " "};
    auto document = [&] {
        std::string out;
        for (int32_t p = 1; p <= list().ParaCount(); ++p)
            out += std::string(list().ParaText(p)) + "\n";
        return out;
    };
    auto onBoundary = [&](ParaPos at) {
        const std::string_view text = list().ParaText(at.para);
        return at.pos - 1 > static_cast<int32_t>(text.size()) || IsCharBoundary(text, at.pos - 1);
    };
    std::vector<std::string> history{document()};
    for (int step = 0; step < 4000 && !HasFailure(); ++step) {
        std::string what;
        int command = ccNone;
        const unsigned pick = rng() % 10;
        if (pick < 3) {
            const std::string& c = typed[rng() % typed.size()];
            what = "type " + c;
            ed.ProcessChar(c);
        } else if (pick == 3) {
            const int32_t row = static_cast<int32_t>(rng() % 12) - 1;
            const int32_t x = static_cast<int32_t>(rng() % 160);
            what = "mouse " + std::to_string(row) + "," + std::to_string(x);
            if (rng() % 3 == 0) {
                ed.DoubleClick(row, x, 8, rng() % 2 == 0);
            } else {
                ed.MouseDown(row, x, 8, rng() % 2 == 0);
                ed.MouseMove(row + 1, x + 20, 8);
                ed.MouseUp();
            }
        } else {
            command = commands[rng() % commands.size()];
            what = std::string(CommandName(command));
            ed.ProcessCommand(command);
        }
        ASSERT_TRUE(onBoundary(ed.Caret())) << "step " << step << " " << what;
        ASSERT_TRUE(onBoundary(ed.Anchor())) << "step " << step << " " << what;
        const std::string now = document();
        if (command == ccUndo || command == ccRedo) {
            ASSERT_NE(std::find(history.begin(), history.end(), now), history.end())
                << "step " << step << " " << what << " reached a text the run never had";
        } else {
            const int32_t pasted = command == ccPaste ? InvalidBytes(clipboard.text) : 0;
            ASSERT_LE(InvalidBytes(now), InvalidBytes(history.back()) + pasted)
                << "step " << step << " " << what << " cut a character";
        }
        if (now != history.back()) history.push_back(now);
    }
}

TEST(Utf8Files, ASaveWritesTheLoadedBytesPlusTheEditsExactly) {
    mvf::testing::TempFolder folder;
    const std::string original =
        "caf" + kE + " \xFF\xFE na\xC3\xAFve\n" + kSun + "\xE2\x82|" + kSmile + "\n\x80\n";
    const std::string path = folder.File("mixed.txt", original);
    TOvcTextFileEditor ed;
    ed.LoadFromFile(path);
    ed.SaveToFile(path);
    EXPECT_EQ(mvf::testing::ReadAll(path), original);
    ed.SetCaret({2, 4});
    ed.ProcessChar(kEuro);
    ed.SetCaret({1, 7});
    ed.ProcessCommand(ccDel); // the first invalid byte, alone
    ed.SaveToFile(path);
    EXPECT_EQ(mvf::testing::ReadAll(path), "caf" + kE + " \xFE na\xC3\xAFve\n" + kSun + kEuro +
                                               "\xE2\x82|" + kSmile + "\n\x80\n");
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
