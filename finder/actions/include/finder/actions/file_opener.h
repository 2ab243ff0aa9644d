// Opening found files, each with its opener (opening.h), in the order given:
//  - the viewer: the program folder's vantorviewer, started by its absolute path with the
//    file's full path as its one argument (one start per file; a running viewer takes the
//    file over from the new one);
//  - the desktop's default application for the file's type;
//  - the external editor: once every file was looked at, the editor's program is started
//    (no arguments), and after a pause of 1200 ms and a bounded wait for its listener each
//    queued path is handed to it over the "FMM message" hand-over, in order.
// Looking up the default applications and the hand-over run on a thread of their own.
// Files that could not be opened are told in one box afterwards, each with the reason.
#pragma once

#include <QObject>
#include <QString>
#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "platform/qt/notifier.h"

class QWidget;

namespace mvf::actions {

namespace detail {
class Worker;
}

class FileOpener : public QObject {
    Q_OBJECT
public:
    struct Options {
        std::string programFolder; // where vantorviewer lives
        // After the editor's start, before the first hand-over.
        std::chrono::milliseconds editorPause{1200};
        // How long after the pause the editor may take to listen.
        std::chrono::milliseconds editorListenWait{10000};
    };

    // `useViewer` is read at each Open (the setting UseViewer may change during the run).
    // `notifier`, `useViewer` and `window` must outlive the opener.
    FileOpener(platform::Notifier& notifier, const bool& useViewer, Options options,
               QWidget* window);
    ~FileOpener() override;

    // Opens each of `paths` (full paths) as above; returns at once. `finished` follows
    // when every file was handed on (or failed and was told).
    void Open(std::vector<std::string> paths);

    // Starts the viewer on `path`; false with the reason when it could not start.
    bool StartViewer(const std::string& path, QString* failure = nullptr);

    // No Open is under way.
    bool Idle() const { return pending_ == 0; }

signals:
    void finished();

private:
    struct Plan;
    void Carry(const std::shared_ptr<Plan>& plan);
    void Done(const std::shared_ptr<Plan>& plan);

    platform::Notifier& notifier_;
    const bool& useViewer_;
    Options options_;
    QWidget* window_;
    int pending_ = 0;
    std::unique_ptr<detail::Worker> worker_;
};

} // namespace mvf::actions
