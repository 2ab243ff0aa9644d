// A viewer started as a real process on the offscreen platform, in a runtime folder of
// the test's own (so its lock and socket meet only the test's other viewers), with its
// document log on standard error, which the test reads from a file.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "testsupport/temp_folder.h"

namespace mvf::viewer::testing {

class ViewerProcess {
public:
    ViewerProcess(const std::string& runtimeFolder, const std::string& logFile,
                  std::vector<std::string> files)
        : log_(logFile) {
        std::vector<std::string> args{VANTORVIEWER_PATH};
        args.insert(args.end(), files.begin(), files.end());
        std::vector<std::string> env{
            "QT_QPA_PLATFORM=offscreen",
            "XDG_RUNTIME_DIR=" + runtimeFolder,
            "QT_LOGGING_RULES=mvf.viewer.*.info=true",
            "HOME=" + runtimeFolder,
            "PATH=/usr/bin:/bin",
            // In sanitizer builds the toolkit's own allocations kept until exit are no
            // finding of these tests; memory errors still end the process.
            "ASAN_OPTIONS=detect_leaks=0",
        };
        std::vector<char*> argv, envp;
        for (std::string& a : args) argv.push_back(a.data());
        argv.push_back(nullptr);
        for (std::string& e : env) envp.push_back(e.data());
        envp.push_back(nullptr);
        pid_ = ::fork();
        if (pid_ == 0) {
            const int err = ::open(logFile.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0600);
            const int null = ::open("/dev/null", O_RDWR);
            if (err < 0 || null < 0 || ::dup2(null, 0) < 0 || ::dup2(null, 1) < 0 ||
                ::dup2(err, 2) < 0)
                ::_exit(126);
            ::execve(argv[0], argv.data(), envp.data());
            ::_exit(127);
        }
    }
    ~ViewerProcess() {
        if (pid_ > 0 && !ended_) {
            ::kill(pid_, SIGKILL);
            Wait(std::chrono::seconds(10));
        }
    }
    ViewerProcess(const ViewerProcess&) = delete;
    ViewerProcess& operator=(const ViewerProcess&) = delete;

    pid_t Pid() const { return pid_; }
    bool Running() {
        Wait(std::chrono::milliseconds(0));
        return !ended_;
    }
    // The exit status; -1 when a signal ended it, -2 while it still runs after `timeout`.
    int Wait(std::chrono::milliseconds timeout = std::chrono::seconds(30)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        while (!ended_) {
            int status = 0;
            const pid_t got = ::waitpid(pid_, &status, WNOHANG);
            if (got == pid_) {
                ended_ = true;
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                break;
            }
            if (got < 0 || std::chrono::steady_clock::now() >= deadline) return -2;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return status_;
    }
    void Kill(int signal) {
        if (!ended_) ::kill(pid_, signal);
    }

    std::string Log() const { return mvf::testing::ReadAll(log_); }
    // Waits until the log holds `line` `count` times.
    bool WaitForLog(const std::string& line, int count = 1,
                    std::chrono::milliseconds timeout = std::chrono::seconds(30)) const {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            if (Count(line) >= count) return true;
            if (std::chrono::steady_clock::now() >= deadline) return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }
    int Count(const std::string& line) const {
        const std::string log = Log();
        int n = 0;
        for (size_t at = 0; (at = log.find(line + "\n", at)) != std::string::npos; ++at) ++n;
        return n;
    }

private:
    std::string log_;
    pid_t pid_ = -1;
    bool ended_ = false;
    int status_ = -1;
};

} // namespace mvf::viewer::testing
