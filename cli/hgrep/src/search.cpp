// hgrep reads each file as the library's file search does (the same pieces, block and line
// numbers, and answers), but searches every line without its line feed: a line's answer
// never depends on how it ends, nor on whether the file's last line has a line feed. The
// library's own file search keeps the line feed in what it searches.
#include "search.h"

#include <cerrno>
#include <cstring>

#include "text_lines.h"

namespace mvf::cli {

namespace {

constexpr std::size_t kLongestAnswer = 1023; // as the library's file search cuts them
constexpr long kBlockBytes = 512;

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

// Whether the line holds a match (an approximate search answers its number of matches).
bool Matches(Kind kind, const char* line) {
    switch (kind) {
    case Kind::Soundex: return SSGrep(line) > 0;
    case Kind::Approximate: return SAGrep(line) > 0;
    case Kind::RegularExpression: break;
    }
    return SRGrep(line) > 0;
}

// "[name:][block:][line:]line", cut to the longest answer; the line ends at a zero byte.
class Answer {
public:
    void Add(const char* text) {
        while (*text && text_.size() < kLongestAnswer) text_.push_back(*text++);
    }
    void AddNumber(long n) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%ld:", n);
        Add(digits);
    }
    void Print(std::FILE* out) const {
        std::fputs(text_.c_str(), out);
        if (text_.empty() || text_.back() != '\n') std::fputc('\n', out); // a cut line, or the last
    }

private:
    std::string text_;
};

} // namespace

void SetUpLibrary(std::FILE* err) {
    g_err = err;
    LibMain(nullptr, 0, 0, nullptr);
    HGrepOptions(HGREP_OPT_MESSAGES);
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
    TextLines file;
    errno = 0;
    if (!file.Open(path)) {
        const int why = errno;
        std::fprintf(g_err, "hgrep: %s: %s\n", path.c_str(),
                     why ? std::strerror(why) : "cannot be read");
        return -1;
    }
    char piece[TextLines::kPieceBytes + 1];
    long lineNumber = 0;
    long reported = 0;
    while (const std::size_t length = file.ReadPiece(piece)) {
        ++lineNumber;
        const bool lineFeed = piece[length - 1] == '\n';
        if (lineFeed) piece[length - 1] = '\0';
        const bool matched = Matches(o.kind, piece);
        if (lineFeed) piece[length - 1] = '\n';
        if (matched == o.invert) continue;
        ++reported;
        if (o.countOnly) continue;
        Answer answer;
        if (o.showName) {
            answer.Add(path.c_str());
            answer.Add(":");
        }
        // The block that holds the line's last byte.
        if (o.showBlock) answer.AddNumber((file.Offset() - 1) / kBlockBytes);
        if (o.showLineNumber) answer.AddNumber(lineNumber);
        answer.Add(piece);
        answer.Print(out);
    }
    if (o.countOnly) {
        if (o.showName) std::fprintf(out, "%s:", path.c_str());
        std::fprintf(out, "%ld\n", reported);
    }
    return reported;
}

} // namespace mvf::cli
