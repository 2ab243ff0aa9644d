#include "platform/core/current_directory.h"

#include <cerrno>
#include <unistd.h>
#include <vector>

namespace mvf::platform {

bool SetCurrentDirectory(const std::string& path) {
    return !path.empty() && ::chdir(path.c_str()) == 0;
}

std::string CurrentDirectory() {
    std::vector<char> buffer(4096);
    for (;;) {
        if (::getcwd(buffer.data(), buffer.size())) return buffer.data();
        if (errno != ERANGE) return {};
        buffer.resize(buffer.size() * 2);
    }
}

} // namespace mvf::platform
