#include "finder/search/content_scanner.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

#include "mvfindgrep.h"

#include "byte_scans.h"

namespace mvf::search {

namespace {

constexpr std::size_t kPad = 64;
constexpr char kCtrlZ = 26;

// Reads up to `count` bytes at `offset`; 0 at the end of the file. A read error counts
// as the end of the file: the scan then ends at what was read.
std::size_t ReadAt(int fd, char* into, std::size_t count, std::int64_t offset) {
    std::size_t got = 0;
    while (got < count) {
        const ssize_t n =
            ::pread(fd, into + got, count - got, offset + static_cast<std::int64_t>(got));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        got += static_cast<std::size_t>(n);
    }
    return got;
}

// One engine call on [begin, end): the byte at `end` becomes the terminator for the call.
bool Matches(RegexRecord& record, char* begin, char* end) {
    const char saved = *end;
    *end = 0;
    const int found = RGrep(begin, &record);
    *end = saved;
    return found == 1;
}

// A line or run: whole, or in consecutive pieces of `piece` bytes.
bool MatchesInPieces(RegexRecord& record, char* begin, char* end, std::size_t piece) {
    while (static_cast<std::size_t>(end - begin) > piece) {
        if (Matches(record, begin, begin + piece)) return true;
        begin += piece;
    }
    return Matches(record, begin, end);
}

bool HasLineEnd(const char* begin, const char* end) {
    const auto length = static_cast<std::size_t>(end - begin);
    return std::memchr(begin, '\n', length) || std::memchr(begin, '\r', length);
}

// The last line end (line feed or carriage return) of [begin, end), or nullptr.
char* LastLineEnd(char* begin, const char* end) {
    const auto length = static_cast<std::size_t>(end - begin);
    const void* lf = ::memrchr(begin, '\n', length);
    const void* cr = ::memrchr(begin, '\r', length);
    return static_cast<char*>(const_cast<void*>(std::max(lf, cr)));
}

// The start of the line of [p, end) that holds `at` (at < end), passing over the whole
// lines before it.
char* LineStartOf(char* p, const char* at, const char* end) {
    char* last = LastLineEnd(p, at);
    if (!last) return p;
    // The line feed of a carriage return and line feed ends the same line.
    return last + (*last == '\r' && last + 1 < end && last[1] == '\n' ? 2 : 1);
}

// What one engine search of a chunk [begin, end) of whole lines, taken as one text, tells
// about its lines (for an expression BlockPrefilterAllowed takes, and lines not cut into
// pieces). A match that lies inside one finished line is that line's match. A match
// anywhere else still tells where to begin: the engine tries the starts from left to
// right, and a match inside an earlier line would have been a match of the chunk
// starting there, so no line before the one holding the match's start can match. A zero
// byte would hide what follows it from the engine, so such a chunk gets no verdict.
enum class Verdict { None, Nothing, Match, From };

Verdict AskChunk(RegexRecord& record, char* begin, char* end, bool textEnds, char*& from) {
    const auto length = static_cast<std::size_t>(end - begin);
    if (length == 0 || std::memchr(begin, 0, length)) return Verdict::None;
    if (!Matches(record, begin, end)) return Verdict::Nothing;
    char* const start = const_cast<char*>(record.matchStart[0]);
    char* const stop = const_cast<char*>(record.matchEnd[0]);
    if (!start || !stop || start < begin || stop > end || stop < start) return Verdict::None;
    // The line is finished when a line end follows the match in the chunk, or the text
    // ends with the chunk.
    if (!HasLineEnd(start, stop) && (textEnds || HasLineEnd(stop, end))) return Verdict::Match;
    from = LineStartOf(begin, start, end);
    return Verdict::From;
}

// Just past the last line end of [begin, end), or `begin` when there is none; notes
// whether that line end is a carriage return whose line feed may start the next chunk.
char* AfterLastLineEnd(char* begin, char* end, bool& skipLineFeed) {
    char* last = LastLineEnd(begin, end);
    if (!last) return begin;
    skipLineFeed = *last == '\r' && last + 1 == end;
    return last + 1;
}

} // namespace

bool BlockPrefilterAllowed(std::string_view expression) {
    if (expression.empty() || expression.front() == '^' || expression.back() == '$') return false;
    for (std::size_t i = 0; i + 1 < expression.size(); ++i) {
        if (expression[i] == '\\') {
            if (expression[i + 1] >= '1' && expression[i + 1] <= '9') return false;
            ++i; // an escaped backslash escapes nothing after it
        }
    }
    return true;
}

// The file's bytes as contiguous chunks: first the first block where it lies; then the
// unfinished line or run of the previous chunk at the start of the scanner's buffer, with
// the next block read behind it. A line that goes on over many blocks stays where it is
// while block after block is read behind it, so it is moved once however long it grows.
class ContentScanner::Chunks {
public:
    Chunks(ContentScanner& scanner, const FileContent& file)
        : scanner_(scanner), file_(file), data_(file.first), length_(file.firstLength),
          fresh_(file.first), freshLength_(file.firstLength),
          offset_(static_cast<std::int64_t>(file.firstLength)), end_(file.complete) {}
    ~Chunks() { scanner_.Shrink(); }
    Chunks(const Chunks&) = delete;
    Chunks& operator=(const Chunks&) = delete;

