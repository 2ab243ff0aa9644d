// hgrep over the library's file search: one file at a time, through the static records.
#include "search.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <optional>

#include "approximate_lines.h"

namespace mvf::cli {

namespace {

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

void PrintLine(const char* line, std::FILE* out) {
    std::fputs(line, out);
    const std::size_t n = std::strlen(line);
    if (n == 0 || line[n - 1] != '\n') std::fputc('\n', out); // a cut line, or the last
}

} // namespace

void SetUpLibrary(std::FILE* err) {
    g_err = err;
    LibMain(nullptr, 0, 0, nullptr);
    HGrepOptions(kLibraryOptions);
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
    std::optional<ApproximateLines> approximate;
    if (o.invert && o.kind == Kind::Approximate) approximate.emplace(o);
    const bool everyLine = approximate.has_value();
    const int skip = everyLine ? kNoResult : (o.invert ? 1 : 0);
    SFileSetFlags(o.showName, o.showBlock, o.showLineNumber, o.countOnly && !everyLine, skip);
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
        if (approximate && approximate->Matched(line, path)) continue;
        ++printed;
        if (!o.countOnly) PrintLine(line, out);
    }
    const long reported = everyLine ? printed : SFileClose();
    if (everyLine) SFileClose();
    if (o.countOnly) {
        if (o.showName) std::fprintf(out, "%s:", path.c_str());
        std::fprintf(out, "%ld\n", reported);
    }
    return reported;
}

} // namespace mvf::cli
