// The commands that steer a search and the tray's look, through every state of a search:
// at rest, running, paused, stopped, finished in the foreground, finished in the
// background with its results waiting, and collected by the tray click. Questions are
// answered through the scripted notifier; the search's pausing is the search core's own.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "finder/search/search_control.h"
#include "finder/shell/search_commands.h"
#include "platform/qt/scripted_notifier.h"
#include "testsupport/qt_print.h"

namespace mvf::shell {
namespace {

using platform::BoxAnswer;
using platform::ScriptedNotifier;

// A search thread as the commands reach it: the core's pause, resume and stop, and a
// count of what reached it.
class ControlledThread final : public SearchThread {
public:
    explicit ControlledThread(search::SearchFlags& flags) : control(flags) {}
    bool Paused() const override { return control.Paused(); }
    void Pause() override { ++requests, control.Pause(); }
    void Resume() override { ++requests, control.Resume(); }
    void Stop() override { ++requests, control.Stop(); }
    void Cancel() override { ++requests, control.Cancel(); }

    search::SearchControl control;
    int requests = 0;
};

// What the window was told, in order.
class RecordingView final : public SearchCommandsView {
public:
    void TrayChanged(const TrayLook& look) override { looks.push_back(look); }
    void StopHintChanged(std::string_view hint) override { hints.emplace_back(hint); }
    void ProgressChanged(std::string_view text) override { progress.emplace_back(text); }
    void CommandsChanged() override { ++commandUpdates; }
    void OfferErrorLog() override { handed.push_back("log"); }
    void OpenAllFound() override { handed.push_back("open all"); }
    void ShowResults() override { handed.push_back("show"); }

    std::vector<TrayLook> looks;
    std::vector<std::string> hints;
    std::vector<std::string> progress;
    std::vector<std::string> handed;
    int commandUpdates = 0;
};

class SearchCommandsTest : public ::testing::Test {
protected:
    // What the search dialog does before it hands a search over.
    void StartSearch() {
        flags.SearchRunning = true;
        commands.SearchStarted(thread);
    }
    // The background completion: the thread is gone, the results wait.
    void FinishBackground(bool errorsLogged = false) {
        commands.SearchEnded();
        flags.ResultsPending = true;
        flags.ErrorsLogged = errorsLogged;
        commands.BackgroundFinished("12 hits found! Click to process....");
    }
    const platform::MessageBox& OnlyBox() {
        boxes = notifier.Boxes();
        EXPECT_EQ(1u, boxes.size()) << notifier.Describe();
        return boxes.at(0).box;
    }

