#include "session_mailbox.h"

#include "finder/results/results_list.h"

namespace mvf::session {

SessionMailbox::SessionMailbox(std::function<void()> wake, std::function<QByteArray()> readBark)
    : wake_(std::move(wake)), readBark_(std::move(readBark)) {}

bool SessionMailbox::NeedsWaking() {
    if (woken_) return false;
    woken_ = true;
    return true;
}

SessionMailbox::News SessionMailbox::Take() {
    News taken;
    std::lock_guard<std::mutex> lock(mutex_);
    woken_ = false;
    std::swap(taken, news_);
    // About as many rows will come until the next take: room for them, so that the
    // search thread does not move rows about while the vector grows.
    news_.Rows.reserve(taken.Rows.size());
    return taken;
}

void SessionMailbox::ShowProgress(const std::string& statusText) {
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        if (news_.Progress)
            news_.Progress->assign(statusText); // keeps its room: no allocation per file
        else
            news_.Progress = statusText;
        wake = NeedsWaking();
    }
    if (wake) wake_();
}

void SessionMailbox::AddHit(const search::FoundFile& hit) {
    results::ResultEntry row = results::EntryOf(hit.Path, hit.Created, hit.Modified, hit.Size,
                                                {hit.IsUnix, hit.IsDos, hit.IsMac, hit.IsBinary});
    bool wake;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        news_.Rows.push_back(std::move(row));
        wake = NeedsWaking();
    }
    if (wake) wake_();
}

void SessionMailbox::SearchFinished(const search::SearchCompletion& completion) {
    QByteArray bark = completion.Bark && readBark_ ? readBark_() : QByteArray();
    {
        std::lock_guard<std::mutex> lock(mutex_);
        news_.Finished = completion;
        news_.Bark = std::move(bark);
        woken_ = true;
        finished_.store(true, std::memory_order_release);
    }
    // Always: a take already planned for later is to happen now.
    wake_();
}

} // namespace mvf::session
