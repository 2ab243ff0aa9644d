#include "finder/search/hit_filters.h"

#include <algorithm>
#include <limits>

namespace mvf::search {

namespace {

constexpr std::int64_t kBytesPerKB = 1000;

// A bound in KB as bytes; no whole number, or one whose bytes overflow, counts as 0.
std::int64_t BoundBytes(std::string_view text) {
    const std::optional<std::int64_t> kb = ParseWholeNumber(text);
    if (!kb) return 0;
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max() / kBytesPerKB;
    if (*kb > limit || *kb < -limit) return 0;
    return *kb * kBytesPerKB;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

int DaysInMonth(int month, int year) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

bool Between(std::int64_t value, std::int64_t a, std::int64_t b) {
    return std::min(a, b) <= value && value <= std::max(a, b);
}

} // namespace

std::optional<std::int64_t> ParseWholeNumber(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return std::nullopt;
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    bool negative = false;
    if (text.front() == '+' || text.front() == '-') {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    std::int64_t value = 0;
    for (const char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        const int digit = c - '0';
        if (value > (std::numeric_limits<std::int64_t>::max() - digit) / 10) return std::nullopt;
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

std::optional<std::int32_t> ParseDate(std::string_view text) {
    if (text.size() < 10) return std::nullopt;
    for (const int at : {0, 1, 3, 4, 6, 7, 8, 9})
        if (!IsDigit(text[at])) return std::nullopt;
    if (text[2] != '/' || text[5] != '/') return std::nullopt;
    const auto number = [&](int at, int length) {
        int value = 0;
        for (int i = at; i < at + length; ++i) value = value * 10 + (text[i] - '0');
        return value;
    };
    const int month = number(0, 2), day = number(3, 2), year = number(6, 4);
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(month, year)) return std::nullopt;
    return year * 512 + month * 32 + day;
}

HitFilters::HitFilters(const SearchCriteria& criteria)
    : sizeFilter_(criteria.SizeFilter), low_(BoundBytes(criteria.BetLow)),
      high_(BoundBytes(criteria.BetHigh)), smaller_(BoundBytes(criteria.Smaller)),
      larger_(BoundBytes(criteria.Larger)), dateFilter_(criteria.DateFilter),
      useCreated_(criteria.DType == "Created"), dateLow_(ParseDate(criteria.DBetLow)),
      dateHigh_(ParseDate(criteria.DBetHigh)), dateBefore_(ParseDate(criteria.DSooner)),
      dateAfter_(ParseDate(criteria.DLater)) {}

bool HitFilters::PassesSize(std::int64_t size) const {
    switch (sizeFilter_) {
    case SizeFilterKind::AllSizes: return true;
    case SizeFilterKind::BetSizes: return Between(size, low_, high_);
    case SizeFilterKind::Smallsize: return size < smaller_;
    case SizeFilterKind::LargeSize: return size > larger_;
    }
    return false;
}

bool HitFilters::PassesDate(std::string_view created, std::string_view modified) const {
    if (dateFilter_ == DateFilterKind::AllDates) return true;
    const std::optional<std::int32_t> date = ParseDate(useCreated_ ? created : modified);
    if (!date) return false;
    switch (dateFilter_) {
    case DateFilterKind::AllDates: return true;
    case DateFilterKind::DBetDates:
        return dateLow_ && dateHigh_ && Between(*date, *dateLow_, *dateHigh_);
    case DateFilterKind::DBefore: return dateBefore_ && *date < *dateBefore_;
    case DateFilterKind::DAfter: return dateAfter_ && *date > *dateAfter_;
    }
    return false;
}

} // namespace mvf::search
