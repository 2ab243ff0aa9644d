// hgrep reads each file as the library's file search does (the same pieces, block and line
// numbers, and answers), but searches every line without its line feed: a line's answer
// never depends on how it ends, nor on whether the file's last line has a line feed. The
// library's own file search keeps the line feed in what it searches. For a regular
// expression it first asks the engine about all the whole lines read ahead at once, and
// searches them line by line only from where it finds something, passing over lines
// without the run of characters every match needs (the answers stay the same).
#include "search.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "finder/search/content_scanner.h"
#include "text_lines.h"

namespace mvf::cli {

namespace {

constexpr std::size_t kLongestAnswer = 1023; // as the library's file search cuts them
constexpr long kBlockBytes = 512;
// Lines asked about at once: up to kAskBytes, enough that a rare match skips most lines in
// few searches. After a match the next ask is about twice the distance it skipped, so that
// asking again after each of many matches costs no more than the lines it skips.
constexpr std::size_t kAskBytes = std::size_t{32} * 1024;
constexpr std::size_t kFewestAskBytes = std::size_t{2} * 1024;

std::FILE* g_err = stderr;
int g_notices = 0;
// The regular expression, in a record of hgrep's own: its match bounds tell where the
// lines read ahead can begin to match.
RegexRecord g_regex;

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
    return CompileRGrep(pattern, caseSensitive, &g_regex);
}

// Whether the line holds a match (an approximate search answers its number of matches).
bool Matches(Kind kind, const char* line) {
    switch (kind) {
    case Kind::Soundex: return SSGrep(line) > 0;
    case Kind::Approximate: return SAGrep(line) > 0;
    case Kind::RegularExpression: break;
    }
    return RGrep(line, &g_regex) > 0;
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

// What one search of whole lines [lines, lines + length), each ending in a line feed,
// taken as one text, tells about them (see BlockPrefilterAllowed): nothing found, no line
// can match; found, no line before the one where the match starts can (the engine tries
// the starts from left to right, and a match inside an earlier line would have been one
// of the text starting there). That holds only while each line is one piece, searched as
// a text of its own, and no zero byte hides the rest from the engine.
struct LinesVerdict {
    bool known = false;   // false: search the lines one by one
    std::size_t skip = 0; // bytes of whole lines that cannot match
    bool local = false;   // the match lies inside the line after them
};

// Bytes of the first whole lines of [lines, lines + length) that each fit a piece, their
// line feed included (from each line's start on, a line feed lies within a piece's
// length): each is one piece, numbered as one line.
std::size_t LinesOfOnePiece(const char* lines, std::size_t length) {
    const char* p = lines;
    while (p < lines + length) {
        const std::size_t window =
            std::min(TextLines::kPieceBytes, static_cast<std::size_t>(lines + length - p));
        const void* last = ::memrchr(p, '\n', window);
        if (!last) break;
        p = static_cast<const char*>(last) + 1;
    }
    return static_cast<std::size_t>(p - lines);
}

LinesVerdict AskLines(char* lines, std::size_t length) {
    if (std::memchr(lines, 0, length) || LinesOfOnePiece(lines, length) != length) return {};
    char* const end = lines + length;
    const char saved = *end;
    *end = '\0';
    const bool found = RGrep(lines, &g_regex) > 0;
    *end = saved;
    if (!found) return {true, length, false};
    const char* const start = g_regex.matchStart[0];
    const char* const stop = g_regex.matchEnd[0];
    if (!start || !stop || start < lines || stop > end || stop < start) return {};
    const void* before = ::memrchr(lines, '\n', static_cast<std::size_t>(start - lines));
    const std::size_t skip =
        before ? static_cast<std::size_t>(static_cast<const char*>(before) + 1 - lines) : 0;
    const bool local = !std::memchr(start, '\n', static_cast<std::size_t>(stop - start));
    return {true, skip, local};
}

// Bytes of the whole lines [lines, lines + length) (each ending in a line feed) that can
// be passed over: those before the first that can hold a match (one with the run every
// match needs), as far as each is one piece.
std::size_t LinesBeforeCandidate(const char* lines, std::size_t length) {
    const char* at = RGrepCandidate(lines, lines + length, &g_regex);
    std::size_t before = length;
    if (at != lines + length) {
        const void* lineFeed = ::memrchr(lines, '\n', static_cast<std::size_t>(at - lines));
        before =
            lineFeed ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) + 1 - lines) : 0;
    }
    return LinesOfOnePiece(lines, before);
}

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
    char scratch[TextLines::kPieceBytes + 1];
    long lineNumber = 0;
    long reported = 0;
    const bool skipLines = o.kind == Kind::RegularExpression && !o.invert;
    const bool skipClean = skipLines && search::BlockPrefilterAllowed(o.pattern);
    long candidateAfter = 0; // where to look for the next line that can match
    bool lineStart = true;   // the next piece begins a line
    long settledUntil = 0;   // lines ahead before this offset were asked about already
    std::size_t askBytes = kAskBytes;
    int farReaching = 0; // matches over several lines in a row
    // Takes the first `bytes` of the whole lines read ahead as read, counting their lines.
    const auto passOver = [&](const char* lines, std::size_t bytes) {
        if (o.showLineNumber) lineNumber += std::count(lines, lines + bytes, '\n');
        file.Skip(bytes);
    };
    for (;;) {
        // A pattern whose matches keep reaching over lines (a closure like "a.*b") gains
        // nothing from asking ahead: its lines are then searched one by one.
        if (skipClean && lineStart && file.Offset() >= settledUntil && farReaching < 4) {
            std::size_t ahead = 0;
            char* lines = file.LinesAhead(askBytes, ahead);
            const LinesVerdict verdict = ahead > 0 ? AskLines(lines, ahead) : LinesVerdict{};
            if (verdict.skip > 0) passOver(lines, verdict.skip);
            const bool found = verdict.known && verdict.skip < ahead;
            farReaching = found && !verdict.local ? farReaching + 1 : 0;
            if (found && verdict.local) {
                // The line with the match is searched alone and the lines after it asked
                // about again.
                askBytes = std::clamp(2 * verdict.skip, kFewestAskBytes, kAskBytes);
                settledUntil = candidateAfter = file.Offset() + 1;
            } else {
                // Searched line by line: the lines read ahead (a match over several lines
                // would only be found again), or, none ending among them, the next line.
                askBytes = std::min(2 * askBytes, kAskBytes);
                settledUntil = file.Offset() + static_cast<long>(ahead - verdict.skip);
                if (verdict.known && verdict.skip == ahead) continue;
            }
        }
        // Lines without the run every match needs are passed over.
        if (skipLines && lineStart && file.Offset() >= candidateAfter) {
            std::size_t ahead = 0;
            char* lines = file.LinesAhead(kAskBytes, ahead);
            if (ahead > 0) {
                const std::size_t skip = LinesBeforeCandidate(lines, ahead);
                if (skip > 0) passOver(lines, skip);
                if (skip == ahead) continue;
                candidateAfter = file.Offset() + 1; // once the candidate's line is read
            }
        }
        std::size_t length = 0;
        char* const piece = file.NextPiece(scratch, length);
        if (length == 0) break;
        const bool lineFeed = piece[length - 1] == '\n';
        lineStart = lineFeed;
        ++lineNumber;
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
        // A piece read in place has no zero byte after it.
        if (piece != scratch) {
            std::memcpy(scratch, piece, length);
            scratch[length] = '\0';
        }
        answer.Add(scratch);
        answer.Print(out);
    }
    if (o.countOnly) {
        if (o.showName) std::fprintf(out, "%s:", path.c_str());
        std::fprintf(out, "%ld\n", reported);
    }
    return reported;
}

} // namespace mvf::cli
