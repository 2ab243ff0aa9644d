// The compile-time analysis of a program: which fast paths may run it, the literal runs
// every match contains, the bytes a match can begin with, and where failures may be
// remembered. Everything here is a necessary condition of the backtracking definition;
// nothing changes an answer.
#include "rgrep_analysis.h"

#include <cstring>

#include "program.h"
#include "rgrep_literal.h"

namespace mvf::engine::analysis {

namespace {

using namespace program;

constexpr int kNoIndex = -1;

inline void Add(uint8_t* set, unsigned c) {
    set[c >> 3] = static_cast<uint8_t>(set[c >> 3] | (1u << (c & 7)));
}

// A single-character atom the matcher can run: no CHR 0 and no class holding 0 (either
// would match the end of the text).
bool AtomUnderstood(const unsigned char* atom) {
    switch (atom[0]) {
    case CHR: return atom[1] != 0;
    case ANY: return true;
    case CCL: return !SetHas(atom + 1, 0);
    case NCL: return true;
    }
    return false;
}

// Adds the bytes the atom matches, byte 0 never included; `fold` for a CHR element of its
// own in a case-insensitive record (a repeated CHR compares exactly). Works on whole set
// bytes: the compiler may run this for every line a host searches.
void AddAtom(uint8_t* set, const unsigned char* atom, bool fold) {
    switch (atom[0]) {
    case CHR:
        Add(set, atom[1]);
        if (fold && literal::IsLetter(atom[1])) Add(set, atom[1] ^ 0x20u);
        break;
    case ANY:
    case CCL:
    case NCL:
        for (int i = 0; i < kSetBytes; ++i) {
            const uint8_t member = atom[0] == ANY   ? 0xff
                                   : atom[0] == CCL ? atom[1 + i]
                                                    : static_cast<uint8_t>(~atom[1 + i]);
            set[i] = static_cast<uint8_t>(set[i] | member);
        }
        break;
    }
    set[0] = static_cast<uint8_t>(set[0] & ~1u);
}

class Builder {
public:
    Builder(const unsigned char* program, bool caseSensitive, Analysis& a)
        : prog_(program), fold_(!caseSensitive), a_(a) {}

    // Bytes of the program, END included, once Run has understood it; 0 otherwise.
    std::size_t Length() const { return a_.fast ? length_ : 0; }

    void Run() {
        a_.caseSensitive = fold_ ? 0 : 1;
        a_.anchorRun = kNoRun;
        if (!Walk()) return; // fast stays 0: the plain backtracker runs it
        RestsAtRunEnds();
        FirstSet();
        ChooseAnchor();
        a_.fast = 1;
    }

private:
    // One pass over the elements: validation, runs, branches, back-references.
    bool Walk() {
        int lastBot[MVFG_BOUNDS], lastEot[MVFG_BOUNDS];
        for (int n = 0; n < MVFG_BOUNDS; ++n) lastBot[n] = lastEot[n] = kNoIndex;
        int branchAt[256];
        int branches = 0;
        // For each back-reference: where its group's start and end are set, and where it is.
        int refBot[MVFG_PROGRAM_SIZE];
        int refEot[MVFG_PROGRAM_SIZE];
        int refGroup[MVFG_PROGRAM_SIZE];
        int refAt[MVFG_PROGRAM_SIZE];
        int refs = 0;
        std::size_t at = 0;
        for (int index = 0;; ++index) {
            if (at >= MVFG_PROGRAM_SIZE) return false;
            const unsigned char* p = prog_ + at;
            const std::size_t size = ElementSize(p);
            if (at + size > MVFG_PROGRAM_SIZE) return false;
            switch (p[0]) {
            case END:
                CloseRun();
                length_ = at + 1;
                break;
            case CHR:
                if (!AtomUnderstood(p)) return false;
                Literal(p[1]);
                break;
            case ANY:
            case CCL:
            case NCL:
                if (!AtomUnderstood(p)) return false;
                CloseRun();
                if (width_ != kVariableWidth) ++width_;
                break;
            case BOL:
            case EOL:
            case BOW:
            case EOW: break;
            case BOT:
            case EOT:
                if (p[1] < 1 || p[1] >= MVFG_BOUNDS) return false;
                (p[0] == BOT ? lastBot : lastEot)[p[1]] = index;
                break;
            case REF: {
                const int n = p[1];
                if (n < 1 || n >= MVFG_BOUNDS) return false;
                // A group still open (or never closed) is read with bounds left by earlier
                // attempts: only the plain backtracker reproduces that.
                if (lastBot[n] == kNoIndex || lastEot[n] == kNoIndex) return false;
                refBot[refs] = lastBot[n];
                refEot[refs] = lastEot[n];
                refGroup[refs] = n;
                refAt[refs++] = index;
                CloseRun();
                width_ = kVariableWidth;
                break;
            }
            case CLO:
            case OPT:
                if (!AtomUnderstood(p + 1) || p[size - 1] != END || branches == 255) return false;
                branchPc_[branches] = p;
                branchAt[branches++] = index;
                CloseRun();
                width_ = kVariableWidth;
                break;
            default: return false;
            }
            if (p[0] == END) break;
            previousOp_ = p[0];
            at += size;
        }
        a_.branchCount = static_cast<uint8_t>(branches);
        a_.width = width_;
        a_.endsWithEol = previousOp_ == EOL;
        // Each group has one start and one end in the program; a bound set after the
        // branch is set again on every way to the reference, so only those set before it
        // carry anything into what follows it.
        for (int b = 0; b < branches; ++b) {
            uint32_t read = 0;
            for (int r = 0; r < refs; ++r) {
                if (refAt[r] < branchAt[b]) continue;
                if (refBot[r] < branchAt[b]) read |= uint32_t{1} << (refGroup[r] - 1);
                if (refEot[r] < branchAt[b]) read |= uint32_t{1} << (refGroup[r] + 8);
            }
            a_.readBounds[b] = read;
        }
        return true;
    }

