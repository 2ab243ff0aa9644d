#include "search_mailbox.h"

namespace mvf::search {

bool SearchMailbox::NeedsWaking() {
    if (woken_) return false;
    woken_ = true;
    return true;
}

SearchMailbox::News SearchMailbox::Take() {
    std::lock_guard<std::mutex> lock(mutex_);
    woken_ = false;
    News taken = std::move(news_);
    news_ = News{};
    return taken;
}

void SearchMailbox::ShowProgress(const std::string& statusText) {
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (news_.Progress)
            news_.Progress->assign(statusText);
        else
            news_.Progress = statusText;
        wake = NeedsWaking();
    }
    if (wake) wake_();
}

void SearchMailbox::AddHit(const FoundFile& hit) {
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        news_.Hits.push_back(hit);
        wake = NeedsWaking();
    }
    if (wake) wake_();
}

void SearchMailbox::SearchFinished(const SearchCompletion& completion) {
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        news_.Finished = completion;
        wake = NeedsWaking();
    }
    if (wake) wake_();
}

} // namespace mvf::search
