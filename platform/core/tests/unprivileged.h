// Runs a removal as a user without special rights. Root may write into any folder, so a
// read-only folder refuses nothing to a test run as root; there the removal runs in a
// child process that has become "nobody" first.
#pragma once

#include <functional>
#include <grp.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/core/file_removal.h"

namespace mvf::platform {

inline constexpr uid_t kNobody = 65534;

// The user whose rights count: "nobody" when the test runs as root, else the test's own.
inline uid_t UnprivilegedUser() {
    return ::geteuid() == 0 ? kNobody : ::geteuid();
}

inline RemovalResult RemoveUnprivileged(const std::function<RemovalResult()>& remove) {
    if (::geteuid() != 0) return remove();
    int report[2];
    EXPECT_EQ(0, ::pipe(report));
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(report[0]);
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(3);
        const RemovalResult result = remove();
        const std::string message = (result.removed ? "1" : "0") + result.reason;
        const bool written = ::write(report[1], message.data(), message.size()) ==
                             static_cast<ssize_t>(message.size());
        ::_exit(written ? 0 : 4);
    }
    ::close(report[1]);
    std::string message;
    char chunk[256];
    for (ssize_t got; (got = ::read(report[0], chunk, sizeof chunk)) > 0;)
        message.append(chunk, static_cast<std::size_t>(got));
    ::close(report[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "status " << status;
    if (message.empty()) return {false, "the unprivileged child reported nothing"};
    return {message[0] == '1', message.substr(1)};
}

// Hands a scratch path to the unprivileged user, so that it may work there.
inline void GiveToUnprivilegedUser(const std::string& path) {
    if (::geteuid() == 0) {
        EXPECT_EQ(0, ::chown(path.c_str(), kNobody, kNobody)) << path;
    }
}

} // namespace mvf::platform
