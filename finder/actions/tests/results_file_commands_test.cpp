// Save and Load through scripted file dialogs, on real files: the dialogs' requests, the
// two refusals, the "Loading" window and the progress window, the hourglass gone on every
// way out, the list held while the file is written or read, and the last results.
#include "finder/actions/results_file_commands.h"

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QWidget>

#include "actions_world.h"
#include "finder/actions/scripted_file_dialogs.h"
#include "finder/results/results_file.h"

namespace mvf::actions {
namespace {

using platform::BoxIcon;

// The progress window's calls, as the search dialog's VFProgress would get them.
class RecordedProgress : public LoadProgressWindow {
public:
    void Open(const QString& caption, int maximum) override {
        calls.push_back("open " + caption + " " + QString::number(maximum));
    }
    void Step(const QString& caption, int) override { steps.push_back(caption); }
    void Close() override { calls.push_back(QStringLiteral("close")); }
    QStringList calls;
    QStringList steps;
};

// Counts the showings of the "Loading" window and what its first line said then.
class ShowWatcher : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            const QList<QLabel*> lines = static_cast<QWidget*>(watched)->findChildren<QLabel*>();
            firstLines.push_back(lines.isEmpty() ? QString() : lines.front()->text());
        }
        return false;
    }
    QStringList firstLines;
};

class ResultsFileCommandsTest : public testing::ActionsWorld {
protected:
    void SetUp() override {
        ActionsWorld::SetUp();
        if (IsSkipped()) return;
        folder_ = tmp_.Folder("program/searchresults");
        commands_ = std::make_unique<ResultsFileCommands>(list_, notifier_, dialogs_, progress_,
                                                          folder_, nullptr);
    }
    void Rows(int count, const std::string& folder = "/data/files") {
        for (int i = 0; i < count; ++i)
            AddRows(list_, {folder + "/file" + std::to_string(1000 + i) + ".txt"});
    }
    // Runs `command` and, if it started a save or load, waits for its end; whether it did.
    bool RunToEnd(const std::function<void()>& command) {
        QSignalSpy busy(commands_.get(), &ResultsFileCommands::busyChanged);
        QSignalSpy finished(commands_.get(), &ResultsFileCommands::finished);
        command();
        if (busy.isEmpty()) return false;
        EXPECT_TRUE(busy[0][0].toBool());
        EXPECT_EQ(Qt::WaitCursor, QGuiApplication::overrideCursor()
                                      ? QGuiApplication::overrideCursor()->shape()
                                      : Qt::ArrowCursor)
            << "the hourglass while the file is written or read";
        EXPECT_TRUE(commands_->Busy());
        EXPECT_TRUE(!finished.isEmpty() || finished.wait(30000));
        EXPECT_FALSE(commands_->Busy());
        EXPECT_EQ(2, busy.size());
        EXPECT_EQ(nullptr, QGuiApplication::overrideCursor()) << "the hourglass is gone";
        return true;
    }
    QWidget* LoadingWindow() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->objectName() == "TVFMsg") return widget;
        return nullptr;
    }

    std::string folder_;
    results::ResultsList list_;
    ScriptedFileDialogs dialogs_;
    RecordedProgress progress_;
    std::unique_ptr<ResultsFileCommands> commands_;
};

TEST_F(ResultsFileCommandsTest, SaveAsWritesTheChosenFileAfterItsChecks) {
    Rows(3);
    list_.SetSearchSummary("Filemask:  *.txt");
    const std::string chosen = tmp_.Path("mine/My List.ser");
    std::filesystem::create_directories(tmp_.Path("mine"));
    dialogs_.Answer(chosen);
    ASSERT_TRUE(RunToEnd([&] { commands_->SaveListBtnClick(); }));

    ASSERT_EQ(1u, dialogs_.Requests().size());
    const FileDialogRequest request = dialogs_.Requests()[0];
    EXPECT_EQ("Save Search Results List As", request.title);
    EXPECT_EQ("Search Results Files(*.ser)", request.filter);
    EXPECT_EQ("ser", request.defaultSuffix);
    EXPECT_EQ(folder_, request.folder);
    EXPECT_TRUE(request.save);
    const std::string written = testing::ReadAll(chosen);
    EXPECT_EQ(0u, written.find("3  files were found that matched your search criteria!\r\n"));
    EXPECT_NE(std::string::npos, written.find("Filemask:  *.txt"));
    EXPECT_TRUE(notifier_.Boxes().empty()) << notifier_.Describe();
    EXPECT_EQ(3u, list_.size());
}

