// The number typed into the viewer's one-line input boxes.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace mvf::viewer {

// A whole number: blanks around it allowed, an optional sign, decimal digits, within the
// 32-bit range. Anything else is no number (the box's answer is then ignored).
std::optional<int32_t> WholeNumber(std::string_view text);

} // namespace mvf::viewer
