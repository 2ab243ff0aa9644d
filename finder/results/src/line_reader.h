// Reading a text file line by line in large blocks. CR LF, LF and CR each end a line.
#pragma once

#include <string>
#include <string_view>

namespace mvf::results::detail {

class LineReader {
public:
    // Longer lines stop the reading: no text file of ours holds one, and a large file of
    // another kind is not read whole into memory looking for a line end.
    static constexpr std::size_t kMaxLine = 16 << 20;

    explicit LineReader(int fd) : fd_(fd) {}
    // The next line without its line end; false at the end of the file, on a read error or
    // at a line longer than kMaxLine. The view lasts until the next call.
    bool Next(std::string_view& line);
    // The errno of a read that failed, or 0.
    int error() const { return error_; }
    bool tooLong() const { return tooLong_; }

private:
    bool Fill();

    int fd_;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool eof_ = false;
    bool skipLineFeed_ = false; // the last line ended with a CR at the end of a block
    int error_ = 0;
    bool tooLong_ = false;
};

} // namespace mvf::results::detail
