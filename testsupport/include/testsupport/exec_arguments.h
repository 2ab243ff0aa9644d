// The argument vector execv wants, for a program started without a shell.
#pragma once

#include <string>
#include <vector>

namespace mvf::testing {

// `program` first, then `args`, then the null that ends the list. The pointers point
// into `args`, which must outlive the returned vector and is changed to hold `program`.
inline std::vector<char*> ExecArguments(const std::string& program,
                                        std::vector<std::string>& args) {
    args.insert(args.begin(), program);
    std::vector<char*> argv;
    argv.reserve(args.size() + 1);
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    return argv;
}

} // namespace mvf::testing
