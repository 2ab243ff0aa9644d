// Real searches over a scratch folder, typed into the real search dialog and started from
// "New search": the hits reach the list, the session's progress and end change the window
// and the tray, in the foreground and in the background with its tray click; the tray's
// menu pauses, resumes and stops a running search; closing or destroying the window while
// a search runs.
#include <unistd.h>

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QRadioButton>
#include <QSpinBox>
#include <QSystemTrayIcon>

#include <gtest/gtest.h>

#include "assets/icons.h"
#include "finder/dialog/vantor_finder.h"
#include "finder/session/search_session.h"
#include "finder/view/vf_list.h"
#include "finder_toolbar.h"
#include "platform/core/current_directory.h"
#include "shell_test_support.h"
#include "status_bars.h"
#include "testsupport/qt_print.h"

namespace mvf::shell {
namespace {

using namespace std::chrono_literals;
using mvf::testing::ReadAll;
using platform::BoxAnswer;
using testing::WaitFor;
using testing::WindowWorld;

QImage Picture(const QIcon& icon) {
    return icon.pixmap(22, 22).toImage();
}

// What the user types and ticks in the search dialog.
struct Entries {
    std::string masks = "*.txt";
    std::string find = "needle";
    std::string folders = {}; // none: the scratch "found" folder
    bool subfolders = true;
    bool boolAnd = false;
    bool skipBinaries = true;
    bool background = false;
    bool warn = false;
    bool openFiles = false;
    int openFirst = 20;
};

class SearchWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        world.folder.File("found/one.txt", "needle and thread\n");
        world.folder.File("found/two.txt", "thread\nneedle\n");
        world.folder.File("found/three.txt", "no\n");
        world.folder.File("found/four.log", "needle thread\n");
        world.folder.File("found/sub/five.txt", "a needle, a thread");
        world.folder.File("found/sub/six.txt", "needle only");
        world.Open();
    }
    void TearDown() override { platform::SetCurrentDirectory(workingFolder_); }

    // "New search": the dialog opens, the entries are typed in, "Begin Search".
    void NewSearch(Entries entries) {
        if (entries.folders.empty()) entries.folders = world.folder.Path("found");
        world.modal.answer = [this, entries](QDialog& shown) {
            auto& dialog = static_cast<dialog::TVantorFinder&>(shown);
            dialog.show();
            Box("Filemask")->setEditText(QString::fromStdString(entries.masks));
            Box("FindBox")->setEditText(QString::fromStdString(entries.find));
            Box("Directory")->setEditText(QString::fromStdString(entries.folders));
            Control<QCheckBox>("SubDirCheck")->setChecked(entries.subfolders);
            Control<QCheckBox>("BoolAND")->setChecked(entries.boolAnd);
            Control<QCheckBox>("SkipBin")->setChecked(entries.skipBinaries);
            QCheckBox* background = Control<QCheckBox>("SearchBG");
            if (background->isChecked() != entries.background) background->click();
            Control<QRadioButton>(entries.warn ? "Warn" : "Suppress")->setChecked(true);
            Control<QRadioButton>(entries.openFiles ? "Openfiles" : "ShowResults")
                ->setChecked(true);
            Control<QSpinBox>("OpenFirst")->setValue(entries.openFirst);
            dialog.BeginsearchClick();
            return dialog.result();
        };
        world.window->NewSrchClick();
    }

    template <typename T> T* Control(const char* name) {
        T* control = world.dialog->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(nullptr, control) << name;
        return control;
    }
    QComboBox* Box(const char* name) { return Control<QComboBox>(name); }

    bool WaitForEnd(std::chrono::milliseconds limit = 20s) {
        return WaitFor([&] { return !world.window->Session().Active(); }, limit);
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const results::ResultEntry& row : world.life->List().entries())
            names.emplace_back(row.name());
        return names;
    }

    // A file that reads as gigabytes of zero bytes and takes no room: a search with
    // binaries included is still reading it when the test acts. Put below "sub", it is
    // reached after every other file.
    void HugeFile(const std::string& relative) {
        ASSERT_EQ(0, ::truncate(world.folder.File(relative).c_str(), 64LL << 30));
    }
    bool WaitUntilReading(const char* name) {
        return WaitFor([&] { return world.window->Progress()->Text().endsWith(name); });
    }

    WindowWorld world;

