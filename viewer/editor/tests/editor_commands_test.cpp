// Editor commands: typing, tabs, line breaks, moves, scrolling, deletions, clipboard,
// bookmarks, the split view and the events.
#include <gtest/gtest.h>

#include "editor_test_support.h"
#include "viewer/editor/editor_errors.h"

namespace mvf::editor {
namespace {

using testing::EditorFixture;
using testing::Paras;
using Text = std::vector<std::string>;

using EditorCommands = EditorFixture;

TEST_F(EditorCommands, TypingInsertsOverwritesAndFillsPastTheEnd) {
    Load({"abcd"});
    ed.SetCaret({1, 2});
    Type("X");
    EXPECT_EQ(list().ParaText(1), "aXbcd");
    Do(ccIns);
    EXPECT_FALSE(ed.InsertMode());
    Type("YZ");
    EXPECT_EQ(list().ParaText(1), "aXYZd");
    Type("!!"); // at the end, overwrite appends
    EXPECT_EQ(list().ParaText(1), "aXYZ!!");
    Do(ccIns);
    ed.SetScrollPastEnd(true);
    Do(ccRight, 3);
    Type("e");
    EXPECT_EQ(list().ParaText(1), "aXYZ!!   e");
    // A selection is replaced whatever the mode, as one undo group.
    ed.SetSelection({1, 2}, {1, 5});
    Type("-");
    EXPECT_EQ(list().ParaText(1), "a-!!   e");
    Do(ccUndo);
    EXPECT_EQ(list().ParaText(1), "aXYZ!!   e");
    ed.SetReadOnly(true);
    Type("q");
    EXPECT_EQ(list().ParaText(1), "aXYZ!!   e");
}

TEST_F(EditorCommands, OverwriteModeReplacesTheSelectionAndNothingBeyondIt) {
    Load({"abcdef"});
    ed.SetInsertMode(false);
    ed.SetSelection({1, 2}, {1, 4});
    Type("-");
    EXPECT_EQ(list().ParaText(1), "a-def");
    Do(ccUndo);
    EXPECT_EQ(list().ParaText(1), "abcdef");
    ed.SetTabType(ttReal);
    ed.SetSelection({1, 2}, {1, 4});
    Do(ccTab);
    EXPECT_EQ(list().ParaText(1), "a\tdef");
    Do(ccUndo);
    EXPECT_EQ(list().ParaText(1), "abcdef");
    // A fixed tab's spaces take the selection's place; one undo restores the whole.
    ed.SetTabType(ttFixed);
    ed.SetTabSize(4);
    ed.SetSelection({1, 2}, {1, 4});
    Do(ccTab);
    EXPECT_EQ(list().ParaText(1), "a   def");
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 5}));
    Do(ccUndo);
    EXPECT_EQ(list().ParaText(1), "abcdef");
    EXPECT_FALSE(ed.InsertMode());
}

TEST_F(EditorCommands, FixedAndSmartTabsInsertSpacesToTheirStops) {
    Load({"", "", ""});
    ed.SetTabType(ttFixed);
    ed.SetTabSize(8);
    Do(ccTab);
    EXPECT_EQ(list().ParaLength(1), 8);
    ed.SetCaret({2, 1});
    Type("abcde");
    Do(ccTab); // from column 6: three spaces
    EXPECT_EQ(list().ParaText(2), "abcde   ");
    Do(ccTab); // from column 9: eight
    EXPECT_EQ(list().ParaLength(2), 16);
    // Smart: up to the start of the next word on the line above.
    Load({"int   value = 1;", "x"});
    ed.SetTabType(ttSmart);
    ed.SetCaret({2, 2});
    Do(ccTab);
    EXPECT_EQ(list().ParaText(2), "x     ");
    Do(ccTab);
    EXPECT_EQ(list().ParaText(2), "x           ");
    // Overwrite mode replaces the characters the spaces cover.
    Load({"abcdefghij"});
    ed.SetTabType(ttFixed);
    ed.SetInsertMode(false);
    ed.SetCaret({1, 3});
    Do(ccTab);
    EXPECT_EQ(list().ParaText(1), "ab      ij");
    ed.SetTabType(ttReal);
    ed.SetInsertMode(true);
    Do(ccTab);
    EXPECT_EQ(list().ParaText(1), "ab      \tij");
}

