// Stopping, pausing and cancelling searches that run over real trees; the completion
// and the error log; the mailbox that carries news to a window's thread.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <thread>

#include <signal.h>
#include <sys/resource.h>

#include <gtest/gtest.h>

#include "finder/search/completion.h"
#include "platform/core/open_file.h"
#include "search_mailbox.h"
#include "search_test_support.h"

namespace mvf::search {
namespace {

using mvf::testing::ReadAll;
using testing::Criteria;
using testing::RecordingHost;
using testing::RunSearch;
using testing::TempFolder;
using namespace std::chrono_literals;

FoundFile Hit(const char* path) {
    FoundFile hit;
    hit.Path = path;
    return hit;
}

// A tree of `folders` × `files` small text files, each holding "hit".
void MakeTree(const TempFolder& tmp, int folders, int files) {
    char name[64];
    for (int d = 0; d < folders; ++d)
        for (int f = 0; f < files; ++f) {
            std::snprintf(name, sizeof name, "d%d/f%d.txt", d, f);
            tmp.File(name, "hit\n");
        }
}

// Asks the running search for something from inside its host calls, so that the request
// takes effect at the very next checkpoint and counts are exact: at the n-th hit, or with
// n = 0 as soon as the first file is under test (its first line is the next checkpoint).
class SteeringHost : public RecordingHost {
public:
    enum class Request { Pause, Stop };
    SteeringHost(std::size_t atHit, Request request) : atHit_(atHit), request_(request) {}

    void ShowProgress(const std::string& statusText) override {
        RecordingHost::ShowProgress(statusText);
        if (atHit_ == 0 && !asked_) Ask();
    }
    void AddHit(const FoundFile& hit) override {
        RecordingHost::AddHit(hit);
        if (++seen_ == atHit_) Ask();
    }
    void Attach(TBGSearch& search) { search_ = &search; }

private:
    void Ask() {
        asked_ = true;
        TBGSearch* search;
        while (!(search = search_.load())) std::this_thread::yield();
        request_ == Request::Pause ? search->Pause() : search->Stop();
    }

    std::size_t atHit_;
    Request request_;
    std::size_t seen_ = 0;
    bool asked_ = false;
    std::atomic<TBGSearch*> search_{nullptr};
};

class ControlTest : public ::testing::Test {
protected:
    SearchCriteria Prepared(const std::string& find = "hit") {
        SearchCriteria criteria = Criteria(tmp_.Root(), "*.txt", find);
        RememberedLists lists;
        EXPECT_FALSE(PrepareSearch(criteria, lists, flags_));
        return criteria;
    }
    void WaitUntil(const std::function<bool()>& condition) {
        for (int i = 0; i < 2000 && !condition(); ++i) std::this_thread::sleep_for(5ms);
        ASSERT_TRUE(condition());
    }
    void TearDown() override { platform::SetOpenFailureHook({}); }

