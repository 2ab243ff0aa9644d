#include "finder/session/search_session.h"

#include <utility>

#include "delivery_pace.h"
#include "finder/search/bg_search.h"
#include "finder/search/completion.h"
#include "list_sorter.h"
#include "platform/qt/resources.h"
#include "platform/qt/sound_player.h"
#include "session_mailbox.h"

namespace mvf::session {

namespace {

using Clock = DeliveryPace::Clock;

int Milliseconds(Clock::duration d) {
    return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(d).count());
}

QString Shown(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

SearchSession::SearchSession(results::ResultsList& list, Services services, QObject* parent)
    : QObject(parent), list_(list), services_(std::move(services)),
      flags_(services_.flags ? *services_.flags : search::ProcessSearchFlags()),
      sorter_(std::make_unique<ListSorter>(list)) {
    if (!services_.resultsFolder.empty())
        errorLogPath_ = search::ErrorLogPath(services_.resultsFolder);
    takeTimer_.setSingleShot(true);
    takeTimer_.setTimerType(Qt::PreciseTimer);
    connect(&takeTimer_, &QTimer::timeout, this, &SearchSession::TakeNews);
    sliceTimer_.setSingleShot(true);
    sliceTimer_.setInterval(0);
    connect(&sliceTimer_, &QTimer::timeout, this, &SearchSession::AddPendingRows);
}

SearchSession::~SearchSession() {
    if (search_) search_->Cancel();
    search_.reset(); // waits for the thread; the mailbox outlives it
    if (endedSearch_) endedSearch_->Wait();
}

bool SearchSession::Start(search::SearchCriteria criteria) {
    if (search_) return false;
    // Long over: joining does not wait. Joined first, so that its end cannot touch the
    // flags the new search runs on.
    if (endedSearch_) endedSearch_->Wait();
    endedSearch_.reset();
    endedMailbox_.reset();
    list_.SetAutoSort(false);
    pending_.clear();
    nextPending_ = 0;
    added_ = 0;
    finished_.reset();
    bark_.clear();
    newestProgress_.reset();
    logWritten_ = criteria.ErrorHandling != search::ErrorHandlingMode::DontWarn;
    sorter_->Begin();
    pace_ = std::make_unique<DeliveryPace>(Clock::now(), kFirstDelivery, kDeliveryInterval,
                                           kSliceBudget);
    const platform::ResourceLibrary* resources = services_.resources;
    mailbox_ = std::make_unique<SessionMailbox>(
        [this] { QMetaObject::invokeMethod(this, &SearchSession::Woken, Qt::QueuedConnection); },
        [resources] { return resources ? resources->Sound("BARKSOUND") : QByteArray(); });
    search_ =
        std::make_unique<search::TBGSearch>(std::move(criteria), *mailbox_, errorLogPath_, flags_);
    return true;
}

bool SearchSession::Paused() const {
    return search_ && !finished_ && search_->Paused();
}

void SearchSession::Pause() {
    if (search_ && !finished_) search_->Pause();
}

void SearchSession::Resume() {
    if (!search_) return;
    search_->Resume();
    // The window said "Paused....": the file under test is told again, also when the
    // search is still inside the one it was paused in.
    if (newestProgress_) emit ProgressChanged(Shown(*newestProgress_));
}

void SearchSession::Stop() {
    if (search_) search_->Stop();
}

void SearchSession::Cancel() {
    if (search_) search_->Cancel();
}

void SearchSession::Woken() {
    if (!mailbox_ || finished_) return;
    const auto delay = pace_->TakeDelay(Clock::now(), mailbox_->Finished());
    const int ms = Milliseconds(delay);
    if (takeTimer_.isActive() && takeTimer_.remainingTime() <= ms) return;
    takeTimer_.start(ms);
}

void SearchSession::TakeNews() {
    if (!mailbox_ || finished_) return;
    SessionMailbox::News news = mailbox_->Take();
    pace_->Taken(Clock::now());
    if (!news.Rows.empty()) {
        if (nextPending_ == pending_.size()) {
            pending_ = std::move(news.Rows);
            nextPending_ = 0;
        } else {
            pending_.insert(pending_.end(), std::make_move_iterator(news.Rows.begin()),
                            std::make_move_iterator(news.Rows.end()));
        }
    }
    if (news.Progress) {
        newestProgress_ = std::move(news.Progress);
        if (!(search_ && search_->Paused())) emit ProgressChanged(Shown(*newestProgress_));
    }
    if (news.Finished) {
        finished_ = std::move(news.Finished);
        bark_ = std::move(news.Bark);
    }
    AddPendingRows();
}

void SearchSession::AddPendingRows() {
    if (nextPending_ < pending_.size()) {
        const auto began = Clock::now();
        const std::size_t count = std::min(pace_->SliceRows(), pending_.size() - nextPending_);
        const std::size_t first = list_.size();
        sorter_->BeforeSlice();
        emit HitsAboutToBeAdded(first, count);
        for (std::size_t i = 0; i < count; ++i) {
            results::ResultEntry& row = pending_[nextPending_++];
            sorter_->Note(row);
            list_.AddEntry(std::move(row));
        }
        added_ += count;
        sorter_->AfterSlice();
        emit HitsAdded(first, count);
        pace_->Sliced(count, Clock::now() - began);
    }
    if (nextPending_ < pending_.size()) {
        sliceTimer_.start(); // the rest after the event loop had its turn
        return;
    }
    pending_.clear();
    pending_.shrink_to_fit();
    nextPending_ = 0;
    if (finished_) Complete();
}

void SearchSession::Complete() {
    takeTimer_.stop();
    newestProgress_.reset();
    const search::SearchCompletion& completion = *finished_;
    if (!completion.LogFailure.empty()) {
        platform::MessageBox box;
        box.caption = Shown(std::string(search::kFinderErrorCaption));
        box.text = Shown(completion.LogFailure);
        box.icon = platform::BoxIcon::Warning;
        services_.notifier.Show(box);
    }
    if (!bark_.isEmpty() && services_.sound) services_.sound->Start(std::exchange(bark_, {}));
    list_.SetSearchSummary(completion.SearchSummary);

    sorter_->Sort([this] { Finish(); }); // the one sort
}

void SearchSession::Finish() {
    const search::SearchCompletion completion = std::move(*finished_);
    finished_.reset();
    // The thread has made its last call but may not have ended yet: it is waited for at
    // the next start (or on destruction), never here.
    endedSearch_ = std::move(search_);
    endedMailbox_ = std::move(mailbox_);
    search::ApplyCompletion(flags_, completion);

    SearchOutcome outcome;
    outcome.Background = completion.Background;
    outcome.Stopped = completion.Stopped;
    outcome.Cancelled = completion.Cancelled;
    outcome.Hits = added_;
    outcome.SearchSummary = Shown(completion.SearchSummary);
    outcome.TrayHint = Shown(completion.TrayHint);
    outcome.ErrorsLogged = completion.ErrorsLogged;
    outcome.OfferLog = completion.OfferLog;
    if (logWritten_ && completion.LogFailure.empty()) outcome.ErrorLogPath = errorLogPath_;
    emit SearchEnded(outcome);
}

} // namespace mvf::session
