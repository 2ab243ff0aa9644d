#include "platform/core/replacing_file.h"

#include <fcntl.h>
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

// The file a symbolic link names, or the path itself.
std::string FollowLink(std::string path) {
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char resolved[PATH_MAX];
    if (realpath(path.c_str(), resolved) == nullptr) return path;
    return resolved;
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
    // A name no other save uses at the same time: this process's id and a counter.
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary_ = target_ + ".saving-" + std::to_string(getpid()) + "-" +
                     std::to_string(counter.fetch_add(1));
        fd_ = open(temporary_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd_ >= 0 || errno != EEXIST) break;
    }
    if (fd_ < 0) {
        temporary_.clear();
        return Fail();
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
