#include "rgrep_literal.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace mvfg::literal {

namespace {

// Rough frequencies (per mille) of lower-case letters in English text.
constexpr unsigned char kLetterFrequency[26] = {82, 15, 28, 43, 127, 22, 20, 61, 70, 2,  8, 40, 24,
                                                67, 75, 19, 1,  60,  63, 91, 28, 10, 24, 2, 20, 1};

// The first byte in [p, end) that is `lower` or its upper case (`lower` is a letter).
const unsigned char* FindEitherCase(const unsigned char* p, const unsigned char* end,
                                    unsigned char lower) {
#if defined(__SSE2__)
    // Setting bit 5 maps exactly the two cases of a letter onto its lower case.
    const __m128i caseBit = _mm_set1_epi8(0x20);
    const __m128i want = _mm_set1_epi8(static_cast<char>(lower));
    while (end - p >= 16) {
        const __m128i v = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const int mask = _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_or_si128(v, caseBit), want));
        if (mask) return p + __builtin_ctz(static_cast<unsigned>(mask));
        p += 16;
    }
#endif
    for (; p < end; ++p) {
        if ((*p | 0x20) == lower) return p;
    }
    return nullptr;
}

bool RunAt(const analysis::Run& run, const unsigned char* at, bool fold) {
    if (!fold) return std::memcmp(at, run.bytes, run.length) == 0;
    for (int i = 0; i < run.length; ++i) {
        if (!Same(run.bytes[i], at[i], true)) return false;
    }
    return true;
}

} // namespace

int Frequency(unsigned char c) {
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

const unsigned char* Find(const analysis::Run& run, const unsigned char* from,
                          const unsigned char* end, bool fold) {
    const std::ptrdiff_t length = run.length;
    if (end - from < length) return nullptr;
    const unsigned char rare = run.bytes[run.rare];
    const bool eitherCase = fold && IsLetter(rare);
    // Candidates for the rare byte, so that the whole run still fits before `end`.
    const unsigned char* scan = from + run.rare;
    const unsigned char* scanEnd = end - length + run.rare + 1;
    while (scan < scanEnd) {
        const auto* hit = eitherCase ? FindEitherCase(scan, scanEnd, Lower(rare))
                                     : static_cast<const unsigned char*>(std::memchr(
                                           scan, rare, static_cast<std::size_t>(scanEnd - scan)));
        if (!hit) return nullptr;
        const unsigned char* at = hit - run.rare;
        if (RunAt(run, at, fold)) return at;
        scan = hit + 1;
    }
    return nullptr;
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