private:
    const std::string workingFolder_ = platform::CurrentDirectory();
};

const TrayLook kAtRest{TrayIconState::tsEnabled, TrayMenu::InActivePop, "Vantor Finder"};

TEST_F(SearchWindowTest, AForegroundSearchFromTheDialogFillsTheWindowAndEndsWithItsSummary) {
    TVFinder& window = *world.window;
    NewSearch({.find = "needle|thread", .boolAnd = true});
    EXPECT_EQ(std::vector<std::string>{"TVantorFinder"}, world.modal.shown);
    EXPECT_FALSE(world.dialog->isVisible()) << "Begin Search closed the dialog";
    EXPECT_TRUE(window.isVisible()) << "a foreground search shows the window at once";
    EXPECT_EQ(TrayIconState::tsAnimated, window.Commands().Tray().state);
    EXPECT_EQ(window.Tray().ActivePop(), window.Tray().Icon()->contextMenu());
    EXPECT_FALSE(window.Toolbar()->Action(ToolbarCommand::Newsearchbtn)->isEnabled());
    EXPECT_TRUE(window.Toolbar()->Action(ToolbarCommand::StopGoBtn)->isEnabled());

    ASSERT_TRUE(WaitForEnd());
    EXPECT_FALSE(world.flags.SearchRunning);
    EXPECT_FALSE(window.Commands().ThreadExists());
    EXPECT_EQ((std::vector<std::string>{"five.txt", "one.txt", "two.txt"}), Names());
    EXPECT_EQ(3, window.VFList()->model()->rowCount());
    EXPECT_EQ("Files With Hits: 3", window.VFinderstatus()->PanelText(1));
    EXPECT_EQ("Sort: Name - (A-Z)", window.VFinderstatus()->PanelText(2));
    EXPECT_EQ(std::vector<std::size_t>{0}, window.VFList()->SelectedRows());
    EXPECT_EQ("five.txt", window.VFinderstatus()->PanelText(0));
    const QString summary = window.Progress()->Text();
    EXPECT_EQ(QString::fromStdString(world.life->List().SearchSummary()), summary);
    EXPECT_TRUE(summary.startsWith("Filemask:  *.txt    Expression:  needle|thread   Boolean: AND"))
        << summary.toStdString();
    EXPECT_EQ(kAtRest, window.Commands().Tray());
    EXPECT_EQ(Picture(assets::trayIcon()), Picture(window.Tray().CurrentIcon()));
    EXPECT_EQ(window.Tray().InActivePop(), window.Tray().Icon()->contextMenu());
    EXPECT_TRUE(window.Toolbar()->Action(ToolbarCommand::Newsearchbtn)->isEnabled());
    EXPECT_FALSE(window.Toolbar()->Action(ToolbarCommand::StopGoBtn)->isEnabled());
    EXPECT_TRUE(world.notifier.Boxes().empty()) << world.notifier.Describe();

    // The dialog's entries and lists are written at exit and come back at the next run.
    world.Restart();
    const platform::SettingsStore stored = world.Stored();
    EXPECT_EQ("needle|thread", stored.Read(platform::TextSetting{"VFindString", ""}));
    EXPECT_TRUE(stored.Read(platform::BoolSetting{"VFBoolAND", false}));
    EXPECT_EQ(std::vector<std::string>{"*.txt"}, stored.ReadList("VFileMask"));
    QStringList shown;
    world.modal.answer = [&](QDialog& dialog) {
        dialog.show();
        shown << Box("FindBox")->currentText() << Box("Filemask")->currentText()
              << Box("Directory")->currentText();
        EXPECT_TRUE(Control<QCheckBox>("BoolAND")->isChecked());
        dialog.reject();
        return dialog.result();
    };
    world.window->NewSrchClick();
    EXPECT_EQ(
        (QStringList{"needle|thread", "*.txt", QString::fromStdString(world.folder.Path("found"))}),
        shown);
    EXPECT_FALSE(world.flags.SearchRunning) << "closing the dialog starts nothing";
}

