#include "finder/shell/finder_life.h"

namespace mvf::shell {

FinderLife::FinderLife(platform::SettingsStore& store, platform::Notifier& notifier,
                       std::string programFile, std::string resultsFolder)
    : store_(store), notifier_(notifier), programFile_(std::move(programFile)),
      resultsFolder_(std::move(resultsFolder)) {}

void FinderLife::Create() {
    settings::LoadFinderSettings(store_, programFile_, settings_, notifier_);
    list_.Clear();
    list_.SetSort(results::kNameColumn, true);
    list_.SetAutoSort(true);
}

bool FinderLife::FirstShowing(bool searchRunning) {
    const bool load = firstShowPending_ && !searchRunning;
    firstShowPending_ = false;
    return load;
}

bool FinderLife::Close(bool searchDialogShown) {
    list_.Clear();
    return settings::SaveFinderSettings(store_, settings_, searchDialogShown, notifier_);
}

} // namespace mvf::shell
