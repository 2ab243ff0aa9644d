#include "text_util.h"

#include <charconv>

namespace mvf::results::detail {

std::optional<std::int64_t> ReadWholeNumber(std::string_view text) {
    // from_chars takes "-" but not "+"; a sign must be followed by a digit.
    std::size_t firstDigit = 0;
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    else if (!text.empty() && text.front() == '-')
        firstDigit = 1;
    if (text.size() <= firstDigit || !IsDigit(text[firstDigit])) return std::nullopt;
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end) return std::nullopt;
    return value;
}

} // namespace mvf::results::detail
