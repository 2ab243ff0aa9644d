// The main window's commands: enabling in each state, untitled numbers, the save question,
// the status bar and its hints, the options.
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>

#include "form_fixture.h"
#include "viewer/app/about_box.h"
#include "viewer/app/find_dialogs.h"

namespace mvf::viewer {
namespace {

using platform::BoxAnswer;
using testing::FormFixture;
using Kind = ScriptedViewerDialogs::Kind;

using CommandsTest = FormFixture;

const char* const kDocumentItems[] = {"Print1",   "Save1",     "SaveAs1",   "Undo1",      "Redo1",
                                      "Cut1",     "Copy1",     "Paste1",    "SelectAll1", "Find1",
                                      "Replace1", "FindNext1", "GoToLine1", "Font1",      "Split1"};

TEST_F(CommandsTest, EachItemFollowsItsRuleFromNoDocumentToTextSelectionAndHistory) {
    QGuiApplication::clipboard()->clear();
    // No document: every document command is off, and so are the window commands.
    for (const char* item : kDocumentItems) EXPECT_FALSE(Enabled(item)) << item;
    for (const char* item : {"Cascade1", "Tile1", "ArrangeIcons1", "MinimizeAll1"})
        EXPECT_FALSE(Enabled(item)) << item;
    for (const char* button : {"SaveBtn", "CutBtn", "CopyBtn", "PasteBtn"})
        EXPECT_FALSE(ButtonEnabled(button)) << button;
    EXPECT_TRUE(ButtonEnabled("OpenBtn"));
    EXPECT_TRUE(Enabled("New1"));

    // An empty document: savable from the button only, nothing to find or print.
    form->New1Click();
    ASSERT_NE(Active(), nullptr);
    EXPECT_TRUE(ButtonEnabled("SaveBtn"));
    EXPECT_TRUE(Enabled("Font1") && Enabled("Split1") && Enabled("Cascade1") &&
                Enabled("MinimizeAll1"));
    for (const char* item : {"Save1", "SaveAs1", "Print1", "SelectAll1", "Find1", "Replace1",
                             "GoToLine1", "FindNext1", "Undo1", "Redo1", "Cut1", "Copy1", "Paste1"})
        EXPECT_FALSE(Enabled(item)) << item;

    // Typed text: saving, printing, searching; something to undo.
    TypeInto(Active()->Editor1(), "alpha beta");
    for (const char* item :
         {"Save1", "SaveAs1", "Print1", "SelectAll1", "Find1", "Replace1", "GoToLine1", "Undo1"})
        EXPECT_TRUE(Enabled(item)) << item;
    EXPECT_FALSE(Enabled("Redo1"));
    EXPECT_FALSE(Enabled("FindNext1")) << "no find text yet";
    // The shortcut of a disabled item does nothing, one of an enabled item works at once
    // (without opening its menu first).
    QTest::keyClick(form.get(), Qt::Key_F4);
    EXPECT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests().back().title, "Go to Line Number");

    form->FindDialog1()->SetFindText("beta");
    EXPECT_TRUE(Enabled("FindNext1"));

    // A selection: cut and copy; then the clipboard has text: paste.
    EXPECT_FALSE(Enabled("Cut1") || ButtonEnabled("CopyBtn"));
    form->SelectAll1Click();
    EXPECT_TRUE(Enabled("Cut1") && Enabled("Copy1") && ButtonEnabled("CutBtn") &&
                ButtonEnabled("CopyBtn"));
    EXPECT_FALSE(Enabled("Paste1") || ButtonEnabled("PasteBtn"));
    form->Copy1Click();
    EXPECT_TRUE(Enabled("Paste1") && ButtonEnabled("PasteBtn"));

    // Undo, then redo is possible; a read-only editor offers neither.
    form->Undo1Click();
    EXPECT_TRUE(Enabled("Redo1"));
    Active()->Editor1().Editor().SetReadOnly(true);
    form->UpdateCommands();
    EXPECT_FALSE(Enabled("Undo1") || Enabled("Redo1"));
    Active()->Editor1().Editor().SetReadOnly(false);

