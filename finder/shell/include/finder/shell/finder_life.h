// The main window's life as data: the settings loaded when it is created, whether its
// showing is the first (the last results are loaded then), and the settings written when
// it closes. The window (tv_finder.h) calls these at its events; the rules are here. The
// last results file itself is read and written by the file actions (finder/actions).
#pragma once

#include <string>

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

    // The window is shown: true the first time, unless a search runs, when the last
    // results ("last search results.ser") are to be loaded.
    bool FirstShowing(bool searchRunning);
    // A search started before the first showing: its hits are the list, nothing is loaded.
    void CancelFirstLoad() { firstShowPending_ = false; }

    // The window closes (after the close query allowed it, its place was recorded, the
    // search dialog wrote its values back and the last results were saved): the list is
    // emptied and every setting is written, the dialog's values and lists only when
    // `searchDialogShown`. False when the settings did not reach the disk (the user was
    // told).
    bool Close(bool searchDialogShown);

private:
    platform::SettingsStore& store_;
    platform::Notifier& notifier_;
    const std::string programFile_;
    const std::string resultsFolder_;
    settings::FinderSettings settings_;
    results::ResultsList list_;
    bool firstShowPending_ = true;
};

} // namespace mvf::shell
