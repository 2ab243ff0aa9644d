// Which commands are enabled in each state of the list and the search, and the actions as
// the main window calls them: rows to files, the clear question, the list held while busy,
// the trash looked for once.
#include "finder/actions/results_actions.h"

#include <QSignalSpy>

#include "actions_world.h"
#include "finder/actions/command_state.h"
#include "finder/actions/scripted_delete_prompts.h"
#include "finder/actions/scripted_file_dialogs.h"

namespace mvf::actions {
namespace {

using platform::BoxAnswer;
using platform::BoxButtons;

TEST(CommandState, FollowsTheSelectionTheRowsTheSearchAndTheBusyList) {
    struct Case {
        std::size_t selected, rows;
        bool search, busy;
        // open, delete, clear, load, save, stop, new search
        std::array<bool, 7> enabled;
    };
    const Case cases[] = {
        {0, 0, false, false, {false, false, false, true, false, false, true}},
        {0, 5, false, false, {false, false, true, true, true, false, true}},
        {2, 5, false, false, {true, true, true, true, true, false, true}},
        {0, 0, true, false, {false, false, false, false, false, true, false}},
        {1, 5, true, false, {true, true, false, false, false, true, false}},
        // A save, load or deletion under way: only opening and stopping stay.
        {1, 5, false, true, {true, false, false, false, false, false, false}},
        {0, 5, true, true, {false, false, false, false, false, true, false}},
    };
    for (const Case& c : cases) {
        const results::ToolbarState state = CommandState(c.selected, c.rows, c.search, c.busy);
        const std::array<bool, 7> enabled = {state.open, state.remove, state.clear,    state.load,
                                             state.save, state.stop,   state.newSearch};
        EXPECT_EQ(c.enabled, enabled) << c.selected << " selected, " << c.rows << " rows, search "
                                      << c.search << ", busy " << c.busy;
        EXPECT_TRUE(state.done);
        EXPECT_EQ("Files With Hits: " + std::to_string(c.rows), state.hitsText);
    }
}

class ResultsActionsTest : public testing::ActionsWorld {
protected:
    std::unique_ptr<ResultsActions> Make() {
        return std::make_unique<ResultsActions>(
            ActionsSetup{.list = list_,
                         .notifier = notifier_,
                         .settings = settings_,
                         .programFolder = MVF_FAKE_VIEWER_FOLDER,
                         .resultsFolder = tmp_.Folder("program/searchresults"),
                         .window = nullptr},
            ActionsPrompts{
                .deletePrompts = &prompts_, .fileDialogs = &dialogs_, .loadProgress = nullptr});
    }
    results::ResultsList list_;
    settings::FinderSettings settings_;
    ScriptedDeletePrompts prompts_;
    ScriptedFileDialogs dialogs_;
};

TEST_F(ResultsActionsTest, SelectedRowsBecomeFullPathsInTheOrderGiven) {
    list_.SetAutoSort(false);
    const std::string a = File("a.txt"), b = File("sub/b.txt");
    AddRows(list_, {a, "/rooted.txt", b});
    auto actions = Make();
    QSignalSpy finished(&actions->Opener(), &FileOpener::finished);
    const std::size_t rows[] = {0, 1, 2};
    actions->OpenBtnClick(rows);
    ASSERT_TRUE(finished.wait(20000));
    ASSERT_EQ(3u, opened_.size());
    EXPECT_EQ(platform::LocalFileUrl(a), opened_[0]);
    EXPECT_EQ(platform::LocalFileUrl("/rooted.txt"), opened_[1]) << "a file in the root";
    EXPECT_EQ(platform::LocalFileUrl(b), opened_[2]);

    // With the viewer chosen during the run, the next opening takes it.
    settings_.UseViewer = true;
    const std::size_t one[] = {2};
    actions->OpenBtnClick(one);
    ASSERT_TRUE(testing::RunEventsUntil([&] { return !ViewerStarts().empty(); }));
    EXPECT_EQ((std::vector<std::vector<std::string>>{{b}}), ViewerStarts());

    prompts_.AnswerMode(std::nullopt);
    actions->DeleteBtnClick(one);
    ASSERT_EQ(1u, prompts_.ModeQuestions().size());
    EXPECT_EQ(1u, prompts_.ModeQuestions()[0].count);
}

TEST_F(ResultsActionsTest, ClearAsksFirstAndEmptiesTheListAndTheSummaryOnYes) {
    AddRows(list_, {"/x/a", "/x/b"});
    list_.SetSearchSummary("Filemask:  *");
    auto actions = Make();
    QSignalSpy finished(actions.get(), &ResultsActions::commandFinished);
    notifier_.Expect(BoxAnswer::No);
    EXPECT_FALSE(actions->ClearBtnClick());
    EXPECT_EQ(2u, list_.size());
    notifier_.Expect(BoxAnswer::Yes);
    EXPECT_TRUE(actions->ClearBtnClick());
    EXPECT_TRUE(list_.empty());
    EXPECT_EQ("", list_.SearchSummary());
    EXPECT_EQ(1, finished.size());
    ASSERT_EQ(2u, notifier_.Boxes().size());
    EXPECT_EQ("Are you sure you want to clear the search results list?",
              notifier_.Boxes()[0].box.text);
    EXPECT_EQ(BoxButtons::YesNo, notifier_.Boxes()[0].box.buttons);
}

TEST_F(ResultsActionsTest, WhileBusyTheListHoldsStillAndItsCommandsWait) {
    for (int i = 0; i < 2000; ++i) AddRows(list_, {"/many/f" + std::to_string(i)});
    auto actions = Make();
    QSignalSpy busy(actions.get(), &ResultsActions::busyChanged);
    QSignalSpy finished(actions.get(), &ResultsActions::commandFinished);
    dialogs_.Answer(tmp_.Path("list.ser"));
    actions->SaveListBtnClick();
    ASSERT_EQ(1, busy.size());
    EXPECT_TRUE(busy[0][0].toBool());
    EXPECT_TRUE(actions->Busy());
    const results::ToolbarState during = actions->Commands(1, false);
    EXPECT_TRUE(during.open);
    EXPECT_FALSE(during.remove || during.clear || during.load || during.save || during.newSearch);
    EXPECT_FALSE(actions->ClearBtnClick()) << "no question while busy";
    EXPECT_TRUE(notifier_.Boxes().empty());

    ASSERT_TRUE(finished.wait(30000));
    ASSERT_EQ(2, busy.size());
    EXPECT_FALSE(busy[1][0].toBool());
    const results::ToolbarState after = actions->Commands(1, false);
    EXPECT_TRUE(after.remove && after.clear && after.load && after.save && after.newSearch);
    EXPECT_TRUE(std::filesystem::exists(tmp_.Path("list.ser")));
}

TEST_F(ResultsActionsTest, AtExitFilesGoingToTheTrashLeaveTheSavedList) {
    list_.SetAutoSort(false);
    AddRows(list_, {File("a.txt"), File("b.txt"), File("c.txt")});
    auto actions = Make();
    prompts_.AnswerMode(DeleteMode::RecycleAll);
    const std::size_t rows[] = {0, 1};
    actions->DeleteBtnClick(rows);
    EXPECT_TRUE(actions->Busy());
    // The window closes at once: the removals end first, then the list is saved.
    EXPECT_TRUE(actions->SaveLastResults());
    actions->WaitUntilIdle();
    EXPECT_FALSE(actions->Busy());
    const std::string saved =
        testing::ReadAll(tmp_.Path("program/searchresults/last search results.ser"));
    EXPECT_EQ(0u, saved.find("1  files were found")) << saved;
    EXPECT_NE(std::string::npos, saved.find("c.txt"));
    EXPECT_TRUE(std::filesystem::exists(tmp_.Path("data/Trash/files/a.txt")));
}

TEST_F(ResultsActionsTest, TheTrashIsLookedForOnce) {
    EXPECT_FALSE(Make()->NoRecycleBin());
    // A data folder that cannot hold a trash (its parent is a file).
    env_.Set("XDG_DATA_HOME", File("not-a-folder") + "/data");
    auto actions = Make();
    EXPECT_TRUE(actions->NoRecycleBin());
    prompts_.AnswerMode(std::nullopt);
    AddRows(list_, {"/x/a"});
    const std::size_t row[] = {0};
    actions->DeleteBtnClick(row);
    ASSERT_EQ(1u, prompts_.ModeQuestions().size());
    EXPECT_TRUE(prompts_.ModeQuestions()[0].noRecycleBin);
}

} // namespace
} // namespace mvf::actions
