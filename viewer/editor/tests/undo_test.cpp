// The undo history: merging, groups, making room, the modified bits.
#include <gtest/gtest.h>

#include "editor_test_support.h"

namespace mvf::editor {
namespace {

using testing::EditorFixture;
using testing::Paras;
using Text = std::vector<std::string>;

using UndoEditor = EditorFixture;

TEST_F(UndoEditor, TypingAndBackspacingRunsUndoAtOnce) {
    Load({"xy"});
    ed.SetCaret({1, 2});
    Type("abc");
    EXPECT_EQ(list().Undo().UndoCount(), 1); // one record for the run
    Do(ccUndo);
    EXPECT_EQ(list().ParaText(1), "xy");
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 2}));
    Do(ccRedo);
    EXPECT_EQ(list().ParaText(1), "xabcy");
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 5}));

    Do(ccBack, 3);
    EXPECT_EQ(list().ParaText(1), "xy");
    Do(ccUndo);
    EXPECT_EQ(list().ParaText(1), "xabcy");
    Do(ccUndo);
    EXPECT_EQ(list().ParaText(1), "xy");
    EXPECT_FALSE(list().Modified());
}

TEST_F(UndoEditor, EnterInTheMiddleUndoesWholeWithTheCaretBack) {
    Load({"hello   world"});
    ed.SetCaret({1, 9});
    ed.KeyDown(vkReturn, 0);
    EXPECT_EQ(Paras(list()), (Text{"hello", "world", ""}));
    Do(ccUndo);
    EXPECT_EQ(Paras(list()), (Text{"hello   world", ""}));
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 9}));
    EXPECT_FALSE(ed.HasSelection());
}

TEST_F(UndoEditor, UndoAcrossASaveMarksTheTextModified) {
    Load({"abc"});
    ed.SetCaret({1, 4});
    Type("d");
    list().SetModified(false); // what a save does
    Do(ccUndo);
    EXPECT_TRUE(list().Modified());
    Do(ccRedo);
    Type(" e");
    Do(ccUndo, 2);
    EXPECT_EQ(list().ParaText(1), "abc");
    EXPECT_TRUE(list().Modified());
}

TEST_F(UndoEditor, AnOversizedPasteClearsTheHistoryAndTypingRecordsAgain) {
    Load({"abc"});
    ed.SetCaret({1, 4});
    Type("x");
    clipboard.SetText(std::string(10000, 'p'));
    Do(ccPaste);
    EXPECT_EQ(list().ParaLength(1), 10004);
    EXPECT_FALSE(list().Undo().CanUndo());
    Do(ccUndo);
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(list().ParaLength(1), 10004);
    Type("y");
    Do(ccUndo);
    EXPECT_EQ(list().ParaLength(1), 10004);
}

TEST_F(UndoEditor, ANewChangeAfterUndoMakesRedoImpossible) {
    Load({""});
    Type("one");
    Do(ccNewLine);
    Type("two");
    Do(ccUndo, 2);
    EXPECT_TRUE(list().Undo().CanRedo());
    Type("!");
    EXPECT_FALSE(list().Undo().CanRedo());
    Do(ccRedo);
    EXPECT_EQ(view.beeps, 1);
    EXPECT_EQ(Paras(list()), (Text{"one!", ""}));
}

TEST_F(UndoEditor, ReadOnlyEditorsAndEmptyHistoriesBeepAndChangeNothing) {
    Load({"abc"});
    Do(ccUndo);
    EXPECT_EQ(view.beeps, 1);
    Type("x");
    ed.SetReadOnly(true);
    Do(ccUndo);
    EXPECT_EQ(view.beeps, 2);
    EXPECT_EQ(list().ParaText(1), "xabc");
}

TEST_F(UndoEditor, OvertypingKeepsEveryByteAroundAZeroByte) {
    using namespace std::string_literals;
    Load({"a\0b"s});
    ed.SetInsertMode(false);
    ed.SetCaret({1, 2});
    Type("x");
    EXPECT_EQ(list().ParaText(1), "axb");
    Do(ccUndo);
    EXPECT_EQ(list().ParaText(1), "a\0b"s);
    Do(ccRedo);
    EXPECT_EQ(list().ParaText(1), "axb");
    // Typing a zero byte over text, run on over a zero byte: both texts keep theirs.
    ed.SetCaret({1, 1});
    Type("\0"s);
    Type("\0"s);
    EXPECT_EQ(list().ParaText(1), "\0\0b"s);
    Do(ccUndo);
    EXPECT_EQ(list().ParaText(1), "axb");
    Do(ccRedo);
    EXPECT_EQ(list().ParaText(1), "\0\0b"s);
}

TEST(UndoBuffer, OvertypeRecordsCarryTheirTextsByLength) {
    using namespace std::string_literals;
    TUndoBuffer b(8192);
    ASSERT_TRUE(b.RecordReplace(false, 1, 1, "\0a"s, "b\0"s));
    EXPECT_EQ(b.FreeBytes(), 8192 - (2 + 2 + 16)); // old + new + 16, as without zero bytes
    EXPECT_EQ(b.Current().text, "\0a"s);
    EXPECT_EQ(b.Current().newText, "b\0"s);
    ASSERT_TRUE(b.RecordReplace(false, 1, 3, "\0"s, "\0"s)); // merges
    EXPECT_EQ(b.Current().text, "\0a\0"s);
    EXPECT_EQ(b.Current().newText, "b\0\0"s);
    EXPECT_EQ(b.UndoCount(), 1);
    ASSERT_TRUE(b.RecordReplace(false, 2, 1, "", "new")); // empty old text
    EXPECT_EQ(b.Current().text, "");
    EXPECT_EQ(b.Current().newText, "new");
}

