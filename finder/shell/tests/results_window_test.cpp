// The results window with its file actions: found files opened from the toolbar, by Enter
// and by a double-click, deleted from the toolbar and by the Delete key, the list saved
// and loaded through the file dialogs, and a long load shown in the search dialog's
// progress window.
#include <filesystem>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProgressBar>

#include <gtest/gtest.h>

#include "finder/dialog/vf_progress.h"
#include "finder/results/results_file.h"
#include "finder/view/results_view.h"
#include "finder/view/vf_list.h"
#include "finder_toolbar.h"
#include "shell_test_support.h"
#include "status_bars.h"
#include "testsupport/qt_print.h"
#include "testsupport/scoped_environment.h"

namespace mvf::shell {
namespace {

using actions::DeleteMode;
using platform::BoxAnswer;
using testing::WaitFor;
using testing::WindowWorld;

class ResultsWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Files go to a trash of the scratch folder's own.
        environment_.Set("XDG_DATA_HOME", world.folder.Folder("data"));
        for (const char* name : {"alpha.txt", "beta.txt", "gamma.txt"})
            world.folder.File(std::string("found/") + name, std::string(name) + "\n");
        results::ResultsList list;
        for (const char* name : {"alpha.txt", "beta.txt", "gamma.txt"})
            list.AddItem(world.folder.Path("found/") + name, "07/04/1999 03:15:42 PM",
                         "07/04/1999 03:15:42 PM", 10, {.IsUnix = true});
        list.SetSearchSummary("Filemask:  *.txt    Expression:  <none>   Boolean: <none>");
        ASSERT_EQ(
            results::FileStatus::Done,
            results::SaveResults(list, results::kLastResultsName, world.resultsFolder).status);
    }

    void Open(bool useViewer = true) {
        world.Preset([&](platform::SettingsStore& s) {
            s.Write(platform::BoolSetting{"UseViewer", false}, useViewer);
        });
        world.FakeViewer();
        world.Open();
        world.Show();
        ASSERT_EQ(3u, world.life->List().size());
    }

    void Select(std::initializer_list<int> rows) {
        view::VFList& list = *world.window->VFList();
        list.clearSelection();
        for (const int row : rows)
            list.selectionModel()->select(list.model()->index(row, 0),
                                          QItemSelectionModel::Select | QItemSelectionModel::Rows);
    }

    void Key(int key) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(world.window->VFList(), &press);
    }

    std::string Found(const char* name) const { return world.folder.Path("found/") + name; }

    WindowWorld world;

private:
    mvf::testing::ScopedEnvironment environment_;
};

