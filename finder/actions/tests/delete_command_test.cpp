// Every deletion mode on real files in a scratch folder, with the trash in a scratch
// XDG_DATA_HOME: the questions answered yes and no, files gone or kept, their entries
// with them, and files the system refuses to remove kept and told.
#include "finder/actions/delete_command.h"

#include <QSignalSpy>
#include <filesystem>
#include <unistd.h>

#include "actions_world.h"
#include "finder/actions/scripted_delete_prompts.h"

namespace mvf::actions {
namespace {

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

bool Exists(const std::string& path) {
    struct stat facts {};
    return ::lstat(path.c_str(), &facts) == 0;
}

class DeleteCommandTest : public testing::ActionsWorld {
protected:
    void SetUp() override {
        ActionsWorld::SetUp();
        if (IsSkipped()) return;
        list_.SetAutoSort(false); // the rows in the order made
        paths_ = {File("files/alpha.txt", "a"), File("files/beta \xff.txt", "b"),
                  File("files/gamma.txt", "c"), File("files/keep.txt", "d")};
        AddRows(list_, paths_);
    }

    // Deletes the first three entries and waits for the end, if the deletion began.
    void Delete(std::vector<std::string> paths = {}) {
        if (paths.empty()) paths.assign(paths_.begin(), paths_.begin() + 3);
        QSignalSpy started(&command_, &DeleteCommand::started);
        QSignalSpy finished(&command_, &DeleteCommand::finished);
        command_.DeleteBtnClick(std::move(paths));
        if (started.isEmpty()) return;
        ASSERT_TRUE(!finished.isEmpty() || finished.wait(20000));
        EXPECT_FALSE(command_.Running());
    }
    std::string Rows() const {
        std::string rows;
        for (const results::ResultEntry& row : list_.entries())
            rows += (rows.empty() ? "" : " ") + std::string(row.name());
        return rows;
    }
    std::string TrashFile(const std::string& name) const {
        return tmp_.Path("data/Trash/files/" + name);
    }
    std::string TrashInfo(const std::string& name) const {
        return tmp_.Path("data/Trash/info/" + name + ".trashinfo");
    }
    platform::MessageBox Box(std::size_t i) const { return notifier_.Boxes().at(i).box; }

