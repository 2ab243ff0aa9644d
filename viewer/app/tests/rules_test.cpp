// The rules of the main window without a window: enabling, status texts, options, search
// options, the split view's geometry.
#include <gtest/gtest.h>

#include "viewer/app/command_enabling.h"
#include "viewer/app/search_options.h"
#include "viewer/app/split_geometry.h"
#include "viewer/app/status_texts.h"
#include "viewer/app/viewer_options.h"
#include "viewer/editor/editor.h"

namespace mvf::viewer {
namespace {

TEST(CommandEnabling, WithoutADocumentOnlyWhatNeedsNoneIsOn) {
    FrameFacts none;
    none.clipboardText = true;
    none.findTextEmpty = false;
    const CommandEnabling off = EnablingFor(none);
    for (bool item :
         {off.saveButton, off.cutButton, off.copyButton,   off.pasteButton, off.print,    off.save,
          off.saveAs,     off.undo,      off.redo,         off.cut,         off.copy,     off.paste,
          off.selectAll,  off.find,      off.replace,      off.findNext,    off.goToLine, off.font,
          off.cascade,    off.tile,      off.arrangeIcons, off.minimizeAll, off.split})
        EXPECT_FALSE(item);

    // A minimised document is open but none is active: the window commands and the save
    // button still work.
    none.documentCount = 1;
    const CommandEnabling open = EnablingFor(none);
    EXPECT_TRUE(open.saveButton && open.cascade && open.tile && open.arrangeIcons &&
                open.minimizeAll);
    EXPECT_FALSE(open.paste || open.pasteButton || open.font || open.split);
}

TEST(CommandEnabling, TextSelectionHistoryAndClipboardEachEnableTheirItems) {
    FrameFacts facts;
    facts.documentCount = 2;
    facts.active = ActiveDocumentFacts{};
    CommandEnabling on = EnablingFor(facts);
    // An empty document: saved only from the button; nothing to find, print or select.
    EXPECT_TRUE(on.saveButton && on.font && on.split);
    EXPECT_FALSE(on.save || on.saveAs || on.print || on.selectAll || on.find || on.replace ||
                 on.goToLine || on.findNext || on.cut || on.copy || on.paste || on.undo ||
                 on.redo || on.splitChecked);

    facts.active->byteCount = 1;
    on = EnablingFor(facts);
    EXPECT_TRUE(on.save && on.saveAs && on.print && on.selectAll && on.find && on.replace &&
                on.goToLine);
    EXPECT_FALSE(on.findNext); // no find text yet
    facts.findTextEmpty = false;
    EXPECT_TRUE(EnablingFor(facts).findNext);

    facts.active->selection = true;
    on = EnablingFor(facts);
    EXPECT_TRUE(on.cut && on.copy && on.cutButton && on.copyButton);
    EXPECT_FALSE(on.paste || on.pasteButton);
    facts.clipboardText = true;
    on = EnablingFor(facts);
    EXPECT_TRUE(on.paste && on.pasteButton);

    facts.active->canUndo = facts.active->canRedo = true;
    on = EnablingFor(facts);
    EXPECT_TRUE(on.undo && on.redo);
    facts.active->readOnly = true;
    on = EnablingFor(facts);
    EXPECT_FALSE(on.undo || on.redo);

    facts.active->split = true;
    EXPECT_TRUE(EnablingFor(facts).splitChecked);
}

TEST(StatusTexts, SixPanelsOrNothing) {
    StatusFacts facts{12, 5, true, 300, 17, 4096, false};
    EXPECT_EQ(StatusPanelTexts(facts),
              (std::array<std::string, 6>{"12:5", "Modified", "Total: 300", "Top: 17",
                                          "Bytes: 4096", "Overwrite"}));
    facts.modified = false;
    facts.insertMode = true;
    const auto texts = StatusPanelTexts(facts);
    EXPECT_EQ(texts[1], "");
    EXPECT_EQ(texts[5], "Insert");
    for (const std::string& text : StatusPanelTexts(std::nullopt)) EXPECT_EQ(text, "");
}

TEST(ViewerOptions, EveryEditorGetsTheOptionsInOrder) {
    ViewerOptions options; // the start-up ticks: backups, real tabs, word wrap at 80
    editor::TOvcTextFileEditor ed;
    ApplyEditorOptions(options, ed, 50);
    EXPECT_EQ(ed.TabSize(), 8);
    EXPECT_TRUE(ed.WordWrap());
    EXPECT_EQ(ed.WrapColumn(), 80);
    EXPECT_FALSE(ed.AutoIndent());
    EXPECT_TRUE(ed.MakeBackup());
    EXPECT_EQ(ed.TabType(), editor::ttReal);

    options.OptTabSize = 260;  // a byte: 4
    options.OptWrapColumn = 0; // ignored: the column stays
    options.autoIndentation = true;
    options.createBackupFile = false;
    options.wordWrap = false;
    options.ChooseTabs(TabChoice::Smart);
    EXPECT_FALSE(options.realTabs || options.fixedTabs);
    ApplyEditorOptions(options, ed, 50);
    EXPECT_EQ(ed.TabSize(), 4);
    EXPECT_EQ(ed.WrapColumn(), 80);
    EXPECT_FALSE(ed.WordWrap());
    EXPECT_TRUE(ed.AutoIndent());
    EXPECT_FALSE(ed.MakeBackup());
    EXPECT_EQ(ed.TabType(), editor::ttSmart);

    options.OptTabSize = 256; // 0: changes nothing
    options.OptWrapColumn = 72;
    options.wrapToWindow = true;
    options.ChooseTabs(TabChoice::Fixed);
    ApplyEditorOptions(options, ed, 50);
    EXPECT_EQ(ed.TabSize(), 4);
    EXPECT_EQ(ed.WrapColumn(), 50); // the window's width wins over the column
    EXPECT_EQ(ed.TabType(), editor::ttFixed);
    ApplyEditorOptions(options, ed, 0); // a window not laid out yet keeps the column
    EXPECT_EQ(ed.WrapColumn(), 72);
}

TEST(SearchOptions, FindReplaceAndFindNextBits) {
    using namespace editor;
    EXPECT_EQ(FindOptions(false, false, false), 0);
    EXPECT_EQ(FindOptions(true, true, true),
              kSearchBackward | kSearchMatchCase | kSearchWholeWords);
    EXPECT_EQ(ReplaceOptions(true, false, false), kSearchMatchCase | kSearchReplaceOne);
    EXPECT_EQ(ReplaceOptions(false, true, true), kSearchWholeWords | kSearchReplaceAll);
    // Find next after a search upward keeps searching upward, never replaces.
    EXPECT_EQ(FindNextOptions(kSearchBackward | kSearchReplaceAll | kSearchMatchCase),
              kSearchBackward | kSearchMatchCase);
}

TEST(SplitGeometry, HalfTheWindowThenWhereTheLineWasDropped) {
    EXPECT_EQ(InitialUpperHeight(301), 150);
    // The drag line keeps 3 pixels from both edges.
    EXPECT_EQ(DragLineY(-40, 300), 3);
    EXPECT_EQ(DragLineY(120, 300), 120);
    EXPECT_EQ(DragLineY(500, 300), 296);
    // Dropped 40 pixels below the press: the upper editor grows by 40, and never pushes
    // the bar off the window.
    EXPECT_EQ(DroppedUpperHeight(150, 152, 192, 300), 190);
    EXPECT_EQ(DroppedUpperHeight(150, 152, 12, 300), 10);
    EXPECT_EQ(DroppedUpperHeight(290, 100, 296, 300), 295);
    // Resizing keeps the proportion, multiplying first.
    EXPECT_EQ(ResizedUpperHeight(100, 450, 300), 150);
    EXPECT_EQ(ResizedUpperHeight(101, 100, 300), 33);
    EXPECT_EQ(ResizedUpperHeight(40, 300, 0), 150); // no old height: half
    EXPECT_EQ(FittedUpperHeight(-5, 100), 0);
    EXPECT_EQ(FittedUpperHeight(99, 100), 95);
}

} // namespace
} // namespace mvf::viewer