TEST_F(ResultsWindowTest, OpenEnterAndADoubleClickOpenTheSelectedFilesInTheViewer) {
    Open();
    Select({0, 2});
    world.window->Toolbar()->Action(ToolbarCommand::OpenBtn)->trigger();
    ASSERT_TRUE(WaitFor([&] { return world.ViewerStarts().size() == 2; }));
    std::vector<std::string> opened = world.ViewerStarts();
    std::sort(opened.begin(), opened.end());
    EXPECT_EQ((std::vector<std::string>{Found("alpha.txt"), Found("gamma.txt")}), opened);

    Select({1});
    Key(Qt::Key_Return);
    ASSERT_TRUE(WaitFor([&] { return world.ViewerStarts().size() == 3; }));
    EXPECT_EQ(Found("beta.txt"), world.ViewerStarts().back());

    // A double-click: its first press selects the row.
    view::VFList& list = *world.window->VFList();
    const QPoint row = list.visualRect(list.model()->index(2, 0)).center();
    const QPoint screen = list.viewport()->mapToGlobal(row);
    for (const auto& [type, buttons] : {std::pair{QEvent::MouseButtonPress, Qt::LeftButton},
                                        std::pair{QEvent::MouseButtonRelease, Qt::NoButton},
                                        std::pair{QEvent::MouseButtonDblClick, Qt::LeftButton},
                                        std::pair{QEvent::MouseButtonRelease, Qt::NoButton}}) {
        QMouseEvent event(type, row, screen, Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(list.viewport(), &event);
    }
    ASSERT_TRUE(WaitFor([&] { return world.ViewerStarts().size() == 4; }));
    EXPECT_EQ(Found("gamma.txt"), world.ViewerStarts().back());
    EXPECT_TRUE(world.notifier.Boxes().empty()) << world.notifier.Describe();
}

TEST_F(ResultsWindowTest, DeleteAndTheDeleteKeyAskHowAndTrashTheFilesTheirRowsGoing) {
    Open();
    TVFinder& window = *world.window;
    QAction* remove = window.Toolbar()->Action(ToolbarCommand::DeleteBtn);
    Select({});
    window.UpdateTB();
    EXPECT_FALSE(remove->isEnabled());
    Key(Qt::Key_Delete);
    EXPECT_TRUE(world.deletePrompts.ModeQuestions().empty()) << "nothing selected, nothing asked";

    Select({0, 2});
    world.deletePrompts.AnswerMode(DeleteMode::RecycleAll);
    remove->trigger();
    ASSERT_TRUE(WaitFor([&] { return world.life->List().size() == 1; }));
    ASSERT_EQ(1u, world.deletePrompts.ModeQuestions().size());
    EXPECT_EQ(2u, world.deletePrompts.ModeQuestions()[0].count);
    const std::string trash = world.folder.Path("data/Trash/");
    EXPECT_TRUE(std::filesystem::exists(trash + "files/alpha.txt"));
    EXPECT_TRUE(std::filesystem::exists(trash + "info/gamma.txt.trashinfo"));
    EXPECT_FALSE(std::filesystem::exists(Found("alpha.txt")));
    EXPECT_EQ("beta.txt", std::string(world.life->List()[0].name()));
    ASSERT_TRUE(WaitFor([&] { return !window.Actions().Busy(); }));
    EXPECT_EQ("Files With Hits: 1", window.VFinderstatus()->PanelText(1));

    // The Delete key asks too; Cancel keeps everything.
    Select({0});
    world.deletePrompts.AnswerMode(std::nullopt);
    Key(Qt::Key_Delete);
    EXPECT_EQ(2u, world.deletePrompts.ModeQuestions().size());
    EXPECT_EQ(1u, world.life->List().size());
    EXPECT_TRUE(std::filesystem::exists(Found("beta.txt")));
    EXPECT_TRUE(world.deletePrompts.AllAsExpected());
}

TEST_F(ResultsWindowTest, SaveClearAndLoadBringTheSameRowsBackAndALoadedListIsNotTheLastResults) {
    Open();
    TVFinder& window = *world.window;
    const std::string saved = world.folder.Path("kept.ser");
    world.fileDialogs.Answer(saved);
    window.Toolbar()->Action(ToolbarCommand::SaveListBtn)->trigger();
    ASSERT_TRUE(WaitFor([&] { return !window.Actions().Busy(); }));
    ASSERT_EQ(1u, world.fileDialogs.Requests().size());
    EXPECT_EQ("Save Search Results List As", world.fileDialogs.Requests()[0].title);
    EXPECT_EQ(world.resultsFolder, world.fileDialogs.Requests()[0].folder);
    ASSERT_TRUE(std::filesystem::exists(saved));

    world.notifier.Expect(BoxAnswer::Yes);
    window.Toolbar()->Action(ToolbarCommand::ClearBtn)->trigger();
    EXPECT_TRUE(world.life->List().empty());
    EXPECT_EQ("", window.Progress()->Text());
    EXPECT_FALSE(window.Toolbar()->Action(ToolbarCommand::SaveListBtn)->isEnabled());

    world.fileDialogs.Answer(saved);
    window.Toolbar()->Action(ToolbarCommand::OpenListBtn)->trigger();
    ASSERT_TRUE(
        WaitFor([&] { return !window.Actions().Busy() && world.life->List().size() == 3; }));
    std::vector<std::string> names;
    for (const results::ResultEntry& row : world.life->List().entries())
        names.emplace_back(row.name());
    EXPECT_EQ((std::vector<std::string>{"alpha.txt", "beta.txt", "gamma.txt"}), names);
    EXPECT_TRUE(window.Progress()->Text().startsWith("Filemask:  *.txt"));
    EXPECT_EQ("alpha.txt", window.VFinderstatus()->PanelText(0)) << "its first row selected";
    EXPECT_EQ("Files With Hits: 3", window.VFinderstatus()->PanelText(1));

    // Cleared again: the exit does not write the loaded list over the last results.
    world.notifier.Expect(BoxAnswer::Yes);
    window.Toolbar()->Action(ToolbarCommand::ClearBtn)->trigger();
    world.life->List().AddItem(Found("other.txt"), "(unknown)", "(unknown)", 1, {});
    EXPECT_TRUE(world.Close());
    results::ResultsList last;
    results::LoadList(last, results::kLastResultsName, world.resultsFolder);
    EXPECT_EQ(3u, last.size());
}

TEST_F(ResultsWindowTest, ALongLoadShowsTheSearchDialogsProgressWindow) {
    results::ResultsList many;
    for (int i = 0; i < 400; ++i)
        many.AddItem("/data/file" + std::to_string(1000 + i) + ".txt", "(unknown)", "(unknown)", i,
                     {});
    ASSERT_EQ(results::FileStatus::Done,
              results::SaveResults(many, results::kLastResultsName, world.resultsFolder).status);
    world.Open();

    // What the progress window showed while it was up.
    struct Watch : QObject {
        bool eventFilter(QObject* watched, QEvent* event) override {
            auto* window = static_cast<QWidget*>(watched);
            if (event->type() == QEvent::Show) titles << window->windowTitle();
            if (event->type() == QEvent::WindowTitleChange && window->isVisible())
                titles << window->windowTitle();
            return false;
        }
        QStringList titles;
    } watch;
    dialog::VFProgress& progress = world.dialog->Progress();
    progress.installEventFilter(&watch);
    world.Show();
    EXPECT_EQ(400u, world.life->List().size());
    ASSERT_FALSE(watch.titles.isEmpty()) << "the progress window was not shown";
    EXPECT_EQ("Loading last search results file", watch.titles.front());
    EXPECT_EQ(400, progress.Bar()->maximum());
    EXPECT_FALSE(progress.isVisible()) << "closed at the end";
    EXPECT_TRUE(world.dialog->isEnabled()) << "its owner takes input again";
    progress.removeEventFilter(&watch);
}

} // namespace
} // namespace mvf::shell
