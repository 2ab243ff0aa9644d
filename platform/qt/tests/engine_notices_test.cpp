// The engine's notices reach the notifier on the GUI thread, from any thread.
#include <QCoreApplication>
#include <QElapsedTimer>

#include <atomic>
#include <thread>

#include <gtest/gtest.h>

#include "mvfindgrep.h"
#include "platform/qt/engine_notices.h"
#include "platform/qt/scripted_notifier.h"
#include "testsupport/qt_print.h"

namespace mvf::platform {
namespace {

class EngineNoticeTest : public ::testing::Test {
protected:
    void SetUp() override {
        LibMain(nullptr, 0, 0, nullptr); // the captions
        HGrepOptions(HGREP_OPT_DEFAULT); // notices on
    }
    void TearDown() override { HGrepSetNoticeHandler(nullptr, nullptr); }
};

void ExpectMissingBracketNotice(const ScriptedNotifier::ShownBox& shown) {
    EXPECT_EQ("Regular Expression Error", shown.box.caption);
    EXPECT_EQ("Missing ]", shown.box.text);
    EXPECT_EQ(BoxIcon::Warning, shown.box.icon);
    EXPECT_EQ(BoxButtons::Ok, shown.box.buttons);
}

TEST_F(EngineNoticeTest, ANoticeOnTheGuiThreadIsShownAtOnce) {
    ScriptedNotifier notifier;
    notifier.Expect(BoxAnswer::Ok);
    EngineNoticeRoute route(notifier);
    EXPECT_EQ(HGREP_ERR_MISSING_BRACKET, SCompileRGrep("a[bc", 0));
    const auto boxes = notifier.Boxes();
    ASSERT_EQ(1u, boxes.size());
    ExpectMissingBracketNotice(boxes[0]);
    EXPECT_EQ(std::this_thread::get_id(), boxes[0].thread);
    EXPECT_TRUE(notifier.AllAsExpected()) << notifier.Describe();
}

TEST_F(EngineNoticeTest, ANoticeFromAnotherThreadIsShownOnTheGuiThreadWhileThatThreadWaits) {
    ScriptedNotifier notifier;
    notifier.Expect(BoxAnswer::Ok);
    std::atomic<bool> compileReturned{false};
    std::atomic<bool> workerWaitedForTheBox{false};
    notifier.OnShow([&](const MessageBox&) { workerWaitedForTheBox = !compileReturned; });
    EngineNoticeRoute route(notifier);

    const std::thread::id guiThread = std::this_thread::get_id();
    std::atomic<int> code{-1};
    std::thread worker([&] {
        code = SCompileRGrep("a[bc", 0);
        compileReturned = true;
    });
    // The GUI thread's event loop shows the box.
    QElapsedTimer waited;
    waited.start();
    while (!compileReturned && waited.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();

    EXPECT_EQ(HGREP_ERR_MISSING_BRACKET, code.load());
    const auto boxes = notifier.Boxes();
    ASSERT_EQ(1u, boxes.size());
    ExpectMissingBracketNotice(boxes[0]);
    EXPECT_EQ(guiThread, boxes[0].thread);
    EXPECT_TRUE(workerWaitedForTheBox);
}

TEST_F(EngineNoticeTest, WithoutTheRouteNoticesNoLongerReachTheNotifier) {
    ScriptedNotifier notifier;
    { EngineNoticeRoute route(notifier); }
    EXPECT_EQ(nullptr, HGrepSetNoticeHandler(nullptr, nullptr));
    testing::internal::CaptureStderr();
    SCompileRGrep("a[", 0);
    EXPECT_EQ("Regular Expression Error: Missing ]\n", testing::internal::GetCapturedStderr());
    EXPECT_TRUE(notifier.Boxes().empty());
}

} // namespace
} // namespace mvf::platform
