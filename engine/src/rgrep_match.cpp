// The regular-expression search: the start strategies of the backtracking definition,
// with the compiler's analysis (when there is one) ruling out texts and start positions
// that cannot match before any attempt is made.
#include <cstring>

#include "internal.h"
#include "program.h"
#include "rgrep_analysis.h"
#include "rgrep_backtrack.h"
#include "rgrep_literal.h"

namespace mvf::engine {

namespace {

using namespace program;

// Two fixed-size clears the compiler turns into a few vector stores (a loop over both
// arrays became a string instruction that cost more than the rest of a short search).
void ClearBounds(RegexRecord* record) {
    std::memset(record->matchStart, 0, sizeof record->matchStart);
    std::memset(record->matchEnd, 0, sizeof record->matchEnd);
}

class Search {
public:
    // `seen`: where the analysis's filter run first occurs, when it was looked for.
    Search(RegexRecord* record, const match::Subject& subject, const analysis::Analysis* fast,
           const unsigned char* seen)
        : rec_(record), s_(subject), a_(fast), seen_(seen),
          bt_(record, subject, fast ? &match::ThreadMemo() : nullptr) {}

    // 1 found, 0 not found; every bound null after a failure.
    int Run() {
        if (Find()) return 1;
        if (bt_.WroteBounds()) ClearBounds(rec_);
        return 0;
    }

private:
    bool Attempt(const unsigned char* p) {
        bt_.Tick(1);
        if (bt_.Stopped()) return false;
        if (a_ && !prepared_ && a_->branchCount > 0) {
            bt_.Memory()->Prepare(*a_, static_cast<std::size_t>(s_.end - s_.start) + 1);
            prepared_ = true;
        }
        const unsigned char* end = bt_.Attempt(p);
        if (!end) return false;
        rec_->matchStart[0] = reinterpret_cast<const char*>(p);
        rec_->matchEnd[0] = reinterpret_cast<const char*>(end);
        return true;
    }

    bool Find() {
        const unsigned char first = rec_->program[0];
        if (first == BOL && !s_.LineMode()) return Attempt(s_.start); // the only start
        if (a_) {
            if (a_->endsWithEol && a_->width != analysis::kVariableWidth && !s_.LineMode())
                return EndsAtTheEnd(first);
            // One run was already looked for; several must also come in order.
            if (a_->runCount > 1 && !literal::AllInOrder(*a_, s_.start, s_.end, s_.fold))
                return false;
        }
        if (first == BOL) return LineStarts();
        if (a_ && a_->anchorRun != analysis::kNoRun) return AroundAnchor(a_->runs[a_->anchorRun]);
        return Everywhere();
    }

    // A fixed-width program that must end at the end of the text has one possible start.
    bool EndsAtTheEnd(unsigned char first) {
        if (s_.end - s_.start < a_->width) return false;
        const unsigned char* p = s_.end - a_->width;
        // The terminator is a start only in an empty text, and never for a CHR first.
        if (p == s_.end && (p != s_.start || first == CHR)) return false;
        return Attempt(p);
    }

    // At the start of the text, then after each run of line ends.
    bool LineStarts() {
        const unsigned char* p = s_.start;
        for (;;) {
            if (Attempt(p)) return true;
            if (bt_.Stopped()) return false;
            while (p < s_.end && !s_.LineEnd(*p)) ++p;
            while (p < s_.end && s_.LineEnd(*p)) ++p;
            if (p == s_.end) return false;
        }
    }

    // Every position before the terminator (the terminator itself only in an empty text);
    // a program starting with CHR cannot match where its first character is not.
    bool Everywhere() {
        const unsigned char* p = s_.start;
        if (p == s_.end) return rec_->program[0] != CHR && Attempt(p);
        const bool filter = a_ && a_->hasFirstSet;
        for (; p < s_.end; ++p) {
            if (filter && !analysis::BitOf(a_->firstSet, *p)) continue;
            if (Attempt(p)) return true;
            if (bt_.Stopped()) return false;
        }
        return false;
    }

