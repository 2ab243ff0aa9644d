// Which lines answered by the approximate file search hold no match, for -v.
#pragma once

#include <memory>
#include <string>

#include "mvfindgrep.h"
#include "options.h"

namespace mvf::cli {

// An approximate line's search result is its number of matches, so no single skipResult
// hides exactly the lines that have some. With -v every line is answered and this tells
// the matched ones apart.
class ApproximateLines {
public:
    explicit ApproximateLines(const Options& options);
    ~ApproximateLines();
    ApproximateLines(const ApproximateLines&) = delete;
    ApproximateLines& operator=(const ApproximateLines&) = delete;

    // Whether the line of `answer`, just returned by SFileAGrep for `path`, holds a match.
    bool Matched(const char* answer, const std::string& path);

private:
    bool StaticRecordMatched();

    const Options& options_;
    std::unique_ptr<ApproxRecord> own_;
};

} // namespace mvf::cli
