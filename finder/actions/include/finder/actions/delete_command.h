// The delete command (DeleteBtnClick) on the selected entries: the mode is chosen in the
// multiple-deletion dialog, then
//  - DeleteAll: one question, "Are you sure you want to delete all <S> files from disk?",
//    then every file is deleted from disk;
//  - RecycleAll: every file goes to the trash, without a question;
//  - ConfirmEach: "Are you sure you want to delete <path> from disk?" for each file, and
//    the file is deleted on OK, skipped on Cancel;
//  - AskEach: the one-file dialog for each file: to the trash or deleted, or skipped.
// The questions are warnings with OK and Cancel (caption "Warning").
//
// The files are removed on a thread of their own, in order, while the next question is
// asked. A file that is gone takes its entry from the list with it; a file that could not
// be removed keeps its entry, and once every file was handled one box lists those files
// and why each failed. Nothing is reported as removed that was not.
#pragma once

#include <QObject>
#include <memory>
#include <string>
#include <vector>

#include "finder/actions/delete_prompts.h"
#include "finder/results/results_list.h"
#include "platform/qt/notifier.h"
#include "platform/qt/wait_cursor.h"

class QWidget;

namespace mvf::actions {

namespace detail {
class Worker;
}

class DeleteCommand : public QObject {
    Q_OBJECT
public:
    // `noRecycleBin`: the platform has no trash (platform::PlatformHasTrash() is false).
    DeleteCommand(results::ResultsList& list, platform::Notifier& notifier, DeletePrompts& prompts,
                  bool noRecycleBin, QWidget* window);
    ~DeleteCommand() override;

    // `paths`: the selected entries' full paths in list order. Nothing happens for none, or
    // while a deletion is still under way. `finished` follows the last file (and the box
    // of failures, if any); nothing is emitted when the user cancelled before any file.
    void DeleteBtnClick(std::vector<std::string> paths);

    // Files are being removed: the list must hold still meanwhile.
    bool Running() const { return running_; }
    // Blocks until the files handed to the removal thread are removed, and takes their
    // outcome (for the exit; questions still to come are not waited for).
    void WaitUntilRemoved();

signals:
    void started();
    void finished();

private:
    void Remove(const std::string& path, FileDisposal disposal);
    void Removed(const std::string& path, bool removed, const std::string& reason);
    void TakeRemovedEntries();
    void FinishWhenDone();
    bool Confirm(const QString& question);

    results::ResultsList& list_;
    platform::Notifier& notifier_;
    DeletePrompts& prompts_;
    bool noRecycleBin_;
    QWidget* window_;

    bool running_ = false;
    bool asking_ = false;              // questions are still to come
    std::size_t outstanding_ = 0;      // removals posted and not yet answered
    std::vector<std::string> removed_; // gone from disk, entries not yet taken out
    bool takeScheduled_ = false;
    std::vector<std::pair<std::string, QString>> failures_;
    std::unique_ptr<platform::WaitCursor> wait_; // while files go without questions
    std::unique_ptr<detail::Worker> worker_;
};

} // namespace mvf::actions
