#include "platform/qt/scripted_notifier.h"

#include <utility>

namespace mvf::platform {

void ScriptedNotifier::Expect(BoxAnswer answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

void ScriptedNotifier::OnShow(std::function<void(const MessageBox&)> hook) {
    std::lock_guard lock(mutex_);
    hook_ = std::move(hook);
}

BoxAnswer ScriptedNotifier::Show(const MessageBox& box) {
    std::function<void(const MessageBox&)> hook;
    {
        std::lock_guard lock(mutex_);
        hook = hook_;
    }
    // The hook runs unlocked: it may look at the notifier itself.
    if (hook) hook(box);

    std::lock_guard lock(mutex_);
    ShownBox shown{box, DismissAnswer(box.buttons), Outcome::Unscripted,
                   std::this_thread::get_id()};
    if (!answers_.empty()) {
        const BoxAnswer scripted = answers_.front();
        answers_.pop_front();
        if (Offers(box.buttons, scripted)) {
            shown.answer = scripted;
            shown.outcome = Outcome::Scripted;
        } else {
            shown.outcome = Outcome::AnswerNotOffered;
        }
    }
    boxes_.push_back(shown);
    return shown.answer;
}

std::vector<ScriptedNotifier::ShownBox> ScriptedNotifier::Boxes() const {
    std::lock_guard lock(mutex_);
    return boxes_;
}

std::size_t ScriptedNotifier::PendingAnswers() const {
    std::lock_guard lock(mutex_);
    return answers_.size();
}

bool ScriptedNotifier::AllAsExpected() const {
    std::lock_guard lock(mutex_);
    if (!answers_.empty()) return false;
    for (const ShownBox& shown : boxes_)
        if (shown.outcome != Outcome::Scripted) return false;
    return true;
}

std::string ScriptedNotifier::Describe() const {
    std::lock_guard lock(mutex_);
    std::string text;
    for (const ShownBox& shown : boxes_) {
        const char* outcome = shown.outcome == Outcome::Scripted     ? "scripted"
                              : shown.outcome == Outcome::Unscripted ? "UNSCRIPTED"
                                                                     : "ANSWER NOT OFFERED";
        text += shown.box.caption.toStdString() + " | " + shown.box.text.toStdString() + " | " +
                outcome + "\n";
    }
    if (!answers_.empty())
        text += std::to_string(answers_.size()) + " scripted answer(s) never used\n";
    return text;
}

} // namespace mvf::platform
