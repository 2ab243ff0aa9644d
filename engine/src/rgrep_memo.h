// What the bounded backtracker remembers during one search: the (branch, position) pairs
// whose rest of the program has already failed, and for each closure the stretch of its
// last run already tried. Process-wide work space sized when the library is compiled; a
// text too long for it gets fewer remembered branches, never an allocation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "rgrep_analysis.h"

namespace mvf::engine::match {

class Memo {
public:
    static constexpr std::size_t kWords = std::size_t{1} << 20; // 64 Mi positions x branches

    // A closure's last run: every character of [low, end) belongs to the closure's atom
    // and `end` ends the run; when the branch is Stable, the rest also failed at every
    // position of [low, end].
    struct Run {
        uint32_t generation;
        const unsigned char* low;
        const unsigned char* end;
        const unsigned char* rest; // the program after the closure, once looked up
        const unsigned char* need; // the element that must match where the rest starts
    };

    // Starts a search over `positions` text positions (the terminator included).
    void Prepare(const analysis::Analysis& a, std::size_t positions) {
        analysis_ = &a;
        width_ = (positions + 63) / 64;
        rows_ = width_ * a.branchCount <= kWords ? a.branchCount
                                                 : static_cast<unsigned>(kWords / width_);
        if (++generation_ == 0) Reset();
    }

    // Whether failures after branch `b` depend only on the position.
    bool Stable(unsigned b) const { return analysis::BitOf(analysis_->memoOk, b); }

    // Whether the rest after closure `b` can only start where the closure's run ends.
    bool RestAtRunEnd(unsigned b) const { return analysis::BitOf(analysis_->restAtRunEnd, b); }

    // Marks the rest after branch `b` as tried at position `at`; false when it had been
    // tried before (and so failed). Always true for branches without a row.
    bool FirstTry(unsigned b, std::size_t at) {
        if (b >= rows_ || !Stable(b)) return true;
        uint64_t* row = bits_ + b * width_;
        if (rowGeneration_[b] != generation_) {
            rowGeneration_[b] = generation_;
            for (std::size_t w = 0; w < width_; ++w) row[w] = 0;
        }
        const uint64_t bit = uint64_t{1} << (at & 63);
        if (row[at >> 6] & bit) return false;
        row[at >> 6] |= bit;
        return true;
    }

    // The closure cache of branch `b`, empty (low == nullptr) at the start of a search.
    Run& RunOf(unsigned b) {
        Run& r = runs_[b];
        if (r.generation != generation_) r = {generation_, nullptr, nullptr, nullptr, nullptr};
        return r;
    }

private:
    void Reset() {
        generation_ = 1;
        for (auto& g : rowGeneration_) g = 0;
        for (auto& r : runs_) r.generation = 0;
    }

    static uint64_t bits_[kWords];
    const analysis::Analysis* analysis_ = nullptr;
    std::size_t width_ = 1;
    unsigned rows_ = 0;
    uint32_t generation_ = 0;
    uint32_t rowGeneration_[256] = {};
    Run runs_[256] = {};
};

} // namespace mvf::engine::match
