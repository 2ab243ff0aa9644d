// Real searches over a scratch folder, started as the search dialog starts them: the hits
// reach the list, and the end of the search changes the window and the tray as it
// should, in the foreground and in the background with its tray click.
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

#include "assets/icons.h"
#include "finder/search/entry_checks.h"
#include "finder_toolbar.h"
#include "results_view_placeholder.h"
#include "shell_test_support.h"
#include "status_bars.h"
#include "testsupport/qt_print.h"

namespace mvf::shell {
namespace {

using testing::WaitFor;
using testing::WindowWorld;

QImage Picture(const QIcon& icon) {
    return icon.pixmap(22, 22).toImage();
}

class SearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        world.folder.File("found/one.txt", "needle\n");
        world.folder.File("found/two.txt", "needle and thread\n");
        world.folder.File("found/three.txt", "no\n");
        world.folder.File("found/four.log", "needle\n");
        world.Open();
    }

    // "Begin Search" as the dialog runs it.
    search::SearchCriteria Criteria(bool background) {
        search::SearchCriteria criteria;
        criteria.FindText = "needle";
        criteria.FileMaskText = "*.txt";
        criteria.DirectoryText = world.folder.Path("found");
        criteria.Background = background;
        search::RememberedLists lists;
        EXPECT_EQ(std::nullopt, search::PrepareSearch(criteria, lists, world.flags));
        return criteria;
    }

    WindowWorld world;
};

TEST_F(SearchWindowTest, AForegroundSearchFillsTheListAndEndsWithTheWindowShownAndTheTrayAtRest) {
    TVFinder& window = *world.window;
    window.StartSearch(Criteria(false));
    EXPECT_TRUE(window.isVisible()) << "a foreground search shows the window at once";
    EXPECT_EQ(TrayIconState::tsAnimated, window.Commands().Tray().state);
    EXPECT_EQ(window.Tray().ActivePop(), window.Tray().Icon()->contextMenu());
    EXPECT_FALSE(window.Toolbar()->Action(ToolbarCommand::Newsearchbtn)->isEnabled());

    ASSERT_TRUE(WaitFor([&] { return !world.flags.SearchRunning; }));
    EXPECT_FALSE(window.Commands().ThreadExists());
    EXPECT_EQ(2u, world.life->List().size());
    EXPECT_TRUE(world.life->List().AutoSort());
    EXPECT_EQ("Files With Hits: 2", window.VFinderstatus()->PanelText(1));
    EXPECT_EQ("Sort: Name - (A-Z)", window.VFinderstatus()->PanelText(2));
    EXPECT_EQ(1u, window.VFList()->SelectedRows().size());
    EXPECT_TRUE(window.Progress()->Text().startsWith("Filemask:  *.txt    Expression:  needle"))
        << window.Progress()->Text().toStdString();
    EXPECT_EQ((TrayLook{TrayIconState::tsEnabled, TrayMenu::InActivePop, "Vantor Finder"}),
              window.Commands().Tray());
    EXPECT_EQ(Picture(assets::trayIcon()), Picture(window.Tray().CurrentIcon()));
    EXPECT_TRUE(window.Toolbar()->Action(ToolbarCommand::Newsearchbtn)->isEnabled());
    EXPECT_FALSE(window.Toolbar()->Action(ToolbarCommand::StopGoBtn)->isEnabled());
    EXPECT_TRUE(world.notifier.Boxes().empty()) << world.notifier.Describe();
}

TEST_F(SearchWindowTest, ABackgroundSearchWaitsBehindTheTrayUntilItsClickShowsTheResults) {
    TVFinder& window = *world.window;
    window.ShowLastClick();
    world.life->Settings().VFShowResults = true;
    window.StartSearch(Criteria(true));
    EXPECT_FALSE(window.isVisible()) << "a background search sends the window to the tray";

    ASSERT_TRUE(WaitFor([&] { return world.flags.ResultsPending.load(); }));
    EXPECT_TRUE(world.flags.SearchRunning);
    EXPECT_EQ(
        (TrayLook{TrayIconState::tsDisabled, TrayMenu::None, "2 hits found! Click to process...."}),
        window.Commands().Tray());
    EXPECT_EQ(nullptr, window.Tray().Icon()->contextMenu());
    EXPECT_EQ("2 hits found! Click to process....", window.Tray().Icon()->toolTip());
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.Toolbar()->Action(ToolbarCommand::Newsearchbtn)->isEnabled());

    // A right click has no menu to open now: it collects the results.
    emit window.Tray().Clicked(TrayButton::Right);
    EXPECT_FALSE(world.flags.SearchRunning);
    EXPECT_FALSE(world.flags.ResultsPending);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(2u, world.life->List().size());
    EXPECT_EQ(window.Tray().InActivePop(), window.Tray().Icon()->contextMenu());
    EXPECT_EQ("Vantor Finder", window.Tray().Icon()->toolTip());
    EXPECT_TRUE(window.Toolbar()->Action(ToolbarCommand::Newsearchbtn)->isEnabled());
}

TEST_F(SearchWindowTest, ANewSearchReplacesTheListAndTheLastResultsAreNotLoadedOverIt) {
    testing::WriteResults(world.resultsFolder, results::kLastResultsName,
                          {"old1.txt", "old2.txt", "old3.txt"});
    TVFinder& window = *world.window;
    window.StartSearch(Criteria(false)); // before the window was ever shown
    ASSERT_TRUE(WaitFor([&] { return !world.flags.SearchRunning; }));
    EXPECT_EQ(2u, world.life->List().size());
    window.ExitBtnClick();
    window.ShowLastClick();
    EXPECT_EQ(2u, world.life->List().size()) << "the hits, not the last results";
}

} // namespace
} // namespace mvf::shell
