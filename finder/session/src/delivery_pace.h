// When the GUI thread takes a search's news, and how many rows it appends at a time.
//
// News are taken no sooner than `first` after the start (a search that ends sooner comes
// out at once, in one batch) and then at most every `interval`; the end of the search is
// taken at once. Rows are appended in slices sized so that one slice takes about
// `budget`, learnt from the slices before it, so the event loop runs between them however
// fast or slow the view that hears each slice is.
#pragma once

#include <chrono>
#include <cstddef>

namespace mvf::session {

class DeliveryPace {
public:
    using Clock = std::chrono::steady_clock;

    static constexpr std::size_t kFirstSlice = 1024;
    static constexpr std::size_t kLeastSlice = 64;
    static constexpr std::size_t kMostSlice = 65536;

    DeliveryPace(Clock::time_point start, Clock::duration first, Clock::duration interval,
                 Clock::duration budget);

    // How long to wait, at `now`, before taking the news.
    Clock::duration TakeDelay(Clock::time_point now, bool finished) const;
    void Taken(Clock::time_point now);

    std::size_t SliceRows() const { return slice_; }
    void Sliced(std::size_t rows, Clock::duration spent);

private:
    Clock::time_point nextTake_;
    Clock::duration interval_;
    Clock::duration budget_;
    std::size_t slice_ = kFirstSlice;
};

} // namespace mvf::session
