#include "finder/search/folder_paths.h"

namespace mvf::search {

std::string ResolveFolder(std::string_view base, std::string_view folder) {
    if (folder.empty()) return {};
    // No base (the current directory was removed): leave a relative folder to the system.
    if (folder.front() != '/' && base.empty()) return std::string(folder);
    std::string joined;
    if (folder.front() != '/') {
        joined.append(base);
        joined.push_back('/');
    }
    joined.append(folder);

    std::string resolved;
    for (std::size_t at = 0; at < joined.size();) {
        std::size_t end = joined.find('/', at);
        if (end == std::string::npos) end = joined.size();
        const std::string_view segment(joined.data() + at, end - at);
        if (!segment.empty() && segment != ".") {
            resolved.push_back('/');
            resolved.append(segment);
        }
        at = end + 1;
    }
    return resolved.empty() ? "/" : resolved;
}

std::string WithSeparator(std::string_view folder) {
    std::string path(folder);
    if (path.empty() || path.back() != '/') path.push_back('/');
    return path;
}

} // namespace mvf::search
