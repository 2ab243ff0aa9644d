// Real searches started from the dialog and run through the session, as the main window
// wires them: foreground and background, with the hits, the summary and the error log.
#include <QCheckBox>
#include <QElapsedTimer>
#include <QRadioButton>

#include "dialog_test_support.h"
#include "finder/results/results_list.h"
#include "finder/search/completion.h"
#include "finder/session/search_session.h"

namespace mvf::dialog {
namespace {

using session::SearchOutcome;
using session::SearchSession;

class DialogSearchTest : public testing::DialogTest {
protected:
    DialogSearchTest()
        : session_(list_,
                   {.notifier = notifier_, .resultsFolder = results_.Root(), .flags = &flags_}) {
        // What the main window does with a search the dialog hands over.
        starter_.then = [this](search::SearchCriteria criteria) {
            list_.Clear();
            ASSERT_TRUE(session_.Start(std::move(criteria)));
        };
        QObject::connect(&session_, &SearchSession::SearchEnded,
                         [this](const SearchOutcome& outcome) { outcomes_.push_back(outcome); });
        tree_.File("Readme.txt", "nothing here");
        tree_.File("a/Hit.txt", "line one\r\nthe Needle\r\n");
        tree_.File("a/b/Deep.txt", "needle at the end");
        tree_.File("a/b/other.log", "needle, but not a text mask");
        tree_.File("z.txt", std::string("needle\0binary", 13));
        broken_ = tree_.Link("a/broken.txt", tree_.Path("gone"));
    }

    bool WaitForEnd() {
        QElapsedTimer clock;
        clock.start();
        while (session_.Active() && clock.elapsed() < 60000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        return !session_.Active();
    }

    std::vector<std::string> Paths() const {
        std::vector<std::string> paths;
        for (const results::ResultEntry& row : list_.entries())
            paths.push_back(results::FullPath(row));
        return paths;
    }

    void EnterNeedleSearch() {
        Show();
        Type("Directory", tree_.Root());
        Type("Filemask", "*.txt");
        Type("FindBox", "needle");
        Find<QCheckBox>("SubDirCheck")->setChecked(true);
    }

    testing::TempFolder results_;
    results::ResultsList list_;
    SearchSession session_;
    std::vector<SearchOutcome> outcomes_;
    std::string broken_;
};

TEST_F(DialogSearchTest, ForegroundSearchFindsTheHitsAndOffersTheLog) {
    EnterNeedleSearch();
    Find<QCheckBox>("Bark")->setChecked(false);
    Click("Beginsearch");
    EXPECT_FALSE(dialog_->isVisible());
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(1u, outcomes_.size());
    const SearchOutcome& outcome = outcomes_[0];
    EXPECT_FALSE(outcome.Background);
    // Sorted by name; the binary file is skipped; letter case ignored; names keep theirs.
    EXPECT_EQ((std::vector<std::string>{tree_.Path("a/b/Deep.txt"), tree_.Path("a/Hit.txt")}),
              Paths());
    const std::string summary = "Filemask:  *.txt    Expression:  needle   Boolean: <none>    "
                                "Searched in:  " +
                                tree_.Root();
    EXPECT_EQ(summary, list_.SearchSummary());
    EXPECT_EQ(QString::fromStdString(summary), outcome.SearchSummary);
    EXPECT_TRUE(outcome.OfferLog);
    EXPECT_EQ(search::ErrorLogPath(results_.Root()), outcome.ErrorLogPath);
    EXPECT_EQ("Could not access file:  " + broken_ + "\r\n",
              mvf::testing::ReadAll(outcome.ErrorLogPath));
    EXPECT_FALSE(flags_.SearchRunning);
    EXPECT_TRUE(notifier_.Boxes().empty()) << notifier_.Describe();
}

TEST_F(DialogSearchTest, BackgroundSearchLeavesItsResultsWaitingWithTheTrayHint) {
    EnterNeedleSearch();
    Click("SearchBG");
    Click("Suppress");
    Find<QCheckBox>("SkipBin")->setChecked(false);
    Find<QCheckBox>("Bark")->setChecked(false);
    Click("Beginsearch");
    ASSERT_TRUE(WaitForEnd());
    ASSERT_EQ(1u, outcomes_.size());
    const SearchOutcome& outcome = outcomes_[0];
    EXPECT_TRUE(outcome.Background);
    EXPECT_EQ(3u, list_.size()) << "the binary file's run is searched now";
    EXPECT_EQ("3 hits found! Click to process....", outcome.TrayHint);
    EXPECT_FALSE(outcome.OfferLog) << "errors suppressed: logged, not offered";
    EXPECT_TRUE(outcome.ErrorsLogged);
    EXPECT_TRUE(flags_.SearchRunning);
    EXPECT_TRUE(flags_.ResultsPending);

    // The next search from the dialog clears the waiting results.
    flags_.SearchRunning = false; // the tray click collected them
    Show();
    Click("SearchBG");
    Type("FindBox", "nothing");
    Click("Beginsearch");
    EXPECT_FALSE(flags_.ResultsPending);
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ(1u, list_.size());
    EXPECT_EQ(tree_.Path("Readme.txt"), Paths()[0]);
}

} // namespace
} // namespace mvf::dialog