    // Every match holds the run at a fixed distance from its start: only those starts.
    bool AroundAnchor(const analysis::Run& run) {
        const unsigned char* from = s_.start + run.prefixWidth;
        const bool known = seen_ && &run == &a_->runs[a_->filterRun] && seen_ >= from;
        for (bool first = true; from < s_.end; first = false) {
            const unsigned char* at =
                first && known ? seen_ : literal::Find(run, from, s_.end, s_.fold);
            if (!at) return false;
            if (Attempt(at - run.prefixWidth)) return true;
            if (bt_.Stopped()) return false;
            from = at + 1;
        }
        return false;
    }

    RegexRecord* rec_;
    match::Subject s_;
    const analysis::Analysis* a_;
    const unsigned char* seen_;
    match::Backtracker bt_;
    bool prepared_ = false; // the memo is set up for this search
};

// Everything after the quick refusals, kept out of line so that a text refused by the
// literal scan (most lines of most searches) costs no more than the scan.
[[gnu::noinline]] int SearchText(RegexRecord* record, const char* text, int options,
                                 const analysis::Analysis* a, const unsigned char* seen) {
    const auto* start = reinterpret_cast<const unsigned char*>(text);
    const match::Subject subject{start, start + std::strlen(text), record->caseSensitive == 0,
                                 (options & HGREP_OPT_LF_ENDS_LINE) != 0,
                                 (options & HGREP_OPT_CR_ENDS_LINE) != 0};
    return Search(record, subject, a, seen).Run();
}

} // namespace

} // namespace mvf::engine

extern "C" int RGrep(const char* text, RegexRecord* record) {
    using namespace mvf::engine;
    if (!record || record->state != 0) return -1;
    ClearBounds(record);
    if (record->program[0] == program::END) {
        record->state = HGREP_ERR_EMPTY_PROGRAM;
        return -1;
    }
    if (!text) return 0;
    const int options = OptionBits();
    const bool lineMode = (options & (HGREP_OPT_LF_ENDS_LINE | HGREP_OPT_CR_ENDS_LINE)) != 0;
    const auto* start = reinterpret_cast<const unsigned char*>(text);
    const bool fold = record->caseSensitive == 0;
    const analysis::Analysis* a = analysis::Of(record);
    if (a && !a->fast) a = nullptr;
    // A text without the literal the program needs fails before it is even measured
    // (unless the program can only end at the end of the text: then the literal has one
    // place, a fixed distance before the end).
    const unsigned char* seen = nullptr; // the first place of the filter run
    const bool endAnchored = a && a->endsWithEol && a->width != analysis::kVariableWidth;
    if (a && a->runCount > 0) {
        if (endAnchored && !lineMode) {
            const analysis::Run& run = a->runs[a->filterRun];
            const std::size_t length = std::strlen(text);
            if (length < a->width ||
                !literal::StartsWith(run, start + length - a->width + run.prefixWidth, fold))
                return 0;
        } else if (record->program[0] == program::BOL && !lineMode && a->runs[0].prefixWidth == 0) {
            if (!literal::StartsWith(a->runs[0], start, fold)) return 0;
        } else if (!(seen = literal::FirstIn(*a, start, fold))) {
            return 0;
        }
    }
    return SearchText(record, text, options, a, seen);
}

extern "C" const char* RGrepCandidate(const char* from, const char* end,
                                      const RegexRecord* record) {
    using namespace mvf::engine;
    if (!from || !end || end <= from || !record || record->state != 0) return from;
    const analysis::Analysis* a = analysis::Of(record);
    if (!a || !a->fast || a->runCount == 0) return from;
    const auto* begin = reinterpret_cast<const unsigned char*>(from);
    const auto* stop = reinterpret_cast<const unsigned char*>(end);
    const unsigned char* at =
        literal::Find(a->runs[a->filterRun], begin, stop, record->caseSensitive == 0);
    return at ? reinterpret_cast<const char*>(at) : end;
}
