#include "rgrep_literal.h"

#include <array>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mvfg::literal {

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
#if defined(__SSE2__)
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

// Reads the text in aligned 16-byte blocks, which never cross a page, so it may look at
// bytes after the terminator (never using them): the address sanitizer is told so.
__attribute__((no_sanitize("address"))) const unsigned char*
FirstIn(const analysis::Analysis& a, const unsigned char* text, bool fold) {
    const analysis::Run& run = a.runs[a.filterRun];
    // A match needs `rare` characters before the rare byte.
    for (int i = 0; i < run.rare; ++i) {
        if (!text[i]) return nullptr;
    }
#if defined(__SSE2__)
    const auto vector = [](const uint8_t* bytes) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
    };
    const __m128i want = vector(a.scanWant);
    const __m128i caseBit = vector(a.scanCase);
    // A second byte up to fifteen places later is checked in the same step, from an
    // unaligned load that stays within the next block (there while no terminator is seen).
    const int distance = run.pair - run.rare;
    const bool paired = distance > 0 && distance < 16;
    const __m128i want2 = vector(a.scanWant2);
    const __m128i caseBit2 = vector(a.scanCase2);
    const __m128i zero = _mm_setzero_si128();
    const unsigned char* p = text + run.rare;
    const auto* block = reinterpret_cast<const unsigned char*>(reinterpret_cast<std::uintptr_t>(p) &
                                                               ~std::uintptr_t{15});
    unsigned skip = static_cast<unsigned>(p - block); // lanes before p
    for (;; block += 16, skip = 0) {
        const __m128i v = _mm_load_si128(reinterpret_cast<const __m128i*>(block));
        const unsigned ends =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(v, zero))) >> skip << skip;
        __m128i match = _mm_cmpeq_epi8(_mm_or_si128(v, caseBit), want);
        if (paired && !ends) {
            const __m128i v2 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + distance));
            match = _mm_and_si128(match, _mm_cmpeq_epi8(_mm_or_si128(v2, caseBit2), want2));
        }
        unsigned hits = static_cast<unsigned>(_mm_movemask_epi8(match)) >> skip << skip;
        if (ends) hits &= (ends & -ends) - 1; // only hits before the terminator
        for (; hits; hits &= hits - 1) {
            const unsigned char* at = block + __builtin_ctz(hits) - run.rare;
            if (StartsWith(run, at, fold)) return at;
        }
        if (ends) return nullptr;
    }
#else
    const unsigned char c = run.bytes[run.rare];
    for (const unsigned char* p = text + run.rare; *p; ++p) {
        if (Same(c, *p, fold) && StartsWith(run, p - run.rare, fold)) return p - run.rare;
    }
    return nullptr;
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

} // namespace mvfg::literal
