// What the shell's widget tests share: a scripted way to answer the finder's own dialogs,
// waiting on the event loop, and a main window with its search dialog in a scratch world
// (its settings file, its results folder, the real pictures and help beside the built
// programs).
#pragma once

#include <sys/stat.h>

#include <chrono>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QThread>

#include <gtest/gtest.h>

#include "finder/actions/results_actions.h"
#include "finder/actions/scripted_delete_prompts.h"
#include "finder/actions/scripted_file_dialogs.h"
#include "finder/dialog/vantor_finder.h"
#include "finder/results/results_file.h"
#include "finder/search/search_criteria.h"
#include "finder/shell/finder_life.h"
#include "finder/shell/modal_runner.h"
#include "finder/shell/tv_finder.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/resources.h"
#include "platform/qt/scripted_notifier.h"
#include "platform/qt/settings_store.h"
#include "testsupport/temp_folder.h"

namespace mvf::shell::testing {

// Records each dialog it is asked to show (by its object name) and answers it.
class ScriptedModal final : public ModalRunner {
public:
    int Run(QDialog& dialog) override {
        shown.push_back(dialog.objectName().toStdString());
        return answer ? answer(dialog) : QDialog::Accepted;
    }
    std::vector<std::string> shown;
    std::function<int(QDialog&)> answer;
};

// Runs the event loop until `done` holds, at most `limit`. True when it held.
inline bool WaitFor(const std::function<bool()>& done,
                    std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > limit.count()) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

// Runs the event loop for `time`.
inline void Spin(std::chrono::milliseconds time) {
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < time.count()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(2);
    }
}

// A main window with its own settings file and results folder.
class WindowWorld {
public:
    WindowWorld()
        : ini_(folder.Path("config/Morvel Vantor Finder.conf")),
          resultsFolder(folder.Folder("program/searchresults")) {}
    ~WindowWorld() {
        window.reset();
        dialog.reset();
    }

    // Settings to find at the next Open.
    void Preset(const std::function<void(platform::SettingsStore&)>& write) {
        platform::SettingsStore store(ini_);
        write(store);
        store.Flush();
    }

    void Open(bool trayAvailable = true) {
        store = std::make_unique<platform::SettingsStore>(ini_);
        life = std::make_unique<FinderLife>(*store, notifier, "/opt/mvf/MVFinder", resultsFolder);
        settings::ReadStartupSettings(*store, life->Settings()); // as start-up does
        window = std::make_unique<TVFinder>(FinderWindowParts{
            .life = *life,
            .flags = flags,
            .resources = resources,
            .help = help,
            .modal = modal,
            .programFolder = folder.Path("program"),
            .trayAvailable = trayAvailable,
            .sound = {.device = "null"},
            .deletePrompts = &deletePrompts,
            .fileDialogs = &fileDialogs,
        });
        // As start-up makes it, after the window.
        dialog = std::make_unique<dialog::TVantorFinder>(dialog::TVantorFinder::Services{
            .settings = life->Settings(),
            .notifier = notifier,
            .help = &help,
            .starter = window.get(),
            .flags = &flags,
        });
        window->SetSearchDialog(dialog.get());
    }

    // Shows the window (the first time: the last results are read meanwhile) and waits
    // until the list holds still.
    void Show() {
        window->ShowLastClick();
        WaitFor([&] { return !window->Actions().Busy(); });
    }

    // Closes the window as "Exit and Unload" does; true when it closed for good.
    bool Close() {
        bool closed = false;
        QObject::connect(window.get(), &TVFinder::closed, [&] { closed = true; });
        window->close();
        return closed;
    }

    // Exit, then start again on the same settings and results.
    void Restart(bool trayAvailable = true) {
        EXPECT_TRUE(Close());
        window.reset();
        dialog.reset();
        life.reset();
        store.reset();
        Open(trayAvailable);
    }

    // A viewer beside the program that notes each start's arguments as one line.
    void FakeViewer() {
        const std::string viewer =
            folder.File("program/vantorviewer", "#!/bin/sh\necho \"$@\" >> \"$0.starts\"\n");
        ASSERT_EQ(0, ::chmod(viewer.c_str(), 0755));
    }
    // What the viewer was started with so far, one start a line.
    std::vector<std::string> ViewerStarts() const {
        std::vector<std::string> starts;
        std::istringstream lines(mvf::testing::ReadAll(folder.Path("program/vantorviewer.starts")));
        for (std::string line; std::getline(lines, line);) starts.push_back(line);
        return starts;
    }

    // The settings file as another program would read it.
    platform::SettingsStore Stored() const { return platform::SettingsStore(ini_); }
    const std::string& SettingsFile() const { return ini_; }

    mvf::testing::TempFolder folder;

private:
    std::string ini_;

public:
    std::string resultsFolder;
    platform::ScriptedNotifier notifier;
    ScriptedModal modal;
    actions::ScriptedDeletePrompts deletePrompts;
    actions::ScriptedFileDialogs fileDialogs;
    search::SearchFlags flags;
    platform::ResourceLibrary resources{{MVF_BIN_DIR}};
    platform::HelpViewer help{{MVF_BIN_DIR}};
    std::unique_ptr<platform::SettingsStore> store;
    std::unique_ptr<FinderLife> life;
    std::unique_ptr<TVFinder> window;
    std::unique_ptr<dialog::TVantorFinder> dialog;
};

// A results file in `folder` under `name`, holding files of the given names.
inline void WriteResults(const std::string& folder, std::string_view name,
                         const std::vector<std::string>& files) {
    results::ResultsList list;
    for (const std::string& file : files)
        list.AddItem("/data/found/" + file, "07/04/1999 03:15:42 PM", "07/04/1999 03:15:42 PM", 100,
                     {.IsUnix = true});
    list.SetSearchSummary("Filemask:  *.txt    Expression:  <none>   Boolean: <none>    "
                          "Searched in:  /data/found");
    ASSERT_EQ(results::FileStatus::Done, results::SaveResults(list, name, folder).status);
}

} // namespace mvf::shell::testing
