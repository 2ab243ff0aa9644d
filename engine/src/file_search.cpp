// The file search: one of the three searches run over a text file line by line, each call
// answering the next reported line with its prefixes, in the manner of a command-line grep.
// It works on the library's own records and keeps its state process-wide: one file at a
// time.
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>

#include "internal.h"

namespace mvf::engine {

namespace {

constexpr std::size_t kPieceBytes = 1023; // the longest piece of a line read at once
constexpr int kResultChars = 1023;        // the longest answer
constexpr long kBlockBytes = 512;

// A file read as text: a carriage return directly followed by a line feed reads as the
// line feed alone. Counts the bytes taken from the file, which the block numbers need.
class TextFile {
public:
    // False when the file cannot be opened or read (a folder, for one); errno says why.
    bool Open(const char* path) {
        Close();
        file_ = std::fopen(path, "rb");
        if (!file_) return false;
        if (!Refill() && std::ferror(file_)) {
            const int why = errno;
            Close();
            errno = why;
            return false;
        }
        return true;
    }

    void Close() {
        if (file_) std::fclose(file_);
        file_ = nullptr;
        begin_ = end_ = 0;
        offset_ = 0;
    }

    bool IsOpen() const { return file_ != nullptr; }

    // Reads the next piece of a line, line feed included, into `line` (room for
    // kPieceBytes and a terminator). Returns its length: 0 at the end of the file. A read
    // error ends the file as the end of the file would.
    int ReadPiece(char* line) {
        std::size_t n = 0;
        while (n < kPieceBytes) {
            if (begin_ == end_ && !Refill()) break;
            // Up to the first line feed, in whole runs of the buffer.
            const unsigned char* from = buffer_ + begin_;
            const std::size_t room = std::min(end_ - begin_, kPieceBytes - n);
            const void* lineFeed = std::memchr(from, '\n', room);
            const std::size_t take =
                lineFeed
                    ? static_cast<std::size_t>(static_cast<const unsigned char*>(lineFeed) - from) +
                          1
                    : room;
            std::memcpy(line + n, from, take);
            n += take;
            Consume(take);
            if (lineFeed) {
                // Only a pair ending at this line feed can be in the run.
                if (n >= 2 && line[n - 2] == '\r') line[--n - 1] = '\n';
                break;
            }
            // A carriage return that ends the run may pair with the next byte.
            if (line[n - 1] == '\r' && Peek() == '\n') {
                Consume(1);
                line[n - 1] = '\n';
                break;
            }
        }
        line[n] = '\0';
        return static_cast<int>(n);
    }

    // Bytes taken from the file so far.
    long Offset() const { return offset_; }

private:
    bool Refill() {
        begin_ = 0;
        end_ = std::fread(buffer_, 1, sizeof buffer_, file_);
        return end_ > 0;
    }
    int Peek() {
        if (begin_ == end_ && !Refill()) return EOF;
        return buffer_[begin_];
    }
    void Consume(std::size_t bytes) {
        begin_ += bytes;
        offset_ += static_cast<long>(bytes);
    }

    std::FILE* file_ = nullptr;
    unsigned char buffer_[1 << 16];
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    long offset_ = 0;
};

struct Flags {
    int showName = 0;
    int showBlock = 0;
    int showLineNo = 0;
    int countOnly = 0;
    int skipResult = 0;
};

Flags g_flags;
TextFile g_file;
const char* g_name = nullptr; // the caller's string, not a copy
long g_lineNumber = 0;
long g_reported = 0;
char g_line[kPieceBytes + 1];
char g_result[kResultChars + 1];

// Appends to the answer what still fits of `text`.
class Answer {
public:
    Answer() { g_result[0] = '\0'; }
    void Add(const char* text) {
        while (*text && length_ < kResultChars) g_result[length_++] = *text++;
        g_result[length_] = '\0';
    }
    void AddNumber(long n) {
        char digits[32];
        std::snprintf(digits, sizeof digits, "%ld:", n);
        Add(digits);
    }

private:
    int length_ = 0;
};

const char* NextLine(int (*search)(const char*)) {
    Answer answer;
    if (!g_file.IsOpen()) return nullptr;
    for (;;) {
        if (!g_file.ReadPiece(g_line)) return nullptr;
        ++g_lineNumber;
        if (search(g_line) == g_flags.skipResult) continue;
        ++g_reported;
        if (g_flags.countOnly) continue;
        if (g_flags.showName) {
            answer.Add(g_name);
            answer.Add(":");
        }
        // The block that holds the line's last byte.
        if (g_flags.showBlock) answer.AddNumber((g_file.Offset() - 1) / kBlockBytes);
        if (g_flags.showLineNo) answer.AddNumber(g_lineNumber);
        answer.Add(g_line);
        return g_result;
    }
}

} // namespace

} // namespace mvf::engine

extern "C" {

int SFileSetFlags(int showName, int showBlock, int showLineNo, int countOnly, int skipResult) {
    mvf::engine::g_flags = {showName, showBlock, showLineNo, countOnly, skipResult};
    return SAGrepInit();
}

int SFileOpen(const char* path) {
    using namespace mvf::engine;
    g_file.Close();
    if (!path || !g_file.Open(path)) return 0;
    g_name = path;
    g_lineNumber = 0;
    g_reported = 0;
    return 1;
}

const char* SFileSGrep(void) {
    return mvf::engine::NextLine(&SSGrep);
}
const char* SFileAGrep(void) {
    return mvf::engine::NextLine(&SAGrep);
}
const char* SFileRGrep(void) {
    return mvf::engine::NextLine(&SRGrep);
}

int SFileClose(void) {
    using namespace mvf::engine;
    g_file.Close();
    SAGrepEmpty();
    return g_reported < INT_MAX ? static_cast<int>(g_reported) : INT_MAX;
}

} // extern "C"
