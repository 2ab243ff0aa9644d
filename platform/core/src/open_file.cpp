#include "platform/core/open_file.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <utility>

namespace mvf::platform {

namespace {

std::function<bool(std::string_view)> g_failureHook;
std::atomic<bool> g_hookInstalled{false};

bool HookRefuses(std::string_view fullPath) {
    return g_hookInstalled.load(std::memory_order_acquire) && g_failureHook(fullPath);
}

} // namespace

int OpenFileForReading(int folderFd, const char* name, std::string_view fullPath) {
    if (HookRefuses(fullPath)) {
        errno = EACCES;
        return -1;
    }
    return ::openat(folderFd, name, O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
}

void SetOpenFailureHook(std::function<bool(std::string_view fullPath)> hook) {
    g_hookInstalled.store(false, std::memory_order_release);
    g_failureHook = std::move(hook);
    g_hookInstalled.store(static_cast<bool>(g_failureHook), std::memory_order_release);
}

} // namespace mvf::platform
