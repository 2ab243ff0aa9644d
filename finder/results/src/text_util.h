// Small helpers on texts shared by the sort and the results file.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace mvf::results::detail {

inline std::string_view TrimSpacesRight(std::string_view s) {
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}
inline std::string_view TrimSpaces(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    return TrimSpacesRight(s);
}

inline bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Case mapping that changes the letters A-Z only, whatever the locale.
inline char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

inline bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

// A whole decimal number: an optional "+" or "-", then one or more digits, nothing else,
// within 64 bits. Anything else (blanks included) is no number.
std::optional<std::int64_t> ReadWholeNumber(std::string_view text);

} // namespace mvf::results::detail
