// Ordering many texts by the locale's collation (strcoll) at the cost of one strxfrm per
// distinct text, so that a sort compares small integers instead of calling strcoll.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace mvf::results::detail {

class CollationRanks {
public:
    // Every text must be followed by a NUL, as a ResultEntry's texts are.
    explicit CollationRanks(std::span<const std::string_view> texts);

    // The rank of texts[i] times two, plus one: texts that collate equal get the same value,
    // and an earlier text a smaller one.
    std::uint32_t RankOf(std::size_t i) const { return 2 * rankOf_[i] + 1; }
    // Where a text that was not ranked falls among those that were, on the same scale: the
    // value of the ranked text it collates equal to, else the even value between its
    // neighbours. Costs a binary search of strcoll calls.
    std::uint32_t PlaceOf(std::string_view text) const;

private:
    std::vector<std::uint32_t> rankOf_;
    std::vector<std::string_view> firstOfRank_; // one text of each rank, in rank order
};

} // namespace mvf::results::detail
