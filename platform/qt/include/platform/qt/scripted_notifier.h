// The notifier of tests: records every box with all its fields and answers from a queue.
//
//   ScriptedNotifier notifier;
//   notifier.Expect(BoxAnswer::Yes);          // the next box is answered Yes
//   RunTheCodeUnderTest(notifier);
//   ASSERT_EQ(1u, notifier.Boxes().size());
//   EXPECT_EQ("Error", notifier.Boxes()[0].box.caption);
//   EXPECT_TRUE(notifier.AllAsExpected());    // no unscripted box, no answer left over
//
// A box with no answer queued is still recorded, answered with DismissAnswer (Cancel or
// No where offered, else OK) and flagged `Unscripted`. A queued answer the box does not
// offer (Yes to an OK box) is a mistake of the test: the box gets the dismiss answer and
// is flagged `AnswerNotOffered`. Safe to call from any thread; each record notes the
// thread that showed it.
#pragma once

#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/notifier.h"

namespace mvf::platform {

class ScriptedNotifier : public Notifier {
public:
    enum class Outcome { Scripted, Unscripted, AnswerNotOffered };

    struct ShownBox {
        MessageBox box;
        BoxAnswer answer;
        Outcome outcome;
        std::thread::id thread; // the thread Show ran on
    };

    // Queues the answer of the next box not yet answered.
    void Expect(BoxAnswer answer);
    // Runs for each box before it is answered, on the thread that shows it (a test can
    // look at the world while the box is "open").
    void OnShow(std::function<void(const MessageBox&)> hook);

    BoxAnswer Show(const MessageBox& box) override;

    std::vector<ShownBox> Boxes() const;
    std::size_t PendingAnswers() const;
    // Every box was scripted, with an answer it offers, and no queued answer is left.
    bool AllAsExpected() const;
    // One line per box ("caption | text | outcome"), for failure messages.
    std::string Describe() const;

private:
    mutable std::mutex mutex_;
    std::deque<BoxAnswer> answers_;
    std::vector<ShownBox> boxes_;
    std::function<void(const MessageBox&)> hook_;
};

} // namespace mvf::platform