TEST(UndoBuffer, SizesAreBoundedAndHeadersTakeFourteenBytes) {
    EXPECT_EQ(TUndoBuffer(100000).Size(), 65535);
    TUndoBuffer none(10);
    EXPECT_EQ(none.Size(), 0);
    EXPECT_FALSE(none.Record(ukInsert, false, 1, 1, "x"));
    TUndoBuffer b(8192);
    ASSERT_TRUE(b.Record(ukInsert, false, 1, 1, "abc"));
    EXPECT_EQ(b.FreeBytes(), 8192 - 14 - 3);
    ASSERT_TRUE(b.RecordReplace(true, 2, 5, "ab", "xy"));
    EXPECT_EQ(b.FreeBytes(), 8192 - 17 - 20);
    const UndoRecord r = b.Current();
    EXPECT_EQ(r.kind, ukReplace);
    EXPECT_TRUE(r.modifiedBefore);
    EXPECT_EQ(r.text, "ab");
    EXPECT_EQ(r.newText, "xy");
    // Overtyping on from the end of the run merges; both texts grow.
    ASSERT_TRUE(b.RecordReplace(true, 2, 7, "c", "z"));
    EXPECT_EQ(b.Current().text, "abc");
    EXPECT_EQ(b.Current().newText, "xyz");
    // Deleting forward appends, backspacing prepends.
    ASSERT_TRUE(b.Record(ukDelete, true, 3, 4, "d"));
    ASSERT_TRUE(b.Record(ukDelete, true, 3, 4, "e"));
    ASSERT_TRUE(b.Record(ukDelete, true, 3, 2, "bc"));
    EXPECT_EQ(b.Current().text, "bcde");
    EXPECT_EQ(b.Current().pos, 2);
    EXPECT_EQ(b.UndoCount(), 3);
}

TEST(UndoBuffer, MakingRoomThrowsAwayWholeOldestGroups) {
    TUndoBuffer b(320);
    // Groups of three 20-byte records.
    for (int g = 0; g < 5; ++g) {
        const bool outer = b.BeginGroup();
        for (int k = 0; k < 3; ++k) ASSERT_TRUE(b.Record(ukCaret, false, g, k, "123456"));
        b.EndGroup(outer);
    }
    EXPECT_EQ(b.UndoCount(), 15);
    EXPECT_EQ(b.FreeBytes(), 20);
    ASSERT_TRUE(b.Record(ukInsert, false, 9, 1, "0123456789")); // 24 bytes: one group goes
    EXPECT_EQ(b.UndoCount(), 13);
    EXPECT_EQ(b.FreeBytes(), 320 - 12 * 20 - 24);
    // A record larger than the buffer inside a group clears it and disables the group.
    const bool outer = b.BeginGroup();
    EXPECT_FALSE(b.Record(ukInsert, false, 1, 1, std::string(400, 'x')));
    EXPECT_EQ(b.UndoCount(), 0);
    EXPECT_FALSE(b.Record(ukInsert, false, 1, 1, "y"));
    b.EndGroup(outer);
    EXPECT_TRUE(b.Record(ukInsert, false, 1, 1, "y"));
}

TEST(UndoBuffer, GroupIdsThatWrapNeverContinueAnOlderGroup) {
    TParaList list(65535);
    for (int i = 0; i < 300; ++i) ASSERT_EQ(list.InsertPara(1, "p"), 0);
    ParaPos caret;
    for (int i = 0; i < 255; ++i) ASSERT_TRUE(list.UndoGroup(caret));
    ASSERT_EQ(list.ParaCount(), 46);
    ASSERT_EQ(list.InsertChars({1, 1}, "new"), 0);
    ASSERT_TRUE(list.UndoGroup(caret));
    EXPECT_EQ(list.ParaCount(), 46);
    EXPECT_EQ(list.ParaText(1), "p");
}

TEST(UndoBuffer, DeletedParagraphsLiveExactlyAsLongAsTheirRecords) {
    // Run under the sanitizers: every path frees each paragraph once.
    TParaList list(200);
    testing::Fill(list, {"a", "b", "c", "d"});
    ASSERT_EQ(list.DeletePara(2), 0);
    ParaPos caret;
    ASSERT_TRUE(list.UndoGroup(caret)); // back in the text: the record must not free it
    ASSERT_TRUE(list.RedoGroup(caret)); // out again
    ASSERT_TRUE(list.UndoGroup(caret));
    ASSERT_EQ(list.InsertPara(1, "x"), 0); // discards the redo records
    ASSERT_TRUE(list.UndoGroup(caret));    // an inserted paragraph now held by its record
    for (int i = 0; i < 40; ++i) ASSERT_EQ(list.DeletePara(1), 0); // pushes out old records
    EXPECT_EQ(list.ParaCount(), 1);
    list.Clear();
}

} // namespace
} // namespace mvf::editor