    // Keeps [tail, End()) and reads the next block behind it.
    void Next(char* tail) {
        const std::size_t block = scanner_.sizes_.readBlock;
        const auto tailLength = static_cast<std::size_t>(End() - tail);
        char* buffer = scanner_.buffer_.get();
        const bool inBuffer = buffer && tail >= buffer && tail <= buffer + scanner_.capacity_;
        if (inBuffer && tail != buffer) std::memmove(buffer, tail, tailLength);
        char* area = scanner_.Reserve(tailLength + block, inBuffer ? tailLength : 0);
        if (!inBuffer) std::memcpy(area, tail, tailLength);
        const std::size_t got = ReadAt(file_.fd, area + tailLength, block, offset_);
        offset_ += static_cast<std::int64_t>(got);
        end_ = got == 0;
        data_ = area;
        length_ = tailLength + got;
        fresh_ = area + tailLength;
        freshLength_ = got;
    }

    // Ends the text before the first Ctrl+Z among the bytes just read.
    void CutAtCtrlZ() {
        if (const void* z = std::memchr(fresh_, kCtrlZ, freshLength_)) {
            length_ = static_cast<std::size_t>(static_cast<const char*>(z) - data_);
            freshLength_ = length_ - static_cast<std::size_t>(fresh_ - data_);
            end_ = true;
        }
    }

    // Whether the bytes just read end a line.
    bool FreshEndsALine() const {
        return std::memchr(fresh_, '\n', freshLength_) || std::memchr(fresh_, '\r', freshLength_);
    }

    char* Data() const { return data_; }
    char* End() const { return data_ + length_; }
    bool AtEnd() const { return end_; }

private:
    ContentScanner& scanner_;
    const FileContent& file_;
    char* data_;
    std::size_t length_;
    char* fresh_;
    std::size_t freshLength_;
    std::int64_t offset_;
    bool end_;
};

ContentScanner::ContentScanner(ScanSizes sizes) : sizes_(sizes) {}

char* ContentScanner::Reserve(std::size_t bytes, std::size_t kept) {
    if (bytes <= capacity_) return buffer_.get();
    // Doubling keeps a long line's growth linear; a line never needs more than a piece
    // and a block.
    const std::size_t most = std::max(bytes, sizes_.linePiece + sizes_.readBlock);
    const std::size_t capacity =
        std::min(std::max({bytes, 2 * capacity_, 2 * sizes_.readBlock}), most);
    std::unique_ptr<char[]> grown(new char[capacity + kPad]);
    if (kept > 0) std::memcpy(grown.get(), buffer_.get(), kept);
    buffer_ = std::move(grown);
    capacity_ = capacity;
    return buffer_.get();
}

void ContentScanner::Shrink() {
    if (capacity_ <= 4 * sizes_.readBlock) return;
    buffer_.reset();
    capacity_ = 0;
}

FirstBlock::FirstBlock() : bytes_(new char[kReadBlock + kPad]) {}

FileContent FirstBlock::Read(int fd, std::size_t wanted, bool toEnd) {
    wanted = std::min(wanted, kReadBlock);
    FileContent file;
    file.fd = fd;
    file.first = bytes_.get();
    for (;;) {
        const ssize_t n = ::read(fd, file.first + file.firstLength, wanted - file.firstLength);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            file.complete = true;
            break;
        }
        file.firstLength += static_cast<std::size_t>(n);
        if (!toEnd || file.firstLength == wanted) break;
    }
    return file;
}

