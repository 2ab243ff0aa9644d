// Real searches through the session: the rows in the list, the slices the view hears, the
// completion in the foreground and the background, the requests, and the GUI thread kept
// free.
#include <algorithm>
#include <chrono>
#include <thread>
#include <unistd.h>

#include <QThread>

#include <gtest/gtest.h>

#include "finder/search/completion.h"
#include "platform/qt/engine_notices.h"
#include "platform/qt/resources.h"
#include "platform/qt/scripted_notifier.h"
#include "platform/qt/sound_player.h"
#include "session_test_support.h"
#include "testsupport/qt_print.h"
#include "testsupport/temp_folder.h"

namespace mvf::session {
namespace {

using namespace std::chrono_literals;
using mvf::testing::ReadAll;
using mvf::testing::TempFolder;
using platform::BoxAnswer;
using platform::ScriptedNotifier;
using search::SearchCriteria;
using testing::Prepared;
using testing::SessionRecorder;
using testing::WaitFor;

// A file that reads as gigabytes of zero bytes and takes no room on the disk.
void MakeHugeSparseFile(const TempFolder& folder, const std::string& relative) {
    const std::string path = folder.File(relative);
    ASSERT_EQ(0, ::truncate(path.c_str(), 64LL << 30));
}

class SessionTest : public ::testing::Test {
protected:
    SessionTest()
        : resources_({MVF_PROGRAM_FOLDER}), player_({.device = "file:'" + barkOut_ + "',raw"}),
          session_(list_, {.notifier = notifier_,
                           .resources = &resources_,
                           .sound = &player_,
                           .resultsFolder = tmp_.Folder("results"),
                           .flags = &flags_}),
          recorder_(session_) {}

    SearchCriteria Criteria(const std::string& find, const std::string& masks = "*.txt") {
        SearchCriteria criteria;
        criteria.DirectoryText = tree_.Root();
        criteria.FileMaskText = masks;
        criteria.FindText = find;
        criteria.SearchSubfolders = true;
        return criteria;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const results::ResultEntry& row : list_.entries()) names.emplace_back(row.name());
        return names;
    }

