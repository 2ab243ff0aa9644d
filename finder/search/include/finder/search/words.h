// Splitting entered texts into words, and the special-character tokens of find texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mvf::search {

// The non-empty runs of `text` between `delimiter` characters, in order, each trimmed of
// spaces (character 32 only) at both ends. A run of spaces thus stays as an empty word.
std::vector<std::string> SplitWords(std::string_view text, char delimiter);

// `expression` with every "</sp>" replaced by a space, then every "</tb>" by a tab.
std::string ExpandTokens(std::string_view expression);

} // namespace mvf::search
