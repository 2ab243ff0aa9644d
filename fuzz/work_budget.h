// A bound on the work of the regular-expression searches an input starts. Matching with
// back-references is exponential in the number of groups at worst, so some patterns cannot
// finish within a fuzzer's time limit on any matcher; the budget answers the library's stop
// query as the finder's Stop does, and a target compares answers only when it was not spent.
#pragma once

#include "mvfindgrep.h"

namespace mvf::fuzz {

class WorkBudget {
public:
    // `queries`: how many times the library may ask before being told to stop (it asks
    // after every few thousand steps).
    // No other stop query is installed in a fuzz target, so none is put back.
    explicit WorkBudget(long queries) : left_(queries) {
        HGrepSetStopQuery(&WorkBudget::Query, this);
    }
    ~WorkBudget() { HGrepSetStopQuery(nullptr, nullptr); }
    WorkBudget(const WorkBudget&) = delete;
    WorkBudget& operator=(const WorkBudget&) = delete;

    bool Spent() const { return left_ < 0; }

private:
    static int Query(void* self) {
        auto* budget = static_cast<WorkBudget*>(self);
        return --budget->left_ < 0 ? 1 : 0;
    }

    long left_;
};

// Enough for every search that is not pathological; about a second under the
// sanitizers.
constexpr long kSearchQueries = 500;

} // namespace mvf::fuzz