TEST_F(EditorCommands, AFixedTabCountsDisplayColumnsSoItsStopsLineUpOnScreen) {
    // After a tab and "ab" the caret is at character column 4 but display column 11: the
    // spaces reach display column 17, the next stop on screen (from column 4 they would
    // stop at 16, between stops).
    Load({"\tab", "12345678901234567890"});
    ed.SetTabType(ttFixed);
    ed.SetTabSize(8);
    ed.SetCaret({1, 4});
    Do(ccTab);
    EXPECT_EQ(list().ParaText(1), "\tab      ");
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 10}));
}

TEST_F(EditorCommands, LineBreaksIndentWithTabsOrSpaces) {
    Load({"\t\tcode();"});
    ed.SetAutoIndent(true);
    ed.SetCaret({1, 10});
    Do(ccNewLine);
    EXPECT_EQ(Paras(list()), (Text{"\t\tcode();", "\t\t", ""}));
    EXPECT_EQ(ed.Caret(), (ParaPos{2, 3}));
    ed.SetTabType(ttFixed);
    Do(ccNewLine);
    EXPECT_EQ(list().ParaText(3), std::string(16, ' '));
    // In overwrite mode Enter only moves to the next paragraph's start.
    ed.SetInsertMode(false);
    ed.SetCaret({1, 4});
    Do(ccNewLine);
    EXPECT_EQ(ed.Caret(), (ParaPos{2, 1}));
    EXPECT_EQ(list().ParaCount(), 4);
    ed.SetCaret({4, 1});
    Do(ccNewLine);
    EXPECT_EQ(ed.Caret(), (ParaPos{4, 1}));
}

TEST_F(EditorCommands, MovesByCharactersWordsAndLines) {
    Load({"one two, three", "x", "\tab"});
    Do(ccWordRight);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 5}));
    Do(ccWordRight);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 10}));
    Do(ccWordRight, 2);
    EXPECT_EQ(ed.Caret(), (ParaPos{2, 1})); // from the paragraph's end to the next line
    Do(ccWordLeft);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 15}));
    Do(ccWordLeft);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 10}));
    Do(ccRight, 5);
    Do(ccRight); // past the end: to the next line's start
    EXPECT_EQ(ed.Caret(), (ParaPos{2, 1}));
    Do(ccLeft);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 15}));
    // Up and down keep the display column, tabs expanded; a short line pulls it left.
    ed.SetCaret({1, 10});
    Do(ccDown, 2);
    EXPECT_EQ(ed.Caret(), (ParaPos{3, 2}));
    Do(ccUp, 2);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 2}));
    Do(ccExtendDown);
    EXPECT_EQ(ed.SelectedText(), "ne two, three\r\nx");
    Do(ccLastPage);
    EXPECT_EQ(ed.Caret(), (ParaPos{4, 1}));
    EXPECT_FALSE(ed.HasSelection());
    Do(ccExtFirstPage);
    EXPECT_EQ(ed.Anchor(), (ParaPos{4, 1}));
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 1}));
}

TEST_F(EditorCommands, EndStaysOnAWrappedLine) {
    Load({"abcd efgh ijkl"});
    ed.SetWrapColumn(10);
    ed.SetWordWrap(true);
    Do(ccEnd);
    EXPECT_EQ(ed.CaretLineCol(), (LineCol{1, 10}));
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 10}));
    Do(ccDown);
    Do(ccEnd);
    EXPECT_EQ(ed.CaretLineCol(), (LineCol{2, 5}));
    Do(ccHome);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 11}));
}

