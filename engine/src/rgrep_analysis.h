// What the compiler learns about a program for the matcher's fast paths, kept in the
// record's private `analysis` area. All zero means "no analysis": the matcher then runs
// the plain backtracker, so a record that never went through CompileRGrep still works.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>

#include "mvfindgrep.h"

namespace mvf::engine::analysis {

constexpr uint32_t kMagic = 0x52414e33; // "RAN3"; bump when the layout changes
constexpr int kMaxRuns = 8;
constexpr int kMaxRunBytes = 32;
constexpr uint16_t kVariableWidth = 0xffff;
constexpr uint8_t kNoRun = 0xff;

// A run of literal characters every match contains, in program order.
struct Run {
    uint8_t length;       // 1..kMaxRunBytes (longer runs keep their first bytes)
    uint8_t rare;         // index of the byte to scan for
    uint16_t prefixWidth; // characters every match has before the run; kVariableWidth
    uint8_t pair;         // index of a second byte checked with it (== rare for one byte)
    uint8_t bytes[kMaxRunBytes];
};

struct Analysis {
    uint32_t magic;        // kMagic when filled in
    uint8_t caseSensitive; // the case mode the runs and the first set were built for
    uint8_t fast;          // 0: only the plain backtracker may run this program
    uint8_t branchCount;   // CLO and OPT elements
    uint8_t hasFirstSet;   // firstSet holds every byte a match can begin with
    uint8_t runCount;
    uint8_t anchorRun;   // the run whose occurrences give the start candidates; kNoRun
    uint8_t endsWithEol; // the last element is EOL
    uint8_t filterRun;   // the run cheapest to look for in the whole text
    uint16_t width;      // characters every match has, or kVariableWidth
    // For branch b, the group bounds set before it that a back-reference after it reads:
    // bit n - 1 for the start of group n, bit n + 8 for its end. What follows branch b
    // depends only on the text position and on these bounds, so a failure there can be
    // remembered for as long as they hold the same values (0: for the whole search).
    uint32_t readBounds[256];
    // Bit b: the element that must match where the rest after closure b starts never
    // matches the closure's own atom, so the rest can only start where the run ends.
    uint8_t restAtRunEnd[32];
    uint8_t firstSet[32];
    Run runs[kMaxRuns];
    // The filter run's scan, made once: its rare byte and the byte paired with it, each as
    // sixteen copies (a letter in lower case when folding) and the bit that folds a letter
    // of the text onto that case (0x20 for a letter when folding, else 0).
    uint8_t scanWant[16];
    uint8_t scanCase[16];
    uint8_t scanWant2[16];
    uint8_t scanCase2[16];
};

static_assert(sizeof(Analysis) <= MVFG_ANALYSIS_SIZE);
static_assert(alignof(Analysis) <= 4 && offsetof(RegexRecord, analysis) % 4 == 0);

// Whether an element only tests or records a position, consuming nothing.
bool ZeroWidth(unsigned char op);

// The element that must consume the next character when the program goes on at `pc`
// (only zero-width elements before it), or nullptr when a repetition, a back-reference or
// the end comes first.
const unsigned char* FirstConsumer(const unsigned char* pc);

// Fills record->analysis from the record's program and case mode (the compiler calls it
// after a successful compile). A program it does not understand gets fast = 0.
void Analyse(RegexRecord* record);

// The analysis for this record as it is now, or nullptr when there is none or it was
// made for another case mode.
inline const Analysis* Of(const RegexRecord* record) {
    const auto* a = std::launder(reinterpret_cast<const Analysis*>(record->analysis));
    if (a->magic != kMagic || a->caseSensitive != (record->caseSensitive != 0)) return nullptr;
    return a;
}

inline bool BitOf(const uint8_t* bits, unsigned n) {
    return (bits[n >> 3] >> (n & 7)) & 1;
}

} // namespace mvf::engine::analysis
