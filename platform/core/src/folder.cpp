#include "platform/core/folder.h"

#include <atomic>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mvf::platform {

namespace {

constexpr int kFolderFlags = O_RDONLY | O_DIRECTORY | O_CLOEXEC;

EntryKind KindOfMode(mode_t mode) {
    if (S_ISREG(mode)) return EntryKind::File;
    if (S_ISDIR(mode)) return EntryKind::Folder;
    if (S_ISLNK(mode)) return EntryKind::Link;
    return EntryKind::Other;
}

EntryKind KindOfEntry(int folderFd, const dirent64& entry) {
    switch (entry.d_type) {
    case DT_REG: return EntryKind::File;
    case DT_DIR: return EntryKind::Folder;
    case DT_LNK: return EntryKind::Link;
    case DT_UNKNOWN: {
        struct stat st;
        if (::fstatat(folderFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0)
            return EntryKind::Other; // vanished since it was listed
        return KindOfMode(st.st_mode);
    }
    default: return EntryKind::Other;
    }
}

bool IsDotOrDotDot(const char* name) {
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

std::function<bool(std::string_view)> g_folderFailureHook;
std::atomic<bool> g_folderHookInstalled{false};

} // namespace

void SetFolderOpenFailureHook(std::function<bool(std::string_view fullPath)> hook) {
    g_folderHookInstalled.store(false, std::memory_order_release);
    g_folderFailureHook = std::move(hook);
    g_folderHookInstalled.store(static_cast<bool>(g_folderFailureHook), std::memory_order_release);
}

Folder Folder::Open(const std::string& path) {
    return Folder(::open(path.c_str(), kFolderFlags));
}

Folder Folder::OpenChild(const Folder& parent, const char* name, std::string_view fullPath) {
    if (g_folderHookInstalled.load(std::memory_order_acquire) && g_folderFailureHook(fullPath)) {
        errno = EACCES;
        return Folder();
    }
    return Folder(::openat(parent.fd_, name, kFolderFlags | O_NOFOLLOW));
}

Folder& Folder::operator=(Folder&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        listed_ = other.listed_;
        other.fd_ = -1;
    }
    return *this;
}

Folder::~Folder() {
    if (fd_ >= 0) ::close(fd_);
}

EntryKind Folder::ResolveLink(const char* name) const {
    struct stat st;
    if (::fstatat(fd_, name, &st, 0) != 0) return EntryKind::Broken;
    return KindOfMode(st.st_mode);
}

bool Folder::List(Visitor visit, void* context) const {
    if (fd_ < 0) return false;
    if (listed_ && ::lseek(fd_, 0, SEEK_SET) != 0) return false;
    listed_ = true;
    // getdents64 straight into a local buffer: no stream to allocate, no stat to size it.
    alignas(8) char buffer[32768];
    for (;;) {
        const ssize_t got = ::getdents64(fd_, buffer, sizeof buffer);
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        for (ssize_t at = 0; at < got;) {
            const auto* entry = reinterpret_cast<const dirent64*>(buffer + at);
            at += entry->d_reclen;
            if (IsDotOrDotDot(entry->d_name)) continue;
            visit(context, entry->d_name, KindOfEntry(fd_, *entry));
        }
    }
}

} // namespace mvf::platform