TEST_F(SearchWindowTest, UnreadableFilesEndAForegroundSearchWithTheLogQuestionAndTheViewer) {
    world.folder.Link("found/broken.txt", world.folder.Path("nowhere"));
    world.FakeViewer();
    world.notifier.Expect(BoxAnswer::Ok);
    NewSearch({.warn = true});
    ASSERT_TRUE(WaitForEnd());

    ASSERT_EQ(1u, world.notifier.Boxes().size()) << world.notifier.Describe();
    const platform::MessageBox question = world.notifier.Boxes()[0].box;
    EXPECT_EQ("Warning", question.caption);
    EXPECT_EQ("Morvel Edit encountered some file open errors.\n\rDo you want to see the log "
              "file search errors.err?",
              question.text);
    EXPECT_FALSE(question.systemModal);
    EXPECT_EQ(world.window.get(), question.parent);
    const std::string log = world.resultsFolder + "/search errors.err";
    ASSERT_TRUE(WaitFor([&] { return !world.ViewerStarts().empty(); })) << "the viewer started";
    EXPECT_EQ(std::vector<std::string>{log}, world.ViewerStarts());
    EXPECT_NE(std::string::npos, ReadAll(log).find("broken.txt"));
    EXPECT_EQ(kAtRest, world.window->Commands().Tray());
}

TEST_F(SearchWindowTest, ABackgroundSearchWaitsBehindTheTrayUntilItsClickOffersTheLogAndShowsIt) {
    TVFinder& window = *world.window;
    world.folder.Link("found/broken.txt", world.folder.Path("nowhere"));
    world.Show();
    NewSearch({.background = true, .warn = true});
    EXPECT_FALSE(window.isVisible()) << "a background search sends the window to the tray";
    EXPECT_EQ(TrayIconState::tsAnimated, window.Commands().Tray().state);

    ASSERT_TRUE(WaitFor([&] { return world.flags.ResultsPending.load(); }));
    EXPECT_FALSE(window.Session().Active());
    EXPECT_TRUE(world.flags.SearchRunning);
    EXPECT_EQ(
        (TrayLook{TrayIconState::tsDisabled, TrayMenu::None, "4 hits found! Click to process...."}),
        window.Commands().Tray());
    EXPECT_EQ(Picture(assets::trayDisabledIcon()), Picture(window.Tray().CurrentIcon()));
    EXPECT_EQ(nullptr, window.Tray().Icon()->contextMenu());
    EXPECT_EQ("4 hits found! Click to process....", window.Tray().Icon()->toolTip());
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(world.notifier.Boxes().empty()) << "the log waits for the click";
    EXPECT_FALSE(window.Toolbar()->Action(ToolbarCommand::Newsearchbtn)->isEnabled());
    window.NewSrchClick();
    EXPECT_EQ(1u, world.modal.shown.size()) << "no new search while results wait";

    // A right click has no menu to open now: it collects the results.
    world.notifier.Expect(BoxAnswer::Cancel);
    emit window.Tray().Clicked(TrayButton::Right);
    ASSERT_EQ(1u, world.notifier.Boxes().size()) << world.notifier.Describe();
    EXPECT_EQ("Warning", world.notifier.Boxes()[0].box.caption);
    EXPECT_TRUE(world.notifier.Boxes()[0].box.systemModal) << "asked from the tray";
    EXPECT_FALSE(world.flags.SearchRunning);
    EXPECT_FALSE(world.flags.ResultsPending);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ((std::vector<std::string>{"five.txt", "one.txt", "six.txt", "two.txt"}), Names());
    EXPECT_TRUE(window.Progress()->Text().startsWith("Filemask:  *.txt    Expression:  needle"));
    EXPECT_EQ(kAtRest, window.Commands().Tray());
    EXPECT_EQ(window.Tray().InActivePop(), window.Tray().Icon()->contextMenu());
    EXPECT_TRUE(window.Toolbar()->Action(ToolbarCommand::Newsearchbtn)->isEnabled());
}

