// Splitting a full path into the folder and name a row holds.
#pragma once

#include <string_view>

namespace mvf::results::detail {

struct PathParts {
    std::string_view folder; // no trailing "/", except the root "/"
    std::string_view name;   // what follows the last "/"
};

// "/home/ann/a.txt" gives "/home/ann" and "a.txt"; "/a.txt" and "//a.txt" give "/" and
// "a.txt"; a path without "/" is all name. Letter case is kept.
PathParts SplitPath(std::string_view path);

} // namespace mvf::results::detail
