#include "delivery_pace.h"

#include <algorithm>

namespace mvf::session {

DeliveryPace::DeliveryPace(Clock::time_point start, Clock::duration first, Clock::duration interval,
                           Clock::duration budget)
    : nextTake_(start + first), interval_(interval), budget_(budget) {}

DeliveryPace::Clock::duration DeliveryPace::TakeDelay(Clock::time_point now, bool finished) const {
    if (finished || now >= nextTake_) return Clock::duration::zero();
    return nextTake_ - now;
}

void DeliveryPace::Taken(Clock::time_point now) {
    nextTake_ = now + interval_;
}

void DeliveryPace::Sliced(std::size_t rows, Clock::duration spent) {
    if (rows == 0) return;
    // Rows the budget allows at this slice's speed; a slice may grow by half at most, so
    // that one fast slice (the view idle, the rows warm) cannot make the next one long.
    const auto perRow = std::max<Clock::rep>(1, spent.count() / static_cast<Clock::rep>(rows));
    const auto allowed = static_cast<std::size_t>(budget_.count() / perRow);
    const std::size_t grown = rows + rows / 2;
    slice_ = std::clamp(std::min(allowed, std::max(grown, slice_)), kLeastSlice, kMostSlice);
}

} // namespace mvf::session
