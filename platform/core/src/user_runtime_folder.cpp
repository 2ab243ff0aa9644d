#include "platform/core/user_runtime_folder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace mvf::platform {

namespace {

bool IsFolder(const char* path) {
    struct stat facts {};
    return ::stat(path, &facts) == 0 && S_ISDIR(facts.st_mode);
}

std::string TemporaryFolder() {
    std::error_code failed;
    std::string folder = std::filesystem::temp_directory_path(failed).string();
    if (failed || folder.empty()) folder = "/tmp";
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

} // namespace

RuntimeFolder UserRuntimeFolder() {
    const char* xdg = std::getenv("XDG_RUNTIME_DIR");
    if (xdg && xdg[0] == '/' && IsFolder(xdg)) {
        std::string path = xdg;
        while (path.size() > 1 && path.back() == '/') path.pop_back();
        return {path, {}};
    }

    const uid_t uid = ::geteuid();
    const std::string path = TemporaryFolder() + "/mvf-runtime-" + std::to_string(uid);
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
        return {{}, "cannot create " + path + ": " + std::generic_category().message(errno)};
    struct stat facts {};
    if (::lstat(path.c_str(), &facts) != 0)
        return {{}, "cannot use " + path + ": " + std::generic_category().message(errno)};
    if (!S_ISDIR(facts.st_mode)) return {{}, "cannot use " + path + ": not a folder"};
    if (facts.st_uid != uid) return {{}, "cannot use " + path + ": it belongs to another user"};
    if ((facts.st_mode & 077) != 0 && ::chmod(path.c_str(), 0700) != 0)
        return {{}, "cannot make " + path + " private: " + std::generic_category().message(errno)};
    return {path, {}};
}

} // namespace mvf::platform
