// The delete command's prompts for tests: records each question and answers from a queue.
//
//   ScriptedDeletePrompts prompts;
//   prompts.AnswerMode(DeleteMode::AskEach);
//   prompts.AnswerDisposal(FileDisposal::Trash);
//   prompts.AnswerDisposal(std::nullopt);     // Cancel for the second file
//
// A question with no answer queued is answered Cancel and counted as unscripted.
#pragma once

#include <deque>
#include <vector>

#include "finder/actions/delete_prompts.h"

namespace mvf::actions {

class ScriptedDeletePrompts : public DeletePrompts {
public:
    struct ModeQuestion {
        std::size_t count;
        bool noRecycleBin;
    };

    void AnswerMode(std::optional<DeleteMode> answer) { modes_.push_back(answer); }
    void AnswerDisposal(std::optional<FileDisposal> answer) { disposals_.push_back(answer); }

    std::optional<DeleteMode> ChooseMode(std::size_t count, bool noRecycleBin) override {
        modeQuestions_.push_back({count, noRecycleBin});
        return Next(modes_);
    }
    std::optional<FileDisposal> ChooseDisposal(const std::string& path) override {
        disposalQuestions_.push_back(path);
        return Next(disposals_);
    }

    const std::vector<ModeQuestion>& ModeQuestions() const { return modeQuestions_; }
    // The paths the one-file question was asked for, in order.
    const std::vector<std::string>& DisposalQuestions() const { return disposalQuestions_; }
    // Every question had its answer and none is left over.
    bool AllAsExpected() const { return unscripted_ == 0 && modes_.empty() && disposals_.empty(); }

private:
    template <typename T> std::optional<T> Next(std::deque<std::optional<T>>& answers) {
        if (answers.empty()) {
            ++unscripted_;
            return std::nullopt;
        }
        std::optional<T> answer = answers.front();
        answers.pop_front();
        return answer;
    }

    std::deque<std::optional<DeleteMode>> modes_;
    std::deque<std::optional<FileDisposal>> disposals_;
    std::vector<ModeQuestion> modeQuestions_;
    std::vector<std::string> disposalQuestions_;
    int unscripted_ = 0;
};

} // namespace mvf::actions
