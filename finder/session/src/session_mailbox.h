// The search thread's end of a session: it leaves the search's news here without waiting
// for the window, and the GUI thread takes them on its own schedule. Hits become the
// results list's rows here, on the search thread, so that the GUI thread only appends
// them. Of the progress texts only the newest is kept; the completion comes after the
// last hit, with the bark's sound read on this thread when the search is to bark.
#pragma once

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <QByteArray>

#include "finder/results/result_entry.h"
#include "finder/search/search_host.h"

namespace mvf::session {

class SessionMailbox final : public search::SearchHost {
public:
    // `wake` runs on the search thread when news arrive and the GUI thread has not yet
    // been woken since it last took them. It must only post a call to the GUI thread.
    // `readBark` gives the bark's WAV bytes (empty: silence); it runs on the search thread.
    SessionMailbox(std::function<void()> wake, std::function<QByteArray()> readBark);

    struct News {
        std::optional<std::string> Progress;
        std::vector<results::ResultEntry> Rows;
        std::optional<search::SearchCompletion> Finished;
        QByteArray Bark;
    };
    // Everything that arrived since the last call (GUI thread).
    News Take();
    // The completion has arrived (it may not have been taken yet).
    bool Finished() const { return finished_.load(std::memory_order_acquire); }

    void ShowProgress(const std::string& statusText) override;
    void AddHit(const search::FoundFile& hit) override;
    void SearchFinished(const search::SearchCompletion& completion) override;

private:
    // With the lock held: whether the caller must wake the GUI thread.
    bool NeedsWaking();

    std::function<void()> wake_;
    std::function<QByteArray()> readBark_;
    std::mutex mutex_;
    News news_;
    bool woken_ = false;
    std::atomic<bool> finished_{false};
};

} // namespace mvf::session
