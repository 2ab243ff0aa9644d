// The line part of an answer is searched again with a record of hgrep's own. An answer
// cut to the library's limit may have lost its match, so for those the library's static
// record is asked: it still holds the bounds of its search of the whole line.
#include "approximate_lines.h"

#include <cstring>

#include "search.h"

namespace mvf::cli {

namespace {

constexpr std::size_t kLongestAnswer = 1023; // the file search cuts its answers to this

// Skips a "%ld:" prefix.
const char* SkipNumber(const char* p) {
    p += std::strspn(p, "0123456789");
    return *p == ':' ? p + 1 : p;
}

} // namespace

ApproximateLines::ApproximateLines(const Options& options)
    : options_(options), own_(std::make_unique<ApproxRecord>()) {
    AGrepInit(own_.get());
    CompileAGrep(options_.pattern.c_str(), options_.differences, options_.ignoreCase ? 0 : 1,
                 own_.get());
}

ApproximateLines::~ApproximateLines() {
    AGrepEmpty(own_.get());
}

bool ApproximateLines::Matched(const char* answer, const std::string& path) {
    if (std::strlen(answer) >= kLongestAnswer) return StaticRecordMatched();
    const char* line = answer;
    if (options_.showName) line += path.size() + 1;
    if (options_.showBlock) line = SkipNumber(line);
    if (options_.showLineNumber) line = SkipNumber(line);
    return AGrep(line, own_.get()) > 0;
}

// Expanding "&" from the static record's bounds (a match is as long as the pattern, so it
// fits) succeeds exactly when its last search found something. A failed expansion leaves
// its code in the record's state, which makes the record refuse further searches, so the
// pattern is compiled into it again.
bool ApproximateLines::StaticRecordMatched() {
    HGrepOptions(kLibraryOptions & ~HGREP_OPT_MESSAGES);
    char match[MVFG_PATTERN_SIZE];
    const bool matched = SAGrepSubsBuild("&", match, sizeof match) == 0;
    if (!matched)
        SCompileAGrep(options_.pattern.c_str(), options_.differences, options_.ignoreCase ? 0 : 1);
    HGrepOptions(kLibraryOptions);
    return matched;
}

} // namespace mvf::cli
