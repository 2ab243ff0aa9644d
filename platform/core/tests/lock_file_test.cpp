// Lock files between real processes: refusal while held, release when the holder dies,
// the timed wait, and the two single-instance locks' places.
#include "platform/core/lock_file.h"
#include "platform/core/single_instance_locks.h"
#include "platform/core/user_runtime_folder.h"

#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include <gtest/gtest.h>

#include "testsupport/background_program.h"
#include "testsupport/scoped_environment.h"
#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

using namespace std::chrono_literals;
using testing::BackgroundProgram;

class LockFileTest : public ::testing::Test {
protected:
    // A peer process that tries the lock (waiting `waitMs` when given) and holds it until
    // its input ends.
    std::unique_ptr<BackgroundProgram> Peer(const std::string& path, int waitMs = -1) {
        std::vector<std::string> args{"lock", path};
        if (waitMs >= 0) args.push_back(std::to_string(waitMs));
        return std::make_unique<BackgroundProgram>(CORE_PEER_PATH, args);
    }
    testing::TempFolder tmp_;
};

TEST_F(LockFileTest, CreatesTheFileEmptyAndExcludesEveryOtherHolder) {
    const std::string path = tmp_.Path("finderrun.dat");
    LockFile first = LockFile::TryLock(path);
    ASSERT_TRUE(first.IsHeld()) << first.Failure();
    EXPECT_EQ(0u, std::filesystem::file_size(path));

    // Another object in this process, and another process, are both refused.
    EXPECT_EQ(LockOutcome::AlreadyLocked, LockFile::TryLock(path).Outcome());
    EXPECT_EQ("locked", Peer(path)->ReadLine());

    // Handed on by moving, still one holder; released, free for the next.
    LockFile moved = std::move(first);
    EXPECT_FALSE(first.IsHeld());
    EXPECT_EQ(LockOutcome::AlreadyLocked, LockFile::TryLock(path).Outcome());
    moved.Release();
    EXPECT_EQ(LockOutcome::Released, moved.Outcome());
    EXPECT_TRUE(LockFile::TryLock(path).IsHeld());
}

TEST_F(LockFileTest, AnExistingFileKeepsItsContent) {
    const std::string path = tmp_.File("finderrun.dat", "left by an older version");
    EXPECT_TRUE(LockFile::TryLock(path).IsHeld());
    EXPECT_EQ("left by an older version", testing::ReadAll(path));
}

TEST_F(LockFileTest, IsFreeAgainWhenTheHolderIsKilled) {
    const std::string path = tmp_.Path("finderrun.dat");
    auto holder = Peer(path);
    ASSERT_EQ("held", holder->ReadLine());
    EXPECT_EQ(LockOutcome::AlreadyLocked, LockFile::TryLock(path).Outcome());

    holder->Kill(SIGKILL);
    EXPECT_EQ(-1, holder->Wait());
    EXPECT_TRUE(LockFile::TryLock(path).IsHeld());
}

TEST_F(LockFileTest, TheTimedWaitEndsWhenTheHolderReleases) {
    const std::string path = tmp_.Path("SingleMFVProgramHMutex");
    auto holder = Peer(path);
    ASSERT_EQ("held", holder->ReadLine());
    std::thread release([&] {
        std::this_thread::sleep_for(300ms);
        holder->CloseInput();
    });
    const auto start = std::chrono::steady_clock::now();
    const LockFile lock = LockFile::LockWithin(path, 20s);
    const auto waited = std::chrono::steady_clock::now() - start;
    release.join();
    EXPECT_TRUE(lock.IsHeld());
    EXPECT_GE(waited, 250ms);
    EXPECT_LT(waited, 15s);
}

TEST_F(LockFileTest, TheTimedWaitGivesUpAfterItsTime) {
    const std::string path = tmp_.Path("SingleMFVProgramHMutex");
    auto holder = Peer(path);
    ASSERT_EQ("held", holder->ReadLine());
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(LockOutcome::AlreadyLocked, LockFile::LockWithin(path, 300ms).Outcome());
    EXPECT_GE(std::chrono::steady_clock::now() - start, 300ms);

    // A waiting process gets the lock once this one lets it go.
    LockFile mine;
    holder.reset();
    mine = LockFile::TryLock(path);
    ASSERT_TRUE(mine.IsHeld());
    auto waiter = Peer(path, 20000);
    std::this_thread::sleep_for(200ms);
    mine.Release();
    EXPECT_EQ("held", waiter->ReadLine());
}

