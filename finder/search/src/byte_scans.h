// Scans over file bytes, 16 or 32 bytes at a time where the processor allows: line ends
// in text, and runs of printable characters (32 to 126) in binary data, of which
// compressed and executable files hold few worth searching.
#pragma once

#include <cstddef>
#include <cstdint>

namespace mvf::search {

inline bool IsPrintable(char c) {
    return c >= 32 && c <= 126;
}

// The line ends (carriage returns and line feeds) of a range, found 64 bytes at a time:
// each byte is compared once, and each line costs one bit scan.
class LineEnds {
public:
    LineEnds(const char* begin, const char* end) : blockEnd_(begin), end_(end) {}

    // The first line end at or after `from` (not before the last one returned), or end.
    const char* Next(const char* from) {
        for (;;) {
            if (from >= blockEnd_) {
                if (from >= end_) return end_;
                Load(from);
            }
            const std::uint64_t ahead = mask_ & (~std::uint64_t{0} << (from - base_));
            if (ahead) return base_ + __builtin_ctzll(ahead);
            from = blockEnd_;
        }
    }

private:
    void Load(const char* from); // the block of up to 64 bytes at `from`

    const char* base_ = nullptr;
    const char* blockEnd_;
    const char* end_;
    std::uint64_t mask_ = 0; // bit i: base_[i] ends a line
};

// The first byte in [from, end) that is not printable, or `end`.
const char* NextNonPrintable(const char* from, const char* end);

// The first position in [from, end) that starts `length` printable bytes in a row, all
// before `end`. When there is none: the start of the printable bytes that end the range
// (a run that may go on beyond it), or `end` when the range ends in a non-printable
// byte. `from` must not be inside a run (it follows a non-printable byte or starts the
// data). `length` is at most 8.
const char* NextPrintableRun(const char* from, const char* end, std::size_t length);

} // namespace mvf::search
