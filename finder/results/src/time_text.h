// Reading the time texts of the results list back as points in time.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace mvf::results::detail {

// True when the text begins with digit, digit, "/", digit, digit, "/", digit, digit: the
// sign that a column holds a date.
bool HasDatePattern(std::string_view text);

// Seconds on a plain count of local calendar time for a text written as the programs write
// it, "mm/dd/yyyy hh:mm:ss AM/PM", read month-day-year. Also read: a two-digit year
// (00-49 is 2000-2049, 50-99 is 1950-1999), no time at all (midnight), a time without
// seconds, and a 24-hour time without AM/PM; AM/PM in any letter case. nullopt for
// anything else, or for a date or time that does not exist (02/30/2001, 13:00:00 PM).
std::optional<std::int64_t> ReadTimeText(std::string_view text);

} // namespace mvf::results::detail
