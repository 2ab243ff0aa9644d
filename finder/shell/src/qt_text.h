// The system's texts (UTF-8 in std::string_view) as Qt strings.
#pragma once

#include <string_view>

#include <QString>

namespace mvf::shell {

inline QString QText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace mvf::shell