    // Split is ticked while the active document is split.
    form->Split1Click();
    EXPECT_TRUE(form->Action("Split1")->isChecked());
    form->New1Click();
    EXPECT_FALSE(form->Action("Split1")->isChecked());
}

TEST_F(CommandsTest, UntitledNumbersAreTheLowestFreeAndComeBackAfterClosingOrSaving) {
    for (int i = 0; i < 3; ++i) form->New1Click();
    EXPECT_EQ(Captions(), (std::vector<std::string>{"NONAME1", "NONAME2", "NONAME3"}));
    CloseWindow(*form->Children()[1]);
    EXPECT_EQ(Captions(), (std::vector<std::string>{"NONAME1", "NONAME3"}));
    form->New1Click();
    EXPECT_EQ(Captions().back(), "NONAME2");

    // Saving NONAME1 under a name frees number 1.
    TMDIChild* first = form->Children()[0];
    form->BringToFront(*first);
    const std::string saved = folder.Path("saved.txt");
    dialogs.AnswerSave(QString::fromStdString(saved));
    form->findChild<QToolButton*>("SaveBtn")->click();
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].title, "Save NONAME1 As");
    EXPECT_FALSE(dialogs.Requests()[0].initial.has_value()) << "keeps the name it showed last";
    EXPECT_EQ(first->Caption(), saved);
    EXPECT_EQ(first->Editor1().Editor().FileName(), saved);
    EXPECT_EQ(mvf::testing::ReadAll(saved), "") << "an empty document saves from the button";
    form->New1Click();
    EXPECT_EQ(Captions().back(), "NONAME1");
    EXPECT_TRUE(dialogs.AllAsExpected()) << dialogs.Describe();
}

TEST_F(CommandsTest, TheSaveQuestionSavesDiscardsOrKeepsTheDocument) {
    const std::string path = folder.File("letter.txt", "Dear\n");
    ASSERT_TRUE(form->LoadAFile(path));
    TMDIChild* doc = Active();
    TypeInto(doc->Editor1(), "My ");

    // Cancel: the window stays, the file too.
    boxes.Expect(BoxAnswer::Cancel);
    CloseWindow(*doc);
    ASSERT_EQ(form->Children().size(), 1u);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].box.text,
              QString::fromStdString(path) + " has changed, do you wish to save?");
    EXPECT_EQ(boxes.Boxes()[0].box.buttons, platform::BoxButtons::YesNoCancel);
    EXPECT_EQ(boxes.Boxes()[0].box.icon, platform::BoxIcon::Information);

    // Yes: saved, then closed.
    boxes.Expect(BoxAnswer::Yes);
    CloseWindow(*doc);
    EXPECT_TRUE(form->Children().empty());
    EXPECT_EQ(mvf::testing::ReadAll(path), "My Dear\n");

    // No: closed, nothing written.
    ASSERT_TRUE(form->LoadAFile(path));
    TypeInto(Active()->Editor1(), "X");
    boxes.Expect(BoxAnswer::No);
    CloseWindow(*Active());
    EXPECT_TRUE(form->Children().empty());
    EXPECT_EQ(mvf::testing::ReadAll(path), "My Dear\n");

    // Yes to an untitled document whose save dialog is cancelled: it stays open, since
    // closing it would lose the text.
    form->New1Click();
    TypeInto(Active()->Editor1(), "unsaved");
    boxes.Expect(BoxAnswer::Yes);
    CloseWindow(*Active());
    ASSERT_EQ(form->Children().size(), 1u);
    EXPECT_EQ(Text(*form->Children()[0]), "unsaved");

    // An unmodified document closes without a question.
    ASSERT_TRUE(form->LoadAFile(path));
    CloseWindow(*Active());
    EXPECT_EQ(boxes.Boxes().size(), 4u);
    EXPECT_TRUE(boxes.AllAsExpected()) << boxes.Describe();
}

TEST_F(CommandsTest, ClosingTheMainWindowAsksEveryDocumentFirstAndOneNoKeepsAll) {
    form->New1Click();
    TypeInto(Active()->Editor1(), "one");
    form->New1Click();
    TypeInto(Active()->Editor1(), "two");
    boxes.Expect(BoxAnswer::No);
    boxes.Expect(BoxAnswer::Cancel);
    EXPECT_FALSE(form->close());
    EXPECT_EQ(form->Children().size(), 2u) << "nothing closes when one document says no";
    EXPECT_TRUE(form->isVisible());
    boxes.Expect(BoxAnswer::No);
    boxes.Expect(BoxAnswer::No);
    EXPECT_TRUE(form->close());
    EXPECT_TRUE(form->Children().empty());
    EXPECT_EQ(boxes.Boxes().size(), 4u) << "asked once each, not again while closing";
    EXPECT_TRUE(boxes.AllAsExpected()) << boxes.Describe();
}