    // The closures whose rest must begin with a character their atom never matches.
    void RestsAtRunEnds() {
        for (unsigned b = 0; b < a_.branchCount; ++b) {
            const unsigned char* p = branchPc_[b];
            const unsigned char* next = p[0] == CLO ? FirstConsumer(p + ElementSize(p)) : nullptr;
            if (!next) continue;
            uint8_t mine[kSetBytes] = {}, theirs[kSetBytes] = {};
            AddAtom(mine, p + 1, false);
            AddAtom(theirs, next, fold_);
            bool disjoint = true;
            for (int i = 0; i < kSetBytes; ++i) disjoint = disjoint && !(mine[i] & theirs[i]);
            if (disjoint) Add(a_.restAtRunEnd, b);
        }
    }

    void Literal(unsigned char c) {
        if (!runOpen_) {
            runOpen_ = true;
            current_ = {};
            current_.prefixWidth = width_;
        }
        if (current_.length < kMaxRunBytes) current_.bytes[current_.length++] = c;
        if (width_ != kVariableWidth) ++width_;
    }

    void CloseRun() {
        if (!runOpen_) return;
        runOpen_ = false;
        if (a_.runCount == kMaxRuns) return;
        int score[kMaxRunBytes];
        for (int i = 0; i < current_.length; ++i) score[i] = Score(current_.bytes[i]);
        int best = 0;
        for (int i = 1; i < current_.length; ++i) {
            if (score[i] < score[best]) best = i;
        }
        current_.rare = static_cast<uint8_t>(best);
        // The second byte: the rarest of the next fifteen (the text scan checks it in the
        // same step when it follows), else the rarest of the others.
        int pair = best;
        for (int i = 0; i < current_.length; ++i) {
            const bool after = i > best && i - best < 16;
            const bool pairAfter = pair > best && pair - best < 16;
            if (i == best || (pairAfter && !after)) continue;
            if (pair == best || (after && !pairAfter) || score[i] < score[pair]) pair = i;
        }
        current_.pair = static_cast<uint8_t>(pair);
        a_.runs[a_.runCount++] = current_;
    }

    // The cost of scanning for a byte: how common it is, in both cases when folded.
    int Score(unsigned char c) const {
        if (fold_ && literal::IsLetter(c)) {
            const unsigned char lower = literal::Lower(c);
            return literal::Frequency(lower) + literal::Frequency(lower - 32);
        }
        return literal::Frequency(c);
    }

