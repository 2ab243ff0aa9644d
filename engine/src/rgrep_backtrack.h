// One attempt of the program from one text position, in the definition's backtracking
// order (each repetition first takes as much as it can). With a Memo it is bounded: a
// rest of the program that failed at a position (under the same bounds of the groups a
// later back-reference reads) is not tried there again, which keeps programs without
// back-references linear in the text length, and those with them polynomial.
#pragma once

#include <cstddef>

#include "internal.h"
#include "mvfindgrep.h"
#include "rgrep_memo.h"

namespace mvf::engine::match {

// The text of one search and the settings it runs under.
struct Subject {
    const unsigned char* start;
    const unsigned char* end; // the terminating zero
    bool fold;                // CHR elements of their own ignore ASCII case
    bool lf;                  // line feed ends lines for BOL and EOL
    bool cr;                  // carriage return ends lines
    bool LineMode() const { return lf || cr; }
    bool LineEnd(unsigned char c) const { return (lf && c == '\n') || (cr && c == '\r'); }
};

// Rests of the program tried so far on this thread; lets tests see that the work stays
// linear without timing anything.
extern thread_local std::size_t g_restTries;

class Backtracker {
public:
    // `memo` null: the plain definition, every alternative tried.
    Backtracker(RegexRecord* record, const Subject& subject, Memo* memo)
        : rec_(record), s_(subject), memo_(memo) {}
    ~Backtracker() { g_restTries += rests_; }
    Backtracker(const Backtracker&) = delete;
    Backtracker& operator=(const Backtracker&) = delete;
    Memo* Memory() const { return memo_; }

    // The position just past a match of the whole program tried at `p`, or nullptr.
    const unsigned char* Attempt(const unsigned char* p) { return Run(rec_->program, p, 0); }

    // Whether an attempt wrote group bounds.
    bool WroteBounds() const { return wrote_; }

    // Counts work towards the next look at the host's stop query: one for each attempt
    // and each rest tried, one for every 64 bytes scanned or compared in one go.
    void Tick(std::size_t work) {
        work_ += work;
        if (work_ >= kWorkBetweenQueries) {
            work_ = 0;
            g_restTries += rests_; // a stop query may read the count
            rests_ = 0;
            if (StopAsked()) stopped_ = true;
        }
    }
    // Whether the host asked to give up: every try fails from then on.
    bool Stopped() const { return stopped_; }

private:
    // A few tens of microseconds of backtracking between two questions.
    static constexpr std::size_t kWorkBetweenQueries = 4096;

    const unsigned char* Run(const unsigned char* pc, const unsigned char* p, unsigned branch);
    const unsigned char* Repeat(const unsigned char* pc, const unsigned char* p, unsigned branch);
    const unsigned char* Closure(const unsigned char* pc, const unsigned char* p, unsigned branch);
    const unsigned char* Rest(const unsigned char* rest, const unsigned char* q, unsigned branch);
    bool Single(const unsigned char* atom, const unsigned char* p) const;
    const unsigned char* LastStart(const Memo::Run& run, const unsigned char* low,
                                   const unsigned char* high) const;
    const unsigned char* RunEnd(const unsigned char* atom, const unsigned char* p,
                                const unsigned char* limit) const;

    RegexRecord* rec_;
    Subject s_;
    Memo* memo_;
    bool wrote_ = false;
    std::size_t work_ = 0;
    std::size_t rests_ = 0; // not yet added to g_restTries (a thread-local, dear to reach)
    bool stopped_ = false;
};

} // namespace mvf::engine::match
