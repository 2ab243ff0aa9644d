// The finder's windows from the lock on: the results folder, the start-up read of the
// settings, the splash, the main window (hidden), the notice, the search dialog and the
// About box, in that order; and the end of the program when the main window closes.
//
//   FinderApplication finder(store, notifier, modal, {.programFolder = folder, ...});
//   QObject::connect(&finder, &FinderApplication::finished, &app, &QApplication::quit);
//   finder.Start();
//   app.exec();
#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include <QObject>

#include "finder/search/search_criteria.h"
#include "finder/shell/finder_life.h"
#include "finder/shell/modal_runner.h"
#include "finder/shell/startup_rules.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/resources.h"
#include "platform/qt/sound_player.h"

class QDialog;

namespace mvf::dialog {
class TVantorFinder;
}

namespace mvf::shell {

class TVFinder;

struct FinderStartup {
    std::string programFolder;
    std::string programFile;
    std::chrono::milliseconds splashMinimum = kSplashMinimum;
    // Whether the desktop has a system tray; none: ask the desktop.
    std::optional<bool> trayAvailable;
    platform::SoundOutput sound{};
};

// What start-up did, for those who check it.
struct StartupReport {
    bool splashShown = false;
    bool splashUpWhileMainWindowMade = false;
    std::chrono::milliseconds splashTime{0}; // from showing the splash to closing it
    bool noticeShown = false;
};

class FinderApplication final : public QObject {
    Q_OBJECT
public:
    FinderApplication(platform::SettingsStore& store, platform::Notifier& notifier,
                      ModalRunner& modal, FinderStartup startup,
                      search::SearchFlags& flags = search::ProcessSearchFlags());
    // The main window goes first: it waits for a search still running to end.
    ~FinderApplication() override;

    // Start-up from the results folder to the About box; returns with the main window
    // hidden (shown where there is no tray) and the tray icon in place.
    void Start();

    TVFinder& MainWindow() { return *main_; }
    FinderLife& Life() { return life_; }
    QDialog* AboutBox() const { return about_.get(); }
    dialog::TVantorFinder* SearchDialog() const { return search_.get(); }
    const StartupReport& Report() const { return report_; }

signals:
    // The main window closed and the settings are written: the program ends.
    void finished();

private:
    platform::SettingsStore& store_;
    platform::Notifier& notifier_;
    ModalRunner& modal_;
    const FinderStartup startup_;
    search::SearchFlags& flags_;
    platform::ResourceLibrary resources_;
    platform::HelpViewer help_;
    FinderLife life_;
    std::unique_ptr<TVFinder> main_;
    std::unique_ptr<QDialog> notice_;
    std::unique_ptr<dialog::TVantorFinder> search_;
    std::unique_ptr<QDialog> about_;
    StartupReport report_;
};

} // namespace mvf::shell