    // The bytes a match can begin with, when some element must consume one.
    void FirstSet() {
        for (const unsigned char* p = prog_;; p += ElementSize(p)) {
            if (ZeroWidth(p[0])) continue;
            switch (p[0]) {
            case CLO:
            case OPT: AddAtom(a_.firstSet, p + 1, false); continue;
            case CHR:
            case ANY:
            case CCL:
            case NCL: {
                AddAtom(a_.firstSet, p, fold_);
                bool full = a_.firstSet[0] == 0xfe;
                for (int i = 1; i < kSetBytes; ++i) full = full && a_.firstSet[i] == 0xff;
                a_.hasFirstSet = full ? 0 : 1;
                return;
            }
            default: return; // END or REF: a match may begin anywhere
            }
        }
    }

    // The run cheapest to scan for rules texts out; the fixed-offset run cheapest to scan
    // for gives the start candidates.
    void ChooseAnchor() {
        for (int i = 1; i < a_.runCount; ++i) {
            const analysis::Run& r = a_.runs[i];
            const analysis::Run& f = a_.runs[a_.filterRun];
            if (Score(r.bytes[r.rare]) < Score(f.bytes[f.rare]))
                a_.filterRun = static_cast<uint8_t>(i);
        }
        int best = -1;
        for (int i = 0; i < a_.runCount; ++i) {
            const analysis::Run& r = a_.runs[i];
            if (r.prefixWidth == kVariableWidth) continue;
            if (best < 0) {
                best = i;
                continue;
            }
            const analysis::Run& b = a_.runs[best];
            const int rs = Score(r.bytes[r.rare]), bs = Score(b.bytes[b.rare]);
            if (rs < bs || (rs == bs && r.length > b.length)) best = i;
        }
        if (best >= 0) a_.anchorRun = static_cast<uint8_t>(best);
    }

    const unsigned char* prog_;
    bool fold_;
    Analysis& a_;
    uint16_t width_ = 0; // characters consumed so far when fixed, else kVariableWidth
    bool runOpen_ = false;
    unsigned char previousOp_ = END;
    std::size_t length_ = 0;
    const unsigned char* branchPc_[256]; // the CLO and OPT elements, in program order
    analysis::Run current_{};
};

} // namespace

bool ZeroWidth(unsigned char op) {
    switch (op) {
    case BOL:
    case EOL:
    case BOW:
    case EOW:
    case BOT:
    case EOT: return true;
    }
    return false;
}

const unsigned char* FirstConsumer(const unsigned char* pc) {
    for (; ZeroWidth(pc[0]); pc += ElementSize(pc)) {
    }
    switch (pc[0]) {
    case CHR:
    case ANY:
    case CCL:
    case NCL: return pc;
    }
    return nullptr;
}

namespace {

// The last program analysed, kept because a host may compile the same pattern for every
// line it searches: then the analysis is a copy.
struct Last {
    std::size_t length = 0; // 0: none
    uint8_t caseSensitive = 0;
    unsigned char program[MVFG_PROGRAM_SIZE];
    Analysis analysis;
};
Last g_last;

} // namespace

void Analyse(RegexRecord* record) {
    const uint8_t caseSensitive = record->caseSensitive != 0;
    if (g_last.length && g_last.caseSensitive == caseSensitive &&
        std::memcmp(g_last.program, record->program, g_last.length) == 0) {
        std::memcpy(record->analysis, &g_last.analysis, sizeof(Analysis));
        return;
    }
    std::memset(record->analysis, 0, sizeof(Analysis));
    Analysis& a = *std::launder(reinterpret_cast<Analysis*>(record->analysis));
    Builder builder(record->program, caseSensitive, a);
    builder.Run();
    if (a.runCount > 0) {
        const Run& run = a.runs[a.filterRun];
        literal::PrepareScan(run.bytes[run.rare], !caseSensitive, a.scanWant, a.scanCase);
        literal::PrepareScan(run.bytes[run.pair], !caseSensitive, a.scanWant2, a.scanCase2);
    }
    a.magic = kMagic;
    g_last.length = builder.Length();
    g_last.caseSensitive = caseSensitive;
    std::memcpy(g_last.program, record->program, g_last.length);
    std::memcpy(&g_last.analysis, &a, sizeof(Analysis));
}

} // namespace mvf::engine::analysis
