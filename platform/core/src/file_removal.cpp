#include "platform/core/file_removal.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace mvf::platform {

RemovalResult DeleteFromDisk(const std::string& path) {
    if (::unlink(path.c_str()) == 0) return {true, {}};
    return {false, std::generic_category().message(errno)};
}

} // namespace mvf::platform
