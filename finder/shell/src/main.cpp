// MVFinder: the finder, a tray program. It takes no arguments but --help, --version and
// --files.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include <QApplication>

#include "finder/shell/command_line.h"
#include "finder/shell/finder_application.h"
#include "finder/shell/startup_rules.h"
#include "mvfindgrep.h"
#include "platform/core/open_file_limit.h"
#include "platform/core/program_folder.h"
#include "platform/core/single_instance_locks.h"
#include "platform/qt/engine_notices.h"
#include "platform/qt/qt_notifier.h"
#include "platform/qt/settings_store.h"
#include "stderr_notifier.h"

namespace {

using namespace mvf;

// Why no window can be shown, before the toolkit tries; empty when there may be a display.
std::string NoDisplayReason() {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) return {};
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        return "no display to show its windows on (neither DISPLAY nor WAYLAND_DISPLAY is set)";
    return {};
}

// While the toolkit connects to the display its complaints are held back: when it
// cannot connect, the user gets one clear line instead of its several.
std::vector<std::string> heldMessages;

void HoldMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        heldMessages.push_back(message.toStdString());
        return;
    }
    const QByteArray display = qgetenv("DISPLAY");
    std::fprintf(stderr, "MVFinder: cannot open a window: the display %s cannot be reached\n",
                 display.isEmpty() ? "(none)" : ('"' + display + '"').constData());
    std::_Exit(1);
}

std::unique_ptr<platform::Notifier> MakeNotifier() {
    if (qgetenv("MVF_NOTIFIER") == "stderr") return std::make_unique<shell::StderrNotifier>();
    return std::make_unique<platform::QtNotifier>();
}

} // namespace

int main(int argc, char** argv) {
    switch (shell::ReadCommandLine(argc, argv)) {
    case shell::CommandLineRequest::Help:
        std::fputs(shell::FinderHelpText().c_str(), stdout);
        return 0;
    case shell::CommandLineRequest::Version:
        std::fputs(shell::FinderVersionText().c_str(), stdout);
        return 0;
    case shell::CommandLineRequest::Files: {
        bool allFound = false;
        std::fputs(shell::FinderFilesText(platform::ProgramFolder(), allFound).c_str(), stdout);
        return allFound ? 0 : 1;
    }
    case shell::CommandLineRequest::Run: break;
    }
    if (const std::string reason = NoDisplayReason(); !reason.empty()) {
        std::fprintf(stderr, "MVFinder: %s\n", reason.c_str());
        return 1;
    }
    const QtMessageHandler standard = qInstallMessageHandler(HoldMessage);
    QApplication app(argc, argv);
    qInstallMessageHandler(standard);
    for (const std::string& message : heldMessages) qWarning("%s", message.c_str());
    heldMessages.clear();
    QApplication::setApplicationName(QStringLiteral("MVFinder"));
    QApplication::setQuitOnLastWindowClosed(false);

    // Names sort in the user's collation; numbers keep "." whatever the region. Dates
    // are the program's own "mm/dd/yyyy hh:mm:ss AM/PM" texts, whatever the locale.
    std::setlocale(LC_ALL, "");
    std::setlocale(LC_NUMERIC, "C");
    LibMain(nullptr, 0, 0, nullptr); // the engine's notices carry their captions
    platform::RaiseOpenFileLimit();  // a search holds a descriptor per folder level

    const std::unique_ptr<platform::Notifier> notifier = MakeNotifier();
    const platform::EngineNoticeRoute notices(*notifier);

    const std::string programFolder = platform::ProgramFolder();
    platform::LockFile lock = platform::TakeFinderRunLock();
    if (lock.Outcome() == platform::LockOutcome::AlreadyLocked) {
        notifier->Show(shell::AlreadyRunningBox());
        return 1;
    }
    if (!lock.IsHeld()) {
        notifier->Show(shell::LockFailedBox(lock.Failure()));
        return 1;
    }

    platform::SettingsStore store;
    shell::QtModalRunner modal;
    shell::FinderStartup startup;
    startup.programFolder = programFolder;
    startup.programFile = QApplication::applicationFilePath().toStdString();
    shell::FinderApplication finder(store, *notifier, modal, startup);
    QObject::connect(&finder, &shell::FinderApplication::finished, &app, &QApplication::quit);
    finder.Start();
    const int status = app.exec();
    lock.Release();
    return status;
}