    testing::KeepCurrentDirectory keep_;
    TempFolder tmp_;
    SearchFlags flags_;
};

TEST_F(ControlTest, StopEndsTheWalkAtTheNextCheckpointWithTheHitsSoFar) {
    MakeTree(tmp_, 20, 20);
    SteeringHost host(7, SteeringHost::Request::Stop);
    TBGSearch search(Prepared(), host, {}, flags_);
    host.Attach(search);
    search.Wait();
    EXPECT_EQ(7u, host.hits.size());
    EXPECT_EQ(1, host.finishCalls);
    EXPECT_TRUE(host.completion.Stopped);
    EXPECT_FALSE(host.completion.Cancelled);
    EXPECT_EQ(7u, host.completion.Hits);
}

TEST_F(ControlTest, PausedSearchMakesNoProgressUntilResumed) {
    MakeTree(tmp_, 10, 30);
    SteeringHost host(5, SteeringHost::Request::Pause);
    TBGSearch search(Prepared(), host, {}, flags_);
    host.Attach(search);
    WaitUntil([&] { return host.HitCount() == 5 && search.Paused(); });
    std::this_thread::sleep_for(150ms);
    EXPECT_EQ(5u, host.HitCount());
    EXPECT_TRUE(search.Paused());
    search.Resume();
    EXPECT_FALSE(search.Paused());
    search.Wait();
    EXPECT_EQ(300u, host.hits.size());
    EXPECT_FALSE(host.completion.Stopped);
}

TEST_F(ControlTest, StoppingAPausedSearchResumesItToEnd) {
    MakeTree(tmp_, 10, 30);
    SteeringHost host(5, SteeringHost::Request::Pause);
    TBGSearch search(Prepared(), host, {}, flags_);
    host.Attach(search);
    WaitUntil([&] { return host.HitCount() == 5 && search.Paused(); });
    search.Stop();
    search.Wait();
    EXPECT_EQ(5u, host.hits.size());
    EXPECT_TRUE(host.completion.Stopped);
}

TEST_F(ControlTest, PauseAndStopTakeEffectBetweenLinesOfALargeFile) {
    std::string lines;
    for (int i = 0; i < 200000; ++i) lines += "no match on this line\n";
    tmp_.File("big.txt", lines + "hit\n");
    SteeringHost host(0, SteeringHost::Request::Pause);
    TBGSearch search(Prepared(), host, {}, flags_);
    host.Attach(search);
    WaitUntil([&] { return search.Paused(); });
    std::this_thread::sleep_for(50ms);
    search.Stop();
    search.Wait();
    // The text file whose reading the stop cut short is no hit.
    EXPECT_EQ(0u, host.hits.size());
    EXPECT_EQ(1u, host.progress.size());
    EXPECT_TRUE(host.completion.Stopped);
}

TEST_F(ControlTest, StopEndsEvenASearchInsideOneEndlessLine) {
    // A back-reference into a group still open: ten closures over 300 characters, which
    // plain backtracking would not finish in a lifetime.
    tmp_.File("endless.txt", "ab" + std::string(300, 'c') + "\n");
    RecordingHost host;
    TBGSearch search(Prepared("\\(a\\(b.*.*.*.*.*.*.*.*.*.*\\1z\\)\\)"), host, {}, flags_);
    WaitUntil([&] { return host.ProgressCount() == 1; });
    std::this_thread::sleep_for(100ms); // well inside the line by now
    std::atomic<bool> ended{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 600 && !ended; ++i) std::this_thread::sleep_for(100ms);
        if (!ended) {
            std::fprintf(stderr, "the stopped search did not end\n");
            std::_Exit(3);
        }
    });
    search.Stop();
    search.Wait();
    ended = true;
    watchdog.join();
    EXPECT_TRUE(host.completion.Stopped);
    EXPECT_EQ(0u, host.hits.size());
}

TEST_F(ControlTest, CancelAsksNoQuestionsAndDestroyingCancels) {
    MakeTree(tmp_, 5, 5);
    platform::SetOpenFailureHook([](std::string_view path) { return path.ends_with("f0.txt"); });
    SearchCriteria criteria = Prepared();
    criteria.ErrorHandling = ErrorHandlingMode::Warn;
    SteeringHost host(1, SteeringHost::Request::Pause);
    {
        TBGSearch search(criteria, host, {}, flags_);
        host.Attach(search);
        WaitUntil([&] { return search.Paused(); });
    } // destroyed while paused: cancelled, and its thread has ended
    EXPECT_EQ(1, host.finishCalls);
    EXPECT_TRUE(host.completion.Cancelled);
    EXPECT_TRUE(host.completion.ErrorsLogged);
    EXPECT_FALSE(host.completion.OfferLog);
    EXPECT_TRUE(flags_.SearchCancelled);
}

