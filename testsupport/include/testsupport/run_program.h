// Runs one of the project's programs as a real process and collects what it printed.
#pragma once

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "testsupport/temp_folder.h"

namespace mvf::testing {

struct ProgramRun {
    int status = -1; // the exit status; -1 when the program did not exit normally
    std::string out;
    std::string err;
};

// Starts `program` with `args` in `folder` (no shell in between) and waits for it.
inline ProgramRun RunProgram(const std::string& program, std::vector<std::string> args,
                             const std::string& folder) {
    TempFolder capture;
    const std::string out = capture.Path("out");
    const std::string err = capture.Path("err");
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int o = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int e = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (o < 0 || e < 0 || ::dup2(o, 1) < 0 || ::dup2(e, 2) < 0 || ::chdir(folder.c_str()))
            ::_exit(126);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    ProgramRun run;
    int status = 0;
    EXPECT_EQ(pid, ::waitpid(pid, &status, 0));
    if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
    run.out = ReadAll(out);
    run.err = ReadAll(err);
    return run;
}

} // namespace mvf::testing
