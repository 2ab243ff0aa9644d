#include "platform/core/time_text.h"

#include <cstdio>
#include <ctime>

namespace mvf::platform {

namespace {

constexpr int kFirstFatYear = 1980;
constexpr int kLastFatYear = 2107;

}  // namespace

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
    char text[64];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d %s", local.tm_mon + 1,
                  local.tm_mday, year, hour12, local.tm_min, second,
                  local.tm_hour < 12 ? "AM" : "PM");
    return text;
}

}  // namespace mvf::platform