    results::ResultsList list_;
    std::vector<std::string> paths_;
    ScriptedDeletePrompts prompts_;
    DeleteCommand command_{list_, notifier_, prompts_, /*noRecycleBin=*/false, nullptr};
};

TEST_F(DeleteCommandTest, CancelInTheFirstDialogDeletesNothing) {
    prompts_.AnswerMode(std::nullopt);
    Delete();
    ASSERT_EQ(1u, prompts_.ModeQuestions().size());
    EXPECT_EQ(3u, prompts_.ModeQuestions()[0].count);
    EXPECT_FALSE(prompts_.ModeQuestions()[0].noRecycleBin);
    for (const std::string& path : paths_) EXPECT_TRUE(Exists(path)) << path;
    EXPECT_EQ("alpha.txt beta \xff.txt gamma.txt keep.txt", Rows());
    EXPECT_TRUE(notifier_.Boxes().empty());
}

TEST_F(DeleteCommandTest, DeleteAllAsksOnceAndCancelThereDeletesNothing) {
    prompts_.AnswerMode(DeleteMode::DeleteAll);
    notifier_.Expect(BoxAnswer::Cancel);
    Delete();
    ASSERT_EQ(1u, notifier_.Boxes().size());
    EXPECT_EQ("Warning", Box(0).caption);
    EXPECT_EQ("Are you sure you want to delete all 3 files from disk?", Box(0).text);
    EXPECT_EQ(BoxIcon::Warning, Box(0).icon);
    EXPECT_EQ(BoxButtons::OkCancel, Box(0).buttons);
    for (const std::string& path : paths_) EXPECT_TRUE(Exists(path)) << path;
    EXPECT_EQ(4u, list_.size());
}

TEST_F(DeleteCommandTest, DeleteAllAnsweredOkDeletesEveryFileFromDiskWithItsEntry) {
    prompts_.AnswerMode(DeleteMode::DeleteAll);
    notifier_.Expect(BoxAnswer::Ok);
    Delete();
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(Exists(paths_[std::size_t(i)])) << i;
    EXPECT_TRUE(Exists(paths_[3]));
    EXPECT_EQ("keep.txt", Rows());
    EXPECT_FALSE(std::filesystem::exists(tmp_.Path("data/Trash/files/alpha.txt")))
        << "deleted from disk, not trashed";
    EXPECT_TRUE(notifier_.AllAsExpected()) << notifier_.Describe();
    EXPECT_EQ(nullptr, QGuiApplication::overrideCursor()) << "the hourglass is gone";
}

TEST_F(DeleteCommandTest, RecycleAllSendsEveryFileToTheTrashWithoutAQuestion) {
    prompts_.AnswerMode(DeleteMode::RecycleAll);
    Delete();
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(Exists(paths_[std::size_t(i)])) << i;
    for (const char* name : {"alpha.txt", "beta \xff.txt", "gamma.txt"}) {
        EXPECT_TRUE(Exists(TrashFile(name))) << name;
        const std::string info = testing::ReadAll(TrashInfo(name));
        EXPECT_NE(std::string::npos, info.find("[Trash Info]\nPath=")) << name;
    }
    EXPECT_EQ("keep.txt", Rows());
    EXPECT_TRUE(notifier_.Boxes().empty()) << notifier_.Describe();
}

TEST_F(DeleteCommandTest, ConfirmEachAsksForEveryFileAndSkipsThoseCancelled) {
    prompts_.AnswerMode(DeleteMode::ConfirmEach);
    notifier_.Expect(BoxAnswer::Ok);
    notifier_.Expect(BoxAnswer::Cancel);
    notifier_.Expect(BoxAnswer::Ok);
    Delete();
    ASSERT_EQ(3u, notifier_.Boxes().size());
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ("Are you sure you want to delete " + QString::fromUtf8(paths_[i].c_str()) +
                      " from disk?",
                  Box(i).text);
        EXPECT_EQ("Warning", Box(i).caption);
        EXPECT_EQ(BoxButtons::OkCancel, Box(i).buttons);
    }
    EXPECT_FALSE(Exists(paths_[0]));
    EXPECT_TRUE(Exists(paths_[1])) << "cancelled";
    EXPECT_FALSE(Exists(paths_[2]));
    EXPECT_EQ("beta \xff.txt keep.txt", Rows());
}

TEST_F(DeleteCommandTest, AskEachTrashesDeletesOrSkipsEachFileAsChosen) {
    prompts_.AnswerMode(DeleteMode::AskEach);
    prompts_.AnswerDisposal(FileDisposal::Trash);
    prompts_.AnswerDisposal(std::nullopt);
    prompts_.AnswerDisposal(FileDisposal::DeleteFromDisk);
    Delete();
    EXPECT_EQ(std::vector<std::string>(paths_.begin(), paths_.begin() + 3),
              prompts_.DisposalQuestions());
    EXPECT_TRUE(Exists(TrashFile("alpha.txt")));
    EXPECT_TRUE(Exists(TrashInfo("alpha.txt")));
    EXPECT_TRUE(Exists(paths_[1])) << "skipped";
    EXPECT_FALSE(Exists(paths_[2]));
    EXPECT_FALSE(Exists(TrashFile("gamma.txt"))) << "deleted, not trashed";
    EXPECT_EQ("beta \xff.txt keep.txt", Rows());
    EXPECT_TRUE(prompts_.AllAsExpected());
    EXPECT_TRUE(notifier_.Boxes().empty()) << notifier_.Describe();
}

TEST_F(DeleteCommandTest, WithoutATrashTheDialogIsToldSo) {
    DeleteCommand noTrash(list_, notifier_, prompts_, /*noRecycleBin=*/true, nullptr);
    prompts_.AnswerMode(std::nullopt);
    noTrash.DeleteBtnClick({paths_[0]});
    ASSERT_EQ(1u, prompts_.ModeQuestions().size());
    EXPECT_TRUE(prompts_.ModeQuestions()[0].noRecycleBin);
    EXPECT_EQ(1u, prompts_.ModeQuestions()[0].count);
}

TEST_F(DeleteCommandTest, FilesThatCannotBeRemovedKeepTheirEntriesAndAreTold) {
    // The kernel's own files refuse every user, root included.
    const std::string refused = "/proc/" + std::to_string(::getpid()) + "/status";
    ASSERT_TRUE(Exists(refused));
    const std::string missing = tmp_.Path("files/already gone.txt");
    AddRows(list_, {refused, missing});
    // A folder this user may not write into refuses its files to users other than root.
    std::string locked;
    if (::geteuid() != 0) {
        locked = File("locked/inside.txt");
        ::chmod(tmp_.Path("locked").c_str(), 0555);
        AddRows(list_, {locked});
    }

    prompts_.AnswerMode(DeleteMode::RecycleAll);
    std::vector<std::string> chosen = {paths_[0], refused, missing};
    if (!locked.empty()) chosen.push_back(locked);
    Delete(chosen);
    if (!locked.empty()) ::chmod(tmp_.Path("locked").c_str(), 0755);

    EXPECT_FALSE(Exists(paths_[0]));
    EXPECT_TRUE(Exists(refused));
    std::string rows = "beta \xff.txt gamma.txt keep.txt status already gone.txt";
    if (!locked.empty()) rows += " inside.txt";
    EXPECT_EQ(rows, Rows()) << "only the file that went lost its entry";

    ASSERT_EQ(1u, notifier_.Boxes().size());
    const platform::MessageBox box = Box(0);
    EXPECT_EQ("Vantor Finder Error", box.caption);
    EXPECT_EQ(BoxIcon::Warning, box.icon);
    EXPECT_TRUE(
        box.text.startsWith("These files could not be removed and stay in the results list:"))
        << box.text;
    EXPECT_TRUE(box.text.contains(QString::fromStdString(refused) + ": ")) << box.text;
    EXPECT_TRUE(box.text.contains(QString::fromStdString(missing) + ": No such file or directory"))
        << box.text;
    if (!locked.empty()) {
        EXPECT_TRUE(box.text.contains(QString::fromStdString(locked) + ": Permission denied"))
            << box.text;
    }
    EXPECT_FALSE(box.text.contains("alpha.txt")) << box.text;
}

TEST_F(DeleteCommandTest, ManyFilesGoWithTheirEntries) {
    std::vector<std::string> many;
    for (int i = 0; i < 300; ++i) many.push_back(File("many/file" + std::to_string(i), "x"));
    AddRows(list_, many);
    prompts_.AnswerMode(DeleteMode::DeleteAll);
    notifier_.Expect(BoxAnswer::Ok);
    Delete(many);
    EXPECT_EQ(4u, list_.size());
    EXPECT_TRUE(std::filesystem::is_empty(tmp_.Path("many")));
}

} // namespace
} // namespace mvf::actions
