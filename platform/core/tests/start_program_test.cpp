// Starting programs detached: exact arguments, its own session, failures reported, no
// open files handed down.
#include "platform/core/lock_file.h"
#include "platform/core/start_program.h"

#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

using namespace std::chrono_literals;

// Waits for a file the started program writes (through a temporary name).
std::string AwaitFile(const std::string& path) {
    for (int i = 0; i < 2000 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(10ms);
    return testing::ReadAll(path);
}

class StartProgramTest : public ::testing::Test {
protected:
    testing::TempFolder tmp_;
};

TEST_F(StartProgramTest, ArgumentsArriveByteForByte) {
    const std::string out = tmp_.Path("args");
    const std::vector<std::string> args{"write-args", out,           "two words",  "\"quoted\"",
                                        "",           "bad\xff\xfe", "line\nfeed", "$HOME *;|"};
    const StartResult result = StartDetached(CORE_PEER_PATH, args);
    ASSERT_TRUE(result.started) << result.failure;
    EXPECT_GT(result.pid, 0);

    std::string expected;
    for (std::size_t i = 2; i < args.size(); ++i) expected.append(args[i]).push_back('\0');
    EXPECT_EQ(expected, AwaitFile(out));
}

TEST_F(StartProgramTest, TheProgramRunsDetachedInItsOwnSession) {
    const std::string out = tmp_.Path("args");
    const StartResult result = StartDetached(CORE_PEER_PATH, {"write-args", out});
    ASSERT_TRUE(result.started) << result.failure;
    AwaitFile(out);
    std::istringstream who(testing::ReadAll(out + ".who"));
    pid_t parent = 0, session = 0, self = 0;
    who >> parent >> session >> self;
    EXPECT_EQ(result.pid, self);
    EXPECT_NE(::getpid(), parent); // adopted, never the caller's zombie
    EXPECT_NE(::getsid(0), session);
}

TEST_F(StartProgramTest, FailuresSayWhy) {
    const StartResult missing = StartDetached(tmp_.Path("vantorviewer"), {"a.txt"});
    EXPECT_FALSE(missing.started);
    EXPECT_NE(std::string::npos, missing.failure.find(tmp_.Path("vantorviewer")));
    EXPECT_NE(std::string::npos, missing.failure.find("No such file or directory"));

    const StartResult notExecutable = StartDetached(tmp_.File("plain.txt", "text"), {});
    EXPECT_FALSE(notExecutable.started);
    EXPECT_NE(std::string::npos, notExecutable.failure.find("Permission denied"));

    // No PATH lookup: a bare name is a file in the current folder, not a system program.
    EXPECT_FALSE(StartDetached("true", {}).started);
}

TEST_F(StartProgramTest, TheProgramGetsNoneOfTheCallersOpenFiles) {
    // A descriptor opened without close-on-exec, holding a lock: were it inherited, the
    // started program would keep the lock after the caller let it go.
    const std::string path = tmp_.File("held.lock");
    const int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(0, ::flock(fd, LOCK_EX | LOCK_NB));
    const StartResult sleeper = StartDetached(CORE_PEER_PATH, {"sleep", "20000"});
    ASSERT_TRUE(sleeper.started) << sleeper.failure;
    ::close(fd);
    EXPECT_TRUE(LockFile::TryLock(path).IsHeld());
    ::kill(sleeper.pid, SIGKILL);
}

} // namespace
} // namespace mvf::platform
