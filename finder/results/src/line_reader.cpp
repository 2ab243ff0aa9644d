#include "line_reader.h"

#include <unistd.h>

#include <cerrno>

namespace mvf::results::detail {
namespace {
constexpr std::size_t kBlock = 1 << 20;
}

// Keeps the unread rest of the buffer and appends the next block after it.
bool LineReader::Fill() {
    buffer_.erase(0, pos_);
    pos_ = 0;
    const std::size_t kept = buffer_.size();
    buffer_.resize(kept + kBlock);
    for (;;) {
        const ssize_t got = read(fd_, buffer_.data() + kept, kBlock);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) error_ = errno;
        buffer_.resize(kept + (got > 0 ? static_cast<std::size_t>(got) : 0));
        if (got <= 0) eof_ = true;
        return got > 0;
    }
}

bool LineReader::Next(std::string_view& line) {
    for (;;) {
        if (skipLineFeed_ && pos_ < buffer_.size()) {
            if (buffer_[pos_] == '\n') ++pos_;
            skipLineFeed_ = false;
        }
        std::size_t end = pos_;
        while (end < buffer_.size() && buffer_[end] != '\n' && buffer_[end] != '\r') ++end;
        if (end < buffer_.size()) {
            line = std::string_view(buffer_).substr(pos_, end - pos_);
            pos_ = end + 1;
            if (buffer_[end] == '\r') {
                if (pos_ < buffer_.size()) {
                    if (buffer_[pos_] == '\n') ++pos_;
                } else {
                    skipLineFeed_ = true;
                }
            }
            return true;
        }
        if (buffer_.size() - pos_ > kMaxLine) {
            tooLong_ = true;
            return false;
        }
        if (eof_ || !Fill()) {
            if (error_ != 0 || pos_ >= buffer_.size()) return false;
            // The last line has no line end.
            line = std::string_view(buffer_).substr(pos_);
            pos_ = buffer_.size();
            return true;
        }
    }
}

} // namespace mvf::results::detail
