#include "platform/core/time_text.h"

#include <ctime>

namespace mvf::platform {

namespace {

constexpr int kFirstFatYear = 1980;
constexpr int kLastFatYear = 2107;

} // namespace

std::string FileTimeText(std::optional<std::int64_t> seconds) {
    if (!seconds) return std::string(kUnknownTime);
    const std::time_t when = static_cast<std::time_t>(*seconds);
    std::tm local{};
    if (!::localtime_r(&when, &local)) return std::string(kUnknownTime);
    const int year = local.tm_year + 1900;
    if (year < kFirstFatYear || year > kLastFatYear) return std::string(kUnknownTime);
    const int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
    // A leap second (tm_sec 60) packs like 58, as every odd second packs one lower.
    const int second = (local.tm_sec > 59 ? 59 : local.tm_sec) & ~1;
    // Written by hand: every hit needs two of these, and printf would dominate.
    std::string text = "mm/dd/yyyy hh:mm:ss AM";
    const auto put2 = [&text](std::size_t at, int value) {
        text[at] = static_cast<char>('0' + value / 10);
        text[at + 1] = static_cast<char>('0' + value % 10);
    };
    put2(0, local.tm_mon + 1);
    put2(3, local.tm_mday);
    put2(6, year / 100);
    put2(8, year % 100);
    put2(11, hour12);
    put2(14, local.tm_min);
    put2(17, second);
    if (local.tm_hour >= 12) text[20] = 'P';
    return text;
}

} // namespace mvf::platform