TEST_F(ResultsFileCommandsTest, SaveAsRefusesAnotherExtensionAndTheLastResultsFile) {
    Rows(2);
    dialogs_.Answer(tmp_.Path("list.txt"));
    dialogs_.Answer(folder_ + "/last search results.ser");
    dialogs_.Answer(std::nullopt); // cancelled
    EXPECT_FALSE(RunToEnd([&] { commands_->SaveListBtnClick(); }));
    EXPECT_FALSE(RunToEnd([&] { commands_->SaveListBtnClick(); }));
    EXPECT_FALSE(RunToEnd([&] { commands_->SaveListBtnClick(); }));
    ASSERT_EQ(2u, notifier_.Boxes().size());
    EXPECT_EQ("You must use a file name extension of SER!", notifier_.Boxes()[0].box.text);
    EXPECT_EQ("You cannot overwrite the last search results.ser file!",
              notifier_.Boxes()[1].box.text);
    for (const auto& shown : notifier_.Boxes()) {
        EXPECT_EQ("Results File Save Error!", shown.box.caption);
        EXPECT_EQ(BoxIcon::Information, shown.box.icon);
    }
    EXPECT_FALSE(std::filesystem::exists(tmp_.Path("list.txt")));
    EXPECT_FALSE(std::filesystem::exists(folder_ + "/last search results.ser"));
}

TEST_F(ResultsFileCommandsTest, ALongSaveShowsTheLoadingWindowAShortOneDoesNot) {
    ShowWatcher watcher;
    // The window exists from the start, hidden.
    QWidget* loading = LoadingWindow();
    ASSERT_NE(nullptr, loading);
    loading->installEventFilter(&watcher);
    Rows(150);
    ASSERT_TRUE(RunToEnd([&] { commands_->SaveLastResults(); }));
    EXPECT_TRUE(watcher.firstLines.isEmpty()) << "150 entries are quick";
    Rows(1, "/data/more");
    ASSERT_TRUE(RunToEnd([&] { commands_->SaveLastResults(); }));
    EXPECT_EQ(QStringList{"Saving last search results file"}, watcher.firstLines);
    EXPECT_EQ("Loading", loading->windowTitle());
    EXPECT_FALSE(loading->isVisible()) << "closed at the end";
    EXPECT_EQ(0u, testing::ReadAll(folder_ + "/last search results.ser").find("151  files"));
}

TEST_F(ResultsFileCommandsTest, LoadReplacesTheListAndStopsTheLastResultsSaveForTheRun) {
    results::ResultsList saved;
    AddRows(saved, {"/x/b.txt", "/x/a.txt"});
    saved.SetSearchSummary("Filemask:  *.txt    Expression:  <none>");
    ASSERT_EQ(results::FileStatus::Done,
              results::SaveResults(saved, tmp_.Path("chosen.ser"), folder_).status);
    Rows(5);
    QSignalSpy loaded(commands_.get(), &ResultsFileCommands::listLoaded);
    dialogs_.Answer(tmp_.Path("chosen.ser"));
    ASSERT_TRUE(RunToEnd([&] { commands_->OpenListBtnClick(); }));

    ASSERT_EQ(1u, dialogs_.Requests().size());
    const FileDialogRequest request = dialogs_.Requests()[0];
    EXPECT_EQ("Search results files(*.ser)", request.filter);
    EXPECT_EQ("ser", request.defaultSuffix);
    EXPECT_EQ(folder_, request.folder);
    EXPECT_FALSE(request.save);
    EXPECT_EQ(1, loaded.size());
    ASSERT_EQ(2u, list_.size());
    EXPECT_EQ("a.txt", list_[0].name());
    EXPECT_EQ("Filemask:  *.txt    Expression:  <none>", list_.SearchSummary());
    EXPECT_TRUE(progress_.calls.isEmpty()) << "two entries need no progress window";

    EXPECT_TRUE(commands_->ListLoadedByUser());
    EXPECT_FALSE(commands_->SaveLastResults());
    EXPECT_FALSE(std::filesystem::exists(folder_ + "/last search results.ser"));
}

