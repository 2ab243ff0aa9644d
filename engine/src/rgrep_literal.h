// Finding the literal runs a match must contain, the matcher's cheapest way to say "no".
#pragma once

#include "rgrep_analysis.h"

namespace mvf::engine::literal {

inline unsigned char Lower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + 32) : c;
}
inline bool IsLetter(unsigned char c) {
    return Lower(c) >= 'a' && Lower(c) <= 'z';
}

// A CHR element's comparison: exact, or ASCII letters in either case when folding.
inline bool Same(unsigned char pattern, unsigned char text, bool fold) {
    return fold ? Lower(pattern) == Lower(text) : pattern == text;
}

// How common a byte is in ordinary text and source code (higher is more common); the
// scan looks for the rarest byte of a run.
int Frequency(unsigned char c);

// The first position in [from, end) where the run starts, or nullptr.
const unsigned char* Find(const analysis::Run& run, const unsigned char* from,
                          const unsigned char* end, bool fold);

// Sixteen copies of `c` as the scan compares it, and the bit that folds a text byte onto
// it (both for the analysis to keep).
void PrepareScan(unsigned char c, bool fold, uint8_t want[16], uint8_t caseBit[16]);

// The first place of the analysis's filter run in the zero-terminated text, or nullptr;
// found without measuring the text first, the cheapest "no" for a text that lacks it.
const unsigned char* FirstIn(const analysis::Analysis& a, const unsigned char* text, bool fold);

// The same scan in blocks of `width` bytes (16, or 32 where WideScanAvailable()), which
// FirstIn chooses by itself; for tests that hold every width to the same answers.
const unsigned char* FirstInBlocksOf(unsigned width, const analysis::Analysis& a,
                                     const unsigned char* text, bool fold);
bool WideScanAvailable();

// Whether the zero-terminated text begins with the run (reads no further than its end).
bool StartsWith(const analysis::Run& run, const unsigned char* text, bool fold);

// Whether every run occurs in [from, end), each after the end of the one before.
bool AllInOrder(const analysis::Analysis& a, const unsigned char* from, const unsigned char* end,
                bool fold);

} // namespace mvf::engine::literal