TEST_F(EditorCommands, PagesKeepTheScreenRowAndOtherMovesScrollAsLittleAsNeeded) {
    std::vector<std::string> lines;
    for (int i = 1; i <= 100; ++i) lines.push_back("line " + std::to_string(i));
    Load(lines);
    view.lines = 10;
    ed.SetCaret({4, 1});
    Do(ccNextPage);
    EXPECT_EQ(ed.CaretLineCol().line, 13);
    EXPECT_EQ(ed.TopLine(), 10);
    Do(ccPrevPage);
    EXPECT_EQ(ed.TopLine(), 1);
    Do(ccDown, 10);
    EXPECT_EQ(ed.TopLine(), 5); // the caret's line became the bottom line
    Do(ccTopOfPage);
    EXPECT_EQ(ed.CaretLineCol().line, 5);
    Do(ccBotOfPage);
    EXPECT_EQ(ed.CaretLineCol().line, 14);
    Do(ccScrollDown, 20);
    EXPECT_EQ(ed.TopLine(), 25);
    Do(ccTopOfPage); // the caret is out of view: the view comes to it instead
    EXPECT_EQ(ed.TopLine(), 14);
    EXPECT_EQ(ed.CaretLineCol().line, 14);
    // Horizontally: the caret's column becomes the last visible one, and the first again.
    view.columns = 10;
    Load({std::string(30, 'w'), "short"});
    Do(ccEnd);
    EXPECT_EQ(ed.HorizontalOffset(), 21);
    Do(ccLeft, 25);
    EXPECT_EQ(ed.HorizontalOffset(), 5);
    Do(ccEnd);
    Do(ccDown); // down to a later line: back to the left edge
    EXPECT_EQ(ed.HorizontalOffset(), 0);
}

TEST_F(EditorCommands, DeletionsByCharacterLineAndWord) {
    Load({"abc", "def", "ghi jkl  mno"});
    ed.SetCaret({1, 4});
    Do(ccDel); // at the end: joins the next paragraph
    EXPECT_EQ(list().ParaText(1), "abcdef");
    ed.SetCaret({2, 1});
    Do(ccBack);
    EXPECT_EQ(Paras(list()), (Text{"abcdefghi jkl  mno", ""}));
    ed.SetCaret({1, 11});
    Do(ccDelWord);
    EXPECT_EQ(list().ParaText(1), "abcdefghi mno");
    Do(ccDelEol);
    EXPECT_EQ(list().ParaText(1), "abcdefghi ");
    ed.SetCaret({1, 4});
    Do(ccDelBol);
    EXPECT_EQ(list().ParaText(1), "defghi ");
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 1}));
    Do(ccDelLine);
    EXPECT_EQ(Paras(list()), (Text{""}));
    Load({"a", "b"});
    ed.SetCaret({1, 1});
    Do(ccBack); // line 1, column 1: nothing
    EXPECT_EQ(list().ParaText(1), "a");
    ed.SetReadOnly(true);
    ed.SetCaret({1, 2});
    Do(ccBack);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 1}));
    EXPECT_EQ(list().ParaText(1), "a");
}

TEST_F(EditorCommands, JoiningTooLongParagraphsReportsAndChangesNothing) {
    Load({"abcd", "efgh"});
    list().SetParaLengthLimit(6);
    ed.SetCaret({1, 5});
    Do(ccDel);
    EXPECT_EQ(errors, (std::vector<int>{kErrCannotJoin}));
    EXPECT_EQ(Paras(list()), (Text{"abcd", "efgh", ""}));
    // Without an error handler the error is raised.
    ed.OnError = nullptr;
    EXPECT_THROW(Do(ccDel), EEditorError);
}

TEST_F(EditorCommands, ClipboardJoinsParagraphsWithCrLf) {
    Load({"one two", "three", "four"});
    ed.SetSelection({1, 5}, {3, 3});
    Do(ccCopy);
    EXPECT_EQ(clipboard.text, "two\r\nthree\r\nfo");
    Do(ccCut);
    EXPECT_EQ(Paras(list()), (Text{"one ur", ""}));
    ed.SetCaret({1, 1});
    Do(ccPaste);
    EXPECT_EQ(Paras(list()), (Text{"two", "three", "foone ur", ""}));
    EXPECT_EQ(ed.Caret(), (ParaPos{3, 3}));
    Do(ccUndo);
    EXPECT_EQ(Paras(list()), (Text{"one ur", ""}));
    // A clipboard that refuses the text: an error, and a cut deletes nothing.
    clipboard.refuse = true;
    ed.SetSelection({1, 1}, {1, 4});
    Do(ccCut);
    EXPECT_EQ(errors, (std::vector<int>{kErrOutOfMemory}));
    EXPECT_EQ(list().ParaText(1), "one ur");
    // A paste that breaks a limit leaves the selection it would have replaced.
    clipboard.refuse = false;
    clipboard.SetText(std::string(40, 'x'));
    list().SetParaLengthLimit(30);
    Do(ccPaste);
    EXPECT_EQ(errors.back(), kErrParagraphTooLong);
    EXPECT_EQ(list().ParaText(1), "one ur");
    EXPECT_EQ(ed.SelectedText(), "one");
    EXPECT_FALSE(list().Undo().CanRedo());
}