    TempFolder tmp_;
    TempFolder tree_;
    const std::string barkOut_ = tmp_.Path("bark.raw");
    search::SearchFlags flags_;
    ScriptedNotifier notifier_;
    results::ResultsList list_;
    platform::ResourceLibrary resources_;
    platform::SoundPlayer player_;
    SearchSession session_;
    SessionRecorder recorder_;
};

TEST_F(SessionTest, ForegroundSearchFillsTheListSortsItOnceAndOffersTheLog) {
    tree_.File("b.txt", "one\nthe needle\n");
    tree_.File("a.txt", "needle");
    tree_.File("sub/c.txt", "NEEDLE\r\n");
    tree_.File("sub/d.txt", "hay");
    tree_.File("e.dat", "needle");
    const std::string dangling = tree_.Link("sub/broken.txt", tree_.Path("nowhere"));
    SearchCriteria criteria = Criteria("needle");
    criteria.ErrorHandling = search::ErrorHandlingMode::Warn;
    criteria.Bark = false;

    ASSERT_TRUE(session_.Start(Prepared(criteria, flags_)));
    EXPECT_TRUE(session_.Active());
    EXPECT_FALSE(list_.AutoSort());
    EXPECT_FALSE(session_.Start(criteria)) << "one search at a time";
    ASSERT_TRUE(recorder_.WaitForEnd());

    ASSERT_EQ(1u, recorder_.ended.size());
    const SearchOutcome& outcome = recorder_.ended[0];
    EXPECT_FALSE(session_.Active());
    EXPECT_FALSE(outcome.Background);
    EXPECT_FALSE(outcome.Stopped);
    EXPECT_FALSE(outcome.Cancelled);
    EXPECT_EQ(3u, outcome.Hits);
    EXPECT_EQ((std::vector<std::string>{"a.txt", "b.txt", "c.txt"}), Names());
    EXPECT_TRUE(list_.AutoSort());
    EXPECT_EQ(tree_.Path("sub"), std::string(list_[2].path()));
    const std::string summary = search::SummaryOf(criteria);
    EXPECT_EQ(summary, list_.SearchSummary());
    EXPECT_EQ(QString::fromStdString(summary), outcome.SearchSummary);
    EXPECT_EQ("3 hits found! Click to process....", outcome.TrayHint);
    EXPECT_EQ(3u, recorder_.added);

    // The error log, to be offered.
    EXPECT_TRUE(outcome.ErrorsLogged);
    EXPECT_TRUE(outcome.OfferLog);
    EXPECT_EQ(tmp_.Path("results/search errors.err"), outcome.ErrorLogPath);
    EXPECT_EQ("Could not access file:  " + dangling + "\r\n", ReadAll(outcome.ErrorLogPath));

    // A foreground search is over for the flags; the progress named the files tested.
    EXPECT_FALSE(flags_.SearchRunning);
    EXPECT_FALSE(flags_.ResultsPending);
    ASSERT_FALSE(recorder_.progress.empty());
    EXPECT_TRUE(
        recorder_.progress.back().startsWith("Searching: " + QString::fromStdString(tree_.Root())));
    EXPECT_TRUE(notifier_.Boxes().empty());
    EXPECT_FALSE(player_.Wait(0ms)) << "no bark was asked for";
}

TEST_F(SessionTest, BackgroundSearchLeavesItsResultsWaitingAndBarksWithoutHoldingTheWindow) {
    for (int i = 0; i < 12; ++i) tree_.File("f" + std::to_string(i) + ".txt", "x");
    SearchCriteria criteria = Criteria("");
    criteria.Background = true;
    criteria.Bark = true;
    criteria.ErrorHandling = search::ErrorHandlingMode::DontWarn;

    ASSERT_TRUE(session_.Start(Prepared(criteria, flags_)));
    ASSERT_TRUE(recorder_.WaitForEnd());
    const SearchOutcome& outcome = recorder_.ended.at(0);
    EXPECT_TRUE(outcome.Background);
    EXPECT_EQ(12u, list_.size());
    EXPECT_EQ("12 hits found! Click to process....", outcome.TrayHint);
    EXPECT_FALSE(outcome.OfferLog);
    EXPECT_TRUE(outcome.ErrorLogPath.empty()) << "DontWarn writes no log";
    EXPECT_FALSE(std::filesystem::exists(tmp_.Path("results/search errors.err")));
    // The results wait for the tray click: the search counts as running until then.
    EXPECT_TRUE(flags_.SearchRunning);
    EXPECT_TRUE(flags_.ResultsPending);

    // The bark plays on the player's own thread: the end did not wait for it.
    const std::optional<platform::SoundResult> played = player_.Wait(5s);
    ASSERT_TRUE(played);
    EXPECT_EQ(platform::SoundResult::Played, *played);
    EXPECT_GT(ReadAll(barkOut_).size(), 1000u);
}

TEST_F(SessionTest, FastSearchComesOutInOneBatch) {
    for (int i = 0; i < 20; ++i) tree_.File("n" + std::to_string(i) + ".txt", "needle");
    ASSERT_TRUE(session_.Start(Prepared(Criteria("needle"), flags_)));
    ASSERT_TRUE(recorder_.WaitForEnd());
    EXPECT_EQ(20u, list_.size());
    ASSERT_EQ(1u, recorder_.slices.size()) << "the first 100 ms are held back";
    EXPECT_EQ((std::pair<std::size_t, std::size_t>{0, 20}), recorder_.slices[0]);
}

TEST_F(SessionTest, PauseHoldsTheSearchResumeGoesOnStopEndsIt) {
    for (int i = 0; i < 30; ++i) tree_.File("a" + std::to_string(100 + i) + ".txt", "needle");
    MakeHugeSparseFile(tree_, "zz/huge.txt");
    SearchCriteria criteria = Criteria("needle");
    criteria.SkipBinaries = false;
    ASSERT_TRUE(session_.Start(Prepared(criteria, flags_)));

    // Paused inside the huge file, after the small ones were found.
    ASSERT_TRUE(WaitFor(
        [&] {
            return !recorder_.progress.empty() && recorder_.progress.back().endsWith("huge.txt");
        },
        20s));
    session_.Pause();
    EXPECT_TRUE(session_.Paused());
    testing::RunEventsFor(200ms); // what was found before the pause arrives
    const std::size_t rows = list_.size();
    EXPECT_EQ(30u, rows);
    const std::size_t progressTexts = recorder_.progress.size();
    testing::RunEventsFor(300ms);
    EXPECT_EQ(progressTexts, recorder_.progress.size()) << "no progress while paused";
    EXPECT_TRUE(recorder_.ended.empty());
    EXPECT_TRUE(session_.Active());

    session_.Resume();
    EXPECT_FALSE(session_.Paused());
    ASSERT_EQ(progressTexts + 1, recorder_.progress.size())
        << "the file under test is told again, though the search is still inside it";
    EXPECT_TRUE(recorder_.progress.back().endsWith("huge.txt"));
    testing::RunEventsFor(200ms);
    EXPECT_TRUE(recorder_.ended.empty()) << "the huge file is still being read";

    const auto stopped = std::chrono::steady_clock::now();
    session_.Stop();
    ASSERT_TRUE(recorder_.WaitForEnd(10s));
    EXPECT_LT(std::chrono::steady_clock::now() - stopped, 2s)
        << "a stop inside a large binary file ends the search at once";
    EXPECT_TRUE(recorder_.ended[0].Stopped);
    EXPECT_FALSE(recorder_.ended[0].Cancelled);
    EXPECT_EQ(30u, recorder_.ended[0].Hits);
    EXPECT_FALSE(flags_.SearchRunning);
}

TEST_F(SessionTest, StopWhilePausedAndCancelAskNoQuestion) {
    tree_.Link("a-broken.txt", tree_.Path("nowhere"));
    MakeHugeSparseFile(tree_, "b-huge.txt");
    SearchCriteria criteria = Criteria("needle");
    criteria.SkipBinaries = false;
    criteria.ErrorHandling = search::ErrorHandlingMode::Warn;

    // A paused search that is stopped resumes long enough to end.
    ASSERT_TRUE(session_.Start(Prepared(criteria, flags_)));
    ASSERT_TRUE(WaitFor(
        [&] {
            return !recorder_.progress.empty() && recorder_.progress.back().endsWith("huge.txt");
        },
        20s));
    session_.Pause();
    testing::RunEventsFor(100ms);
    session_.Stop();
    ASSERT_TRUE(recorder_.WaitForEnd(10s));
    EXPECT_TRUE(recorder_.ended[0].Stopped);
    EXPECT_TRUE(recorder_.ended[0].OfferLog) << "a stopped search still offers its log";

    // Cancelled (the window is closing): the log is written, no question is asked.
    recorder_.progress.clear();
    ASSERT_TRUE(session_.Start(Prepared(criteria, flags_)));
    ASSERT_TRUE(WaitFor(
        [&] {
            return !recorder_.progress.empty() && recorder_.progress.back().endsWith("huge.txt");
        },
        20s));
    session_.Cancel();
    ASSERT_TRUE(recorder_.WaitForEnd(10s));
    ASSERT_EQ(2u, recorder_.ended.size());
    EXPECT_TRUE(recorder_.ended[1].Cancelled);
    EXPECT_TRUE(recorder_.ended[1].ErrorsLogged);
    EXPECT_FALSE(recorder_.ended[1].OfferLog);
    EXPECT_TRUE(notifier_.Boxes().empty());

    // Requests without a search do nothing.
    session_.Pause();
    EXPECT_FALSE(session_.Paused());
    session_.Stop();
}

TEST_F(SessionTest, EngineNoticeOfTheSearchThreadIsShownOnTheGuiThreadWhileTheSearchWaits) {
    tree_.File("a.txt", "text");
    const platform::EngineNoticeRoute route(notifier_);
    bool endedBeforeTheBox = true;
    notifier_.OnShow(
        [&](const platform::MessageBox&) { endedBeforeTheBox = !recorder_.ended.empty(); });
    notifier_.Expect(BoxAnswer::Ok);
    // Criteria the entry checks would refuse, handed over directly.
    SearchCriteria criteria = Criteria("ab\\(");
    criteria.Masks = {"*.txt"};
    criteria.Directories = {tree_.Root()};
    criteria.Expressions = {"ab\\("};
    ASSERT_TRUE(session_.Start(criteria));
    ASSERT_TRUE(recorder_.WaitForEnd());

    ASSERT_EQ(1u, notifier_.Boxes().size()) << notifier_.Describe();
    EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
    EXPECT_EQ(std::this_thread::get_id(), notifier_.Boxes()[0].thread);
    EXPECT_EQ(platform::BoxIcon::Warning, notifier_.Boxes()[0].box.icon);
    EXPECT_FALSE(notifier_.Boxes()[0].box.text.isEmpty());
    EXPECT_FALSE(endedBeforeTheBox);
    EXPECT_EQ(0u, recorder_.ended[0].Hits);
}

TEST_F(SessionTest, HundredThousandHitsArriveInSlicesWithoutStallingTheWindow) {
    // 10,000 files, each found once for each of ten masks.
    for (int i = 0; i < 10000; ++i)
        tree_.File("d" + std::to_string(i / 500) + "/f" + std::to_string(i) + ".txt");
    std::string masks = "*.txt";
    for (int i = 1; i < 10; ++i) masks += ",*.txt";
    testing::ListTableModel model(list_, session_);
    ASSERT_TRUE(session_.Start(Prepared(Criteria("", masks), flags_)));
    const testing::StallMeter meter;
    ASSERT_TRUE(recorder_.WaitForEnd(120s));

    EXPECT_EQ(100000u, list_.size());
    EXPECT_EQ(100000, model.rowCount({}));
    EXPECT_EQ(100000u, recorder_.ended[0].Hits);
    // Batches, never an event per hit.
    EXPECT_LT(recorder_.slices.size(), 2000u);
    std::size_t next = 0;
    for (const auto& [first, count] : recorder_.slices) {
        EXPECT_EQ(next, first);
        next += count;
    }
    // A sanity bound only; bench/finder measures the real figure.
    EXPECT_LT(meter.LongestMs(), 1000) << "the GUI thread stalled";

    // The order worked out apart is the list's own.
    EXPECT_TRUE(list_.AutoSort());
    const std::vector<std::string> sorted = Names();
    list_.Sort();
    EXPECT_EQ(sorted, Names());
    EXPECT_NE(sorted.front(), sorted.back());
}

} // namespace
} // namespace mvf::session
