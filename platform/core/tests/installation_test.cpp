// Where the programs find their read-only files and where the finder keeps its working
// files: in the program folder of a build or a portable copy, in the user's data folder
// for an installation or a folder the user may not write in.
#include "platform/core/installation.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>

#include <gtest/gtest.h>

#include "testsupport/background_program.h"
#include "testsupport/scoped_environment.h"
#include "testsupport/temp_folder.h"
#include "unprivileged.h"

namespace mvf::platform {
namespace {

namespace fs = std::filesystem;
using testing::BackgroundProgram;
using testing::ScopedEnvironment;
using testing::TempFolder;

// The folder an installation under this build's prefix keeps the read-only files in.
const std::string kConfigured = MVF_TEST_INSTALLED_DATA_FOLDER;

TEST(DataFoldersTest, TheProgramFolderFirstThenTheInstallationAroundItThenTheConfiguredOne) {
    EXPECT_EQ((std::vector<std::string>{"/opt/mvf/bin", "/opt/mvf/share/mvfinder", kConfigured}),
              DataFoldersOf("/opt/mvf/bin"));
    EXPECT_EQ((std::vector<std::string>{"/a b/bin/", "/a b/share/mvfinder", kConfigured}),
              DataFoldersOf("/a b/bin/"));
    // Installed where the build was configured to go: that folder once.
    EXPECT_EQ((std::vector<std::string>{MVF_TEST_INSTALLED_BIN_FOLDER, kConfigured}),
              DataFoldersOf(MVF_TEST_INSTALLED_BIN_FOLDER));
    // The kernel could not tell the program folder: the configured one is left.
    EXPECT_EQ(std::vector<std::string>{kConfigured}, DataFoldersOf(""));
}

// The kind as the unprivileged user sees it (root may write anywhere).
ProgramFolderKind KindForUnprivilegedUser(const std::string& folder) {
    if (::geteuid() != 0) return KindOfProgramFolder(folder);
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(100);
        ::_exit(static_cast<int>(KindOfProgramFolder(folder)));
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) < 3) << status;
    return static_cast<ProgramFolderKind>(WEXITSTATUS(status));
}

TEST(ProgramFolderKindTest, PortableReadOnlyOrInstalled) {
    TempFolder tmp;
    ::chmod(tmp.Root().c_str(), 0755);
    const std::string portable = tmp.Folder("portable");
    GiveToUnprivilegedUser(portable);
    EXPECT_EQ(ProgramFolderKind::Portable, KindForUnprivilegedUser(portable));

    const std::string readOnly = tmp.Folder("read-only");
    ::chmod(readOnly.c_str(), 0555);
    EXPECT_EQ(ProgramFolderKind::ReadOnly, KindForUnprivilegedUser(readOnly));

    // A writable bin folder with the data folder beside it is an installation all the same
    // (`make install PREFIX=~/.local`, root running /usr/bin/MVFinder).
    const std::string bin = tmp.Folder("prefix/bin");
    tmp.Folder("prefix/share/mvfinder");
    EXPECT_EQ(ProgramFolderKind::Installed, KindOfProgramFolder(bin));
    EXPECT_EQ(ProgramFolderKind::ReadOnly, KindOfProgramFolder(tmp.Path("missing")));
}

TEST(FinderWorkFilesTest, InThePortableFolderElseInTheUsersDataFolder) {
    const FinderWorkFiles portable{.folder = "/opt/mvf",
                                   .runLock = "/opt/mvf/finderrun.dat",
                                   .resultsFolder = "/opt/mvf/searchresults"};
    EXPECT_EQ(portable, FinderWorkFilesFor("/opt/mvf", ProgramFolderKind::Portable, "/home/u/.d"));
    const FinderWorkFiles perUser{.folder = "/home/u/.d/mvfinder",
                                  .runLock = "/home/u/.d/mvfinder/finderrun.dat",
                                  .resultsFolder = "/home/u/.d/mvfinder/searchresults"};
    EXPECT_EQ(perUser, FinderWorkFilesFor("/usr/bin", ProgramFolderKind::Installed, "/home/u/.d"));
    EXPECT_EQ(perUser, FinderWorkFilesFor("/opt/ro", ProgramFolderKind::ReadOnly, "/home/u/.d"));
    EXPECT_EQ("/finderrun.dat", FinderWorkFilesFor("/", ProgramFolderKind::Portable, "/x").runLock);
}

// The peer program copied into an installation's layout, started as the finder would be.
class InstalledProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = tmp.Folder("prefix/bin") + "/peer";
        fs::copy_file(CORE_PEER_PATH, program);
        fs::permissions(program, fs::perms::owner_exec, fs::perm_options::add);
        data = tmp.Folder("prefix/share/mvfinder");
        environment.Set("XDG_DATA_HOME", tmp.Path("home/.local/share"));
    }

    TempFolder tmp;
    ScopedEnvironment environment;
    std::string program;
    std::string data;
};

TEST_F(InstalledProgramTest, FindsItsDataFolderAndLocksInTheUsersFolderWithoutWritingBesideItself) {
    const std::string bin = fs::canonical(tmp.Path("prefix/bin")).string();
    const std::string home = tmp.Path("home/.local/share");
    BackgroundProgram folders(program, {"data-folders"});
    EXPECT_EQ(bin, folders.ReadLine());
    EXPECT_EQ(fs::canonical(data).string(), folders.ReadLine());
    EXPECT_EQ(0, folders.Wait());

    // The user's folder is made for the lock; a second start by the same user is refused.
    BackgroundProgram first(program, {"finder-lock"});
    EXPECT_EQ(home + "/mvfinder/finderrun.dat", first.ReadLine());
    EXPECT_EQ("held", first.ReadLine());
    BackgroundProgram second(program, {"finder-lock"});
    second.ReadLine();
    EXPECT_EQ("locked", second.ReadLine());
    EXPECT_EQ(1, second.Wait());
    first.CloseInput();
    EXPECT_EQ(0, first.Wait());

    EXPECT_TRUE(fs::is_regular_file(home + "/mvfinder/finderrun.dat"));
    std::vector<std::string> besideTheProgram;
    for (const auto& entry : fs::directory_iterator(tmp.Path("prefix/bin")))
        besideTheProgram.push_back(entry.path().filename().string());
    EXPECT_EQ(std::vector<std::string>{"peer"}, besideTheProgram);
}

TEST_F(InstalledProgramTest, APortableCopyKeepsItsLockBesideItself) {
    fs::remove(data);
    BackgroundProgram peer(program, {"finder-lock"});
    EXPECT_EQ(fs::canonical(tmp.Path("prefix/bin")).string() + "/finderrun.dat", peer.ReadLine());
    EXPECT_EQ("held", peer.ReadLine());
    peer.CloseInput();
    EXPECT_EQ(0, peer.Wait());
    EXPECT_FALSE(fs::exists(tmp.Path("home/.local/share/mvfinder")));
}

} // namespace
} // namespace mvf::platform
