#include "platform/core/program_folder.h"

#include <climits>
#include <unistd.h>
#include <vector>

namespace mvf::platform {

std::string FolderOf(std::string_view path) {
    std::string_view folder = path;
    while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
    const std::size_t slash = folder.rfind('/');
    if (slash == std::string_view::npos) return ".";
    folder = folder.substr(0, slash);
    while (folder.size() > 1 && folder.back() == '/') folder.remove_suffix(1);
    return folder.empty() ? "/" : std::string(folder);
}

std::string ProgramFolder() {
    // readlink does not say whether it truncated: grow the buffer until the name fits.
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length < 0) return {};
        if (static_cast<std::size_t>(length) < buffer.size())
            return FolderOf(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ProgramFile(std::string_view name) {
    std::string folder = ProgramFolder();
    if (folder.empty() || folder.back() != '/') folder += '/';
    folder += name;
    return folder;
}

} // namespace mvf::platform