TEST_F(CommandsTest, TheStatusBarFollowsTheActiveEditorAndHintsTakeItOver) {
    for (int n = 2; n <= 7; ++n) EXPECT_EQ(Panel(n), "") << n;
    form->New1Click();
    EXPECT_EQ(Panel(2), "1:1");
    EXPECT_EQ(Panel(3), "");
    EXPECT_EQ(Panel(4), "Total: 1");
    EXPECT_EQ(Panel(5), "Top: 1");
    EXPECT_EQ(Panel(6), "Bytes: 0");
    EXPECT_EQ(Panel(7), "Insert");
    TypeInto(Active()->Editor1(), "ab\ncd");
    EXPECT_EQ(Panel(2), "2:3");
    EXPECT_EQ(Panel(3), "Modified");
    EXPECT_EQ(Panel(4), "Total: 2");
    EXPECT_EQ(Panel(6), "Bytes: 6");
    testing::Key(&Active()->Editor1(), Qt::Key_Insert);
    QApplication::processEvents();
    EXPECT_EQ(Panel(7), "Overwrite");

    // A hint fills the bar and hides the panels; an empty one brings them back.
    QStatusTipEvent hint("Open file");
    QApplication::sendEvent(form.get(), &hint);
    EXPECT_EQ(form->StatusPanel(0)->text(), "Open file");
    EXPECT_TRUE(form->StatusPanel(0)->isVisible());
    for (int n = 1; n <= 6; ++n) EXPECT_FALSE(form->StatusPanel(n)->isVisible()) << n;
    QStatusTipEvent none("");
    QApplication::sendEvent(form.get(), &none);
    EXPECT_FALSE(form->StatusPanel(0)->isVisible());
    for (int n = 1; n <= 6; ++n) EXPECT_TRUE(form->StatusPanel(n)->isVisible()) << n;
    EXPECT_EQ(form->Action("Open1")->statusTip(), "Open file");
    EXPECT_EQ(form->findChild<QToolButton*>("CutBtn")->toolTip(), "Cut");
    EXPECT_EQ(form->findChild<QToolButton*>("CutBtn")->statusTip(),
              "Cut selected text to clipboard");

    // The last document closed: the panels are empty.
    boxes.Expect(BoxAnswer::No);
    CloseWindow(*Active());
    for (int n = 2; n <= 7; ++n) EXPECT_EQ(Panel(n), "") << n;
}

TEST_F(CommandsTest, OptionsReachEveryEditorAndNumberBoxesIgnoreWhatIsNoNumber) {
    form->New1Click();
    TMDIChild* first = Active();
    form->New1Click();
    TMDIChild* second = Active();
    editor::TOvcTextFileEditor& ed = second->Editor1().Editor();
    EXPECT_EQ(ed.TabSize(), 8);
    EXPECT_TRUE(ed.WordWrap());
    EXPECT_TRUE(ed.MakeBackup());

    dialogs.AnswerInput("4");
    form->TabSize1Click();
    EXPECT_EQ(dialogs.Requests().back().title, "Tab Size");
    EXPECT_EQ(dialogs.Requests().back().prompt, "Enter Tab Size");
    EXPECT_EQ(dialogs.Requests().back().initial, "8");
    EXPECT_EQ(first->Editor1().Editor().TabSize(), 4);
    EXPECT_EQ(ed.TabSize(), 4);
    dialogs.AnswerInput("four");
    form->TabSize1Click();
    EXPECT_EQ(ed.TabSize(), 4);
    dialogs.AnswerInput(std::nullopt);
    form->TabSize1Click();
    EXPECT_EQ(form->Options().OptTabSize, 4);

    dialogs.AnswerInput("60");
    form->WrapAtColumn1Click();
    EXPECT_EQ(dialogs.Requests().back().title, "Word Wrap Column");
    EXPECT_EQ(dialogs.Requests().back().prompt, "Word Wrap at Column:");
    EXPECT_EQ(dialogs.Requests().back().initial, "80");
    EXPECT_EQ(first->Editor1().Editor().WrapColumn(), 60);

    form->Action("Wordwrap1")->trigger();
    EXPECT_FALSE(first->Editor1().Editor().WordWrap());
    form->Action("Createbackupfile1")->trigger();
    EXPECT_FALSE(ed.MakeBackup());
    form->Action("Autoindentation1")->trigger();
    EXPECT_TRUE(ed.AutoIndent());
    form->Action("Smarttabs1")->trigger();
    EXPECT_EQ(ed.TabType(), editor::ttSmart);
    EXPECT_FALSE(form->Action("Realtabs1")->isChecked());

    // Wrap to window: the column is what fits in the window, and the column item is off.
    form->Action("Wordwrap1")->trigger();
    form->Action("WraptoWindow1")->trigger();
    EXPECT_FALSE(form->Action("WrapatColumn1")->isEnabled());
    const int32_t fits = ed.VisibleColumns();
    EXPECT_GT(fits, 10);
    EXPECT_EQ(ed.WrapColumn(), fits);
    // A narrower window wraps narrower.
    second->parentWidget()->resize(second->parentWidget()->width() / 2,
                                   second->parentWidget()->height());
    QApplication::processEvents();
    EXPECT_LT(ed.WrapColumn(), fits);
    EXPECT_EQ(ed.WrapColumn(), ed.VisibleColumns());
    form->Action("WraptoWindow1")->trigger();
    EXPECT_TRUE(form->Action("WrapatColumn1")->isEnabled());
    EXPECT_EQ(ed.WrapColumn(), 60);

    // The font dialog offers the editor's font; the chosen one goes to every editor.
    QFont chosen = second->Editor1().font();
    chosen.setPointSize(chosen.pointSize() + 4);
    dialogs.AnswerFont(chosen);
    form->Font1Click();
    EXPECT_EQ(first->Editor1().font().pointSize(), chosen.pointSize());
    EXPECT_TRUE(form->Options().FontChosen);

    // The WordStar table is on exactly while ticked.
    auto* wordStar = form->MainController().EntryCommands.Table("WordStar");
    ASSERT_NE(wordStar, nullptr);
    EXPECT_FALSE(wordStar->Active());
    form->Action("WordStarCommands1")->trigger();
    EXPECT_TRUE(wordStar->Active());
    testing::Key(&first->Editor1(), Qt::Key_Q, Qt::ControlModifier);
    testing::Key(&first->Editor1(), Qt::Key_D, Qt::ControlModifier);
    form->Action("WordStarCommands1")->trigger();
    EXPECT_FALSE(wordStar->Active());
    EXPECT_TRUE(dialogs.AllAsExpected()) << dialogs.Describe();
}

