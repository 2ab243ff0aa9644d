// The program folder: the folder of the running executable, whatever it was started by.
#include "platform/core/program_folder.h"

#include <filesystem>
#include <unistd.h>

#include <gtest/gtest.h>

#include "testsupport/run_program.h"
#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

std::string RealPath(const std::string& path) {
    return std::filesystem::canonical(path).string();
}

TEST(FolderOfTest, StripsTheNameAndKeepsTheRoot) {
    EXPECT_EQ("/opt/mvf", FolderOf("/opt/mvf/MVFinder"));
    EXPECT_EQ("/opt/mvf", FolderOf("/opt/mvf/sub/"));
    EXPECT_EQ("/", FolderOf("/MVFinder"));
    EXPECT_EQ("/", FolderOf("//MVFinder"));
    EXPECT_EQ(".", FolderOf("MVFinder"));
    EXPECT_EQ("/a b/c\xff", FolderOf("/a b/c\xff/d"));
}

class ProgramFolderTest : public ::testing::Test {
protected:
    // A copy of the peer program in a folder with a blank and a non-UTF-8 byte in its
    // name, as an installation folder could be.
    std::string InstallPeer() {
        const std::string folder = tmp_.Folder("my programs \xe9");
        const std::string program = folder + "/peer";
        std::filesystem::copy_file(CORE_PEER_PATH, program);
        std::filesystem::permissions(program, std::filesystem::perms::owner_exec,
                                     std::filesystem::perm_options::add);
        return program;
    }
    testing::TempFolder tmp_;
};

TEST_F(ProgramFolderTest, IsTheFolderOfTheRunningProgram) {
    const std::string program = InstallPeer();
    const testing::ProgramRun run = testing::RunProgram(program, {"program-folder"}, "/");
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ(RealPath(tmp_.Root()) + "/my programs \xe9\n", run.out);
}

TEST_F(ProgramFolderTest, StartedThroughALinkIsTheFolderTheProgramLivesIn) {
    const std::string program = InstallPeer();
    const std::string link = tmp_.Link("elsewhere/peer-link", program);
    const testing::ProgramRun run = testing::RunProgram(link, {"program-folder"}, tmp_.Root());
    ASSERT_EQ(0, run.status) << run.err;
    EXPECT_EQ(RealPath(tmp_.Root()) + "/my programs \xe9\n", run.out);
}

} // namespace
} // namespace mvf::platform