TEST_F(ControlTest, ErrorLogIsWrittenWithCrLfAndOfferedOnlyForWarn) {
    MakeTree(tmp_, 1, 3);
    const std::string log = ErrorLogPath(tmp_.Root());
    EXPECT_EQ(tmp_.Path("search errors.err"), log);
    platform::SetOpenFailureHook([](std::string_view path) { return !path.ends_with("f1.txt"); });
    SearchCriteria criteria = Criteria(tmp_.Root(), "*.txt", "hit");
    criteria.ErrorHandling = ErrorHandlingMode::Warn;
    RecordingHost host;
    RunSearch(criteria, host, flags_, log);
    const std::string folder = tmp_.Path("d0/");
    EXPECT_EQ("Could not access file:  " + folder + "f0.txt\r\nCould not access file:  " + folder +
                  "f2.txt\r\n",
              ReadAll(log));
    EXPECT_TRUE(flags_.ErrorsLogged);
    EXPECT_TRUE(host.completion.OfferLog);
    EXPECT_EQ("1 hits found! Click to process....", host.completion.TrayHint);
    EXPECT_FALSE(flags_.SearchRunning); // a foreground search is over

    // Suppress: logged, not offered. No failures: the log is rewritten empty.
    platform::SetOpenFailureHook({});
    criteria.ErrorHandling = ErrorHandlingMode::Suppress;
    RecordingHost clean;
    RunSearch(criteria, clean, flags_, log);
    EXPECT_EQ("", ReadAll(log));
    EXPECT_FALSE(flags_.ErrorsLogged);
    EXPECT_FALSE(clean.completion.OfferLog);

    // DontWarn: no log written at all, whatever failed.
    tmp_.File("search errors.err", "old");
    platform::SetOpenFailureHook([](std::string_view) { return true; });
    criteria.ErrorHandling = ErrorHandlingMode::DontWarn;
    RecordingHost quiet;
    RunSearch(criteria, quiet, flags_, log);
    EXPECT_EQ("old", ReadAll(log));
    EXPECT_TRUE(quiet.completion.ErrorLines.empty());
    EXPECT_FALSE(quiet.completion.OfferLog);
}

TEST_F(ControlTest, LogThatCannotBeCreatedIsReportedAndNotCounted) {
    MakeTree(tmp_, 1, 2);
    platform::SetOpenFailureHook([](std::string_view) { return true; });
    SearchCriteria criteria = Criteria(tmp_.Root(), "*.txt", "hit");
    criteria.ErrorHandling = ErrorHandlingMode::Warn;
    RecordingHost host;
    RunSearch(criteria, host, flags_, tmp_.Path("no such folder/search errors.err"));
    EXPECT_EQ("Unable to open search errors log file!\nNo such file or directory",
              host.completion.LogFailure);
    EXPECT_FALSE(flags_.ErrorsLogged);
    EXPECT_FALSE(host.completion.OfferLog);
    EXPECT_EQ(2u, host.completion.ErrorLines.size());
}

TEST_F(ControlTest, LogThatCannotBeWrittenKeepsTheOldOneAndSaysWhy) {
    const std::string log = ErrorLogPath(tmp_.Root());
    tmp_.File("search errors.err", "the old log\r\n");
    // More than the file size limit lets through (a full disk, as far as the writer sees).
    std::vector<std::string> lines(200, "Could not access file:  " + std::string(60, 'x'));
    SearchCriteria criteria = Criteria(tmp_.Root(), "*.txt", "hit");
    criteria.ErrorHandling = ErrorHandlingMode::Warn;
    signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limit{4096, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    const SearchCompletion completion = FinishSearch(criteria, flags_, lines, 0, log);
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ("Unable to write search errors log file!\nFile too large", completion.LogFailure);
    EXPECT_FALSE(flags_.ErrorsLogged);
    EXPECT_FALSE(completion.OfferLog);
    EXPECT_EQ("the old log\r\n", ReadAll(log));
    // Nothing half-written is left beside it.
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(tmp_.Root()), {}));
}