TEST_F(LockFileTest, ProgramsStartedByTheHolderDoNotKeepTheLock) {
    const std::string path = tmp_.Path("finderrun.dat");
    LockFile lock = LockFile::TryLock(path);
    ASSERT_TRUE(lock.IsHeld());
    BackgroundProgram child(CORE_PEER_PATH, {"sleep", "20000"});
    ASSERT_EQ("sleeping", child.ReadLine()); // past its exec
    lock.Release();
    EXPECT_TRUE(LockFile::TryLock(path).IsHeld());
}

TEST_F(LockFileTest, CannotOpenSaysWhyAndNeverHangs) {
    const LockFile missingFolder = LockFile::TryLock(tmp_.Path("no such folder/finderrun.dat"));
    EXPECT_EQ(LockOutcome::CannotOpen, missingFolder.Outcome());
    EXPECT_NE(std::string::npos, missingFolder.Failure().find("no such folder/finderrun.dat"));
    EXPECT_NE(std::string::npos, missingFolder.Failure().find("No such file or directory"));

    // A FIFO in the file's place would block a plain open for reading forever.
    const LockFile fifo = LockFile::LockWithin(tmp_.Fifo("finderrun.dat"), 5s);
    EXPECT_EQ(LockOutcome::CannotOpen, fifo.Outcome());
    EXPECT_NE(std::string::npos, fifo.Failure().find("not a regular file"));

    EXPECT_EQ(LockOutcome::CannotOpen, LockFile::TryLock(tmp_.Folder("a folder")).Outcome());
}

class SingleInstanceLocksTest : public LockFileTest {};

TEST_F(SingleInstanceLocksTest, TheViewerLockLivesInTheRuntimeFolder) {
    testing::ScopedEnvironment env;
    env.Set("XDG_RUNTIME_DIR", tmp_.Folder("run"));
    EXPECT_EQ(tmp_.Path("run/SingleMFVProgramHMutex"), ViewerStartupLockPath());

    LockFile first = TakeViewerStartupLock();
    ASSERT_TRUE(first.IsHeld()) << first.Failure();
    EXPECT_EQ("locked", Peer(tmp_.Path("run/SingleMFVProgramHMutex"))->ReadLine());
}

TEST_F(SingleInstanceLocksTest, WithoutARuntimeFolderAPrivateOneInTheTemporaryFolder) {
    testing::ScopedEnvironment env;
    env.Unset("XDG_RUNTIME_DIR");
    env.Set("TMPDIR", tmp_.Root());
    const std::string expected = tmp_.Path("mvf-runtime-" + std::to_string(::geteuid()));

    EXPECT_EQ(expected + "/SingleMFVProgramHMutex", ViewerStartupLockPath());
    struct stat facts {};
    ASSERT_EQ(0, ::lstat(expected.c_str(), &facts));
    EXPECT_TRUE(S_ISDIR(facts.st_mode));
    EXPECT_EQ(0700u, facts.st_mode & 0777);
    EXPECT_TRUE(TakeViewerStartupLock().IsHeld());
}

TEST_F(SingleInstanceLocksTest, APlantedLinkAsTheRuntimeFolderIsRefused) {
    testing::ScopedEnvironment env;
    env.Unset("XDG_RUNTIME_DIR");
    env.Set("TMPDIR", tmp_.Root());
    tmp_.Link("mvf-runtime-" + std::to_string(::geteuid()), tmp_.Folder("someone else's"));

    const RuntimeFolder folder = UserRuntimeFolder();
    EXPECT_TRUE(folder.path.empty());
    EXPECT_NE(std::string::npos, folder.failure.find("not a folder"));
    const LockFile lock = TakeViewerStartupLock();
    EXPECT_EQ(LockOutcome::CannotOpen, lock.Outcome());
    EXPECT_EQ(folder.failure, lock.Failure());
    EXPECT_FALSE(std::filesystem::exists(tmp_.Path("someone else's/SingleMFVProgramHMutex")));
}

TEST_F(SingleInstanceLocksTest, ARuntimeFolderOfAnotherUserIsRefused) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can make a folder that belongs to another user";
    testing::ScopedEnvironment env;
    env.Unset("XDG_RUNTIME_DIR");
    env.Set("TMPDIR", tmp_.Root());
    const std::string planted = tmp_.Folder("mvf-runtime-0");
    ASSERT_EQ(0, ::chown(planted.c_str(), 65534, 65534));
    EXPECT_NE(std::string::npos, UserRuntimeFolder().failure.find("another user"));
}

} // namespace
} // namespace mvf::platform
