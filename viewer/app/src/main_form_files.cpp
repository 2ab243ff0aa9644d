// The main window's documents: LoadAFile, new, open, save, closing and dropped files.
#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QStyle>
#include <QUrl>

#include "viewer/app/file_checks.h"
#include "viewer/app/find_dialogs.h"
#include "viewer/app/main_form.h"
#include "viewer/app/mdi_child.h"
#include "viewer/app/viewer_texts.h"
#include "viewer/editor/editor_errors.h"
#include "viewer_log.h"

Q_LOGGING_CATEGORY(lcDocuments, "mvf.viewer.documents", QtWarningMsg)
Q_LOGGING_CATEGORY(lcShell, "mvf.viewer.shell", QtWarningMsg)

namespace mvf::viewer {
namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// A file name as the file system has it, from a name a dialog or a drop gave.
std::string FileSystemName(const QString& name) {
    return QFile::encodeName(name).toStdString();
}

// The hourglass, restored on every way out.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

bool TMainForm::LoadAFile(const std::string& fileName) {
    if (!FileExists(fileName)) return false;
    bool shown = false;
    for (TMDIChild* child : std::vector<TMDIChild*>(children_)) {
        if (child->Editor1().Editor().FileName() != fileName) continue;
        BringToFront(*child);
        shown = true;
    }
    if (shown) return true;
    if (!CanOpenForReading(fileName)) {
        platform::MessageBox box;
        box.caption = Text(kErrorCaption);
        box.text = Text(UnableToOpenText(fileName));
        box.icon = platform::BoxIcon::Warning;
        box.parent = this;
        boxes_.Show(box);
        return true;
    }
    CreateChild(fileName, false);
    return true;
}

TMDIChild* TMainForm::CreateChild(const std::string& name, bool isNew) {
    auto* child = new TMDIChild(*this, name);
    children_.push_back(child);
    QMdiSubWindow* window = mdiArea_->addSubWindow(child);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->setGeometry(NewWindowPlace(static_cast<int>(children_.size()) - 1));
    editor::TOvcTextFileEditor& ed = child->Editor1().Editor();
    ed.SetFileName(name);
    if (!isNew) {
        WaitCursor hourglass;
        try {
            ed.SetIsOpen(true);
        } catch (const editor::EInOutError& e) {
            ReportError(QString::fromUtf8(e.what()));
        } catch (const editor::EEditorError& e) {
            ReportError(QString::fromUtf8(e.what()));
        } catch (const std::bad_alloc&) {
            ReportError(Text(editor::EditorErrorText(editor::kErrOutOfMemory)));
        }
    }
    connect(child, &TMDIChild::statusChanged, this, [this, child] {
        if (child == ActiveChild()) UpdateStatus();
    });
    window->show();
    BringToFront(*child);
    qCInfo(lcDocuments).noquote() << "opened" << Text(name);
    return child;
}

QRect TMainForm::NewWindowPlace(int index) const {
    // Each new window a title bar lower and further right than the one before, in three
    // quarters of the area, wholly inside it.
    const QSize area = mdiArea_->viewport()->size();
    const QSize size(std::max(area.width() * 3 / 4, 300), std::max(area.height() * 3 / 4, 200));
    const int step = style()->pixelMetric(QStyle::PM_TitleBarHeight) + 4;
    const int offset = (index % 8) * step;
    const int x = std::max(0, std::min(offset, area.width() - size.width()));
    const int y = std::max(0, std::min(offset, area.height() - size.height()));
    return QRect(QPoint(x, y), size);
}

TMDIChild* TMainForm::ChildOf(QMdiSubWindow* window) const {
    return window ? qobject_cast<TMDIChild*>(window->widget()) : nullptr;
}

TMDIChild* TMainForm::ActiveChild() const {
    TMDIChild* child = ChildOf(mdiArea_->currentSubWindow());
    // A window that is closing is no longer a document.
    return std::find(children_.begin(), children_.end(), child) != children_.end() ? child
                                                                                   : nullptr;
}

void TMainForm::BringToFront(TMDIChild& child) {
    auto* window = qobject_cast<QMdiSubWindow*>(child.parentWidget());
    if (!window) return;
    if (window->isMinimized()) window->showNormal();
    mdiArea_->setActiveSubWindow(window);
    child.ActiveEditor().setFocus();
    qCInfo(lcDocuments).noquote() << "front" << Text(child.Caption());
}

void TMainForm::ComeToFront() {
    if (isMinimized()) showNormal();
    raise();
    activateWindow();
    qCInfo(lcShell) << "to the front";
}

void TMainForm::ChildActivated() {
    UpdateStatus();
    UpdateButtons();
}

void TMainForm::ChildClosing(TMDIChild& child) {
    if (IsUntitled(child.Caption())) numbers_.Release(UntitledNumber(child.Caption()));
    children_.erase(std::remove(children_.begin(), children_.end(), &child), children_.end());
    qCInfo(lcDocuments).noquote() << "closed" << Text(child.Caption());
    UpdateStatus();
}

void TMainForm::ReportError(const QString& text) {
    platform::MessageBox box;
    box.caption = Text(kViewerTitle);
    box.text = text;
    box.icon = platform::BoxIcon::Error;
    box.parent = this;
    boxes_.Show(box);
}

void TMainForm::ReportEditorError(int code) {
    ReportError(Text(editor::EditorErrorText(code)));
}

void TMainForm::New1Click() {
    CreateChild(UntitledName(numbers_.Take()), true);
}

void TMainForm::OpenByCaption(const std::string& name) {
    bool shown = false;
    for (TMDIChild* child : std::vector<TMDIChild*>(children_)) {
        if (child->Caption() != name) continue;
        BringToFront(*child);
        shown = true;
    }
    if (!shown) LoadAFile(name);
}

void TMainForm::Open1Click() {
    const QStringList names = dialogs_.OpenFileNames(this, Text(kFileFilters));
    for (const QString& name : names) OpenByCaption(FileSystemName(name));
}

bool TMainForm::WriteDocument(TMDIChild& child, const std::string& fileName) {
    WaitCursor hourglass;
    try {
        child.Editor1().Editor().SaveToFile(fileName);
    } catch (const editor::EInOutError& e) {
        ReportError(QString::fromUtf8(e.what()));
        return false;
    }
    UpdateStatus();
    return true;
}

bool TMainForm::SaveDocument(TMDIChild& child) {
    if (IsUntitled(child.Caption())) return SaveDocumentAs(child);
    return WriteDocument(child, child.Editor1().Editor().FileName());
}

bool TMainForm::SaveDocumentAs(TMDIChild& child) {
    editor::TOvcTextFileEditor& ed = child.Editor1().Editor();
    const bool untitled = IsUntitled(child.Caption());
    const int number = untitled ? UntitledNumber(child.Caption()) : 0;
    std::optional<QString> initial;
    if (!untitled) initial = Text(ed.FileName());
    const std::optional<QString> chosen =
        dialogs_.SaveFileName(this, Text(SaveAsTitle(ed.FileName())), Text(kFileFilters), initial);
    if (!chosen || chosen->isEmpty()) return false;
    const std::string name = FileSystemName(*chosen);
    if (!WriteDocument(child, name)) return false;
    ed.SetFileName(name);
    child.SetCaption(name);
    if (!IsUntitled(name)) numbers_.Release(number);
    return true;
}

void TMainForm::Save1Click() {
    if (TMDIChild* child = ActiveChild()) SaveDocument(*child);
}

void TMainForm::SaveAs1Click() {
    if (TMDIChild* child = ActiveChild()) SaveDocumentAs(*child);
}

void TMainForm::Exit1Click() {
    close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
    // Every document is asked first; when one says no, nothing closes.
    for (TMDIChild* child : std::vector<TMDIChild*>(children_)) {
        if (!child->CloseQuery()) {
            event->ignore();
            return;
        }
    }
    for (TMDIChild* child : std::vector<TMDIChild*>(children_)) child->CloseAsked();
    findDialog_->close();
    replaceDialog_->close();
    event->accept();
}

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            event->acceptProposedAction();
            return;
        }
    }
}

void TMainForm::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    event->acceptProposedAction();
    for (const QUrl& url : urls) {
        if (url.isLocalFile()) OpenByCaption(FileSystemName(url.toLocalFile()));
    }
    ComeToFront();
}

} // namespace mvf::viewer
