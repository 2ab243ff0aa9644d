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

// FileTimeText for one thread's stream of files, remembering the last time it converted:
// files written together share their times, and the local-time conversion is the dear
// part (it takes the C library's time-zone lock).
class FileTimeTexts {
public:
    const std::string& Text(std::optional<std::int64_t> seconds) {
        if (!known_ || seconds != last_) {
            text_ = FileTimeText(seconds);
            last_ = seconds;
            known_ = true;
        }
        return text_;
    }

private:
    bool known_ = false;
    std::optional<std::int64_t> last_;
    std::string text_;
};

} // namespace mvf::platform
