// File times as the finder shows and stores them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace mvf::platform {

inline constexpr std::string_view kUnknownTime = "(unknown)";

// The local time of `seconds` (since 1970) as "mm/dd/yyyy hh:mm:ss AM/PM", on a 12-hour
// clock. The time goes through the packed date-and-time of the FAT file system first, as
// the finder's time texts always have: seconds in two-second steps (rounded down), years
// 1980 to 2107 only. No time, or one outside that range, gives "(unknown)".
std::string FileTimeText(std::optional<std::int64_t> seconds);

} // namespace mvf::platform
