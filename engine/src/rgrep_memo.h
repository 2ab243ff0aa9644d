// What the bounded backtracker remembers during one search: the (branch, position) pairs
// whose rest of the program has already failed, and for each closure the stretch of its
// last run already tried. A branch followed by a back-reference to a group set before it
// remembers its failures together with that group's bounds: when they change, what it
// remembered is forgotten, in one step. Work space of its thread (ThreadMemo), sized when
// the library is compiled and taken from the system once per thread, untouched until
// used; a text too long for it gets fewer remembered branches, never an allocation.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>

#include "mvfindgrep.h"
#include "rgrep_analysis.h"

namespace mvf::engine::match {

class Memo {
public:
    static constexpr std::size_t kWords = std::size_t{1} << 20; // 64 Mi positions x branches
    static constexpr int kMaxLead = 7;

    // A closure's last run: every character of [low, end) belongs to the closure's atom
    // and `end` ends the run; the rest also failed at every position of [low, end].
    struct Run {
        uint32_t generation;
        const unsigned char* low;
        const unsigned char* end;
        const unsigned char* rest; // the program after the closure, once looked up
        const unsigned char* need; // the element that must match where the rest starts
        // When need is a CHR: it and the CHR elements right after it, the literal the rest
        // begins with (its first kMaxLead bytes).
        uint8_t leadLength;
        unsigned char lead[kMaxLead];
    };

    // Starts a search over `positions` text positions (the terminator included).
    void Prepare(const analysis::Analysis& a, std::size_t positions) {
        analysis_ = &a;
        width_ = (positions + 63) / 64;
        rows_ = width_ * a.branchCount <= kWords ? a.branchCount
                                                 : static_cast<unsigned>(kWords / width_);
        if (!bits_ || !stamps_) rows_ = 0; // no room: the plain definition
        if (++generation_ == 0) Reset();
        for (unsigned b = 0; b < rows_; ++b) rowEpoch_[b] = NewEpoch();
    }

    // Makes what branch `b` remembers belong to the group bounds that what follows it
    // reads, as `record` holds them now: remembered under other values, it is forgotten.
    // Call before the branch's rest is tried (those bounds cannot change while it is).
    void Sync(unsigned b, const RegexRecord& record) {
        uint32_t read = analysis_->readBounds[b];
        if (!read) return;
        bool same = boundsGeneration_[b] == generation_;
        const char** saved = bounds_[b];
        for (; read; read &= read - 1, ++saved) {
            const int bit = __builtin_ctz(read);
            const char* value = bit < 9 ? record.matchStart[bit + 1] : record.matchEnd[bit - 8];
            if (*saved != value) {
                *saved = value;
                same = false;
            }
        }
        if (same) return;
        boundsGeneration_[b] = generation_;
        if (b < rows_) rowEpoch_[b] = NewEpoch();
        runs_[b].generation = 0;
    }

    // Whether the rest after closure `b` can only start where the closure's run ends.
    bool RestAtRunEnd(unsigned b) const { return analysis::BitOf(analysis_->restAtRunEnd, b); }

    // Marks the rest after branch `b` as tried at position `at`; false when it had been
    // tried before (and so failed). Always true for branches without a row.
    bool FirstTry(unsigned b, std::size_t at) {
        if (b >= rows_) return true;
        const std::size_t word = b * width_ + (at >> 6);
        // A word stamped with another epoch belongs to what the row has forgotten.
        if (stamps_[word] != rowEpoch_[b]) {
            stamps_[word] = rowEpoch_[b];
            bits_[word] = 0;
        }
        const uint64_t bit = uint64_t{1} << (at & 63);
        if (bits_[word] & bit) return false;
        bits_[word] |= bit;
        return true;
    }

    // The closure cache of branch `b`, empty (low == nullptr) at the start of a search
    // and whenever Sync forgot the branch's failures.
    Run& RunOf(unsigned b) {
        Run& r = runs_[b];
        if (r.generation != generation_)
            r = {generation_, nullptr, nullptr, nullptr, nullptr, 0, {}};
        return r;
    }

private:
    uint32_t NewEpoch() {
        if (++epoch_ == 0) {
            if (stamps_) std::fill_n(stamps_.get(), kWords, 0u);
            epoch_ = 1;
        }
        return epoch_;
    }
    void Reset() {
        generation_ = 1;
        for (auto& g : boundsGeneration_) g = 0;
        for (auto& r : runs_) r.generation = 0;
    }

    struct Free {
        void operator()(void* p) const { std::free(p); }
    };
    // Zeroed pages from the system: only the words a search touches become real memory.
    std::unique_ptr<uint64_t[], Free> bits_{static_cast<uint64_t*>(std::calloc(kWords, 8))};
    // The epoch each word of bits_ belongs to.
    std::unique_ptr<uint32_t[], Free> stamps_{static_cast<uint32_t*>(std::calloc(kWords, 4))};
    const analysis::Analysis* analysis_ = nullptr;
    std::size_t width_ = 1;
    unsigned rows_ = 0;
    uint32_t generation_ = 0; // one per search
    uint32_t epoch_ = 0;      // one per row made anew
    uint32_t rowEpoch_[256] = {};
    uint32_t boundsGeneration_[256] = {};
    const char* bounds_[256][18] = {};
    Run runs_[256] = {};
};

// The memo of the calling thread, made at its first use.
Memo& ThreadMemo();

} // namespace mvf::engine::match
