// The viewer's main window (`TMainForm`), titled "Vantor Finder Viewer": the MDI frame
// with its menus, the tool bar `SpeedPanel` and the status bar `Panel1`. Every file
// reaches a document window through LoadAFile (command line, hand-over, open dialog,
// drops). Message boxes go through the notifier, every other question through
// ViewerDialogs, so tests run it offscreen with scripted answers.
//
// Its actions and widgets carry the names the design gives them (objectName): the menu
// items "New1", "Open1", ..., "Split1", the buttons "OpenBtn" ... "ExitBtn", the panels
// "Panel1" ... "Panel7".
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QFont>
#include <QMainWindow>
#include <QPixmap>

#include "platform/qt/notifier.h"
#include "viewer/app/noname_numbers.h"
#include "viewer/app/viewer_dialogs.h"
#include "viewer/app/viewer_options.h"
#include "viewer/editor/controller.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QPrinter;
class QToolButton;

namespace mvf::viewer {

class FindDialog;
class ReplaceDialog;
class TMDIChild;
class TMdiAbout;

class TMainForm : public QMainWindow {
    Q_OBJECT

public:
    TMainForm(platform::Notifier& boxes, ViewerDialogs& dialogs, QWidget* parent = nullptr);
    ~TMainForm() override;

    // The one road of every file into a window. False when no file of that name exists
    // (nothing happens). Otherwise true: the windows already showing it (names compared
    // exactly: paths keep their case here) come to the front; else a file that cannot be
    // read gets the "Unable to open" box, and any other gets a new document window.
    bool LoadAFile(const std::string& fileName);
    // A new document window named `name`; unless `isNew`, its file is loaded.
    TMDIChild* CreateChild(const std::string& name, bool isNew);

    // The active document window, or none.
    TMDIChild* ActiveChild() const;
    // The open document windows in the order they were opened.
    const std::vector<TMDIChild*>& Children() const { return children_; }
    void BringToFront(TMDIChild& child);
    // A second start handed over: restore the window if minimised, else bring it to the top.
    void ComeToFront();

    // "Save" for one document: an untitled one goes to "Save as". True when it was written.
    bool SaveDocument(TMDIChild& child);
    bool SaveDocumentAs(TMDIChild& child);

    void UpdateStatus();
    void UpdateButtons();
    // Brings every menu item and tool button up to date with its enabling rule.
    void UpdateCommands();
    // A non-empty hint fills the status bar; an empty one shows the panels again.
    void DisplayHint(const QString& hint);
    void ApplyOptionsToAll();

    // What the document windows use.
    platform::Notifier& Boxes() { return boxes_; }
    ViewerDialogs& Dialogs() { return dialogs_; }
    ViewerOptions& Options() { return options_; }
    const QFont& ChosenFont() const { return chosenFont_; }
    editor::TOvcController& MainController() { return mainController_; }
    const QPixmap& Markers() const { return markers_; }
    NonameNumbers& Numbers() { return numbers_; }
    void ReportError(const QString& text);
    void ReportEditorError(int code);
    // A document window accepted its close.
    void ChildClosing(TMDIChild& child);

    QMdiArea* MdiArea() const { return mdiArea_; }
    FindDialog* FindDialog1() const { return findDialog_; }
    ReplaceDialog* ReplaceDialog1() const { return replaceDialog_; }
    TMdiAbout* About() const { return about_; }
    QAction* Action(const char* name) const;
    // Panel1's caption (0), Panel2 ... Panel7 (1 ... 6).
    QLabel* StatusPanel(int index) const;

public slots:
    void New1Click();
    void Open1Click();
    void Save1Click();
    void SaveAs1Click();
    void Print1Click();
    void PrintSetup1Click();
    void Exit1Click();
    void Undo1Click();
    void Redo1Click();
    void Cut1Click();
    void Copy1Click();
    void Paste1Click();
    void Delete1Click();
    void SelectAll1Click();
    void Find1Click();
    void Replace1Click();
    void FindNext1Click();
    void GoToLine1Click();
    void Font1Click();
    void TabSize1Click();
    void WrapAtColumn1Click();
    void Cascade1Click();
    void Tile1Click();
    void ArrangeIcons1Click();
    void MinimizeAll1Click();
    void Split1Click();
    void About1Click();

protected:
    bool event(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void CreateSpeedPanel();
    void CreateStatusBar();
    QAction* AddItem(QMenu* menu, const char* name, const QString& caption, const QString& hint,
                     void (TMainForm::*slot)(), const QList<QKeySequence>& shortcuts = {});
    QAction* AddTick(QMenu* menu, const char* name, const QString& caption, const QString& hint,
                     bool ViewerOptions::*tick, bool applyToAll = true);
    QToolButton* AddButton(const char* name, const QIcon& icon, const QString& hint,
                           void (TMainForm::*slot)());
    void FillWindowMenu();
    // Open dialog and drops: windows whose caption is the name come to the front; if none
    // does, LoadAFile.
    void OpenByCaption(const std::string& name);
    bool WriteDocument(TMDIChild& child, const std::string& fileName);
    void SearchFromDialog(bool fromReplaceDialog);
    void ReplaceFromDialog(bool all);
    void ShowNotFound(const QString& pattern);
    // Runs an editor command on the active document's active editor.
    void EditCommand(int command);
    std::optional<int32_t> AskNumber(const QString& caption, const QString& prompt,
                                     const QString& initial);
    TMDIChild* ChildOf(QMdiSubWindow* window) const;
    QRect NewWindowPlace(int index) const;
    void ChildActivated();

    platform::Notifier& boxes_;
    ViewerDialogs& dialogs_;
    ViewerOptions options_;
    QFont chosenFont_;
    NonameNumbers numbers_;
    editor::TOvcController mainController_;
    QPixmap markers_;
    std::vector<TMDIChild*> children_;
    std::unique_ptr<QPrinter> printer_;
    bool clipboardText_ = false;

    QMdiArea* mdiArea_;
    QMenu* windowMenu_ = nullptr;
    QList<QAction*> windowListActions_;
    QLabel* panelCaption_ = nullptr;
    std::vector<QLabel*> panels_;
    QToolButton* saveBtn_ = nullptr;
    QToolButton* cutBtn_ = nullptr;
    QToolButton* copyBtn_ = nullptr;
    QToolButton* pasteBtn_ = nullptr;
    FindDialog* findDialog_;
    ReplaceDialog* replaceDialog_;
    TMdiAbout* about_;
};

} // namespace mvf::viewer