TEST_F(ResultsFileCommandsTest, AFileThatIsNoResultsFileLeavesTheListAsItWas) {
    Rows(2);
    tmp_.File("notes.ser", "just\nsome\ntext\nwithout\nthe header\nat all\n");
    dialogs_.Answer(tmp_.Path("notes.ser"));
    ASSERT_TRUE(RunToEnd([&] { commands_->OpenListBtnClick(); }));
    ASSERT_EQ(1u, notifier_.Boxes().size());
    EXPECT_EQ("notes.ser is not a valid search results file!", notifier_.Boxes()[0].box.text);
    EXPECT_EQ("File Load Error!", notifier_.Boxes()[0].box.caption);
    EXPECT_EQ(2u, list_.size());
    EXPECT_FALSE(commands_->ListLoadedByUser()) << "the last results are still saved at exit";
    EXPECT_TRUE(commands_->SaveLastResults());
    commands_->WaitUntilIdle();
    EXPECT_FALSE(commands_->Busy());
    EXPECT_TRUE(std::filesystem::exists(folder_ + "/last search results.ser"));
}

TEST_F(ResultsFileCommandsTest, TheLastResultsLoadSilentlyWhenMissingAndWithProgressWhenLong) {
    EXPECT_TRUE(RunToEnd([&] { commands_->LoadLastResults(); }));
    EXPECT_TRUE(notifier_.Boxes().empty()) << "a missing file is no fault";
    EXPECT_TRUE(list_.empty());

    results::ResultsList big;
    for (int i = 0; i < 301; ++i) AddRows(big, {"/big/f" + std::to_string(i)});
    ASSERT_EQ(results::FileStatus::Done,
              results::SaveResults(big, std::string(results::kLastResultsName), folder_).status);
    QSignalSpy loaded(commands_.get(), &ResultsFileCommands::listLoaded);
    ASSERT_TRUE(RunToEnd([&] { commands_->LoadLastResults(); }));
    EXPECT_EQ(301u, list_.size());
    EXPECT_EQ(1, loaded.size());
    EXPECT_EQ((QStringList{"open Loading last search results file 301", "close"}), progress_.calls);
    for (const QString& step : progress_.steps)
        EXPECT_TRUE(step.startsWith("Loading last search results file... Lines: ")) << step;
    EXPECT_FALSE(commands_->ListLoadedByUser());
}

TEST_F(ResultsFileCommandsTest, AFileThatCannotBeWrittenIsToldAndNothingIsLeftHalfDone) {
    Rows(2);
    dialogs_.Answer(tmp_.Path("no such folder/list.ser"));
    ASSERT_TRUE(RunToEnd([&] { commands_->SaveListBtnClick(); }));
    ASSERT_EQ(1u, notifier_.Boxes().size());
    EXPECT_EQ("Vantor Finder Error", notifier_.Boxes()[0].box.caption);
    EXPECT_TRUE(notifier_.Boxes()[0].box.text.startsWith("Unable to open "))
        << notifier_.Boxes()[0].box.text;
    EXPECT_EQ(BoxIcon::Warning, notifier_.Boxes()[0].box.icon);
}

TEST_F(ResultsFileCommandsTest, NothingStartsWhileBusyOrForAnEmptyList) {
    EXPECT_FALSE(commands_->SaveLastResults()) << "an empty list writes nothing";
    Rows(2);
    EXPECT_TRUE(commands_->SaveLastResults());
    EXPECT_TRUE(commands_->Busy());
    EXPECT_FALSE(commands_->SaveLastResults());
    EXPECT_FALSE(commands_->LoadLastResults());
    dialogs_.Answer(tmp_.Path("x.ser"));
    commands_->SaveListBtnClick();
    EXPECT_TRUE(dialogs_.Requests().empty()) << "no dialog while busy";
    commands_->WaitUntilIdle();
    EXPECT_FALSE(commands_->Busy());
    EXPECT_EQ(nullptr, QGuiApplication::overrideCursor());
}

} // namespace
} // namespace mvf::actions
