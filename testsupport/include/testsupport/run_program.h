// Runs one of the project's programs as a real process and collects what it printed.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <gtest/gtest.h>

#include "testsupport/exec_arguments.h"
#include "testsupport/temp_folder.h"

namespace mvf::testing {

struct ProgramRun {
    int status = -1; // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// A program started in `folder` (no shell in between), its output going to files.
class StartedProgram {
public:
    StartedProgram(const std::string& program, std::vector<std::string> args,
                   const std::string& folder)
        : out_(capture_.Path("out")), err_(capture_.Path("err")) {
        std::vector<char*> argv = ExecArguments(program, args);
        pid_ = ::fork();
        if (pid_ == 0) {
            const int o = ::open(out_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            const int e = ::open(err_.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0 || ::chdir(folder.c_str()))
                ::_exit(126);
            ::execv(argv[0], argv.data());
            ::_exit(127);
        }
    }
    // A test that gives up early leaves no process behind.
    ~StartedProgram() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            ::waitpid(pid_, nullptr, 0);
        }
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // Whether it holds open a file whose path ends in `name` (as /proc shows it).
    bool HasOpen(const std::string& name) const {
        std::error_code failed;
        const std::string fds = "/proc/" + std::to_string(pid_) + "/fd";
        for (const auto& fd : std::filesystem::directory_iterator(fds, failed)) {
            const std::string target = std::filesystem::read_symlink(fd.path(), failed).string();
            if (!failed && target.ends_with(name)) return true;
        }
        return false;
    }
    void Signal(int signal) const { ::kill(pid_, signal); }

    // Waits for it to end.
    ProgramRun Finish() {
        ProgramRun run;
        int status = 0;
        EXPECT_EQ(pid_, ::waitpid(pid_, &status, 0));
        pid_ = -1;
        if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
        run.out = ReadAll(out_);
        run.err = ReadAll(err_);
        return run;
    }

private:
    TempFolder capture_;
    std::string out_;
    std::string err_;
    pid_t pid_ = -1;
};

// Starts `program` with `args` in `folder` (no shell in between) and waits for it.
inline ProgramRun RunProgram(const std::string& program, std::vector<std::string> args,
                             const std::string& folder) {
    return StartedProgram(program, std::move(args), folder).Finish();
}

} // namespace mvf::testing
