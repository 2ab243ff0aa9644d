#include "byte_scans.h"

#include <cstdint>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mvf::search {

namespace {

#if defined(__SSE2__)
// Bit i set when byte i of the 16 at `at` is printable: (byte - 32) as unsigned <= 94.
inline std::uint32_t PrintableMask16(const char* at) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    const __m128i shifted = _mm_sub_epi8(bytes, _mm_set1_epi8(32));
    const __m128i inRange = _mm_cmpeq_epi8(_mm_min_epu8(shifted, _mm_set1_epi8(94)), shifted);
    return static_cast<std::uint32_t>(_mm_movemask_epi8(inRange));
}
#endif

// The start of the printable bytes that end [from, end), or `end`.
const char* TrailingRun(const char* from, const char* end) {
    const char* start = end;
    while (start > from && IsPrintable(start[-1])) --start;
    return start;
}

} // namespace

void LineEnds::Load(const char* from) {
    base_ = from;
    blockEnd_ = end_ - from >= 64 ? from + 64 : end_;
    mask_ = 0;
    const char* p = from;
#if defined(__SSE2__)
    if (blockEnd_ - from == 64) {
        const __m128i lineFeed = _mm_set1_epi8('\n');
        const __m128i carriageReturn = _mm_set1_epi8('\r');
        for (int part = 0; part < 4; ++part, p += 16) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
            const auto ends = static_cast<std::uint32_t>(_mm_movemask_epi8(_mm_or_si128(
                _mm_cmpeq_epi8(bytes, lineFeed), _mm_cmpeq_epi8(bytes, carriageReturn))));
            mask_ |= std::uint64_t{ends} << (16 * part);
        }
        return;
    }
#endif
    for (int i = 0; p < blockEnd_; ++p, ++i)
        if (*p == '\n' || *p == '\r') mask_ |= std::uint64_t{1} << i;
}

const char* NextNonPrintable(const char* from, const char* end) {
    const char* p = from;
#if defined(__SSE2__)
    for (; end - p >= 16; p += 16) {
        const std::uint32_t other = ~PrintableMask16(p) & 0xFFFFu;
        if (other) return p + __builtin_ctz(other);
    }
#endif
    while (p < end && IsPrintable(*p)) ++p;
    return p;
}

const char* NextPrintableRun(const char* from, const char* end, std::size_t length) {
    const char* p = from;
#if defined(__SSE2__)
    // 32 bytes give a run start for each of the first 32 - (length - 1) positions.
    const int window = 32 - static_cast<int>(length - 1);
    const std::uint32_t windowStarts = window == 32 ? ~0u : (1u << window) - 1;
    for (; end - p >= 32; p += window) {
        std::uint32_t starts = PrintableMask16(p) | (PrintableMask16(p + 16) << 16);
        const std::uint32_t mask = starts;
        for (std::size_t i = 1; i < length; ++i) starts &= mask >> i;
        starts &= windowStarts;
        // A run that began before p (inside the previous window) is found there, so
        // the first start here is the start of its run.
        if (starts) return p + __builtin_ctz(starts);
    }
#endif
    for (std::size_t inRow = 0; p < end; ++p) {
        inRow = IsPrintable(*p) ? inRow + 1 : 0;
        if (inRow == length) return p + 1 - length;
    }
    return TrailingRun(from, end);
}

} // namespace mvf::search
