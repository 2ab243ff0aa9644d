#include "rgrep_literal.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace mvf::engine::literal {

namespace {

// Rough frequencies (per mille) of lower-case letters in English text.
constexpr unsigned char kLetterFrequency[26] = {82, 15, 28, 43, 127, 22, 20, 61, 70, 2,  8, 40, 24,
                                                67, 75, 19, 1,  60,  63, 91, 28, 10, 24, 2, 20, 1};

bool RunAt(const analysis::Run& run, const unsigned char* at, bool fold) {
    if (!fold) return std::memcmp(at, run.bytes, run.length) == 0;
    for (int i = 0; i < run.length; ++i) {
        if (!Same(run.bytes[i], at[i], true)) return false;
    }
    return true;
}

constexpr int RoughFrequency(unsigned char c) {
    if (c >= 'a' && c <= 'z') return kLetterFrequency[c - 'a'] + 20;
    if (c >= 'A' && c <= 'Z') return kLetterFrequency[c - 'A'] / 4 + 10;
    if (c >= '0' && c <= '9') return 30;
    switch (c) {
    case ' ': return 200;
    case '\t':
    case '\n':
    case '_':
    case '(':
    case ')':
    case ',':
    case '.':
    case ';':
    case '*':
    case '=':
    case '-':
    case '/': return 40;
    case '"':
    case '#':
    case '<':
    case '>':
    case ':':
    case '{':
    case '}':
    case '\'':
    case '&':
    case '[':
    case ']': return 15;
    }
    return c < 0x80 && c >= 0x20 ? 8 : 2;
}

constexpr std::array<uint8_t, 256> kFrequency = [] {
    std::array<uint8_t, 256> table{};
    for (int c = 0; c < 256; ++c)
        table[c] = static_cast<uint8_t>(RoughFrequency(static_cast<unsigned char>(c)));
    return table;
}();

} // namespace

int Frequency(unsigned char c) {
    return kFrequency[c];
}

const unsigned char* Find(const analysis::Run& run, const unsigned char* from,
                          const unsigned char* end, bool fold) {
    const std::ptrdiff_t length = run.length;
    if (end - from < length) return nullptr;
    const unsigned char* last = end - length; // the last start where the run fits
    const unsigned rare = run.rare, pair = run.pair;
    const unsigned char c1 = run.bytes[rare], c2 = run.bytes[pair];
    const bool fold1 = fold && IsLetter(c1), fold2 = fold && IsLetter(c2);
    if (rare == pair && !fold1) {
        // One byte to look for: the C library's scan is the fastest there is.
        for (const unsigned char* scan = from + rare; scan <= last + rare; ++scan) {
            scan = static_cast<const unsigned char*>(
                std::memchr(scan, c1, static_cast<std::size_t>(last + rare + 1 - scan)));
            if (!scan) return nullptr;
            if (RunAt(run, scan - rare, fold)) return scan - rare;
        }
        return nullptr;
    }
    const unsigned char* x = from;
#if defined(__x86_64__)
    // Sixteen candidate starts at a time, each needing both chosen bytes; setting bit 5
    // maps exactly the two cases of a letter onto its lower case.
    const unsigned far = rare > pair ? rare : pair;
    const __m128i want1 = _mm_set1_epi8(static_cast<char>(fold1 ? Lower(c1) : c1));
    const __m128i want2 = _mm_set1_epi8(static_cast<char>(fold2 ? Lower(c2) : c2));
    const __m128i case1 = _mm_set1_epi8(fold1 ? 0x20 : 0);
    const __m128i case2 = _mm_set1_epi8(fold2 ? 0x20 : 0);
    while (end - x >= static_cast<std::ptrdiff_t>(far) + 16) {
        const __m128i v1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + rare));
        const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(x + pair));
        unsigned mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(v1, case1), want1),
                                            _mm_cmpeq_epi8(_mm_or_si128(v2, case2), want2))));
        for (; mask; mask &= mask - 1) {
            const unsigned char* at = x + __builtin_ctz(mask);
            if (at > last) return nullptr;
            if (RunAt(run, at, fold)) return at;
        }
        x += 16;
    }
#endif
    for (; x <= last; ++x) {
        if (Same(c1, x[rare], fold) && Same(c2, x[pair], fold) && RunAt(run, x, fold)) return x;
    }
    return nullptr;
}

void PrepareScan(unsigned char c, bool fold, uint8_t want[16], uint8_t caseBit[16]) {
    const bool eitherCase = fold && IsLetter(c);
    std::memset(want, eitherCase ? Lower(c) : c, 16);
    std::memset(caseBit, eitherCase ? 0x20 : 0, 16);
}

#if defined(__x86_64__)
namespace {

// The scan's block operations at two widths, so that the scan is written once; the wider
// one is used where the processor has it (decided once, at load time). They hand back
// only bit masks, one bit per byte, so no vector crosses a call between code built for
// different processors. None is instrumented: the scan reads whole aligned blocks, past
// the terminator (see ScanFirst).
struct Sse2 {
    static constexpr unsigned kWidth = 16;
    // The bytes that are zero.
    __attribute__((always_inline, no_sanitize("address"))) static unsigned
    Zeros(const unsigned char* p) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128())));
    }
    // The bytes equal to `want` once `caseBit` is set in them.
    __attribute__((always_inline, no_sanitize("address"))) static unsigned
    Equal(const uint8_t* want, const uint8_t* caseBit, const unsigned char* p) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(caseBit));
        const __m128i w = _mm_loadu_si128(reinterpret_cast<const __m128i*>(want));
        return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(v, c), w)));
    }
};

