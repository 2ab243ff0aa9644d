// Reading a text file line by line in large blocks. CR LF, LF and CR each end a line.
#pragma once

#include <string>
#include <string_view>

namespace mvf::detail {

class LineReader {
public:
    explicit LineReader(int fd) : fd_(fd) {}
    // The next line without its line end; false at the end of the file or on a read error.
    // The view lasts until the next call.
    bool Next(std::string_view& line);
    // The errno of a read that failed, or 0.
    int error() const { return error_; }

private:
    bool Fill();

    int fd_;
    std::string buffer_;
    std::size_t pos_ = 0;
    bool eof_ = false;
    bool skipLineFeed_ = false; // the last line ended with a CR at the end of a block
    int error_ = 0;
};

} // namespace mvf::detail