ScanResult ContentScanner::ScanText(const FileContent& file, RegexRecord& record,
                                    SearchControl& control, bool blockPrefilter) {
    const std::size_t piece = sizes_.linePiece;
    Chunks chunks(*this, file);
    bool skipLineFeed = false; // a carriage return ended the previous chunk
    for (;;) {
        chunks.CutAtCtrlZ();
        char* p = chunks.Data();
        char* const end = chunks.End();
        if (skipLineFeed && p < end) {
            if (*p == '\n') ++p;
            skipLineFeed = false;
        }
        // A line is searched once it has ended (or filled a piece): while the bytes just
        // read end no line, the next block is read behind them.
        if (!chunks.AtEnd() && static_cast<std::size_t>(end - p) < piece &&
            !chunks.FreshEndsALine()) {
            if (!control.Proceed()) return ScanResult::Stopped;
            chunks.Next(p);
            continue;
        }
        if (blockPrefilter && !control.Proceed()) return ScanResult::Stopped;
        // Lines without the run every match needs are passed over. Clean: no line and no
        // piece of this chunk can match, only its unfinished last line goes on, into the
        // next chunk.
        const char* candidate = RGrepCandidate(p, end, &record);
        bool clean = candidate == end;
        if (!clean) {
            p = LineStartOf(p, candidate, end);
            // The verdict on the rest of the chunk as one text speaks for its lines only
            // while none of them is cut into pieces, each a text of its own.
            char* from = p;
            const Verdict verdict = blockPrefilter && static_cast<std::size_t>(end - p) <= piece
                                        ? AskChunk(record, p, end, chunks.AtEnd(), from)
                                        : Verdict::None;
            if (verdict == Verdict::Match) return ScanResult::Match;
            clean = verdict == Verdict::Nothing;
            p = from;
        }
        LineEnds lineEnds(p, end);
        while (!clean) {
            if (p > candidate) {
                candidate = RGrepCandidate(p, end, &record);
                clean = candidate == end;
                if (clean) break;
                p = LineStartOf(p, candidate, end);
            }
            char* lineEnd = const_cast<char*>(lineEnds.Next(p));
            if (lineEnd == end) break;
            if (!control.Proceed()) return ScanResult::Stopped;
            if (MatchesInPieces(record, p, lineEnd, piece)) return ScanResult::Match;
            if (*lineEnd == '\r') {
                if (lineEnd + 1 == end)
                    skipLineFeed = true;
                else if (lineEnd[1] == '\n')
                    ++lineEnd;
            }
            p = lineEnd + 1;
        }
        if (clean) p = AfterLastLineEnd(p, end, skipLineFeed);
        if (chunks.AtEnd()) {
            if (p == end || clean) return ScanResult::NoMatch;
            if (!control.Proceed()) return ScanResult::Stopped;
            return MatchesInPieces(record, p, end, piece) ? ScanResult::Match : ScanResult::NoMatch;
        }
        // An unfinished line longer than a piece gives up its full pieces now.
        while (static_cast<std::size_t>(end - p) > piece) {
            if (!control.Proceed()) return ScanResult::Stopped;
            if (Matches(record, p, p + piece)) return ScanResult::Match;
            p += piece;
        }
        chunks.Next(p);
    }
}

ScanResult ContentScanner::ScanBinary(const FileContent& file, RegexRecord& record,
                                      SearchControl& control) {
    const std::size_t piece = sizes_.linePiece;
    Chunks chunks(*this, file);
    std::size_t searchedOfRun = 0; // bytes of the current run already searched in pieces
    for (;;) {
        if (!control.Proceed()) return ScanResult::Stopped;
        char* run = chunks.Data(); // a carried tail is the start of a run
        char* const end = chunks.End();
        for (;;) {
            char* const runEnd = const_cast<char*>(NextNonPrintable(run, end));
            if (runEnd == end) break; // the run may go on in the next block
            const std::size_t length = searchedOfRun + static_cast<std::size_t>(runEnd - run);
            if (runEnd > run && length >= kMinimumRun &&
                MatchesInPieces(record, run, runEnd, piece))
                return ScanResult::Match;
            searchedOfRun = 0;
            run = const_cast<char*>(NextPrintableRun(runEnd + 1, end, kMinimumRun));
        }
        if (chunks.AtEnd()) {
            const bool last =
                end > run && searchedOfRun + static_cast<std::size_t>(end - run) >= kMinimumRun;
            return last && MatchesInPieces(record, run, end, piece) ? ScanResult::Match
                                                                    : ScanResult::NoMatch;
        }
        while (static_cast<std::size_t>(end - run) > piece) {
            if (Matches(record, run, run + piece)) return ScanResult::Match;
            run += piece;
            searchedOfRun += piece;
        }
        chunks.Next(run);
    }
}

} // namespace mvf::search
