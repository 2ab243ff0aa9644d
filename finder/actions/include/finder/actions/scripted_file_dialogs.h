// File dialogs for tests: each request is recorded and answered from a queue; a request
// with no answer queued is cancelled.
#pragma once

#include <deque>
#include <vector>

#include "finder/actions/file_dialogs.h"

namespace mvf::actions {

class ScriptedFileDialogs : public FileDialogs {
public:
    // The next dialog chooses `path`, or is cancelled (nothing).
    void Answer(std::optional<std::string> path) { answers_.push_back(std::move(path)); }

    std::optional<std::string> Ask(const FileDialogRequest& request) override {
        requests_.push_back(request);
        if (answers_.empty()) return std::nullopt;
        std::optional<std::string> answer = answers_.front();
        answers_.pop_front();
        return answer;
    }

    const std::vector<FileDialogRequest>& Requests() const { return requests_; }

private:
    std::deque<std::optional<std::string>> answers_;
    std::vector<FileDialogRequest> requests_;
};

} // namespace mvf::actions
