#include "viewer/app/viewer_shell.h"

#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>
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

} // namespace

int RunViewer(int argc, char** argv) {
    // Every argument is a file name: the toolkit sees none of them (it would take names
    // such as "-style" as its own options).
    std::vector<std::string> files = CommandLineFiles(argc, argv);
    int toolkitArgc = 1;
    char* toolkitArgv[] = {argv[0], nullptr};
    QApplication application(toolkitArgc, toolkitArgv);
    QApplication::setApplicationName("vantorviewer");
    QApplication::setWindowIcon(assets::appIcon(assets::Program::Viewer));

    // HandOverToRunningInstance.
    platform::LockFile startupLock = platform::TakeViewerStartupLock();
    if (startupLock.Outcome() == platform::LockOutcome::AlreadyLocked) return kStartupLockTimedOut;
    if (startupLock.Outcome() == platform::LockOutcome::CannotOpen)
        Complain(QString::fromStdString(startupLock.Failure()));

    TMainForm* mainForm = nullptr;
    platform::HandOverServer server(
        [&mainForm](const QByteArray& name) {
            if (mainForm) mainForm->LoadAFile(name.toStdString());
        },
        [&mainForm] {
            if (mainForm) mainForm->ComeToFront();
        });
    const QString socketName = platform::HandOverSocketName(platform::kViewerMessage);
    switch (server.Listen(socketName)) {
    case platform::HandOverServer::Listening: break;
    case platform::HandOverServer::AlreadyServed: {
        const platform::HandOverResult sent = platform::SendHandOver(socketName, Messages(files));
        if (sent.ok()) return 0;
        // The running viewer went away meanwhile: this one opens what it did not take.
        if (server.Listen(socketName) != platform::HandOverServer::Listening) {
            Complain(sent.failure);
            return kHandOverFailed;
        }
        files.erase(files.begin(), files.begin() + sent.delivered);
        break;
    }
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
    const int status = QApplication::exec();
    mainForm = nullptr;
    return status;
}

} // namespace mvf::viewer