TEST_F(SearchWindowTest, TheTrayClickInTheOpenFilesModeShowsTheListAboveTheLimitAndOpensBelowIt) {
    TVFinder& window = *world.window;
    world.FakeViewer();
    world.life->Settings().UseViewer = true;
    // Every file of the tree: six, above the least limit there is.
    NewSearch({.masks = "*.*", .find = "", .background = true, .openFiles = true, .openFirst = 5});
    ASSERT_TRUE(WaitFor([&] { return world.flags.ResultsPending.load(); }));
    EXPECT_EQ("6 hits found! Click to process....", window.Tray().Icon()->toolTip());
    world.notifier.Expect(BoxAnswer::Ok);
    emit window.Tray().Clicked(TrayButton::Left);
    ASSERT_EQ(1u, world.notifier.Boxes().size()) << world.notifier.Describe();
    const platform::MessageBox tooMany = world.notifier.Boxes()[0].box;
    EXPECT_EQ("Information", tooMany.caption);
    EXPECT_EQ("More than 5 files with hits were found!\n\rVantor Finder will show you the "
              "results list",
              tooMany.text);
    EXPECT_TRUE(tooMany.systemModal);
    EXPECT_TRUE(window.isVisible()) << "the list is shown instead";
    EXPECT_TRUE(world.ViewerStarts().empty());

    // Three, within the limit: the user is asked, and every hit opens; no window shows.
    window.ExitBtnClick();
    NewSearch({.masks = "*.txt,*.log",
               .subfolders = false,
               .background = true,
               .openFiles = true,
               .openFirst = 5});
    ASSERT_TRUE(WaitFor([&] { return world.flags.ResultsPending.load(); }));
    world.notifier.Expect(BoxAnswer::Ok);
    emit window.Tray().Clicked(TrayButton::Left);
    ASSERT_EQ(2u, world.notifier.Boxes().size()) << world.notifier.Describe();
    const platform::MessageBox confirm = world.notifier.Boxes()[1].box;
    EXPECT_EQ("Confirm", confirm.caption);
    EXPECT_EQ("Open 3 files with hits?", confirm.text);
    EXPECT_TRUE(confirm.systemModal);
    ASSERT_TRUE(WaitFor([&] { return world.ViewerStarts().size() == 3; }));
    std::vector<std::string> opened = world.ViewerStarts();
    std::sort(opened.begin(), opened.end());
    const std::string found = world.folder.Path("found/");
    EXPECT_EQ((std::vector<std::string>{found + "four.log", found + "one.txt", found + "two.txt"}),
              opened);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(kAtRest, window.Commands().Tray());
}

