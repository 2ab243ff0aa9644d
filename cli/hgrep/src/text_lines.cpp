#include "text_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace mvf::cli {

bool TextLines::Open(const std::string& path) {
    Close();
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_) return false;
    if (!Refill() && std::ferror(file_)) {
        const int why = errno;
        Close();
        errno = why;
        return false;
    }
    return true;
}

void TextLines::Close() {
    if (file_) std::fclose(file_);
    file_ = nullptr;
    begin_ = end_ = 0;
    offset_ = 0;
}

std::size_t TextLines::ReadPiece(char* piece) {
    std::size_t n = 0;
    while (file_ && n < kPieceBytes) {
        if (begin_ == end_ && !Refill()) break;
        // Up to the first line feed, in whole runs of the buffer.
        const unsigned char* from = buffer_.get() + begin_;
        const std::size_t room = std::min(end_ - begin_, kPieceBytes - n);
        const auto* lineFeed = static_cast<const unsigned char*>(std::memchr(from, '\n', room));
        const std::size_t take = lineFeed ? static_cast<std::size_t>(lineFeed - from) + 1 : room;
        std::memcpy(piece + n, from, take);
        n += take;
        Consume(take);
        if (lineFeed) {
            if (n >= 2 && piece[n - 2] == '\r') piece[--n - 1] = '\n';
            break;
        }
        // A carriage return that ends the run may pair with the next byte.
        if (piece[n - 1] == '\r' && Peek() == '\n') {
            Consume(1);
            piece[n - 1] = '\n';
            break;
        }
    }
    piece[n] = '\0';
    return n;
}

char* TextLines::NextPiece(char* scratch, std::size_t& length) {
    if (file_ && begin_ < end_) {
        char* from = reinterpret_cast<char*>(buffer_.get() + begin_);
        const std::size_t room = std::min(end_ - begin_, kPieceBytes);
        if (const void* lineFeed = std::memchr(from, '\n', room)) {
            const std::size_t n =
                static_cast<std::size_t>(static_cast<const char*>(lineFeed) - from) + 1;
            if (n < 2 || from[n - 2] != '\r') {
                Consume(n);
                length = n;
                return from;
            }
        }
    }
    length = ReadPiece(scratch);
    return scratch;
}

char* TextLines::LinesAhead(std::size_t most, std::size_t& length) {
    length = 0;
    if (!file_ || (begin_ == end_ && !Refill())) return nullptr;
    char* from = reinterpret_cast<char*>(buffer_.get() + begin_);
    if (const void* last = ::memrchr(from, '\n', std::min(most, end_ - begin_)))
        length = static_cast<std::size_t>(static_cast<const char*>(last) - from) + 1;
    return from;
}

bool TextLines::Refill() {
    begin_ = 0;
    end_ = std::fread(buffer_.get(), 1, kBufferBytes, file_);
    return end_ > 0;
}

int TextLines::Peek() {
    if (begin_ == end_ && !Refill()) return EOF;
    return buffer_[begin_];
}

void TextLines::Consume(std::size_t bytes) {
    begin_ += bytes;
    offset_ += static_cast<long>(bytes);
}

} // namespace mvf::cli
