// The main window's commands on the active document: editing, searching, the options,
// the window arrangements, printing and the About box.
#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>

#include "print_document.h"
#include "viewer/app/about_box.h"
#include "viewer/app/find_dialogs.h"
#include "viewer/app/main_form.h"
#include "viewer/app/mdi_child.h"
#include "viewer/app/print_lines.h"
#include "viewer/app/search_options.h"
#include "viewer/app/viewer_texts.h"
#include "viewer/app/whole_number.h"

namespace mvf::viewer {
namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Bytes(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace

void TMainForm::EditCommand(int command) {
    TMDIChild* child = ActiveChild();
    if (!child) return;
    child->ActiveEditor().Editor().ProcessCommand(command);
    child->ActiveEditor().Refresh();
    UpdateStatus();
}

void TMainForm::Undo1Click() {
    EditCommand(editor::ccUndo);
}
void TMainForm::Redo1Click() {
    EditCommand(editor::ccRedo);
}
void TMainForm::Cut1Click() {
    EditCommand(editor::ccCut);
}
void TMainForm::Copy1Click() {
    EditCommand(editor::ccCopy);
}
void TMainForm::Paste1Click() {
    EditCommand(editor::ccPaste);
}
void TMainForm::Delete1Click() {
    EditCommand(editor::ccDel);
}

void TMainForm::SelectAll1Click() {
    TMDIChild* child = ActiveChild();
    if (!child) return;
    child->ActiveEditor().Editor().SelectAll();
    child->ActiveEditor().Refresh();
    UpdateStatus();
}

void TMainForm::Find1Click() {
    findDialog_->move(kSearchDialogX, kSearchDialogY);
    findDialog_->show();
    findDialog_->raise();
    findDialog_->activateWindow();
}

void TMainForm::Replace1Click() {
    replaceDialog_->move(kSearchDialogX, kSearchDialogY);
    replaceDialog_->show();
    replaceDialog_->raise();
    replaceDialog_->activateWindow();
}

void TMainForm::ShowNotFound(const QString& pattern) {
    platform::MessageBox box;
    box.caption = Text(kInformationCaption);
    box.text = Text(NotFoundText(Bytes(pattern)));
    box.icon = platform::BoxIcon::Information;
    box.parent = this;
    boxes_.Show(box);
}

void TMainForm::SearchFromDialog(bool fromReplaceDialog) {
    // The replace dialog has no direction: it searches forward.
    const QString pattern =
        fromReplaceDialog ? replaceDialog_->FindText() : findDialog_->FindText();
    options_.OptSearch =
        fromReplaceDialog
            ? FindOptions(false, replaceDialog_->MatchCase(), replaceDialog_->WholeWord())
            : FindOptions(findDialog_->Up(), findDialog_->MatchCase(), findDialog_->WholeWord());
    if (!fromReplaceDialog) findDialog_->close();
    if (TMDIChild* child = ActiveChild()) {
        EditorWidget& active = child->ActiveEditor();
        const bool found = active.Editor().Search(Bytes(pattern), options_.OptSearch);
        active.Refresh();
        if (!found) ShowNotFound(pattern);
    }
    if (fromReplaceDialog) findDialog_->SetFindText(pattern);
    UpdateStatus();
}

void TMainForm::FindNext1Click() {
    TMDIChild* child = ActiveChild();
    if (!child) return;
    options_.OptSearch = FindNextOptions(options_.OptSearch);
    const QString pattern = findDialog_->FindText();
    EditorWidget& active = child->ActiveEditor();
    const bool found = active.Editor().Search(Bytes(pattern), options_.OptSearch);
    active.Refresh();
    if (!found) ShowNotFound(pattern);
    UpdateStatus();
}

void TMainForm::ReplaceFromDialog(bool all) {
    // The ticks are read at each press, so a tick changed while the dialog is up counts.
    options_.OptSearch =
        ReplaceOptions(replaceDialog_->MatchCase(), replaceDialog_->WholeWord(), all);
    TMDIChild* child = ActiveChild();
    if (!child) return;
    EditorWidget& active = child->ActiveEditor();
    const QString pattern = replaceDialog_->FindText();
    const int result = active.Editor().Replace(Bytes(pattern), Bytes(replaceDialog_->ReplaceText()),
                                               options_.OptSearch);
    active.Refresh();
    if (result == -1) ShowNotFound(pattern);
    UpdateStatus();
}

std::optional<int32_t> TMainForm::AskNumber(const QString& caption, const QString& prompt,
                                            const QString& initial) {
    const std::optional<QString> answer = dialogs_.InputText(this, caption, prompt, initial);
    if (!answer) return std::nullopt;
    return WholeNumber(Bytes(*answer));
}

void TMainForm::GoToLine1Click() {
    TMDIChild* child = ActiveChild();
    if (!child) return;
    EditorWidget& active = child->ActiveEditor();
    const int32_t lines = active.Editor().Paragraphs().LineCount();
    const std::optional<int32_t> line =
        AskNumber("Go to Line Number", Text(GoToLinePrompt(lines)), "1");
    // The document may have closed while the box was up.
    child = ActiveChild();
    if (!line || *line < 1 || *line > lines || !child) return;
    child->ActiveEditor().Editor().GotoLine(*line);
    child->ActiveEditor().Refresh();
    UpdateStatus();
}

void TMainForm::TabSize1Click() {
    if (const auto size =
            AskNumber("Tab Size", "Enter Tab Size", QString::number(options_.OptTabSize))) {
        options_.OptTabSize = *size;
        ApplyOptionsToAll();
    }
}

void TMainForm::WrapAtColumn1Click() {
    if (const auto column = AskNumber(
            "Word Wrap Column", "Word Wrap at Column:", QString::number(options_.OptWrapColumn))) {
        options_.OptWrapColumn = *column;
        ApplyOptionsToAll();
    }
}

void TMainForm::Font1Click() {
    TMDIChild* child = ActiveChild();
    if (!child) return;
    const std::optional<QFont> font = dialogs_.ChooseFont(this, child->Editor1().font());
    if (!font) return;
    options_.FontChosen = true;
    chosenFont_ = *font;
    ApplyOptionsToAll();
}

void TMainForm::ApplyOptionsToAll() {
    for (TMDIChild* child : children_) child->ApplyOptions();
    UpdateStatus();
}

void TMainForm::Cascade1Click() {
    mdiArea_->cascadeSubWindows();
}

void TMainForm::Tile1Click() {
    mdiArea_->tileSubWindows();
}

void TMainForm::ArrangeIcons1Click() {
    // Minimised windows in a row along the bottom of the window area.
    const QSize area = mdiArea_->viewport()->size();
    int x = 0;
    for (QMdiSubWindow* window : mdiArea_->subWindowList(QMdiArea::CreationOrder)) {
        if (!window->isMinimized()) continue;
        const QSize size = window->size();
        if (x > 0 && x + size.width() > area.width()) x = 0;
        window->move(x, area.height() - size.height());
        x += size.width();
    }
}

void TMainForm::MinimizeAll1Click() {
    const QList<QMdiSubWindow*> windows = mdiArea_->subWindowList(QMdiArea::CreationOrder);
    for (auto it = windows.rbegin(); it != windows.rend(); ++it) (*it)->showMinimized();
}

void TMainForm::Split1Click() {
    if (TMDIChild* child = ActiveChild()) child->SetSplit(!child->IsSplit());
    UpdateCommands();
}

void TMainForm::FillWindowMenu() {
    for (QAction* action : windowListActions_) {
        windowMenu_->removeAction(action);
        action->deleteLater();
    }
    windowListActions_.clear();
    if (children_.empty()) return;
    windowListActions_.append(windowMenu_->addSeparator());
    TMDIChild* active = ActiveChild();
    int number = 0;
    for (TMDIChild* child : children_) {
        ++number;
        QString caption = QString::fromUtf8(child->Caption());
        caption.replace('&', "&&");
        const QString label =
            number < 10 ? QStringLiteral("&%1 %2").arg(number).arg(caption) : caption;
        QAction* action = windowMenu_->addAction(label);
        action->setCheckable(true);
        action->setChecked(child == active);
        connect(action, &QAction::triggered, this, [this, child] {
            if (std::find(children_.begin(), children_.end(), child) != children_.end())
                BringToFront(*child);
        });
        windowListActions_.append(action);
    }
}

void TMainForm::About1Click() {
    dialogs_.ShowAbout(*about_);
}

void TMainForm::PrintSetup1Click() {
    if (!printer_) printer_ = std::make_unique<QPrinter>();
    dialogs_.PrinterSetup(this, *printer_);
}

void TMainForm::Print1Click() {
    TMDIChild* child = ActiveChild();
    if (!child) return;
    if (!printer_) printer_ = std::make_unique<QPrinter>();
    const bool selection = child->ActiveEditor().Editor().HasSelection();
    const std::optional<PrintChoice> choice = dialogs_.ChoosePrint(this, *printer_, selection);
    child = ActiveChild();
    if (!choice || !child) return;
    const std::vector<std::string> lines =
        choice->selectionOnly ? SelectionPrintLines(child->ActiveEditor().Editor())
                              : AllPrintLines(child->Editor1().Editor().Paragraphs());
    if (!PrintDocument(*printer_, child->Editor1().font(), lines))
        ReportError("The printer could not be opened.");
}

} // namespace mvf::viewer