TEST_F(SearchWindowTest, TheTrayMenuPausesResumesAndStopsARunningSearch) {
    HugeFile("found/sub/zz/huge.txt");
    TVFinder& window = *world.window;
    FinderTray& tray = window.Tray();
    NewSearch({.skipBinaries = false});
    ASSERT_TRUE(WaitUntilReading("huge.txt"));

    emit tray.ActivePop()->aboutToShow();
    EXPECT_TRUE(tray.Pause1()->isEnabled());
    EXPECT_FALSE(tray.Resume1()->isEnabled());
    tray.Pause1()->trigger();
    EXPECT_TRUE(window.Session().Paused());
    EXPECT_EQ((TrayLook{TrayIconState::tsDisabled, TrayMenu::ActivePop,
                        "Paused ... left-click once to resume search"}),
              window.Commands().Tray());
    EXPECT_EQ(Picture(assets::trayDisabledIcon()), Picture(tray.CurrentIcon()));
    EXPECT_EQ("Resume", window.Toolbar()->Action(ToolbarCommand::StopGoBtn)->toolTip());
    testing::Spin(300ms);
    EXPECT_EQ("Paused....", window.Progress()->Text()) << "no progress while paused";
    EXPECT_EQ(4u, world.life->List().size()) << "what was found before the pause";
    EXPECT_TRUE(window.Session().Active());

    emit tray.ActivePop()->aboutToShow();
    EXPECT_FALSE(tray.Pause1()->isEnabled());
    EXPECT_TRUE(tray.Resume1()->isEnabled());
    tray.Resume1()->trigger();
    EXPECT_FALSE(window.Session().Paused());
    EXPECT_EQ(TrayIconState::tsAnimated, window.Commands().Tray().state);
    EXPECT_TRUE(WaitUntilReading("huge.txt")) << "the progress shows again";

    world.notifier.Expect(BoxAnswer::Yes);
    tray.Stop1()->trigger();
    ASSERT_EQ(1u, world.notifier.Boxes().size());
    EXPECT_EQ("Vantor File Finder is doing a search!\rDo you want to stop this search?",
              world.notifier.Boxes()[0].box.text);
    EXPECT_TRUE(world.notifier.Boxes()[0].box.systemModal);
    ASSERT_TRUE(WaitForEnd(10s)) << "a stop inside the huge file ends the search";
    EXPECT_EQ((std::vector<std::string>{"five.txt", "one.txt", "six.txt", "two.txt"}), Names());
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(window.Progress()->Text().startsWith("Filemask:  *.txt"));
    EXPECT_EQ(kAtRest, window.Commands().Tray());
    EXPECT_EQ("Stop", window.Toolbar()->Action(ToolbarCommand::StopGoBtn)->toolTip());
}

TEST_F(SearchWindowTest, ClosingDuringASearchAsksToCancelItAndItEndsWithoutTheLogQuestion) {
    HugeFile("found/sub/zz/huge.txt");
    world.folder.Link("found/broken.txt", world.folder.Path("nowhere"));
    NewSearch({.skipBinaries = false, .warn = true});
    ASSERT_TRUE(WaitUntilReading("huge.txt"));

    world.notifier.Expect(BoxAnswer::Yes);
    EXPECT_FALSE(world.Close()) << "the window stays open";
    ASSERT_TRUE(WaitForEnd(10s));
    ASSERT_EQ(1u, world.notifier.Boxes().size()) << world.notifier.Describe();
    EXPECT_EQ("Vantor File Finder is doing a search!\rDo you want to cancel this search?",
              world.notifier.Boxes()[0].box.text);
    EXPECT_TRUE(world.window->isVisible());
    EXPECT_EQ(4u, world.life->List().size());
    EXPECT_EQ(kAtRest, world.window->Commands().Tray());

    EXPECT_TRUE(world.Close()) << "no search runs now";
    results::ResultsList saved;
    results::LoadList(saved, results::kLastResultsName, world.resultsFolder);
    EXPECT_EQ(4u, saved.size()) << "the hits were saved as the last results";
}

TEST_F(SearchWindowTest, DestroyingTheWindowDuringASearchCancelsItAndWaitsForItsEnd) {
    HugeFile("found/sub/zz/huge.txt");
    NewSearch({.skipBinaries = false, .warn = true});
    ASSERT_TRUE(WaitUntilReading("huge.txt"));
    world.window.reset();
    EXPECT_TRUE(world.flags.SearchCancelled);
    EXPECT_FALSE(world.flags.SearchRunning) << "the search's end ran before the session went";
    EXPECT_TRUE(world.notifier.Boxes().empty()) << world.notifier.Describe();
}

TEST_F(SearchWindowTest, ANewSearchReplacesTheListAndTheLastResultsAreNotLoadedOverIt) {
    testing::WriteResults(world.resultsFolder, results::kLastResultsName,
                          {"old1.txt", "old2.txt", "old3.txt"});
    TVFinder& window = *world.window;
    NewSearch({.subfolders = false}); // before the window was ever shown
    ASSERT_TRUE(WaitForEnd());
    EXPECT_EQ((std::vector<std::string>{"one.txt", "two.txt"}), Names());
    window.ExitBtnClick();
    window.ShowLastClick();
    EXPECT_EQ(2u, world.life->List().size()) << "the hits, not the last results";
}

} // namespace
} // namespace mvf::shell