TEST_F(CommandsTest, TheWindowMenuArrangesAndListsTheDocuments) {
    for (int i = 0; i < 3; ++i) form->New1Click();
    form->Tile1Click();
    QApplication::processEvents();
    const QList<QMdiSubWindow*> windows = form->MdiArea()->subWindowList();
    ASSERT_EQ(windows.size(), 3);
    // Tiled windows do not overlap.
    for (int i = 0; i < 3; ++i)
        for (int j = i + 1; j < 3; ++j)
            EXPECT_FALSE(windows[i]->geometry().intersects(windows[j]->geometry()));
    form->Cascade1Click();
    QApplication::processEvents();
    EXPECT_TRUE(windows[0]->geometry().intersects(windows[1]->geometry()));

    form->MinimizeAll1Click();
    QApplication::processEvents();
    for (QMdiSubWindow* window : windows) EXPECT_TRUE(window->isMinimized());
    form->ArrangeIcons1Click();
    const int bottom = form->MdiArea()->viewport()->height();
    for (QMdiSubWindow* window : windows) EXPECT_EQ(window->geometry().bottom() + 1, bottom);

    // The menu lists the documents; choosing one brings it to the front.
    QMenu* menu = nullptr;
    for (QAction* item : form->menuBar()->actions())
        if (item->text() == "&Window") menu = item->menu();
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QStringList listed;
    for (QAction* action : menu->actions())
        if (action->text().contains("NONAME")) listed << action->text();
    EXPECT_EQ(listed, (QStringList{"&1 NONAME1", "&2 NONAME2", "&3 NONAME3"}));
    for (QAction* action : menu->actions())
        if (action->text() == "&2 NONAME2") action->trigger();
    ASSERT_NE(Active(), nullptr);
    EXPECT_EQ(Active()->Caption(), "NONAME2");
    EXPECT_FALSE(windows[1]->isMinimized());
}

TEST_F(CommandsTest, TheAboutBoxShowsTheTitle) {
    form->About1Click();
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].kind, Kind::About);
    EXPECT_EQ(dialogs.Requests()[0].title, "About Vantor Finder Viewer");
    auto* title = form->About()->findChild<QLabel*>("Title");
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->text(), "Vantor Finder Viewer");
    EXPECT_TRUE(title->font().bold());
    EXPECT_EQ(title->font().pixelSize(), 20);
    EXPECT_EQ(form->windowTitle(), "Vantor Finder Viewer");
}

} // namespace
} // namespace mvf::viewer
