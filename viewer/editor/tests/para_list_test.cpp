// The paragraph list: counts, limits, positions that follow changes, pasting.
#include <gtest/gtest.h>

#include "editor_test_support.h"
#include "viewer/editor/editor_errors.h"

namespace mvf::editor {
namespace {

using testing::Fill;
using testing::Paras;
using Text = std::vector<std::string>;

TEST(ParaList, StartsWithOneEmptyParagraphAndCountsBytesAsLengthPlusTwo) {
    TParaList list;
    EXPECT_EQ(list.ParaCount(), 1);
    EXPECT_EQ(list.LineCount(), 1);
    EXPECT_EQ(list.ByteCount(), 0);
    Fill(list, {"a", "b"});
    EXPECT_EQ(Paras(list), (Text{"a", "b", ""}));
    EXPECT_EQ(list.ByteCount(), 6);
    EXPECT_FALSE(list.Modified());
    ASSERT_EQ(list.InsertChars({3, 1}, "xyz"), 0);
    EXPECT_EQ(list.ByteCount(), 9);
    EXPECT_TRUE(list.Modified());
}

TEST(ParaList, BadNumbersRaiseTheirErrors) {
    TParaList list;
    Fill(list, {"abc"});
    EXPECT_THROW(list.ParaText(0), EInvalidLineOrPara);
    EXPECT_THROW(list.ParaText(3), EInvalidLineOrPara);
    EXPECT_THROW(list.FindLine(3), EInvalidLineOrPara);
    EXPECT_THROW(list.InsertChars({1, 0}, "x"), EInvalidLineOrCol);
    EXPECT_STREQ(EInvalidLineOrPara().what(), "Invalid line or paragraph index");
    EXPECT_STREQ(EInvalidLineOrCol().what(), "Invalid line or column");
    // A paragraph beyond the count is taken as the last one.
    EXPECT_EQ(list.ParaToLine({9, 1}).line, 2);
}

TEST(ParaList, ErrorCodesHaveTheirTexts) {
    EXPECT_EQ(EditorErrorText(263), "insufficient memory for requested operation");
    EXPECT_EQ(EditorErrorText(264), "Region is too large (> 64K)");
    EXPECT_EQ(EditorErrorText(265),
              "Current operation will exceed the maximum number of allowed paragraphs");
    EXPECT_EQ(EditorErrorText(266),
              "Cannot join paragraphs. New paragraph size exceeds maximum paragraph size");
    EXPECT_EQ(EditorErrorText(267), "Current operation will exceed the maximum editor text size");
    EXPECT_EQ(EditorErrorText(268), "Current operation will exceed the maximum paragraph size");
    EXPECT_EQ(EditorErrorText(1), "Unknown Error condition");
    EXPECT_EQ(EEditorError(266).Code(), 266);
}

TEST(ParaList, LimitsRefuseChangesAndChangeNothing) {
    TParaList list;
    Fill(list, {"abcd", "ef"});
    list.SetParaLengthLimit(5);
    EXPECT_EQ(list.InsertChars({1, 1}, "xy"), kErrParagraphTooLong);
    EXPECT_EQ(list.InsertChars({2, 6}, "x"), kErrParagraphTooLong); // the fill counts
    EXPECT_EQ(list.JoinPara(1, 5), kErrCannotJoin);
    EXPECT_EQ(list.InsertText({2, 2}, "123\n45678"), kErrParagraphTooLong);
    EXPECT_EQ(list.DeleteRange({1, 5}, {2, 1}), kErrCannotJoin);
    EXPECT_EQ(Paras(list), (Text{"abcd", "ef", ""}));
    EXPECT_FALSE(list.Modified());

    list.SetByteLimit(10);
    EXPECT_EQ(list.InsertChars({2, 1}, "xyz"), kErrTextTooLarge);
    // With a paragraph limit, a trailing empty paragraph is allowed on top of it.
    list.SetByteLimit(kNoLimit);
    list.SetParaLimit(2);
    EXPECT_EQ(list.CheckLimits(1, 0, 0), kErrTooManyParagraphs);
    list.SetParaLimit(3);
    EXPECT_EQ(list.CheckLimits(1, 0, 0), 0);
    EXPECT_EQ(list.InsertPara(1, "new"), 0);
    EXPECT_EQ(list.SplitPara({1, 2}, false, 0, 0), kErrTooManyParagraphs);
}

TEST(ParaList, SplitTrimsAndIndentsJoinFillsWithBlanks) {
    TParaList list;
    Fill(list, {"abc   def"});
    int32_t indent = 0;
    ASSERT_EQ(list.SplitPara({1, 7}, true, 10, 4, &indent), 0);
    EXPECT_EQ(indent, 4);
    EXPECT_EQ(Paras(list), (Text{"abc", "\t\t  def", ""}));
    ASSERT_EQ(list.SplitPara({1, 1}, true, 5, 4), 0); // at position 1: a new empty one before
    EXPECT_EQ(Paras(list), (Text{"", "abc", "\t\t  def", ""}));
    ASSERT_EQ(list.JoinPara(1, 1), 0); // an empty paragraph is simply deleted
    ASSERT_EQ(list.JoinPara(1, 6), 0);
    EXPECT_EQ(Paras(list), (Text{"abc  \t\t  def", ""}));
}

TEST(ParaList, PasteSplitsAtLineFeedsAndKeepsLoneCarriageReturns) {
    TParaList list;
    Fill(list, {"start end"});
    ParaPos end;
    ASSERT_EQ(list.InsertText({1, 7}, "one\r\ntwo\n\nthree\rx", &end), 0);
    EXPECT_EQ(Paras(list), (Text{"start one", "two", "", "three\rxend", ""}));
    EXPECT_EQ(end, (ParaPos{4, 8}));
    // At position 1 a piece with a line break becomes a whole paragraph before.
    ASSERT_EQ(list.InsertText({1, 1}, "top  \n", &end), 0);
    EXPECT_EQ(Paras(list)[0], "top  ");
    EXPECT_EQ(end, (ParaPos{2, 1}));
    // One paste is one undo group.
    ParaPos caret;
    ASSERT_TRUE(list.UndoGroup(caret));
    ASSERT_TRUE(list.UndoGroup(caret));
    EXPECT_EQ(Paras(list), (Text{"start end", ""}));
}

TEST(ParaList, BookmarksFollowChangesAndAreClearedWithTheirText) {
    TParaList list;
    Fill(list, {"0123456789", "second", "third"});
    list.SetBookmark(1, {1, 5});
    list.SetBookmark(2, {1, 9});
    list.SetBookmark(3, {3, 2});
    list.SetBookmark(4, {2, 3});
    ASSERT_EQ(list.DeleteChars({1, 3}, 4), 0); // deletes "2345": bookmark 1 sat on "4"
    EXPECT_EQ(list.Bookmark(1), (ParaPos{0, 0}));
    EXPECT_EQ(list.Bookmark(2), (ParaPos{1, 5}));
    ASSERT_EQ(list.InsertChars({1, 1}, "ab"), 0);
    EXPECT_EQ(list.Bookmark(2), (ParaPos{1, 7}));
    ASSERT_EQ(list.SplitPara({1, 4}, false, 2, 0), 0);
    EXPECT_EQ(list.Bookmark(2), (ParaPos{2, 2 + 7 - 4 + 1}));
    EXPECT_EQ(list.Bookmark(3), (ParaPos{4, 2}));
    ASSERT_EQ(list.JoinPara(1, 4), 0);
    EXPECT_EQ(list.Bookmark(2), (ParaPos{1, 9}));
    EXPECT_EQ(list.Bookmark(4), (ParaPos{2, 3}));
    ASSERT_EQ(list.DeletePara(2), 0);
    EXPECT_EQ(list.Bookmark(4), (ParaPos{0, 0}));
    EXPECT_EQ(list.Bookmark(3), (ParaPos{2, 2}));
}

TEST(ParaList, LoadingCutsOverlongLinesIntoParagraphsWithoutLosingACharacter) {
    TParaList list;
    list.SetParaLengthLimit(10);
    Fill(list, {"aaaa bbbb cccc dddddddddddddd  "});
    EXPECT_EQ(Paras(list), (Text{"aaaa bbbb ", "cccc ", "dddddddddd", "dddd  ", ""}));
    // Trimming takes only the blanks at the line's real end.
    list.Clear();
    list.AppendLine("xy  ", true);
    list.LoadFinished();
    EXPECT_EQ(list.ParaText(1), "xy");
    EXPECT_EQ(list.ByteCount(), 4);
}

TEST(ParaList, WrappingCanChangeAndLinesAreFoundFromAnywhere) {
    TParaList list;
    std::vector<std::string> lines;
    for (int i = 0; i < 200; ++i) lines.push_back(std::string(i % 25, 'a' + i % 26));
    Fill(list, lines);
    list.SetWrapping(true, 10, 8);
    int32_t expected = 0;
    for (const std::string& l : lines)
        expected += l.empty() ? 1 : (static_cast<int32_t>(l.size()) + 9) / 10;
    EXPECT_EQ(list.LineCount(), expected + 1);
    // Far jumps in both directions land where a walk from the start would.
    for (int32_t line : {expected, 1, expected / 2, 7, expected - 3, 2}) {
        const LineRef ref = list.FindLine(line);
        EXPECT_EQ(list.ParaToLine({ref.para, ref.offset + 1}).line, line);
    }
    list.SetWrapping(false, 10, 8);
    EXPECT_EQ(list.LineCount(), 201);
}

// Counts what the list tells an attached editor.
struct ListListener : TParaListClient {
    int textChanges = 0;
    void FollowPositions(const PositionChange&) override {}
    void TextChanged() override { ++textChanges; }
    void ModifiedChanged() override {}
    void ListCleared() override {}
};

TEST(ParaList, EveryChangeOfDisplayLinesIsCountedAndToldToTheEditors) {
    TParaList list;
    ListListener listener;
    list.Attach(&listener);
    Fill(list, {"a\tb", "cd"});
    uint64_t touches = list.TouchCount();
    int told = listener.textChanges;
    // A new tab size moves every tab on screen, wrapped or not.
    list.SetWrapping(false, 80, 4);
    EXPECT_GT(list.TouchCount(), touches);
    EXPECT_GT(listener.textChanges, told);
    EXPECT_EQ(list.ChangedFirst(), 1);
    EXPECT_EQ(list.ChangedLast(), kNoLimit);
    touches = list.TouchCount();
    told = listener.textChanges;
    list.SetWrapping(false, 40, 4); // the wrap column of unwrapped text shows nowhere
    EXPECT_EQ(list.TouchCount(), touches);
    EXPECT_EQ(listener.textChanges, told);
    // An edit inside one line touches that line only.
    list.InsertChars({2, 2}, "x");
    EXPECT_EQ(list.TouchCount(), touches + 1);
    EXPECT_EQ(list.ChangedFirst(), 2);
    EXPECT_EQ(list.ChangedLast(), 2);
    list.Clear();
    EXPECT_EQ(list.TouchCount(), touches + 2);
    EXPECT_EQ(list.ChangedLast(), kNoLimit);
    list.Detach(&listener);
}

} // namespace
} // namespace mvf::editor
