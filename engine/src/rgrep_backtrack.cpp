#include "rgrep_backtrack.h"

#include <cstring>
#include <memory>

#include "program.h"
#include "rgrep_literal.h"
#include "wordchars.h"

namespace mvf::engine::match {

thread_local std::size_t g_restTries = 0;

Memo& ThreadMemo() {
    // Threads that never backtrack with an analysis never pay for a memo.
    thread_local std::unique_ptr<Memo> memo;
    if (!memo) memo = std::make_unique<Memo>();
    return *memo;
}

namespace {

using namespace program;

inline bool Word(unsigned char c) {
    return IsWordChar(c);
}

} // namespace

// Elements are interpreted in program order; a repetition hands the rest of the program
// to Repeat, which tries it at each position the repetition can reach.
const unsigned char* Backtracker::Run(const unsigned char* pc, const unsigned char* p,
                                      unsigned branch) {
    const unsigned char* const start = s_.start;
    const unsigned char* const end = s_.end;
    for (;;) {
        switch (pc[0]) {
        case END: return p;
        case CHR:
            if (p == end || !literal::Same(pc[1], *p, s_.fold)) return nullptr;
            ++p;
            break;
        case ANY:
            if (p == end) return nullptr;
            ++p;
            break;
        case CCL:
            if (p == end || !SetHas(pc + 1, *p)) return nullptr;
            ++p;
            break;
        case NCL:
            if (p == end || SetHas(pc + 1, *p)) return nullptr;
            ++p;
            break;
        case BOL:
            if (p != start && !s_.LineEnd(p[-1])) return nullptr;
            break;
        case EOL:
            if (p != end && !s_.LineEnd(*p)) return nullptr;
            break;
        case BOT:
        case EOT:
            if (pc[1] >= MVFG_BOUNDS) return nullptr;
            (pc[0] == BOT ? rec_->matchStart : rec_->matchEnd)[pc[1]] =
                reinterpret_cast<const char*>(p);
            wrote_ = true;
            break;
        case BOW:
            if (!((p == start || !Word(p[-1])) && p != end && Word(*p))) return nullptr;
            break;
        case EOW:
            if (!(p != start && Word(p[-1]) && !(p != end && Word(*p)))) return nullptr;
            break;
        case REF: {
            if (pc[1] >= MVFG_BOUNDS) return nullptr;
            const auto* from = reinterpret_cast<const unsigned char*>(rec_->matchStart[pc[1]]);
            const auto* to = reinterpret_cast<const unsigned char*>(rec_->matchEnd[pc[1]]);
            if (from && to && to > from) { // an unset or empty group matches the empty string
                const auto length = static_cast<std::size_t>(to - from);
                if (static_cast<std::size_t>(end - p) < length) return nullptr;
                Tick(length >> 6);
                if (std::memcmp(p, from, length) != 0) return nullptr;
                p += length;
            }
            break;
        }
        case CLO:
        case OPT: return Repeat(pc, p, branch);
        default: return nullptr;
        }
        pc += ElementSize(pc);
    }
}

// Whether a single-character element of its own matches at p.
bool Backtracker::Single(const unsigned char* atom, const unsigned char* p) const {
    if (p == s_.end) return false;
    switch (atom[0]) {
    case CHR: return literal::Same(atom[1], *p, s_.fold);
    case CCL: return SetHas(atom + 1, *p);
    case NCL: return !SetHas(atom + 1, *p);
    }
    return true; // ANY
}

// The highest position of [low, high] where the rest after closure `run` can start: its
// first element matches there, and the literal it begins with follows. A closure over long
// text (".*" to the end of a block) so backs off to the last place its rest can start at
// the speed of a byte search, not one comparison or one try per position.
const unsigned char* Backtracker::LastStart(const Memo::Run& run, const unsigned char* low,
                                            const unsigned char* high) const {
    if (high == s_.end) {
        if (high == low) return nullptr;
        --high; // nothing matches at the terminator
    }
    if (run.leadLength == 0) {
        for (const unsigned char* q = high;; --q) {
            if (Single(run.need, q)) return q;
            if (q == low) return nullptr;
        }
    }
    const bool exact = !s_.fold;
    const unsigned char first = run.lead[0];
    const bool bytewise = exact || !literal::IsLetter(first);
    const auto room = static_cast<std::size_t>(s_.end - high); // bytes from high on
    for (const unsigned char* q = high;; --q) {
        if (bytewise) {
            q = static_cast<const unsigned char*>(
                ::memrchr(low, first, static_cast<std::size_t>(q - low) + 1));
            if (!q) return nullptr;
        } else if (!literal::Same(first, *q, true)) {
            if (q == low) return nullptr;
            continue;
        }
        const auto left = room + static_cast<std::size_t>(high - q);
        int i = 1;
        while (i < run.leadLength && static_cast<std::size_t>(i) < left &&
               literal::Same(run.lead[i], q[i], !exact))
            ++i;
        if (i == run.leadLength) return q;
        if (q == low) return nullptr;
    }
}

// The rest of the program after branch `branch`, tried at q, unless it already failed there.
const unsigned char* Backtracker::Rest(const unsigned char* rest, const unsigned char* q,
                                       unsigned branch) {
    ++rests_;
    Tick(1);
    if (stopped_) return nullptr;
    if (memo_ && !memo_->FirstTry(branch, static_cast<std::size_t>(q - s_.start))) return nullptr;
    return Run(rest, q, branch + 1);
}

// How far the atom repeats from p, looking no further than `limit`. A repeated CHR
// compares exactly, also in a case-insensitive record.
const unsigned char* Backtracker::RunEnd(const unsigned char* atom, const unsigned char* p,
                                         const unsigned char* limit) const {
    switch (atom[0]) {
    case ANY: return limit;
    case CHR:
        while (p < limit && *p == atom[1]) ++p;
        return p;
    case CCL:
        while (p < limit && SetHas(atom + 1, *p)) ++p;
        return p;
    case NCL:
        while (p < limit && !SetHas(atom + 1, *p)) ++p;
        return p;
    }
    return p;
}

const unsigned char* Backtracker::Repeat(const unsigned char* pc, const unsigned char* p,
                                         unsigned branch) {
    // What the branch remembered holds only under the group bounds it was found with.
    if (memo_) memo_->Sync(branch, *rec_);
    if (pc[0] == CLO) return Closure(pc, p, branch);
    // OPT: with the character first, then without.
    const unsigned char* rest = pc + ElementSize(pc);
    if (RunEnd(pc + 1, p, p == s_.end ? p : p + 1) != p) {
        if (const unsigned char* e = Rest(rest, p + 1, branch)) return e;
    }
    return Rest(rest, p, branch);
}

// CLO: the rest is tried from the furthest reach back to p. The run's extent is kept per
// branch; failures after the branch depend only on the position (and on group bounds that
// stay the same while the memo keeps them), so a run already tried from a lower start has
// failed at every position above it, and only the new lower part is tried.
const unsigned char* Backtracker::Closure(const unsigned char* pc, const unsigned char* p,
                                          unsigned branch) {
    const bool stable = memo_ != nullptr;
    Memo::Run* run = memo_ ? &memo_->RunOf(branch) : nullptr;
    if (run && !run->rest) {
        run->rest = pc + ElementSize(pc);
        run->need = analysis::FirstConsumer(run->rest);
        for (const unsigned char* e = run->need;
             e && e[0] == CHR && run->leadLength < Memo::kMaxLead; e += ElementSize(e))
            run->lead[run->leadLength++] = e[1];
    }
    const unsigned char* rest = run ? run->rest : pc + ElementSize(pc);
    // Skipping a rest that cannot start also skips the group bounds it would write on the
    // way: harmless when no back-reference reads bounds left by a failed try (the memo's
    // programs), but not for the plain definition.
    const unsigned char* need = run ? run->need : nullptr;
    const bool known = run && run->low && run->low <= p && p <= run->end;
    if (known && stable) return nullptr;
    const unsigned char* top; // highest position still to try
    const unsigned char* runEnd;
    if (known) {
        runEnd = top = run->end;
    } else if (run && run->low && p < run->low) {
        const unsigned char* reach = RunEnd(pc + 1, p, run->low);
        const bool joins = reach == run->low;
        runEnd = joins ? run->end : reach;
        top = joins && stable ? run->low - 1 : runEnd;
    } else {
        runEnd = RunEnd(pc + 1, p, s_.end);
        top = runEnd;
    }
    Tick(static_cast<std::size_t>(runEnd - p) >> 6);
    // Inside the run the rest may be unable to start at all; then only its end is tried
    // (unless it was tried before).
    const unsigned char* bottom = memo_ && memo_->RestAtRunEnd(branch) ? runEnd : p;
    for (const unsigned char* q = top; q >= bottom; --q) {
        if (need && !(q = LastStart(*run, bottom, q))) break;
        if (const unsigned char* e = Rest(rest, q, branch)) return e;
        // Given up: nothing after this is known to have failed.
        if (stopped_) return nullptr;
        if (q == bottom) break;
    }
    // [p, runEnd] is one run of the atom, and (when stable) every position in it failed.
    if (run && !known) {
        run->low = p;
        run->end = runEnd;
    }
    return nullptr;
}

} // namespace mvf::engine::match
