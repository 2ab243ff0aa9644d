#include "time_text.h"

#include "text_util.h"

namespace mvf::results::detail {
namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

unsigned DaysInMonth(int year, unsigned month) {
    static constexpr unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

// Reads a run of digits starting at `pos`; its length is returned through `count`.
int ReadDigits(std::string_view s, std::size_t& pos, std::size_t& count) {
    int value = 0;
    count = 0;
    while (pos < s.size() && IsDigit(s[pos]) && count < 9) {
        value = value * 10 + (s[pos++] - '0');
        ++count;
    }
    return value;
}

bool Skip(std::string_view s, std::size_t& pos, char c) {
    if (pos < s.size() && s[pos] == c) {
        ++pos;
        return true;
    }
    return false;
}

// The time of day after the date, in seconds; nullopt when it is not a time.
std::optional<int> ReadTimeOfDay(std::string_view s) {
    std::size_t pos = 0, n = 0;
    const int hour = ReadDigits(s, pos, n);
    if (n < 1 || n > 2 || !Skip(s, pos, ':')) return std::nullopt;
    const int minute = ReadDigits(s, pos, n);
    if (n != 2 || minute > 59) return std::nullopt;
    int second = 0;
    if (Skip(s, pos, ':')) {
        second = ReadDigits(s, pos, n);
        if (n != 2 || second > 59) return std::nullopt;
    }
    std::string_view rest = TrimSpaces(s.substr(pos));
    int hour24 = hour;
    if (rest.empty()) {
        if (hour > 23) return std::nullopt;
    } else {
        if (rest.size() != 2 || (rest[1] != 'M' && rest[1] != 'm')) return std::nullopt;
        const char half = rest[0];
        const bool am = half == 'A' || half == 'a', pm = half == 'P' || half == 'p';
        if ((!am && !pm) || hour < 1 || hour > 12) return std::nullopt;
        hour24 = hour % 12 + (pm ? 12 : 0);
    }
    return (hour24 * 60 + minute) * 60 + second;
}

} // namespace

bool HasDatePattern(std::string_view t) {
    return t.size() >= 8 && IsDigit(t[0]) && IsDigit(t[1]) && t[2] == '/' && IsDigit(t[3]) &&
           IsDigit(t[4]) && t[5] == '/' && IsDigit(t[6]) && IsDigit(t[7]);
}

std::optional<std::int64_t> ReadTimeText(std::string_view text) {
    if (!HasDatePattern(text)) return std::nullopt;
    const auto month = static_cast<unsigned>((text[0] - '0') * 10 + (text[1] - '0'));
    const auto day = static_cast<unsigned>((text[3] - '0') * 10 + (text[4] - '0'));
    std::size_t pos = 6, digits = 0;
    int year = ReadDigits(text, pos, digits);
    if (digits == 2)
        year += year < 50 ? 2000 : 1900;
    else if (digits != 4 || year == 0)
        return std::nullopt;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month)) return std::nullopt;

    int seconds = 0;
    if (pos < text.size()) {
        // A space must part the date from the time.
        if (text[pos] != ' ') return std::nullopt;
        const auto time = ReadTimeOfDay(TrimSpaces(text.substr(pos)));
        if (!time) return std::nullopt;
        seconds = *time;
    }
    return DaysFromCivil(year, month, day) * 86400 + seconds;
}

} // namespace mvf::results::detail
