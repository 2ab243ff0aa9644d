// The regular-expression search: the start strategies of the backtracking definition,
// with the compiler's analysis (when there is one) ruling out texts and start positions
// that cannot match before any attempt is made.
#include <cstring>

#include "internal.h"
#include "program.h"
#include "rgrep_analysis.h"
#include "rgrep_backtrack.h"
#include "rgrep_literal.h"

namespace mvfg {

// Start of the text of the current search; process-wide, like the rest of the state.
const char* g_textStart = nullptr;

namespace {

using namespace program;

match::Memo g_memo;

void ClearBounds(RegexRecord* record) {
    for (int n = 0; n < MVFG_BOUNDS; ++n) record->matchStart[n] = record->matchEnd[n] = nullptr;
}

class Search {
public:
    Search(RegexRecord* record, const match::Subject& subject, const analysis::Analysis* fast)
        : rec_(record), s_(subject), a_(fast), bt_(record, subject, fast ? &g_memo : nullptr) {}

    // 1 found, 0 not found; every bound null after a failure.
    int Run() {
        if (Find()) return 1;
        if (bt_.WroteBounds()) ClearBounds(rec_);
        return 0;
    }

private:
    bool Attempt(const unsigned char* p) {
        const unsigned char* end = bt_.Attempt(p);
        if (!end) return false;
        rec_->matchStart[0] = reinterpret_cast<const char*>(p);
        rec_->matchEnd[0] = reinterpret_cast<const char*>(end);
        return true;
    }

    bool Find() {
        const unsigned char first = rec_->program[0];
        if (a_) g_memo.Prepare(*a_, static_cast<std::size_t>(s_.end - s_.start) + 1);
        if (first == BOL && !s_.LineMode()) return Attempt(s_.start); // one attempt is cheapest
        if (a_ && !literal::AllInOrder(*a_, s_.start, s_.end, s_.fold)) return false;
        if (first == BOL) return LineStarts();
        if (a_ && a_->anchorRun != analysis::kNoRun) return AroundAnchor(a_->runs[a_->anchorRun]);
        return Everywhere();
    }

    // At the start of the text, then after each run of line ends.
    bool LineStarts() {
        const unsigned char* p = s_.start;
        for (;;) {
            if (Attempt(p)) return true;
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
        }
        return false;
    }

    // Every match holds the run at a fixed distance from its start: only those starts.
    bool AroundAnchor(const analysis::Run& run) {
        const unsigned char* from = s_.start + run.prefixWidth;
        while (from < s_.end) {
            const unsigned char* at = literal::Find(run, from, s_.end, s_.fold);
            if (!at) return false;
            if (Attempt(at - run.prefixWidth)) return true;
            from = at + 1;
        }
        return false;
    }

    RegexRecord* rec_;
    match::Subject s_;
    const analysis::Analysis* a_;
    match::Backtracker bt_;
};

} // namespace

} // namespace mvfg

extern "C" int RGrep(const char* text, RegexRecord* record) {
    using namespace mvfg;
    if (!record || record->state != 0) return -1;
    g_textStart = text;
    ClearBounds(record);
    if (record->program[0] == program::END) {
        record->state = HGREP_ERR_EMPTY_PROGRAM;
        return -1;
    }
    if (!text) return 0;
    const int options = OptionBits();
    const auto* start = reinterpret_cast<const unsigned char*>(text);
    const match::Subject subject{start, start + std::strlen(text), record->caseSensitive == 0,
                                 (options & HGREP_OPT_LF_ENDS_LINE) != 0,
                                 (options & HGREP_OPT_CR_ENDS_LINE) != 0};
    const analysis::Analysis* a = analysis::Of(record);
    return Search(record, subject, a && a->fast ? a : nullptr).Run();
}
