#include "platform/core/replacing_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <utility>

namespace mvf::platform {
namespace {

constexpr std::string_view kSavingMark = ".saving-";

// The file a symbolic link names, or the path itself.
std::string FollowLink(std::string path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The process that named a temporary file "<name>.saving-PID-N", or 0 when `entry` is no
// such name for `name`.
pid_t SaverOf(std::string_view entry, std::string_view name) {
    if (!entry.starts_with(name)) return 0;
    entry.remove_prefix(name.size());
    if (!entry.starts_with(kSavingMark)) return 0;
    entry.remove_prefix(kSavingMark.size());
    const std::size_t dash = entry.find('-');
    if (dash == 0 || dash == std::string_view::npos || dash + 1 == entry.size()) return 0;
    const auto digits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    // More digits than a process id has is no name of ours either.
    if (dash > 9 || !digits(entry.substr(0, dash)) || !digits(entry.substr(dash + 1))) return 0;
    return static_cast<pid_t>(std::atol(std::string(entry.substr(0, dash)).c_str()));
}

// Temporary files of this target that saves killed before they could rename them: their
// process is gone, so nothing will ever finish or remove them.
void RemoveStaleTemporaries(const std::string& target) {
    const std::string folder = FolderOf(target);
    const std::string name = NameOf(target);
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    while (const dirent* entry = readdir(dir)) {
        const pid_t saver = SaverOf(entry->d_name, name);
        if (saver <= 0) continue;
        // A process that lives (or that this user may not signal) may still be saving.
        if (kill(saver, 0) == 0 || errno != ESRCH) continue;
        unlinkat(dirfd(dir), entry->d_name, 0);
    }
    closedir(dir);
}

std::string NextTemporaryName(const std::string& target) {
    // A name no other save uses at the same time: this process's id and a counter.
    static std::atomic<unsigned> counter{0};
    return target + std::string(kSavingMark) + std::to_string(getpid()) + "-" +
           std::to_string(counter.fetch_add(1));
}

} // namespace

ReplacingFile::ReplacingFile(std::string target) : target_(FollowLink(std::move(target))) {}

ReplacingFile::~ReplacingFile() {
    if (fd_ >= 0) close(fd_);
    if (!committed_ && !temporary_.empty()) unlink(temporary_.c_str());
}

bool ReplacingFile::Fail() {
    error_ = errno;
    return false;
}

bool ReplacingFile::Open() {
    struct stat target {};
    const bool exists = stat(target_.c_str(), &target) == 0;
    if (exists && !S_ISREG(target.st_mode)) {
        errno = S_ISDIR(target.st_mode) ? EISDIR : EINVAL;
        return Fail();
    }
    RemoveStaleTemporaries(target_);
    // A file without a name until it is whole: a process killed while writing leaves
    // nothing behind. Where the file system has no such files, a named one.
    // It is named later through /proc, which must be there for it.
    if (access("/proc/self/fd", X_OK) == 0)
        fd_ = open(FolderOf(target_).c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
    if (fd_ < 0) {
        for (int attempt = 0; attempt < 100; ++attempt) {
            temporary_ = NextTemporaryName(target_);
            fd_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ >= 0 || errno != EEXIST) break;
        }
        if (fd_ < 0) {
            temporary_.clear();
            return Fail();
        }
    }
    if (exists && fchmod(fd_, target.st_mode & 07777) != 0) return Fail();
    return true;
}

bool ReplacingFile::Write(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(fd_, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) continue;
            return Fail();
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

bool ReplacingFile::Commit() {
    if (fsync(fd_) != 0) return Fail();
    if (temporary_.empty()) {
        // The unnamed file gets a name beside the target just before it replaces it.
        const std::string self = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            temporary_ = NextTemporaryName(target_);
            if (linkat(AT_FDCWD, self.c_str(), AT_FDCWD, temporary_.c_str(), AT_SYMLINK_FOLLOW) ==
                0)
                break;
            const int error = errno;
            temporary_.clear();
            if (error != EEXIST) {
                errno = error;
                return Fail();
            }
        }
        if (temporary_.empty()) return Fail();
    }
    const int fd = std::exchange(fd_, -1);
    if (close(fd) != 0) return Fail();
    if (rename(temporary_.c_str(), target_.c_str()) != 0) return Fail();
    committed_ = true;
    return true;
}

std::string ReplacingFile::ErrorText() const {
    return std::strerror(error_);
}

} // namespace mvf::platform
