#include "path_split.h"

namespace mvf::results::detail {

PathParts SplitPath(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) return {{}, path};
    std::string_view folder = path.substr(0, slash);
    while (!folder.empty() && folder.back() == '/') folder.remove_suffix(1);
    // Only the root keeps its separator.
    if (folder.empty()) folder = "/";
    return {folder, path.substr(slash + 1)};
}

} // namespace mvf::results::detail
