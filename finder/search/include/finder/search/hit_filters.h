// The size and date filters a file passes before it becomes a hit.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "finder/search/search_criteria.h"

namespace mvf::search {

// A whole decimal number: blanks around it allowed, an optional sign, digits; nullopt
// for anything else, and for numbers beyond the 64-bit range.
std::optional<std::int64_t> ParseWholeNumber(std::string_view text);

// A date "mm/dd/yyyy" (the first ten characters of a time text) as a number that orders
// like the date; nullopt when the text holds no valid date ("(unknown)", for example).
std::optional<std::int32_t> ParseDate(std::string_view text);

class HitFilters {
public:
    explicit HitFilters(const SearchCriteria& criteria);

    // Whether a filter other than "All Sizes" / "All Dates" applies.
    bool Active() const {
        return sizeFilter_ != SizeFilterKind::AllSizes || dateFilter_ != DateFilterKind::AllDates;
    }

    // Bounds in KB of 1,000 bytes; a bound that is no whole number counts as 0.
    bool PassesSize(std::int64_t size) const;

    // Whole days only. A time text that holds no date ("(unknown)") fails every date
    // test but "All Dates"; so does any date compared with a bound that is no date.
    bool PassesDate(std::string_view created, std::string_view modified) const;

private:
    SizeFilterKind sizeFilter_;
    std::int64_t low_, high_, smaller_, larger_; // bytes
    DateFilterKind dateFilter_;
    bool useCreated_;
    std::optional<std::int32_t> dateLow_, dateHigh_, dateBefore_, dateAfter_;
};

} // namespace mvf::search