struct Avx2 {
    static constexpr unsigned kWidth = 32;
    __attribute__((target("avx2"), no_sanitize("address"))) static unsigned
    Zeros(const unsigned char* p) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        return static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(v, _mm256_setzero_si256())));
    }
    __attribute__((target("avx2"), no_sanitize("address"))) static unsigned
    Equal(const uint8_t* want, const uint8_t* caseBit, const unsigned char* p) {
        const __m256i v = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i c =
            _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(caseBit)));
        const __m256i w =
            _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(want)));
        return static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(_mm256_or_si256(v, c), w)));
    }
};

// Reads the text in aligned blocks, which never cross a page, so it may look at bytes
// around the text (never using them): the address sanitizer is told so.
template <class Ops>
__attribute__((always_inline, no_sanitize("address"))) inline const unsigned char*
ScanFirst(const analysis::Analysis& a, const unsigned char* text, bool fold) {
    constexpr unsigned width = Ops::kWidth;
    const analysis::Run& run = a.runs[a.filterRun];
    // A second byte up to fifteen places later is checked in the same step. Until the
    // terminator's block it comes from an unaligned load that stays within the next block
    // (there while no terminator is seen); in that block a hit needs its second byte
    // before the terminator, so the block itself holds it.
    const int distance = run.pair - run.rare;
    const bool paired = distance > 0 && distance < 16;
    // Scanning from the text's own block, not from its rare byte, needs no look at the
    // bytes before that: a hit too early to hold the run before it is simply passed over.
    // NOLINTNEXTLINE(performance-no-int-to-ptr): aligned loads need the aligned address.
    const auto* block = reinterpret_cast<const unsigned char*>(
        reinterpret_cast<std::uintptr_t>(text) & ~std::uintptr_t{width - 1});
    unsigned skip = static_cast<unsigned>(text - block); // lanes before the text
    for (;; block += width, skip = 0) {
        const unsigned ends = Ops::Zeros(block) >> skip << skip;
        unsigned hits = Ops::Equal(a.scanWant, a.scanCase, block) >> skip << skip;
        if (!ends) {
            if (paired) hits &= Ops::Equal(a.scanWant2, a.scanCase2, block + distance);
        } else {
            const unsigned before = (ends & -ends) - 1; // lanes before the terminator
            hits &= before;
            if (paired) hits &= (Ops::Equal(a.scanWant2, a.scanCase2, block) & before) >> distance;
        }
        for (; hits; hits &= hits - 1) {
            const unsigned char* at = block + __builtin_ctz(hits) - run.rare;
            if (at >= text && StartsWith(run, at, fold)) return at;
        }
        if (ends) return nullptr;
    }
}

__attribute__((flatten, no_sanitize("address"))) const unsigned char*
FirstSse2(const analysis::Analysis& a, const unsigned char* text, bool fold) {
    return ScanFirst<Sse2>(a, text, fold);
}

__attribute__((flatten, no_sanitize("address"), target("avx2"))) const unsigned char*
FirstAvx2(const analysis::Analysis& a, const unsigned char* text, bool fold) {
    return ScanFirst<Avx2>(a, text, fold);
}

const bool g_avx2 = [] {
    __builtin_cpu_init(); // may run before the C library's own start-up
    return __builtin_cpu_supports("avx2") != 0;
}();

} // namespace
#endif

namespace {

// The byte-at-a-time scan, where there are no vectors.
const unsigned char* FirstInBytes(const analysis::Analysis& a, const unsigned char* text,
                                  bool fold) {
    const analysis::Run& run = a.runs[a.filterRun];
    for (int i = 0; i < run.rare; ++i) {
        if (!text[i]) return nullptr;
    }
    const unsigned char c = run.bytes[run.rare];
    for (const unsigned char* p = text + run.rare; *p; ++p) {
        if (Same(c, *p, fold) && StartsWith(run, p - run.rare, fold)) return p - run.rare;
    }
    return nullptr;
}

} // namespace

const unsigned char* FirstIn(const analysis::Analysis& a, const unsigned char* text, bool fold) {
#if defined(__x86_64__)
    return g_avx2 ? FirstAvx2(a, text, fold) : FirstSse2(a, text, fold);
#else
    return FirstInBytes(a, text, fold);
#endif
}

const unsigned char* FirstInBlocksOf(unsigned width, const analysis::Analysis& a,
                                     const unsigned char* text, bool fold) {
#if defined(__x86_64__)
    if (width == 32 && g_avx2) return FirstAvx2(a, text, fold);
    if (width == 16) return FirstSse2(a, text, fold);
#endif
    return FirstInBytes(a, text, fold);
}

bool WideScanAvailable() {
#if defined(__x86_64__)
    return g_avx2;
#else
    return false;
#endif
}

bool StartsWith(const analysis::Run& run, const unsigned char* text, bool fold) {
    // The run holds no zero byte, so the text's terminator ends the comparison.
    for (int i = 0; i < run.length; ++i) {
        if (!Same(run.bytes[i], text[i], fold)) return false;
    }
    return true;
}

bool AllInOrder(const analysis::Analysis& a, const unsigned char* from, const unsigned char* end,
                bool fold) {
    for (int i = 0; i < a.runCount; ++i) {
        const unsigned char* at = Find(a.runs[i], from, end, fold);
        if (!at) return false;
        from = at + a.runs[i].length;
    }
    return true;
}

} // namespace mvf::engine::literal
