// Key tables, the key processor, and keys reaching the editor.
#include <gtest/gtest.h>

#include <algorithm>

#include "editor_test_support.h"

namespace mvf::editor {
namespace {

using testing::EditorFixture;

TEST(KeyTables, HoldTheirEntriesAsData) {
    const auto def = DefaultKeyTable();
    const auto ws = WordStarKeyTable();
    EXPECT_EQ(def.size(), 64u);
    EXPECT_EQ(ws.size(), 40u);
    auto count = [](const std::vector<KeyEntry>& t, int command) {
        return std::count_if(t.begin(), t.end(),
                             [&](const KeyEntry& e) { return e.command == command; });
    };
    EXPECT_EQ(count(def, ccBack), 2);
    EXPECT_EQ(count(def, ccCut), 2);
    EXPECT_EQ(count(def, ccTab), 2);
    for (const KeyEntry& e : ws) {
        if (e.key2 != 0) {
            EXPECT_EQ(e.shift2, ssNoneOrCtrl);
        }
    }
    EXPECT_EQ(CommandName(ccDelWord), "ccDelWord");
    EXPECT_EQ(CommandName(ccSetMarker9), "ccSetMarker9");
    EXPECT_EQ(CommandName(ccWordRight), "ccWordRight");
    EXPECT_EQ(CommandName(ccChar), "");
}

TEST(KeyProcessor, TranslatesSingleKeysAndSequences) {
    TOvcController c;
    TOvcCommandProcessor& p = c.EntryCommands;
    EXPECT_EQ(p.Translate(vkLeft, ssCtrl | ssShift), ccExtWordLeft);
    EXPECT_EQ(p.Translate('7', ssCtrl | ssShift), ccSetMarker7);
    EXPECT_EQ(p.Translate('Q', ssCtrl), ccNoCmd); // WordStar is off
    EXPECT_EQ(p.Translate(vkShift, ssShift), ccNoCmd);
    c.LoadTables(TOvcController::ViewerTables());
    p.Table("wordstar")->SetActive(true);
    EXPECT_EQ(p.Translate('X', ssCtrl), ccDown); // searched before "Default"
    EXPECT_EQ(p.Translate('Q', ssCtrl), ccPartial);
    EXPECT_EQ(p.Translate(vkControl, ssCtrl), ccPartial); // a modifier alone keeps it pending
    EXPECT_EQ(p.Translate('S', ssCtrl), ccHome);
    EXPECT_EQ(p.Translate('Q', ssCtrl), ccPartial);
    EXPECT_EQ(p.Translate('S', 0), ccHome);
    EXPECT_EQ(p.Translate('Q', ssCtrl), ccPartial);
    EXPECT_EQ(p.Translate('S', ssShift), ccSeqBroken); // only none or Ctrl alone
    EXPECT_EQ(p.Translate('K', ssCtrl), ccPartial);
    EXPECT_EQ(p.Translate('3', 0), ccSetMarker3);
    EXPECT_EQ(p.Translate('P', ssCtrl), ccCtrlChar);
    EXPECT_EQ(p.SequenceState(), TOvcCommandProcessor::Literal);
    EXPECT_EQ(p.Translate(vkLeft, 0), ccNoCmd); // taken literally
    EXPECT_EQ(p.Translate(vkLeft, 0), ccLeft);
}

TEST(KeyProcessor, PeekAnswersAsTranslateWouldWithoutMovingTheSequence) {
    TOvcController c;
    c.LoadTables(TOvcController::ViewerTables());
    c.EntryCommands.Table("WordStar")->SetActive(true);
    TOvcCommandProcessor& p = c.EntryCommands;
    EXPECT_EQ(p.Peek('Q', ssCtrl), ccPartial);
    EXPECT_EQ(p.SequenceState(), TOvcCommandProcessor::Idle);
    EXPECT_EQ(p.Translate('Q', ssCtrl), ccPartial);
    EXPECT_EQ(p.Peek('D', 0), ccEnd);
    EXPECT_EQ(p.Peek('J', 0), ccSeqBroken);
    EXPECT_EQ(p.Peek(vkShift, ssShift), ccPartial);
    EXPECT_EQ(p.SequenceState(), TOvcCommandProcessor::FirstKeySeen);
    EXPECT_EQ(p.Translate('D', ssCtrl), ccEnd); // the pending sequence was kept
    EXPECT_EQ(p.Translate('P', ssCtrl), ccCtrlChar);
    EXPECT_EQ(p.Peek(vkLeft, 0), ccNoCmd);
    EXPECT_EQ(p.Translate(vkLeft, 0), ccNoCmd); // still literal after the peek
    EXPECT_EQ(p.Peek(vkLeft, 0), ccLeft);
}

TEST(KeyProcessor, StoredTablesTakeBuiltInEntriesByName) {
    TOvcController c;
    c.LoadTables({{"DEFAULT", true, {}}, {"Mine", true, {{'J', ssAlt, 0, 0, 300}}}});
    ASSERT_EQ(c.EntryCommands.Tables().size(), 2u);
    EXPECT_EQ(c.EntryCommands.Tables()[0].Entries().size(), 64u);
    EXPECT_EQ(c.EntryCommands.Translate('J', ssAlt), 300);
}

using EditorKeys = EditorFixture;

TEST_F(EditorKeys, WordStarSequencesAndLiteralKeysAsTyped) {
    Load({"abc def"});
    controller.LoadTables(TOvcController::ViewerTables());
    controller.EntryCommands.Table("WordStar")->SetActive(true);
    ed.SetCaret({1, 5});
    ed.KeyDown('Q', ssCtrl);
    ed.KeyPress(17);
    ed.KeyDown('S', 0);
    ed.KeyPress('s'); // the second key's character is not typed
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 1}));
    EXPECT_EQ(list().ParaText(1), "abc def");
    ed.KeyDown('Q', ssCtrl);
    ed.KeyDown('X', 0); // no such pair: no command, and the X is typed
    ed.KeyPress('x');
    EXPECT_EQ(list().ParaText(1), "xabc def");
    ed.KeyDown('P', ssCtrl);
    ed.KeyPress(16);
    ed.KeyDown('A', 0);
    ed.KeyPress('a');
    ed.KeyDown('P', ssCtrl);
    const ParaPos caret = ed.Caret();
    ed.KeyDown('A', ssCtrl); // taken literally: no word move, and no character below 32
    ed.KeyPress(1);
    EXPECT_EQ(ed.Caret(), caret);
    EXPECT_EQ(list().ParaText(1), "xaabc def");
}

TEST_F(EditorKeys, EnterTabAndBackspaceFollowTheirFlags) {
    Load({"ab"});
    ed.SetCaret({1, 2});
    ed.KeyDown(vkReturn, 0);
    ed.KeyPress('\r');
    EXPECT_EQ(list().ParaCount(), 3);
    ed.SetWantEnter(false);
    ed.KeyDown(vkReturn, 0);
    EXPECT_EQ(list().ParaCount(), 3);
    ed.KeyDown(vkBack, 0);
    ed.KeyPress('\b');
    EXPECT_EQ(list().ParaText(1), "ab");
    ed.KeyDown(vkTab, 0);
    ed.KeyPress('\t');
    EXPECT_EQ(list().ParaText(1), "a\tb");
    int users = 0;
    ed.OnUserCommand = [&](int code) { users += code; };
    EXPECT_TRUE(ed.ProcessCommand(ccUserFirst + 1));
    EXPECT_EQ(users, 257);
    EXPECT_FALSE(ed.ProcessCommand(ccRestore));
}

} // namespace
} // namespace mvf::editor
