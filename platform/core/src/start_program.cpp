#include "platform/core/start_program.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <linux/close_range.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <system_error>
#include <unistd.h>

namespace mvf::platform {

namespace {

// What the started processes report through the pipe to the caller.
struct Report {
    enum Kind : int { Pid, ExecFailed, ForkFailed } kind;
    int value;
};

void Send(int fd, Report::Kind kind, int value) {
    const Report report{kind, value};
    // Async-signal-safe only between fork and exec; a short write to a pipe is atomic.
    while (::write(fd, &report, sizeof report) < 0 && errno == EINTR) {
    }
}

// Runs in the grandchild: everything here must be async-signal-safe.
[[noreturn]] void ExecProgram(const char* program, char* const* argv, int reportFd) {
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    struct sigaction byDefault {};
    byDefault.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal) ::sigaction(signal, &byDefault, nullptr);
    // Whatever the caller opened without close-on-exec stays behind; the report pipe has
    // it already. Kernels before 5.11 lack the flag: their descriptors are left as they are.
    ::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC);
    Send(reportFd, Report::Pid, static_cast<int>(::getpid()));
    ::execv(program, argv);
    Send(reportFd, Report::ExecFailed, errno);
    ::_exit(127);
}

} // namespace

StartResult StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
    StartResult result;
    const auto fail = [&](int error) {
        result.failure = "cannot start " + program + ": " + std::generic_category().message(error);
        return result;
    };

    // Everything the children need is prepared before fork: after it, no allocation.
    std::vector<std::string> words;
    words.reserve(arguments.size() + 1);
    words.push_back(program);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(words.size() + 1);
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) return fail(errno);

    // Fork twice: the middle process starts a new session, forks the program and ends at
    // once, so the program is adopted by init and never becomes the caller's zombie.
    const pid_t middle = ::fork();
    if (middle < 0) {
        const int error = errno;
        ::close(pipeFds[0]);
        ::close(pipeFds[1]);
        return fail(error);
    }
    if (middle == 0) {
        ::close(pipeFds[0]);
        ::setsid();
        const pid_t child = ::fork();
        if (child == 0) ExecProgram(program.c_str(), argv.data(), pipeFds[1]);
        if (child < 0) Send(pipeFds[1], Report::ForkFailed, errno);
        ::_exit(0);
    }

    ::close(pipeFds[1]);
    while (::waitpid(middle, nullptr, 0) < 0 && errno == EINTR) {
    }
    // Reading ends when every copy of the write end is closed: at the program's exec, or
    // when it exits after a failed one.
    Report report{};
    int error = 0;
    for (;;) {
        const ssize_t got = ::read(pipeFds[0], &report, sizeof report);
        if (got < 0 && errno == EINTR) continue;
        if (got != static_cast<ssize_t>(sizeof report)) break;
        if (report.kind == Report::Pid)
            result.pid = report.value;
        else
            error = report.value ? report.value : ECHILD;
    }
    ::close(pipeFds[0]);
    if (error != 0 || result.pid < 0) return fail(error ? error : ECHILD);
    result.started = true;
    return result;
}

} // namespace mvf::platform
