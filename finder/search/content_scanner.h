// The two content scans of one file with the expression the pattern engine holds: the
// text scan line by line, the binary scan run by run of printable characters.
//
// Each line (or run) is handed to the engine in place: the byte after it is replaced by
// the terminating zero for the call and put back afterwards, so no line is copied and
// the bytes stay as read (a boolean search scans the same bytes again for its next
// alternative). A carriage return, a line feed, or the pair of them end a line; a byte
// 26 (Ctrl+Z) ends the text; a byte 0 ends the text the engine sees of its line. Lines,
// and printable runs of 5 characters or more, are searched whole; one longer than
// kLinePiece is searched in consecutive pieces of that size. Runs continue across read
// blocks and the last run of a file is tested.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "finder/search/search_control.h"

namespace mvf::search {

inline constexpr std::size_t kReadBlock = 256 * 1024;
inline constexpr std::size_t kLinePiece = 1024 * 1024;
inline constexpr std::size_t kMinimumRun = 5;

enum class ScanResult { Match, NoMatch, Stopped };

// An open file whose first block has been read into the scanner's block area.
struct FileContent {
    int fd = -1;
    std::size_t firstLength = 0; // bytes of the first block
    bool complete = false;       // the first block is the whole file
    bool firstIntact = true;     // the block area still holds the first block
};

class ContentScanner {
public:
    ContentScanner();

    // Where the first block of a file goes: room for kReadBlock bytes.
    char* BlockArea() { return buffer_.get() + kLinePiece; }

    // Reads the first block of `fd` into the block area, up to `wanted` bytes (at most
    // kReadBlock). With `toEnd` it reads until the block is full or the file ends, so
    // that `complete` tells; otherwise one read suffices (classification only).
    FileContent ReadFirstBlock(int fd, std::size_t wanted, bool toEnd);

    // Scans `file` with the compiled expression. Further blocks are read at their
    // offsets; the first block is read again when an earlier scan overwrote it. The text
    // scan checks `control` before each line, the binary scan before each block; a stop
    // ends the scan with Stopped.
    ScanResult ScanText(FileContent& file, SearchControl& control);
    ScanResult ScanBinary(FileContent& file, SearchControl& control);

private:
    class Chunks;
    std::unique_ptr<char[]> buffer_; // [carried tail: kLinePiece][block: kReadBlock][pad]
};

}  // namespace mvf::search