TEST_F(ControlTest, BackgroundCompletionLeavesResultsPending) {
    SearchCriteria criteria = Criteria(tmp_.Root(), "*.txt", "hit");
    criteria.Background = true;
    RecordingHost host;
    RunSearch(criteria, host, flags_);
    EXPECT_TRUE(host.completion.Background);
    EXPECT_EQ("0 hits found! Click to process....", host.completion.TrayHint);
    EXPECT_TRUE(flags_.ResultsPending);
    EXPECT_TRUE(flags_.SearchRunning); // until the user collects the results
}

TEST(Completion, SummaryNamesTheModeAndKeepsFolderCase) {
    SearchCriteria criteria;
    criteria.FileMaskText = "*.TXT,*.h";
    criteria.DirectoryText = "/Data/Notes";
    EXPECT_EQ("Filemask:  *.txt,*.h    Expression:  <none>   Boolean: <none>    Searched in:  "
              "/Data/Notes",
              SummaryOf(criteria));
    criteria.FindText = "Alpha|beta";
    criteria.BoolOR = true;
    EXPECT_NE(std::string::npos, SummaryOf(criteria).find("Expression:  Alpha|beta   Boolean: OR"));
    // Both flags set: OR decides the test, the summary says AND.
    criteria.BoolAND = true;
    EXPECT_NE(std::string::npos, SummaryOf(criteria).find("Boolean: AND"));
    // Only A-Z fold in the mask; other bytes stay as typed.
    criteria.FileMaskText = "\xC3\x89*.C";
    EXPECT_EQ(0u, SummaryOf(criteria).find("Filemask:  \xC3\x89*.c    "));
}

TEST(SearchMailbox, WakesOnceCarriesHitsInOrderAndKeepsTheNewestProgress) {
    std::atomic<int> wakes{0};
    SearchMailbox mailbox([&] { ++wakes; });
    mailbox.ShowProgress("Searching: /a");
    mailbox.AddHit(Hit("/a"));
    mailbox.ShowProgress("Searching: /b");
    mailbox.AddHit(Hit("/b"));
    EXPECT_EQ(1, wakes);
    SearchMailbox::News news = mailbox.Take();
    EXPECT_EQ("Searching: /b", news.Progress);
    ASSERT_EQ(2u, news.Hits.size());
    EXPECT_EQ("/a", news.Hits[0].Path);
    EXPECT_EQ("/b", news.Hits[1].Path);
    EXPECT_FALSE(news.Finished);

    SearchCompletion done;
    done.Hits = 2;
    mailbox.SearchFinished(done);
    EXPECT_EQ(2, wakes);
    news = mailbox.Take();
    EXPECT_TRUE(news.Hits.empty());
    ASSERT_TRUE(news.Finished);
    EXPECT_EQ(2u, news.Finished->Hits);
    EXPECT_FALSE(mailbox.Take().Finished);
}

TEST(SearchMailbox, RealSearchDeliversEveryHitToAnotherThread) {
    TempFolder tmp;
    MakeTree(tmp, 4, 50);
    testing::KeepCurrentDirectory keep;
    SearchFlags flags;
    SearchCriteria criteria = Criteria(tmp.Root(), "*.txt", "hit");
    RememberedLists lists;
    ASSERT_FALSE(PrepareSearch(criteria, lists, flags));
    std::mutex mutex;
    std::condition_variable woken;
    bool pending = false;
    SearchMailbox mailbox([&] {
        std::lock_guard<std::mutex> lock(mutex);
        pending = true;
        woken.notify_one();
    });
    TBGSearch search(criteria, mailbox, {}, flags);
    std::vector<std::string> paths;
    for (bool finished = false; !finished;) {
        std::unique_lock<std::mutex> lock(mutex);
        woken.wait(lock, [&] { return pending; });
        pending = false;
        lock.unlock();
        SearchMailbox::News news = mailbox.Take();
        for (const FoundFile& hit : news.Hits) paths.push_back(hit.Path);
        finished = news.Finished.has_value();
    }
    ASSERT_EQ(200u, paths.size());
    EXPECT_TRUE(std::is_sorted(paths.begin(), paths.end()));
}

} // namespace
} // namespace mvf::search
