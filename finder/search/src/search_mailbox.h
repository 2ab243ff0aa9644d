// A host for windows: the search drops its news here without waiting for the window,
// and the window takes them on its own thread. Hits queue up in order; of the progress
// texts only the newest is kept; the completion comes after the last hit.
#pragma once

#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "finder/search/search_host.h"

namespace mvf::search {

class SearchMailbox final : public SearchHost {
public:
    // `wake` runs on the search thread when news arrive in an empty mailbox (once until
    // the next Take). It must only arrange for Take to be called on the window's thread,
    // as posting a queued event does, and must not wait for that.
    explicit SearchMailbox(std::function<void()> wake) : wake_(std::move(wake)) {}

    struct News {
        std::optional<std::string> Progress;
        std::vector<FoundFile> Hits;
        std::optional<SearchCompletion> Finished;
    };
    // Everything that arrived since the last call (window thread).
    News Take();

    void ShowProgress(const std::string& statusText) override;
    void AddHit(const FoundFile& hit) override;
    void SearchFinished(const SearchCompletion& completion) override;

private:
    // Called with the lock held; answers whether the caller must wake the window.
    bool NeedsWaking();

    std::function<void()> wake_;
    std::mutex mutex_;
    News news_;
    bool woken_ = false;
};

} // namespace mvf::search