    search::SearchFlags flags;
    ScriptedNotifier notifier;
    RecordingView view;
    SearchCommands commands{flags, notifier, view};
    ControlledThread thread{flags};
    std::vector<ScriptedNotifier::ShownBox> boxes;
};

const TrayLook kAtRest{TrayIconState::tsEnabled, TrayMenu::InActivePop, "Vantor Finder"};

TEST_F(SearchCommandsTest, AtRestTheIconWaitsWithTheIdleMenuAndOnlyStopCanBeChosen) {
    EXPECT_EQ(kAtRest, commands.Tray());
    EXPECT_EQ("Stop|Stop current search", commands.StopHint());
    EXPECT_EQ((ActivePopItems{.Pause1 = false, .Resume1 = false, .Stop1 = true}),
              commands.ActivePopPopup());
    // Nothing to pause, resume or stop: no question, no change.
    commands.Pause1Click();
    commands.Resume1Click();
    commands.Stop1Click();
    commands.StopGoBtnClick();
    commands.FinderTrayClick(TrayButton::Left, {});
    EXPECT_TRUE(notifier.Boxes().empty());
    EXPECT_TRUE(view.looks.empty());
    EXPECT_TRUE(view.handed.empty());
    EXPECT_FALSE(flags.StopRequested);
}

TEST_F(SearchCommandsTest, ARunningSearchAnimatesWithTheActiveMenuAndShowsItsProgress) {
    StartSearch();
    EXPECT_EQ(TrayIconState::tsAnimated, commands.Tray().state);
    EXPECT_EQ(TrayMenu::ActivePop, commands.Tray().menu);
    EXPECT_EQ((ActivePopItems{.Pause1 = true, .Resume1 = false, .Stop1 = true}),
              commands.ActivePopPopup());
    EXPECT_EQ(1, view.commandUpdates);

    commands.ShowProgress("Searching: /home/ann/notes.txt");
    EXPECT_EQ("Searching: /home/ann/notes.txt", commands.Tray().hint);
    EXPECT_EQ(std::vector<std::string>{"Searching: /home/ann/notes.txt"}, view.progress);
}

TEST_F(SearchCommandsTest, PausingGreysTheIconSaysPausedAndTheStopButtonBecomesResume) {
    StartSearch();
    commands.Pause1Click();
    EXPECT_TRUE(thread.control.Paused());
    EXPECT_EQ((TrayLook{TrayIconState::tsDisabled, TrayMenu::ActivePop,
                        "Paused ... left-click once to resume search"}),
              commands.Tray());
    EXPECT_EQ("Resume|Resume current search", commands.StopHint());
    EXPECT_EQ("Paused....", view.progress.back());
    EXPECT_EQ((ActivePopItems{.Pause1 = false, .Resume1 = true, .Stop1 = true}),
              commands.ActivePopPopup());

    commands.Resume1Click();
    EXPECT_FALSE(thread.control.Paused());
    EXPECT_EQ(TrayIconState::tsAnimated, commands.Tray().state);
    EXPECT_EQ("Stop|Stop current search", commands.StopHint());
    EXPECT_TRUE(notifier.Boxes().empty());
}

TEST_F(SearchCommandsTest, StopFromTheTrayMenuAsksSystemModalAndStopsOnlyOnYes) {
    StartSearch();
    notifier.Expect(BoxAnswer::No);
    commands.Stop1Click();
    const platform::MessageBox& box = OnlyBox();
    EXPECT_EQ("Error", box.caption);
    EXPECT_EQ("Vantor File Finder is doing a search!\rDo you want to stop this search?", box.text);
    EXPECT_EQ(platform::BoxIcon::Warning, box.icon);
    EXPECT_EQ(platform::BoxButtons::YesNo, box.buttons);
    EXPECT_TRUE(box.systemModal);
    EXPECT_FALSE(flags.StopRequested);

    notifier.Expect(BoxAnswer::Yes);
    commands.Stop1Click();
    EXPECT_TRUE(flags.StopRequested);
    EXPECT_TRUE(notifier.AllAsExpected()) << notifier.Describe();
}

TEST_F(SearchCommandsTest, StoppingAPausedSearchResumesItSoThatItSeesTheStop) {
    StartSearch();
    commands.Pause1Click();
    notifier.Expect(BoxAnswer::Yes);
    commands.Stop1Click();
    EXPECT_TRUE(flags.StopRequested);
    EXPECT_FALSE(thread.control.Paused());
    EXPECT_EQ("Stop|Stop current search", commands.StopHint());
    // The thread proceeds, and stops at its next checkpoint.
    EXPECT_FALSE(thread.control.Proceed());
}

TEST_F(SearchCommandsTest, TheStopButtonAsksInTheWindowWhileRunningAndResumesWhilePaused) {
    StartSearch();
    notifier.Expect(BoxAnswer::Yes);
    commands.StopGoBtnClick();
    EXPECT_FALSE(OnlyBox().systemModal);
    EXPECT_TRUE(flags.StopRequested);

    flags.StopRequested = false;
    commands.Pause1Click();
    commands.StopGoBtnClick(); // it reads "Resume" now
    EXPECT_FALSE(thread.control.Paused());
    EXPECT_EQ(TrayIconState::tsAnimated, commands.Tray().state);
    EXPECT_FALSE(flags.StopRequested);
    EXPECT_EQ(1u, notifier.Boxes().size()) << "resuming asks nothing";
}

TEST_F(SearchCommandsTest, ALeftClickOnTheTrayOffersToStopARunningSearchAndResumesAPausedOne) {
    StartSearch();
    notifier.Expect(BoxAnswer::No);
    commands.FinderTrayClick(TrayButton::Left, {});
    EXPECT_TRUE(OnlyBox().systemModal);
    EXPECT_FALSE(flags.StopRequested);

    commands.Pause1Click();
    commands.FinderTrayClick(TrayButton::Left, {});
    EXPECT_FALSE(thread.control.Paused());
    EXPECT_EQ(1u, notifier.Boxes().size()) << "a paused search is resumed without a question";

    notifier.Expect(BoxAnswer::Yes);
    commands.FinderTrayClick(TrayButton::Left, {});
    EXPECT_TRUE(flags.StopRequested);
    EXPECT_TRUE(view.handed.empty()) << "nothing waits to be collected";
}

TEST_F(SearchCommandsTest, AForegroundEndPutsTheTrayAtRest) {
    StartSearch();
    commands.Pause1Click();
    notifier.Expect(BoxAnswer::Yes);
    commands.Stop1Click();
    commands.SearchEnded();
    commands.ForegroundFinished();
    EXPECT_EQ(kAtRest, commands.Tray());
    EXPECT_EQ("Stop|Stop current search", commands.StopHint());
    EXPECT_FALSE(commands.ThreadExists());
}

TEST_F(SearchCommandsTest,
       BackgroundResultsWaitBehindTheGreyIconWithoutMenuAndNothingReachesTheGoneThread) {
    StartSearch();
    FinishBackground();
    EXPECT_EQ((TrayLook{TrayIconState::tsDisabled, TrayMenu::None,
                        "12 hits found! Click to process...."}),
              commands.Tray());
    EXPECT_EQ((ActivePopItems{.Pause1 = false, .Resume1 = false, .Stop1 = true}),
              commands.ActivePopPopup());
    const int before = thread.requests;
    commands.Pause1Click();
    commands.Resume1Click();
    commands.Stop1Click();
    commands.StopGoBtnClick();
    EXPECT_EQ(before, thread.requests);
    EXPECT_TRUE(notifier.Boxes().empty());
    EXPECT_TRUE(flags.SearchRunning) << "the search counts as running until collected";
}

TEST_F(SearchCommandsTest, TheTrayClickCollectsWaitingResultsAndShowsThemOrOpensThem) {
    StartSearch();
    FinishBackground();
    const int updates = view.commandUpdates;
    commands.FinderTrayClick(TrayButton::Right, {.warn = true, .openFiles = false});
    EXPECT_FALSE(flags.SearchRunning);
    EXPECT_FALSE(flags.ResultsPending);
    EXPECT_TRUE(flags.StopRequested);
    EXPECT_EQ(kAtRest, commands.Tray());
    EXPECT_EQ(updates + 1, view.commandUpdates);
    EXPECT_EQ(std::vector<std::string>{"show"}, view.handed);
    EXPECT_TRUE(notifier.Boxes().empty());

    // Collected once: a second click finds nothing waiting.
    commands.FinderTrayClick(TrayButton::Right, {});
    EXPECT_EQ(1u, view.handed.size());

    view.handed.clear();
    StartSearch();
    FinishBackground(/*errorsLogged=*/true);
    commands.FinderTrayClick(TrayButton::Left, {.warn = true, .openFiles = true});
    EXPECT_EQ((std::vector<std::string>{"log", "open all"}), view.handed);
}

TEST_F(SearchCommandsTest, ACancelledSearchIsCollectedWithoutLogAndWithoutResults) {
    StartSearch();
    FinishBackground(/*errorsLogged=*/true);
    flags.SearchCancelled = true;
    commands.FinderTrayClick(TrayButton::Left, {.warn = true, .openFiles = false});
    EXPECT_TRUE(view.handed.empty());
    EXPECT_EQ(kAtRest, commands.Tray());
    EXPECT_FALSE(flags.SearchRunning);

    // Without Warn the log is not offered, even with errors logged.
    StartSearch();
    flags.SearchCancelled = false;
    FinishBackground(/*errorsLogged=*/true);
    commands.FinderTrayClick(TrayButton::Left, {.warn = false, .openFiles = false});
    EXPECT_EQ(std::vector<std::string>{"show"}, view.handed);
}

TEST_F(SearchCommandsTest, ClosingDuringASearchOffersToCancelItAndNeverCloses) {
    EXPECT_TRUE(commands.FormCloseQuery()) << "at rest the window may close";
    EXPECT_TRUE(notifier.Boxes().empty());

    StartSearch();
    commands.Pause1Click();
    notifier.Expect(BoxAnswer::No);
    EXPECT_FALSE(commands.FormCloseQuery());
    const platform::MessageBox& box = OnlyBox();
    EXPECT_EQ("Error", box.caption);
    EXPECT_EQ("Vantor File Finder is doing a search!\rDo you want to cancel this search?",
              box.text);
    EXPECT_EQ(platform::BoxButtons::YesNo, box.buttons);
    EXPECT_FALSE(flags.StopRequested);
    EXPECT_TRUE(thread.control.Paused());

    notifier.Expect(BoxAnswer::Yes);
    EXPECT_FALSE(commands.FormCloseQuery());
    EXPECT_TRUE(flags.StopRequested);
    EXPECT_TRUE(flags.SearchCancelled);
    EXPECT_FALSE(thread.control.Paused()) << "a paused search is resumed to see the cancel";
}

TEST_F(SearchCommandsTest, WaitingResultsKeepTheWindowOpenUntilTheyAreCollected) {
    StartSearch();
    FinishBackground();
    notifier.Expect(BoxAnswer::Yes);
    EXPECT_FALSE(commands.FormCloseQuery());
    EXPECT_TRUE(flags.SearchCancelled);
    commands.FinderTrayClick(TrayButton::Right, {});
    EXPECT_TRUE(commands.FormCloseQuery());
    EXPECT_TRUE(notifier.AllAsExpected()) << notifier.Describe();
}

TEST_F(SearchCommandsTest, ASearchThatEndsWhileTheStopQuestionIsOpenIsNotReachedAfterwards) {
    StartSearch();
    notifier.OnShow([this](const platform::MessageBox&) {
        commands.SearchEnded(); // the completion ran inside the box's event loop
        commands.ForegroundFinished();
    });
    const int before = thread.requests;
    notifier.Expect(BoxAnswer::Yes);
    commands.Stop1Click();
    EXPECT_EQ(before, thread.requests);
    EXPECT_EQ(kAtRest, commands.Tray());

    StartSearch();
    notifier.Expect(BoxAnswer::Yes);
    commands.FinderTrayClick(TrayButton::Left, {});
    EXPECT_EQ(before, thread.requests);
}

} // namespace
} // namespace mvf::shell
