// The main window's life as data: the settings loaded when it is created, the last
// results loaded at its first showing, and what is saved when it closes. The window
// (tv_finder.h) calls these at its events; the rules are here.
#pragma once

#include <string>

#include "finder/results/results_file.h"
#include "finder/results/results_list.h"
#include "finder/settings/finder_settings.h"
#include "platform/qt/notifier.h"
#include "platform/qt/settings_store.h"

namespace mvf::shell {

class FinderLife {
public:
    // `programFile` is the finder's own file (written into the run marker); the last
    // results live in `resultsFolder`.
    FinderLife(platform::SettingsStore& store, platform::Notifier& notifier,
               std::string programFile, std::string resultsFolder);

    settings::FinderSettings& Settings() { return settings_; }
    const settings::FinderSettings& Settings() const { return settings_; }
    results::ResultsList& List() { return list_; }
    platform::SettingsStore& Store() { return store_; }
    platform::Notifier& Notifier() { return notifier_; }
    const std::string& ResultsFolder() const { return resultsFolder_; }
    const std::string& ProgramFile() const { return programFile_; }

    // The window is created: every setting but `Splash` (already read at start-up) is
    // loaded; the list is empty, without summary, sorted by name ascending.
    void Create();

    // The window is shown: the first time, unless a search runs, the last results are
    // loaded ("last search results.ser"); a file that cannot be read is told and the list
    // stays empty. True when it loaded rows.
    bool Show(bool searchRunning);
    // A search started before the first showing: its hits are the list, nothing is loaded.
    void CancelFirstLoad() { firstShowPending_ = false; }
    // The user loaded a results file: its rows are not written over the last results.
    void NoteUserLoadedFile() { userLoadedFile_ = true; }
    bool UserLoadedFile() const { return userLoadedFile_; }
    // The search dialog appeared: its values and lists are saved at exit.
    void NoteSearchDialogShown() { searchDialogShown_ = true; }

    // The window closes (after the close query allowed it and its place was recorded):
    // the list is saved as the last results (unless the user loaded a file in this run;
    // a save that fails is told), the list is emptied, and every setting is written.
    // False when the settings did not reach the disk (the user was told).
    bool Close();

private:
    platform::SettingsStore& store_;
    platform::Notifier& notifier_;
    const std::string programFile_;
    const std::string resultsFolder_;
    settings::FinderSettings settings_;
    results::ResultsList list_;
    bool firstShowPending_ = true;
    bool userLoadedFile_ = false;
    bool searchDialogShown_ = false;
};

// A results file's message as a box of the notifier.
platform::MessageBox BoxOf(const results::Message& message);

} // namespace mvf::shell
