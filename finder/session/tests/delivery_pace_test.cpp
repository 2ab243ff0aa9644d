#include <gtest/gtest.h>

#include "delivery_pace.h"

namespace mvf::session {
namespace {

using namespace std::chrono_literals;
using Clock = DeliveryPace::Clock;

TEST(DeliveryPace, HoldsTheFirstNewsBackThenTakesThemAtMostEveryInterval) {
    const Clock::time_point start{};
    DeliveryPace pace(start, 100ms, 50ms, 8ms);
    EXPECT_EQ(Clock::duration(100ms), pace.TakeDelay(start, false));
    EXPECT_EQ(Clock::duration(30ms), pace.TakeDelay(start + 70ms, false));
    EXPECT_EQ(Clock::duration::zero(), pace.TakeDelay(start + 20ms, true)) << "the end at once";
    EXPECT_EQ(Clock::duration::zero(), pace.TakeDelay(start + 150ms, false));
    pace.Taken(start + 150ms);
    EXPECT_EQ(Clock::duration(40ms), pace.TakeDelay(start + 160ms, false));
    EXPECT_EQ(Clock::duration::zero(), pace.TakeDelay(start + 200ms, false));
}

TEST(DeliveryPace, SlicesFollowTheBudgetAndGrowGradually) {
    DeliveryPace pace({}, 100ms, 50ms, 8ms);
    EXPECT_EQ(DeliveryPace::kFirstSlice, pace.SliceRows());
    // 16 us a row: 500 rows fit the 8 ms.
    pace.Sliced(1000, 16ms);
    EXPECT_EQ(500u, pace.SliceRows());
    // 2 us a row would allow 4,000, but a slice grows by half of the last one at most.
    pace.Sliced(500, 1ms);
    EXPECT_EQ(750u, pace.SliceRows());
    pace.Sliced(750, 1500us);
    EXPECT_EQ(1125u, pace.SliceRows());
    // A view that takes long for every slice: never below the least slice.
    pace.Sliced(1125, 10s);
    EXPECT_EQ(DeliveryPace::kLeastSlice, pace.SliceRows());
    pace.Sliced(0, 1s);
    EXPECT_EQ(DeliveryPace::kLeastSlice, pace.SliceRows()) << "an empty slice teaches nothing";
}

} // namespace
} // namespace mvf::session
