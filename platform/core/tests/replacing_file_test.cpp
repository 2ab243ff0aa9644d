// Replacing a file: the new text goes to a file no one sees until it is whole, and a
// process killed while writing leaves nothing behind that stays.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <set>
#include <string>

#include <gtest/gtest.h>

#include "platform/core/replacing_file.h"
#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

using mvf::testing::ReadAll;
using mvf::testing::TempFolder;

std::set<std::string> Names(const std::string& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

bool Save(const std::string& path, const std::string& text) {
    ReplacingFile file(path);
    return file.Open() && file.Write(text) && file.Commit();
}

// A process that was killed: its id is free (until the system gives it out again).
pid_t DeadProcess() {
    const pid_t pid = ::fork();
    if (pid == 0) ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

TEST(ReplacingFile, AProcessKilledWhileWritingLeavesNothingThatStays) {
    TempFolder dir;
    const std::string target = dir.Path("list.ser");
    ASSERT_TRUE(Save(target, "old"));
    const pid_t pid = ::fork();
    if (pid == 0) {
        ReplacingFile file(target);
        if (file.Open() && file.Write(std::string(100000, 'x'))) ::raise(SIGKILL);
        ::_exit(1);
    }
    int status = 0;
    ASSERT_EQ(pid, ::waitpid(pid, &status, 0));
    ASSERT_TRUE(WIFSIGNALED(status));
    EXPECT_EQ("old", ReadAll(target));
    // Whatever the file system allowed, the next save into the folder leaves only the file.
    ASSERT_TRUE(Save(target, "new"));
    EXPECT_EQ("new", ReadAll(target));
    EXPECT_EQ((std::set<std::string>{"list.ser"}), Names(dir.Root()));
}

TEST(ReplacingFile, StaleFilesOfDeadSavesAreRemovedAndOthersKept) {
    TempFolder dir;
    const std::string dead = std::to_string(DeadProcess());
    const std::string alive = std::to_string(::getpid());
    dir.File("a.ser.saving-" + dead + "-0", "stale");
    dir.File("a.ser.saving-" + alive + "-999", "a save under way");
    dir.File("b.ser.saving-" + dead + "-0", "another file's");
    dir.File("a.ser.saving-" + dead + "-x", "not one of ours");
    ASSERT_TRUE(Save(dir.Path("a.ser"), "text"));
    EXPECT_EQ((std::set<std::string>{"a.ser", "a.ser.saving-" + alive + "-999",
                                     "b.ser.saving-" + dead + "-0", "a.ser.saving-" + dead + "-x"}),
              Names(dir.Root()));
}

TEST(ReplacingFile, TheNewTextIsInvisibleUntilItIsWhole) {
    TempFolder dir;
    const int probe = ::open(dir.Root().c_str(), O_TMPFILE | O_WRONLY, 0600);
    if (probe < 0) GTEST_SKIP() << "no unnamed files on this file system";
    ::close(probe);
    const std::string target = dir.Path("log.err");
    dir.File("log.err", "old");
    ReplacingFile file(target);
    ASSERT_TRUE(file.Open());
    ASSERT_TRUE(file.Write("new text"));
    EXPECT_EQ((std::set<std::string>{"log.err"}), Names(dir.Root()));
    EXPECT_EQ("old", ReadAll(target));
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ("new text", ReadAll(target));
    EXPECT_EQ((std::set<std::string>{"log.err"}), Names(dir.Root()));
}

TEST(ReplacingFile, KeepsTheTargetsPermissionsAndRefusesFolders) {
    TempFolder dir;
    const std::string target = dir.Path("private.ser");
    dir.File("private.ser", "old");
    ASSERT_EQ(0, ::chmod(target.c_str(), 0600));
    ASSERT_TRUE(Save(target, "new"));
    EXPECT_EQ(std::filesystem::perms::owner_read | std::filesystem::perms::owner_write,
              std::filesystem::status(target).permissions());
    std::filesystem::create_directory(dir.Path("folder.ser"));
    ReplacingFile folder(dir.Path("folder.ser"));
    EXPECT_FALSE(folder.Open());
    EXPECT_EQ("Is a directory", folder.ErrorText());
}

} // namespace
} // namespace mvf::platform
