#include "search_run.h"

#include <QMetaObject>

namespace mvf::shell {

SearchRun::SearchRun(search::SearchCriteria criteria, std::string errorLogPath,
                     search::SearchFlags& flags, Receiver receiver)
    : receiver_(std::move(receiver)) {
    search::SearchHost& host = *this;
    search_ = std::make_unique<search::TBGSearch>(std::move(criteria), host,
                                                  std::move(errorLogPath), flags);
}

SearchRun::~SearchRun() {
    search_.reset(); // cancels a search still running and waits for its thread
}

bool SearchRun::Paused() const {
    return search_->Paused();
}
void SearchRun::Pause() {
    search_->Pause();
}
void SearchRun::Resume() {
    search_->Resume();
}
void SearchRun::Stop() {
    search_->Stop();
}
void SearchRun::Cancel() {
    search_->Cancel();
}

void SearchRun::WakeLocked() {
    if (wakePosted_) return;
    wakePosted_ = true;
    QMetaObject::invokeMethod(this, &SearchRun::Deliver, Qt::QueuedConnection);
}

void SearchRun::ShowProgress(const std::string& statusText) {
    std::lock_guard lock(mutex_);
    progress_ = statusText;
    WakeLocked();
}

void SearchRun::AddHit(const search::FoundFile& hit) {
    std::lock_guard lock(mutex_);
    hits_.push_back(hit);
    WakeLocked();
}

void SearchRun::SearchFinished(const search::SearchCompletion& completion) {
    std::lock_guard lock(mutex_);
    finished_ = completion;
    WakeLocked();
}

void SearchRun::Deliver() {
    std::optional<std::string> progress;
    std::vector<search::FoundFile> hits;
    std::optional<search::SearchCompletion> finished;
    {
        std::lock_guard lock(mutex_);
        progress.swap(progress_);
        hits.swap(hits_);
        finished.swap(finished_);
        wakePosted_ = false;
    }
    if (progress && !finished && receiver_.progress) receiver_.progress(*progress);
    if (!hits.empty() && receiver_.hits) receiver_.hits(hits);
    if (finished) {
        search_->Wait(); // the thread's last act was to post this: it ends at once
        if (receiver_.finished) receiver_.finished(*finished);
    }
}

} // namespace mvf::shell
