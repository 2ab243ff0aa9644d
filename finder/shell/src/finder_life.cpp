#include "finder/shell/finder_life.h"

#include "boxes.h"
#include "finder/results/results_file.h"

namespace mvf::shell {

FinderLife::FinderLife(platform::SettingsStore& store, platform::Notifier& notifier,
                       std::string programFile, std::string resultsFolder)
    : store_(store), notifier_(notifier), programFile_(std::move(programFile)),
      resultsFolder_(std::move(resultsFolder)) {}

platform::MessageBox BoxOf(const results::Message& message) {
    return Box(QString::fromStdString(message.caption), QString::fromStdString(message.text),
               message.icon == results::MessageIcon::Warning ? platform::BoxIcon::Warning
                                                             : platform::BoxIcon::Information);
}

void FinderLife::Create() {
    settings::LoadFinderSettings(store_, programFile_, settings_, notifier_);
    list_.Clear();
    list_.SetSort(results::kNameColumn, true);
    list_.SetAutoSort(true);
}

bool FinderLife::Show(bool searchRunning) {
    const bool load = firstShowPending_ && !searchRunning;
    firstShowPending_ = false;
    if (!load) return false;
    const results::FileResult result =
        results::LoadList(list_, results::kLastResultsName, resultsFolder_);
    if (result.status == results::FileStatus::Failed) notifier_.Show(BoxOf(result.message));
    return result.status == results::FileStatus::Done;
}

bool FinderLife::Close(bool searchDialogShown) {
    if (!userLoadedFile_) {
        const results::FileResult saved =
            results::SaveResults(list_, results::kLastResultsName, resultsFolder_);
        if (saved.status == results::FileStatus::Failed) notifier_.Show(BoxOf(saved.message));
    }
    list_.Clear();
    return settings::SaveFinderSettings(store_, settings_, searchDialogShown, notifier_);
}

} // namespace mvf::shell
