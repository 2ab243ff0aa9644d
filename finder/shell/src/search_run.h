// A running search for the main window, in the place of the search session until that is
// merged: the search core's TBGSearch on its own thread, its news carried to the window's
// thread in batches (one wake-up per turn of the event loop, never one per hit), and its
// pause, resume, stop and cancel.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <QObject>

#include "finder/search/bg_search.h"
#include "finder/search/search_host.h"
#include "finder/shell/search_commands.h"

namespace mvf::shell {

class SearchRun final : public QObject, public SearchThread, private search::SearchHost {
public:
    struct Receiver {
        std::function<void(const std::string&)> progress;
        std::function<void(std::vector<search::FoundFile>&)> hits;
        // Last: the thread has ended; the run may be destroyed from here on.
        std::function<void(const search::SearchCompletion&)> finished;
    };

    SearchRun(search::SearchCriteria criteria, std::string errorLogPath, search::SearchFlags& flags,
              Receiver receiver);
    ~SearchRun() override;

    bool Paused() const override;
    void Pause() override;
    void Resume() override;
    void Stop() override;
    void Cancel() override;

private:
    // Search thread.
    void ShowProgress(const std::string& statusText) override;
    void AddHit(const search::FoundFile& hit) override;
    void SearchFinished(const search::SearchCompletion& completion) override;
    void WakeLocked();
    // Window thread.
    void Deliver();

    Receiver receiver_;
    std::mutex mutex_;
    std::optional<std::string> progress_;
    std::vector<search::FoundFile> hits_;
    std::optional<search::SearchCompletion> finished_;
    bool wakePosted_ = false;
    std::unique_ptr<search::TBGSearch> search_; // last: its thread starts at once
};

} // namespace mvf::shell
