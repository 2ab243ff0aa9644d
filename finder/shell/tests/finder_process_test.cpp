// The real program as separate processes: one copy per program folder (the second is
// refused with the exact box and writes nothing), the lock freed when a copy is killed,
// and a clear line when there is no display. The program runs offscreen, with its boxes
// written to standard error (MVF_NOTIFIER=stderr) instead of shown.
#include <signal.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>
#include <thread>

#include <gtest/gtest.h>

#include "testsupport/background_program.h"
#include "testsupport/run_program.h"
#include "testsupport/scoped_environment.h"
#include "testsupport/temp_folder.h"

namespace mvf::shell {
namespace {

using namespace std::chrono_literals;
using mvf::testing::BackgroundProgram;
using mvf::testing::ReadAll;
using mvf::testing::RunProgram;
using mvf::testing::ScopedEnvironment;
using mvf::testing::TempFolder;
namespace fs = std::filesystem;

// A program folder of its own (the lock lives there) with the finder and its engine, and
// a settings file that skips the splash and the notice.
class FinderProcessTest : public ::testing::Test {
protected:
    void SetUp() override {
        program = folder.Folder("program");
        fs::copy_file(MVFINDER_PATH, program + "/MVFinder");
        fs::copy_file(fs::path(MVFINDER_PATH).parent_path() / MVFINDGREP_SONAME,
                      program + "/" MVFINDGREP_SONAME);
        settingsFile = folder.File("config/Korvath/Morvel Vantor Finder.conf",
                                   "[General]\nFindMsg=1\nSplash=0\n");
        environment.Set("XDG_CONFIG_HOME", folder.Path("config"));
        environment.Set("HOME", folder.Folder("home"));
        environment.Set("XDG_RUNTIME_DIR", folder.Folder("runtime"));
        ::chmod(folder.Path("runtime").c_str(), 0700);
        environment.Set("QT_QPA_PLATFORM", "offscreen");
        environment.Set("MVF_NOTIFIER", "stderr");
    }

    std::string Finder() const { return program + "/MVFinder"; }

    // Waits until a started finder has loaded its settings (it marks the run in them) and
    // finished that write (the settings' lock file is gone again).
    bool WaitUntilRunning(std::chrono::milliseconds limit = 20s) const {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline) {
            if (ReadAll(settingsFile).find("VFOpen=Yes") != std::string::npos &&
                !fs::exists(settingsFile + ".lock"))
                return true;
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }

    // Every file under the scratch folder with its size and change time.
    std::set<std::string> Snapshot() const {
        std::set<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(folder.Root())) {
            struct stat facts {};
            ::stat(entry.path().c_str(), &facts);
            files.insert(entry.path().string() + " " + std::to_string(facts.st_size) + " " +
                         std::to_string(facts.st_mtim.tv_sec) + "." +
                         std::to_string(facts.st_mtim.tv_nsec));
        }
        return files;
    }

    TempFolder folder;
    ScopedEnvironment environment;
    std::string program;
    std::string settingsFile;
};

TEST_F(FinderProcessTest, ASecondCopyIsRefusedWithTheExactBoxAndWritesNothing) {
    BackgroundProgram first(Finder(), {});
    ASSERT_TRUE(WaitUntilRunning()) << ReadAll(settingsFile);
    const std::set<std::string> before = Snapshot();

    const mvf::testing::ProgramRun second = RunProgram(Finder(), {}, folder.Path("home"));
    EXPECT_EQ(1, second.status);
    EXPECT_EQ("box: caption=Morvel Vantor Finder Already Running! text=Morvel Vantor Finder is "
              "already running!\\n\\r\\n\\rPlease check the system tray for our icon.\\n\\r\\n\\r"
              "If there is no icon then the machine with Morvel Vantor Finder on it will\\n\\r"
              "need to be restarted in order to clear the user lock.\n",
              second.err);
    EXPECT_EQ(before, Snapshot()) << "the refused copy changed files";
    EXPECT_EQ(-2, first.Wait(0ms)) << "the first copy goes on";
}

TEST_F(FinderProcessTest, AKilledCopyLeavesNoLockBehind) {
    {
        BackgroundProgram first(Finder(), {});
        ASSERT_TRUE(WaitUntilRunning());
        first.Kill(SIGKILL);
        EXPECT_EQ(-1, first.Wait());
    }
    EXPECT_TRUE(fs::exists(program + "/finderrun.dat"));
    // The marker the killed copy left is removed, so the next copy's marker tells it ran.
    std::ofstream(settingsFile, std::ios::trunc) << "[General]\nFindMsg=1\nSplash=0\n";

    BackgroundProgram next(Finder(), {});
    EXPECT_TRUE(WaitUntilRunning()) << "the next copy did not get past the lock";
    EXPECT_EQ(-2, next.Wait(200ms)) << "it runs on";
}

TEST_F(FinderProcessTest, WithoutADisplayItSaysSoInOneLineAndFails) {
    environment.Unset("QT_QPA_PLATFORM");
    environment.Unset("DISPLAY");
    environment.Unset("WAYLAND_DISPLAY");
    const mvf::testing::ProgramRun run = RunProgram(Finder(), {}, folder.Path("home"));
    EXPECT_NE(0, run.status);
    EXPECT_EQ("MVFinder: no display to show its windows on (neither DISPLAY nor WAYLAND_DISPLAY "
              "is set)\n",
              run.err);
    EXPECT_FALSE(fs::exists(program + "/finderrun.dat")) << "nothing is touched";

    environment.Set("DISPLAY", ":93"); // no X server there
    const mvf::testing::ProgramRun unreachable = RunProgram(Finder(), {}, folder.Path("home"));
    EXPECT_EQ(1, unreachable.status);
    EXPECT_EQ("MVFinder: cannot open a window: the display \":93\" cannot be reached\n",
              unreachable.err);
}

} // namespace
} // namespace mvf::shell
