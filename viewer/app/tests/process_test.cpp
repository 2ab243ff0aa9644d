// Real viewer processes meeting through the start-up lock and the hand-over socket.
#include <signal.h>

#include <chrono>
#include <memory>
#include <thread>

#include "platform/core/lock_file.h"
#include "testsupport/temp_folder.h"
#include "viewer_process.h"

namespace mvf::viewer {
namespace {

using testing::ViewerProcess;

const std::string kShown = "mvf.viewer.shell: window shown";

class ViewerProcessTest : public ::testing::Test {
protected:
    std::string Runtime() const { return runtime_.Root(); }
    std::string LogFile(const std::string& name) const { return logs_.Path(name + ".log"); }
    std::string File(const std::string& name) const { return files_.File(name, name + "\n"); }
    static std::string Opened(const std::string& file) {
        return "mvf.viewer.documents: opened " + file;
    }

    mvf::testing::TempFolder runtime_;
    mvf::testing::TempFolder logs_;
    mvf::testing::TempFolder files_;
};

TEST_F(ViewerProcessTest, ASecondStartHandsItsNamesToTheFirstAndEndsWithoutAWindow) {
    ViewerProcess first(Runtime(), LogFile("first"), {});
    ASSERT_TRUE(first.WaitForLog(kShown)) << first.Log();
    const std::vector<std::string> names = {File("one.txt"), File("two words.txt"),
                                            File("\xC3\xA9t\xC3\xA9.txt")};
    ViewerProcess second(Runtime(), LogFile("second"), names);
    EXPECT_EQ(second.Wait(), 0) << second.Log();
    EXPECT_EQ(second.Log().find(kShown), std::string::npos) << second.Log();
    for (const std::string& name : names) EXPECT_TRUE(first.WaitForLog(Opened(name))) << name;
    const std::string log = first.Log();
    EXPECT_LT(log.find(Opened(names[0])), log.find(Opened(names[1])));
    EXPECT_LT(log.find(Opened(names[1])), log.find(Opened(names[2])));
    EXPECT_EQ(first.Count(Opened(names[0])) + first.Count(Opened(names[1])) +
                  first.Count(Opened(names[2])),
              3);

    // Without names a second start only brings the first to the front.
    const int raisedBefore = first.Count("mvf.viewer.shell: to the front");
    ViewerProcess third(Runtime(), LogFile("third"), {});
    EXPECT_EQ(third.Wait(), 0);
    EXPECT_TRUE(first.WaitForLog("mvf.viewer.shell: to the front", raisedBefore + 1));
    EXPECT_TRUE(first.Running());
}

TEST_F(ViewerProcessTest, TenViewersStartedAtOnceLeaveOneProcessWithEveryFileOpen) {
    std::vector<std::string> names;
    std::vector<std::unique_ptr<ViewerProcess>> viewers;
    for (int n = 0; n < 10; ++n) names.push_back(File("file" + std::to_string(n) + ".txt"));
    for (int n = 0; n < 10; ++n)
        viewers.push_back(std::make_unique<ViewerProcess>(
            Runtime(), LogFile("viewer" + std::to_string(n)), std::vector{names[n]}));
    // Nine hand over and end; one stays.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    auto ended = [&] {
        int count = 0;
        for (auto& viewer : viewers) count += viewer->Running() ? 0 : 1;
        return count;
    };
    while (ended() < 9 && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // a tenth would end by now
    ViewerProcess* survivor = nullptr;
    int handedOver = 0;
    for (auto& viewer : viewers) {
        if (viewer->Running()) {
            EXPECT_EQ(survivor, nullptr) << "two viewers run";
            survivor = viewer.get();
        } else {
            EXPECT_EQ(viewer->Wait(), 0) << viewer->Log();
            ++handedOver;
        }
    }
    ASSERT_NE(survivor, nullptr);
    EXPECT_EQ(handedOver, 9);
    for (const std::string& name : names)
        EXPECT_TRUE(survivor->WaitForLog(Opened(name), 1, std::chrono::seconds(10))) << name;
    for (const std::string& name : names) EXPECT_EQ(survivor->Count(Opened(name)), 1) << name;
}

TEST_F(ViewerProcessTest, AKilledViewerLeavesNoStaleLockOrSocketBehind) {
    const std::string one = File("one.txt");
    auto first = std::make_unique<ViewerProcess>(Runtime(), LogFile("first"), std::vector{one});
    ASSERT_TRUE(first->WaitForLog(Opened(one))) << first->Log();
    first->Kill(SIGKILL);
    EXPECT_EQ(first->Wait(), -1);

    // The next start finds the socket dead and the lock free: it becomes the viewer.
    const std::string two = File("two.txt");
    ViewerProcess next(Runtime(), LogFile("next"), {two});
    ASSERT_TRUE(next.WaitForLog(Opened(two))) << next.Log();
    EXPECT_TRUE(next.Running());
    // And it receives what later starts hand over.
    const std::string three = File("three.txt");
    ViewerProcess later(Runtime(), LogFile("later"), {three});
    EXPECT_EQ(later.Wait(), 0) << later.Log();
    EXPECT_TRUE(next.WaitForLog(Opened(three))) << next.Log();
}

TEST_F(ViewerProcessTest, AStartThatCannotGetTheStartUpLockEndsSilently) {
    platform::LockFile held = platform::LockFile::TryLock(Runtime() + "/SingleMFVProgramHMutex");
    ASSERT_TRUE(held.IsHeld());
    ViewerProcess blocked(Runtime(), LogFile("blocked"), {File("one.txt")});
    // It waits 10 seconds for the lock, then gives up.
    EXPECT_EQ(blocked.Wait(std::chrono::seconds(30)), 1);
    EXPECT_EQ(blocked.Log(), "");
}

} // namespace
} // namespace mvf::viewer
