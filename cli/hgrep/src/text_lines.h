// A file read as text in the pieces the library's file search reads: a carriage return
// directly before a line feed reads as the line feed alone, and a line longer than 1023
// bytes arrives in pieces of 1023 bytes.
#pragma once

#include <cstdio>
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

    // Bytes taken from the file so far.
    long Offset() const { return offset_; }

private:
    bool Refill();
    int Peek();
    void Consume(std::size_t bytes);

    std::FILE* file_ = nullptr;
    unsigned char buffer_[1 << 16];
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    long offset_ = 0;
};

} // namespace mvf::cli