TEST_F(EditorCommands, BookmarksAreSetReachedAndLostWithTheirText) {
    Load({"first line", "second line"});
    ed.SetCaret({2, 8});
    Do(ccSetMarker3);
    ed.SetCaret({1, 1});
    Do(ccGotoMarker3);
    EXPECT_EQ(ed.Caret(), (ParaPos{2, 8}));
    ed.SetSelection({2, 1}, {2, 12});
    Do(ccDel);
    ed.SetCaret({1, 3});
    Do(ccGotoMarker3);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 3}));
    Do(ccGotoMarker5); // never set
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 3}));
}

TEST_F(EditorCommands, ASplitViewSharesTextHistoryAndModifiedFlag) {
    Load({"shared text", "more"});
    TOvcCustomEditor lower;
    lower.AttachTo(ed);
    lower.SetCaret({2, 5});
    ed.SetCaret({1, 1});
    Type("My ");
    EXPECT_EQ(lower.Paragraphs().ParaText(1), "My shared text");
    EXPECT_EQ(lower.Caret(), (ParaPos{2, 5}));
    lower.ProcessCommand(ccNewLine);
    EXPECT_EQ(list().ParaCount(), 4);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 4}));
    lower.ProcessCommand(ccUndo);
    lower.ProcessCommand(ccUndo);
    EXPECT_EQ(Paras(list()), (Text{"shared text", "more", ""}));
    EXPECT_FALSE(ed.Paragraphs().Modified());
    // The other editor's caret inside deleted text moves to the deletion's start.
    ed.SetCaret({1, 8});
    lower.SetSelection({1, 3}, {2, 2});
    lower.ProcessCommand(ccDel);
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 3}));
}

TEST_F(EditorCommands, EventsReportChangesAndStatus) {
    int changes = 0, statuses = 0;
    ed.OnChange = [&] { ++changes; };
    ed.OnShowStatus = [&] { ++statuses; };
    Load({"abc"});
    Do(ccRight);
    EXPECT_EQ(changes, 0);
    EXPECT_GT(statuses, 0);
    Type("x");
    Do(ccBack);
    Do(ccDel);
    EXPECT_EQ(changes, 3);
    Do(ccUndo);
    EXPECT_EQ(changes, 4);
    Do(ccCopy); // no selection: nothing changes
    EXPECT_EQ(changes, 4);
    // Scrolling the view (a scroll bar) changes the top line, which the status shows.
    Load({"1", "2", "3", "4"});
    statuses = 0;
    ed.SetTopLine(3);
    EXPECT_EQ(ed.TopLine(), 3);
    EXPECT_EQ(statuses, 1);
}

TEST_F(EditorCommands, MouseMapsPointsToCaretsWordsAndParagraphs) {
    Load({"alpha  beta,gamma", "\tz"});
    const int32_t w = 8; // character width in pixels; the margin is 15
    EXPECT_EQ(ed.PointToLineCol(0, 15 + 2 * w + 3, w), (LineCol{1, 3}));
    EXPECT_EQ(ed.PointToLineCol(0, 15 + 2 * w + 5, w), (LineCol{1, 4})); // nearest boundary
    EXPECT_EQ(ed.PointToLineCol(-3, 15, w), (LineCol{1, 1}));
    EXPECT_EQ(ed.PointToLineCol(50, 15 + 40 * w, w), (LineCol{3, 1}));
    EXPECT_EQ(ed.PointToLineCol(1, 15 + 5 * w, w), (LineCol{2, 2})); // inside the tab's width
    ed.DoubleClick(0, 15 + 2 * w, w, false);
    EXPECT_EQ(ed.SelectedText(), "alpha  ");
    ed.DoubleClick(0, 5, w, false);
    EXPECT_EQ(ed.Anchor(), (ParaPos{1, 1}));
    EXPECT_EQ(ed.Caret(), (ParaPos{2, 1}));
    ed.MouseDown(0, 15 + 7 * w, w, false);
    ed.MouseMove(0, 15 + 11 * w, w);
    ed.MouseUp();
    EXPECT_EQ(ed.SelectedText(), "beta");
    Load({""});
    ed.MouseDown(0, 15 + 3 * w, w, false); // an empty document: nothing happens
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 1}));
}

} // namespace
} // namespace mvf::editor
