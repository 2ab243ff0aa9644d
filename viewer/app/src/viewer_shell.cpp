#include "viewer/app/viewer_shell.h"

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QCoreApplication>
#include <QTimer>

#include "assets/icons.h"
#include "platform/core/single_instance_locks.h"
#include "platform/qt/hand_over_client.h"
#include "platform/qt/hand_over_server.h"
#include "platform/qt/hand_over_socket_name.h"
#include "platform/qt/qt_notifier.h"
#include "viewer/app/command_line.h"
#include "viewer/app/main_form.h"
#include "viewer/app/viewer_dialogs.h"
#include "viewer_log.h"

namespace mvf::viewer {
namespace {

QList<QByteArray> Messages(const std::vector<std::string>& files) {
    QList<QByteArray> messages;
    for (const std::string& file : files)
        messages.append(QByteArray(file.data(), static_cast<qsizetype>(file.size())));
    return messages;
}

void Complain(const QString& text) {
    std::fprintf(stderr, "vantorviewer: %s\n", text.toLocal8Bit().constData());
}

// HandOverToRunningInstance: waits for the start-up lock, then hands the names to a
// running viewer. Runs before the windowing toolkit starts, so a second start costs
// little. Returns how many names the running viewer took, or none when this process
// should end with `status`.
std::optional<size_t> HandOverToRunningInstance(char* program,
                                                const std::vector<std::string>& files,
                                                platform::LockFile& startupLock, int& status) {
    startupLock = platform::TakeViewerStartupLock();
    if (startupLock.Outcome() == platform::LockOutcome::AlreadyLocked) {
        status = kStartupLockTimedOut;
        return std::nullopt;
    }
    if (startupLock.Outcome() == platform::LockOutcome::CannotOpen)
        Complain(QString::fromStdString(startupLock.Failure()));
    int coreArgc = 1;
    char* coreArgv[] = {program, nullptr};
    QCoreApplication core(coreArgc, coreArgv);
    // Nobody listening means no viewer runs (or a dead one left its socket): this start is
    // the viewer. A viewer that went away part-way leaves the rest of the names to it.
    const platform::HandOverResult sent = platform::SendHandOver(
        platform::HandOverSocketName(platform::kViewerMessage), Messages(files));
    if (sent.ok()) {
        status = 0;
        return std::nullopt;
    }
    return static_cast<size_t>(sent.delivered);
}

} // namespace

int RunViewer(int argc, char** argv) {
    std::vector<std::string> files = CommandLineFiles(argc, argv);
    // Answered before the lock and the display: a terminal and the manual page ask these.
    switch (ViewerRequestOf(files)) {
    case ViewerRequest::Help: std::fputs(ViewerHelpText().c_str(), stdout); return 0;
    case ViewerRequest::Version: std::fputs(ViewerVersionText().c_str(), stdout); return 0;
    case ViewerRequest::Open: break;
    }
    platform::LockFile startupLock;
    int status = 0;
    const std::optional<size_t> handedOver =
        HandOverToRunningInstance(argv[0], files, startupLock, status);
    if (!handedOver) return status;
    files.erase(files.begin(), files.begin() + static_cast<std::ptrdiff_t>(*handedOver));

    // Every argument is a file name: the toolkit sees none of them (it would take names
    // such as "-style" as its own options).
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication application(toolkitArgc, toolkitArgv);
    QApplication::setApplicationName("vantorviewer");
    QApplication::setWindowIcon(assets::appIcon(assets::Program::Viewer));

    TMainForm* mainForm = nullptr;
    platform::HandOverServer server(
        [&mainForm](const QByteArray& name) {
            if (mainForm) mainForm->LoadAFile(name.toStdString());
        },
        [&mainForm] {
            if (mainForm) mainForm->ComeToFront();
        });
    switch (server.Listen(platform::HandOverSocketName(platform::kViewerMessage))) {
    case platform::HandOverServer::Listening: break;
    case platform::HandOverServer::AlreadyServed:
        // A viewer runs but did not take the names in time (it hangs, or a box of its own
        // waits for an answer): nothing more can be done from here.
        Complain("the running viewer did not take the files in time");
        return kHandOverFailed;
    case platform::HandOverServer::Failed:
        // This viewer works on, but later starts cannot hand their files to it.
        Complain(server.FailureText());
        break;
    }

    platform::QtNotifier notifier;
    QtViewerDialogs dialogs;
    TMainForm form(notifier, dialogs);
    mainForm = &form;
    form.show();
    (void)form.winId();
    qCInfo(lcShell) << "window shown";
    startupLock.Release();

    // The command line's files, once, when the window is up.
    QTimer::singleShot(0, &form, [&form, &files] {
        for (const std::string& file : files) form.LoadAFile(file);
    });
    status = QApplication::exec();
    mainForm = nullptr;
    return status;
}

} // namespace mvf::viewer
