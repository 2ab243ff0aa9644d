// hgrep over the library's file search: one file at a time, through the static records.
#include "search.h"

#include <cerrno>
#include <climits>
#include <cstring>

#include "mvfindgrep.h"

namespace hgrep {

namespace {

// Messages on, and a line feed ends a line for ^ and $: the library's lines keep theirs.
constexpr int kOptions = HGREP_OPT_MESSAGES | HGREP_OPT_LF_ENDS_LINE;
// A search result no line ever has: with it as skipResult every line is answered.
constexpr int kNoResult = INT_MIN;

std::FILE* g_err = stderr;
int g_notices = 0;

void PrintNotice(const char* caption, const char* text, void* /*context*/) {
    ++g_notices;
    std::fprintf(g_err, "hgrep: %s: %s\n", caption, text);
}

int Compile(const Options& o) {
    const char* pattern = o.pattern.c_str();
    const int caseSensitive = o.ignoreCase ? 0 : 1;
    switch (o.kind) {
    case Kind::Soundex: return SCompileSGrep(pattern, 0);
    case Kind::Approximate: return SCompileAGrep(pattern, o.differences, caseSensitive);
    case Kind::RegularExpression: break;
    }
    return SCompileRGrep(pattern, caseSensitive);
}

const char* NextLine(Kind kind) {
    switch (kind) {
    case Kind::Soundex: return SFileSGrep();
    case Kind::Approximate: return SFileAGrep();
    case Kind::RegularExpression: break;
    }
    return SFileRGrep();
}

// Whether the approximate search of the line just answered found anything. Such a line's
// result is its number of matches, so no single skipResult hides exactly the lines with
// some. The static record still holds the bounds of that search: expanding "&" (a match is
// as long as the pattern, so it fits) fails exactly when there were none. The failure
// stays in the record's state, which makes it refuse further searches: it is compiled
// again.
bool LastLineMatched(const Options& o) {
    HGrepOptions(kOptions & ~HGREP_OPT_MESSAGES);
    char match[MVFG_PATTERN_SIZE];
    const bool matched = SAGrepSubsBuild("&", match, sizeof match) == 0;
    HGrepOptions(kOptions);
    if (!matched) Compile(o);
    return matched;
}

void PrintLine(const char* line, std::FILE* out) {
    std::fputs(line, out);
    const std::size_t n = std::strlen(line);
    if (n == 0 || line[n - 1] != '\n') std::fputc('\n', out); // a cut line, or the last
}

} // namespace

void SetUpLibrary(std::FILE* err) {
    g_err = err;
    LibMain(nullptr, 0, 0, nullptr);
    HGrepOptions(kOptions);
    HGrepSetNoticeHandler(&PrintNotice, nullptr);
}

bool CompilePattern(const Options& o) {
    if (Compile(o) != 0) return false;
    // A Soundex pattern without letters compiles to nothing, which every search reports.
    if (o.kind == Kind::Soundex) {
        const int before = g_notices;
        SSGrep("");
        return g_notices == before;
    }
    return true;
}

long SearchFile(const Options& o, const std::string& path, std::FILE* out) {
    const bool askRecord = o.invert && o.kind == Kind::Approximate;
    const int skip = askRecord ? kNoResult : (o.invert ? 1 : 0);
    SFileSetFlags(o.showName, o.showBlock, o.showLineNumber, o.countOnly && !askRecord, skip);
    // SFileSetFlags resets the approximate record (and SFileClose releases it): compile
    // for every file.
    Compile(o);
    errno = 0;
    if (!SFileOpen(path.c_str())) {
        const int why = errno;
        SFileClose();
        std::fprintf(g_err, "hgrep: %s: %s\n", path.c_str(),
                     why ? std::strerror(why) : "cannot be read");
        return -1;
    }
    long printed = 0;
    while (const char* line = NextLine(o.kind)) {
        if (askRecord && LastLineMatched(o)) continue;
        ++printed;
        if (!o.countOnly) PrintLine(line, out);
    }
    const long reported = askRecord ? printed : SFileClose();
    if (askRecord) SFileClose();
    if (o.countOnly) {
        if (o.showName) std::fprintf(out, "%s:", path.c_str());
        std::fprintf(out, "%ld\n", reported);
    }
    return reported;
}

} // namespace hgrep
