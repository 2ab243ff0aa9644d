// The two content scans of one file with the expression the pattern engine holds: the
// text scan line by line, the binary scan run by run of printable characters.
//
// Each line (or run) is handed to the engine in place: the byte after it is replaced by
// the terminating zero for the call and put back afterwards, so no line is copied and
// the bytes stay as read (a boolean search scans the same bytes again for its next
// alternative). A carriage return, a line feed, or the pair of them end a line; a byte
// 26 (Ctrl+Z) ends the text; a byte 0 ends the text the engine sees of its line. Lines,
// and printable runs of 5 characters or more, are searched whole, however many read
// blocks they span; only one longer than kLinePiece (256 MiB, which bounds the memory a
// scan takes) is searched in consecutive pieces of that size, where a match across a
// cut is not seen. Runs continue across read blocks and the last run of a file is
// tested. Every way through a file (the block prefilter, line by line, piece by piece)
// gives the answers of this rule.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "finder/search/search_control.h"

namespace mvf::search {

inline constexpr std::size_t kReadBlock = 256 * 1024;
inline constexpr std::size_t kLinePiece = 256 * 1024 * 1024;
inline constexpr std::size_t kMinimumRun = 5;

// The sizes a scanner works with. Tests make them small, so that lines across many blocks
// and lines longer than a piece take a few bytes instead of hundreds of megabytes.
struct ScanSizes {
    std::size_t readBlock = kReadBlock;
    std::size_t linePiece = kLinePiece;
};

enum class ScanResult { Match, NoMatch, Stopped };

// Whether the text scan may first ask the engine about a whole block of lines, and skip
// every line of a block in which it finds nothing. That is exact when a match inside a
// line is also a match inside any longer text around it: the matcher tries every start,
// every repetition count and sees the same characters, and the line ends it sees instead
// of the end of the text are no word characters. Only the anchors look at the ends of
// the text (a leading "^", a trailing "$"), and a back-reference could make a long text
// slow, so expressions with either are scanned line by line only.
bool BlockPrefilterAllowed(std::string_view expression);

// An open file and its first block, read by whoever opened it.
struct FileContent {
    int fd = -1;
    char* first = nullptr;       // the first block; the byte after it may be borrowed
    std::size_t firstLength = 0; // bytes of the first block
    bool complete = false;       // the first block is the whole file
};

// Room for the first block of a file: kReadBlock bytes and one to borrow after them.
class FirstBlock {
public:
    FirstBlock();

    // Reads the first block of `fd`, up to `wanted` bytes (at most kReadBlock). With
    // `toEnd` it reads until the block is full or the file ends, so that `complete`
    // tells; otherwise one read suffices (classification only).
    FileContent Read(int fd, std::size_t wanted, bool toEnd);

private:
    std::unique_ptr<char[]> bytes_;
};

class ContentScanner {
public:
    explicit ContentScanner(ScanSizes sizes = {});

    // Scans `file` with the compiled expression, from its first block on; further
    // blocks are read at their offsets into the scanner's own buffer, so the first
    // block stays as it was and the next alternative can scan it again. The text scan
    // checks `control` before each line, the binary scan before each block; a stop ends
    // the scan with Stopped. With `blockPrefilter` (see BlockPrefilterAllowed) the text
    // scan goes line by line only through blocks where the engine finds something.
    ScanResult ScanText(const FileContent& file, SearchControl& control,
                        bool blockPrefilter = false);
    ScanResult ScanBinary(const FileContent& file, SearchControl& control);

private:
    class Chunks;
    // Room for `bytes` (and the pad) at the start of the buffer, keeping its first `kept`
    // bytes. The buffer grows only for a line that spans several blocks.
    char* Reserve(std::size_t bytes, std::size_t kept);
    // Gives back what a long line took, once its file is done.
    void Shrink();

    ScanSizes sizes_;
    std::unique_ptr<char[]> buffer_; // [unfinished line][block just read][pad]
    std::size_t capacity_ = 0;       // bytes of buffer_ before the pad
};

} // namespace mvf::search
