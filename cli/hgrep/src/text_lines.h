// A file read as text in the pieces the library's file search reads: a carriage return
// directly before a line feed reads as the line feed alone, and a line longer than 1023
// bytes arrives in pieces of 1023 bytes.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

namespace mvf::cli {

class TextLines {
public:
    static constexpr std::size_t kPieceBytes = 1023;

    TextLines() = default;
    ~TextLines() { Close(); }
    TextLines(const TextLines&) = delete;
    TextLines& operator=(const TextLines&) = delete;

    // False when the file cannot be opened or read (a folder, for one); errno says why.
    bool Open(const std::string& path);
    void Close();

    // The next piece, its line feed included, into `piece` (room for kPieceBytes and a
    // terminator). Its length; 0 at the end of the file, or after a read error.
    std::size_t ReadPiece(char* piece);

    // The next piece as ReadPiece gives it, but where it lies whole in the read-ahead (a
    // line feed ends it and no carriage return pairs with that) in place there, without a
    // copy; otherwise copied into `scratch`. Its bytes may be changed and put back until
    // the next call; in place, no zero byte follows them.
    char* NextPiece(char* scratch, std::size_t& length);

    // Bytes taken from the file so far.
    long Offset() const { return offset_; }

    // The bytes read ahead, from the current position to the last line feed among their
    // first `most` (reading ahead when nothing is): whole lines when the position is a
    // line's start. `length` is 0 when no line feed is among them. The byte after them
    // may be changed until the next call.
    char* LinesAhead(std::size_t most, std::size_t& length);
    // Takes `bytes` of LinesAhead as read.
    void Skip(std::size_t bytes) { Consume(bytes); }

private:
    bool Refill();
    int Peek();
    void Consume(std::size_t bytes);

    static constexpr std::size_t kBufferBytes = std::size_t{256} * 1024;

    std::FILE* file_ = nullptr;
    // Read ahead, and one byte more to borrow after the last.
    std::unique_ptr<unsigned char[]> buffer_{new unsigned char[kBufferBytes + 1]};
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    long offset_ = 0;
};

} // namespace mvf::cli
