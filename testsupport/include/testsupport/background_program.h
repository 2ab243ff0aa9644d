// Runs one of the project's programs as a real process in the background, for tests that
// need two processes at once (a lock holder, a socket peer): the test writes to its
// standard input, reads its standard output line by line, and kills it at will.
#pragma once

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "testsupport/exec_arguments.h"

namespace mvf::testing {

class BackgroundProgram {
public:
    // Starts `program` with `args` (no shell in between); its standard error stays the
    // test's, so whatever it complains about shows in the test log.
    BackgroundProgram(const std::string& program, std::vector<std::string> args) {
        int input[2], output[2];
        if (::pipe2(input, O_CLOEXEC) != 0 || ::pipe2(output, O_CLOEXEC) != 0) {
            ADD_FAILURE() << "pipe failed";
            return;
        }
        std::vector<char*> argv = ExecArguments(program, args);
        pid_ = ::fork();
        if (pid_ == 0) {
            if (::dup2(input[0], 0) < 0 || ::dup2(output[1], 1) < 0) ::_exit(126);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
        ::close(input[0]);
        ::close(output[1]);
        in_ = input[1];
        out_ = output[0];
    }
    ~BackgroundProgram() {
        if (pid_ > 0 && !ended_) {
            Kill(SIGKILL);
            Wait();
        }
        CloseInput();
        if (out_ >= 0) ::close(out_);
    }
    BackgroundProgram(const BackgroundProgram&) = delete;
    BackgroundProgram& operator=(const BackgroundProgram&) = delete;

    pid_t Pid() const { return pid_; }

    // The next line the program printed, without its line feed; nothing when it printed
    // none within `timeout` or closed its output.
    std::optional<std::string>
    ReadLine(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            if (const std::size_t end = buffer_.find('\n'); end != std::string::npos) {
                std::string line = buffer_.substr(0, end);
                buffer_.erase(0, end + 1);
                return line;
            }
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0) return std::nullopt;
            pollfd ready{out_, POLLIN, 0};
            if (::poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
            char chunk[4096];
            const ssize_t got = ::read(out_, chunk, sizeof chunk);
            if (got <= 0) return std::nullopt;
            buffer_.append(chunk, static_cast<std::size_t>(got));
        }
    }

    void Write(const std::string& text) {
        EXPECT_EQ(static_cast<ssize_t>(text.size()), ::write(in_, text.data(), text.size()));
    }
    // Closes the program's standard input; a program waiting for its end goes on.
    void CloseInput() {
        if (in_ >= 0) ::close(in_);
        in_ = -1;
    }
    void Kill(int signal = SIGKILL) {
        if (pid_ > 0 && !ended_) ::kill(pid_, signal);
    }
    // Waits at most `timeout` for the program to end: its exit status, -1 when a signal
    // ended it, -2 when it is still running.
    int Wait(std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
        if (ended_) return status_;
        const auto deadline = std::chrono::steady_clock::now() + timeout;
        for (;;) {
            int status = 0;
            const pid_t got = ::waitpid(pid_, &status, WNOHANG);
            if (got == pid_) {
                ended_ = true;
                status_ = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
                return status_;
            }
            if (got < 0 || std::chrono::steady_clock::now() >= deadline) return -2;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }

private:
    pid_t pid_ = -1;
    int in_ = -1;
    int out_ = -1;
    bool ended_ = false;
    int status_ = -1;
    std::string buffer_;
};

} // namespace mvf::testing
