#include "finder/actions/results_file_commands.h"

#include <QCoreApplication>
#include <climits>

#include "finder/results/results_file.h"
#include "vf_msg.h"
#include "worker.h"

namespace mvf::actions {

namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

int ProgressValue(std::int64_t count) {
    return int(std::clamp<std::int64_t>(count, 0, INT_MAX));
}

void Tell(platform::Notifier& notifier, QWidget* window, const results::Message& message) {
    platform::MessageBox box;
    box.caption = FromUtf8(message.caption);
    box.text = FromUtf8(message.text);
    box.icon = message.icon == results::MessageIcon::Warning ? platform::BoxIcon::Warning
                                                             : platform::BoxIcon::Information;
    box.parent = window;
    notifier.Show(box);
}

} // namespace

struct ResultsFileCommands::Job {
    std::string fileName;
    bool load = false;
    bool chosenByUser = false;
    results::ResultsList loaded; // a load's rows, swapped in at the end
    results::FileResult result;
};

// The results layer's progress calls, made on the worker, carried to the GUI thread.
class ResultsFileCommands::Relay : public results::FileProgress {
public:
    explicit Relay(ResultsFileCommands* owner) : owner_(owner) {}
    void SaveStarted() override {
        detail::ToGui(owner_, [owner = owner_] {
            owner->loading_->ShowWith(FromUtf8(results::kSavingText));
        });
    }
    void SaveFinished() override {
        detail::ToGui(owner_, [owner = owner_] { owner->loading_->Finish(); });
    }
    void LoadStarted(std::int64_t announced) override {
        detail::ToGui(owner_, [owner = owner_, announced] {
            owner->progress_.Open(FromUtf8(results::kLoadingText), ProgressValue(announced));
            owner->progressOpen_ = true;
            owner->progressTimer_.start();
        });
    }
    // Every line read: only counted here; the window takes the count a few times a second.
    void LoadLine(std::int64_t count) override {
        owner_->linesRead_->store(count, std::memory_order_relaxed);
    }
    void LoadFinished() override {
        detail::ToGui(owner_, [owner = owner_] { owner->CloseLoadProgress(); });
    }

private:
    ResultsFileCommands* owner_;
};

ResultsFileCommands::ResultsFileCommands(results::ResultsList& list, platform::Notifier& notifier,
                                         FileDialogs& dialogs, LoadProgressWindow& progress,
                                         std::string resultsFolder, QWidget* window)
    : list_(list), notifier_(notifier), dialogs_(dialogs), progress_(progress),
      resultsFolder_(std::move(resultsFolder)), window_(window),
      loading_(std::make_unique<detail::TVFMsg>(window)),
      linesRead_(std::make_shared<std::atomic<std::int64_t>>(0)),
      worker_(std::make_unique<detail::Worker>()) {
    progressTimer_.setInterval(100);
    connect(&progressTimer_, &QTimer::timeout, this, &ResultsFileCommands::ShowLoadProgress);
}

ResultsFileCommands::~ResultsFileCommands() {
    worker_.reset();
}

void ResultsFileCommands::SaveListBtnClick() {
    if (busy_) return;
    const std::optional<std::string> chosen =
        dialogs_.Ask({.title = QStringLiteral("Save Search Results List As"),
                      .filter = QStringLiteral("Search Results Files(*.ser)"),
                      .defaultSuffix = QStringLiteral("ser"),
                      .folder = resultsFolder_,
                      .save = true});
    if (!chosen) return;
    if (const std::optional<results::Message> refusal = results::CheckSaveAsName(*chosen)) {
        Tell(notifier_, window_, *refusal);
        return;
    }
    Save(*chosen);
}

void ResultsFileCommands::OpenListBtnClick() {
    if (busy_) return;
    const std::optional<std::string> chosen =
        dialogs_.Ask({.title = QString(),
                      .filter = QStringLiteral("Search results files(*.ser)"),
                      .defaultSuffix = QStringLiteral("ser"),
                      .folder = resultsFolder_,
                      .save = false});
    if (chosen) Load(*chosen, true);
}

bool ResultsFileCommands::LoadLastResults() {
    return Load(std::string(results::kLastResultsName), false);
}

bool ResultsFileCommands::SaveLastResults() {
    if (loadedByUser_) return false;
    return Save(std::string(results::kLastResultsName));
}

bool ResultsFileCommands::Save(std::string fileName) {
    if (busy_ || list_.empty()) return false;
    auto job = std::make_shared<Job>();
    job->fileName = std::move(fileName);
    Begin();
    worker_->Post([this, job] {
        Relay relay(this);
        try {
            job->result = results::SaveResults(list_, job->fileName, resultsFolder_, &relay);
        } catch (const std::exception& failure) {
            job->result = {results::FileStatus::Failed,
                           {"Unable to write " + job->fileName + "!\n" + failure.what(),
                            "Vantor Finder Error", results::MessageIcon::Warning}};
        }
        detail::ToGui(this, [this, job] { End(job); });
    });
    return true;
}

bool ResultsFileCommands::Load(std::string fileName, bool chosenByUser) {
    if (busy_) return false;
    auto job = std::make_shared<Job>();
    job->fileName = std::move(fileName);
    job->load = true;
    job->chosenByUser = chosenByUser;
    // The loaded rows come sorted as the list is now.
    job->loaded.SetSort(list_.SortColumn(), list_.SortAscending());
    linesRead_->store(0);
    Begin();
    worker_->Post([this, job] {
        Relay relay(this);
        try {
            job->result = results::LoadList(job->loaded, job->fileName, resultsFolder_, &relay);
        } catch (const std::exception& failure) {
            job->result = {results::FileStatus::Failed,
                           {"Unable to read " + job->fileName + "!\n" + failure.what(),
                            "Vantor Finder Error", results::MessageIcon::Warning}};
        }
        detail::ToGui(this, [this, job] { End(job); });
    });
    return true;
}

void ResultsFileCommands::Begin() {
    busy_ = true;
    wait_ = std::make_unique<platform::WaitCursor>();
    emit busyChanged(true);
}

void ResultsFileCommands::End(const std::shared_ptr<Job>& job) {
    // Whatever happened on the way, the windows and the hourglass go.
    loading_->Finish();
    CloseLoadProgress();
    wait_.reset();
    const bool replaced = job->load && job->result.status == results::FileStatus::Done;
    if (replaced) {
        list_.ReplaceWith(std::move(job->loaded));
        if (job->chosenByUser) loadedByUser_ = true;
        // The rows replaced are freed on the worker: a million of them would hold up the
        // GUI thread for a good part of a second.
        auto old = std::make_shared<results::ResultsList>(std::move(job->loaded));
        worker_->Post([old = std::move(old)]() mutable { old.reset(); });
    }
    busy_ = false;
    emit busyChanged(false);
    if (job->result.status == results::FileStatus::Failed)
        Tell(notifier_, window_, job->result.message);
    if (replaced) emit listLoaded();
    emit finished();
}

void ResultsFileCommands::ShowLoadProgress() {
    const std::int64_t lines = linesRead_->load(std::memory_order_relaxed);
    progress_.Step(FromUtf8(results::LoadingLinesText(lines)), ProgressValue(lines));
}

void ResultsFileCommands::CloseLoadProgress() {
    progressTimer_.stop();
    if (!progressOpen_) return;
    progressOpen_ = false;
    progress_.Close();
}

void ResultsFileCommands::WaitUntilIdle() {
    worker_->WaitUntilIdle();
    // The end of the job was posted to this object: take it now.
    QCoreApplication::sendPostedEvents(this, QEvent::MetaCall);
}

} // namespace mvf::actions
