#include "finder/actions/delete_command.h"

#include <QCoreApplication>
#include <QTimer>

#include "failure_list.h"
#include "platform/core/file_removal.h"
#include "platform/core/trash.h"
#include "worker.h"

namespace mvf::actions {

namespace {

QString FromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

} // namespace

DeleteCommand::DeleteCommand(results::ResultsList& list, platform::Notifier& notifier,
                             DeletePrompts& prompts, bool noRecycleBin, QWidget* window)
    : list_(list), notifier_(notifier), prompts_(prompts), noRecycleBin_(noRecycleBin),
      window_(window), worker_(std::make_unique<detail::Worker>()) {}

DeleteCommand::~DeleteCommand() {
    // The removals still queued run to their end before the thread goes.
    worker_.reset();
}

void DeleteCommand::DeleteBtnClick(std::vector<std::string> paths) {
    if (paths.empty() || running_) return;
    const std::optional<DeleteMode> mode = prompts_.ChooseMode(paths.size(), noRecycleBin_);
    if (!mode) return;
    if (*mode == DeleteMode::DeleteAll &&
        !Confirm(QStringLiteral("Are you sure you want to delete all %1 files from disk?")
                     .arg(paths.size())))
        return;

    running_ = asking_ = true;
    emit started();
    switch (*mode) {
    case DeleteMode::DeleteAll:
    case DeleteMode::RecycleAll: {
        wait_ = std::make_unique<platform::WaitCursor>();
        const FileDisposal disposal =
            *mode == DeleteMode::DeleteAll ? FileDisposal::DeleteFromDisk : FileDisposal::Trash;
        for (const std::string& path : paths) Remove(path, disposal);
        break;
    }
    case DeleteMode::ConfirmEach:
        for (const std::string& path : paths)
            if (Confirm(QStringLiteral("Are you sure you want to delete %1 from disk?")
                            .arg(FromUtf8(path))))
                Remove(path, FileDisposal::DeleteFromDisk);
        break;
    case DeleteMode::AskEach:
        for (const std::string& path : paths)
            if (const std::optional<FileDisposal> disposal = prompts_.ChooseDisposal(path))
                Remove(path, *disposal);
        break;
    }
    asking_ = false;
    FinishWhenDone();
}

void DeleteCommand::WaitUntilRemoved() {
    worker_->WaitUntilIdle();
    // Each file's outcome was posted to this object: take them now.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

bool DeleteCommand::Confirm(const QString& question) {
    platform::MessageBox box;
    box.caption = QStringLiteral("Warning");
    box.text = question;
    box.icon = platform::BoxIcon::Warning;
    box.buttons = platform::BoxButtons::OkCancel;
    box.parent = window_;
    return notifier_.Show(box) == platform::BoxAnswer::Ok;
}

void DeleteCommand::Remove(const std::string& path, FileDisposal disposal) {
    ++outstanding_;
    worker_->Post([this, path, disposal] {
        const platform::RemovalResult result = disposal == FileDisposal::Trash
                                                   ? platform::MoveToTrash(path)
                                                   : platform::DeleteFromDisk(path);
        detail::ToGui(this, [this, path, result] { Removed(path, result.removed, result.reason); });
    });
}

void DeleteCommand::Removed(const std::string& path, bool removed, const std::string& reason) {
    --outstanding_;
    if (removed) {
        removed_.push_back(path);
        // Entries leave the list in batches: one pass over a long list for many files.
        if (!takeScheduled_) {
            takeScheduled_ = true;
            QTimer::singleShot(0, this, &DeleteCommand::TakeRemovedEntries);
        }
    } else {
        failures_.emplace_back(path, FromUtf8(reason));
    }
    FinishWhenDone();
}

void DeleteCommand::TakeRemovedEntries() {
    takeScheduled_ = false;
    if (removed_.size() == 1)
        list_.DeleteItem(removed_.front()); // keeps the other rows' selection
    else if (!removed_.empty())
        list_.DeleteItems(removed_);
    removed_.clear();
}

void DeleteCommand::FinishWhenDone() {
    if (!running_ || asking_ || outstanding_ > 0) return;
    TakeRemovedEntries();
    wait_.reset();
    running_ = false;
    detail::Failures failures;
    failures.swap(failures_);
    detail::TellFailures(notifier_, window_,
                         QStringLiteral("These files could not be removed and stay in the "
                                        "results list:"),
                         failures);
    emit finished();
}

} // namespace mvf::actions
