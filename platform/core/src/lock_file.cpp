#include "platform/core/lock_file.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <system_error>
#include <thread>
#include <unistd.h>
#include <utility>

namespace mvf::platform {

namespace {

std::string ErrnoText(int error) {
    return std::generic_category().message(error);
}

// Opens (creating when missing) the marker file. Non-blocking so that a FIFO put in its
// place cannot hang the start-up; anything but a regular file is refused.
int OpenMarker(const std::string& path, std::string& failure) {
    const int fd =
        ::open(path.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644);
    if (fd < 0) {
        failure = "cannot open " + path + ": " + ErrnoText(errno);
        return -1;
    }
    struct stat facts {};
    if (::fstat(fd, &facts) != 0 || !S_ISREG(facts.st_mode)) {
        failure = "cannot use " + path + ": not a regular file";
        ::close(fd);
        return -1;
    }
    return fd;
}

// One attempt; 0 when taken, else the errno of flock (EWOULDBLOCK when held elsewhere).
int TryFlock(int fd) {
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return 0;
        if (errno != EINTR) return errno;
    }
}

} // namespace

LockFile LockFile::TryLock(const std::string& path) {
    return LockWithin(path, std::chrono::milliseconds(0));
}

LockFile LockFile::LockWithin(const std::string& path, std::chrono::milliseconds timeout) {
    std::string failure;
    const int fd = OpenMarker(path, failure);
    if (fd < 0) return LockFile(-1, LockOutcome::CannotOpen, std::move(failure));

    const auto deadline = std::chrono::steady_clock::now() + timeout;
    auto pause = std::chrono::milliseconds(2);
    for (;;) {
        const int error = TryFlock(fd);
        if (error == 0) return LockFile(fd, LockOutcome::Held, {});
        if (error != EWOULDBLOCK) {
            ::close(fd);
            return LockFile(-1, LockOutcome::CannotOpen,
                            "cannot lock " + path + ": " + ErrnoText(error));
        }
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) break;
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(pause, deadline - now));
        pause = std::min(pause * 2, std::chrono::milliseconds(50));
    }
    ::close(fd);
    return LockFile(-1, LockOutcome::AlreadyLocked, {});
}

LockFile::LockFile(LockFile&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      outcome_(std::exchange(other.outcome_, LockOutcome::Released)),
      failure_(std::move(other.failure_)) {}

LockFile& LockFile::operator=(LockFile&& other) noexcept {
    if (this != &other) {
        Release();
        fd_ = std::exchange(other.fd_, -1);
        outcome_ = std::exchange(other.outcome_, LockOutcome::Released);
        failure_ = std::move(other.failure_);
    }
    return *this;
}

LockFile::~LockFile() {
    Release();
}

void LockFile::Release() {
    if (fd_ >= 0) ::close(fd_); // closing the last descriptor drops the flock
    fd_ = -1;
    if (outcome_ == LockOutcome::Held) outcome_ = LockOutcome::Released;
}

} // namespace mvf::platform
