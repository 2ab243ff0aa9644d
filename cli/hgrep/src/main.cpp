// hgrep: a grep over the pattern engine's file search.
//   hgrep [-s | -a K] [-i] [-H] [-b] [-n] [-c] [-v] PATTERN FILE...
// Exit status 0 when a line was reported, 1 when none, 2 on a bad pattern or a file that
// cannot be read (the other files are still searched).
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "options.h"
#include "search.h"

int main(int argc, char** argv) {
    using namespace mvf::cli;
    const Request request = ParseCommandLine(argc, argv);
    if (request.what == Request::Help) {
        std::fputs(kUsage, stdout);
        std::fputs(kHelp, stdout);
        return 0;
    }
    if (request.what == Request::Fault) {
        std::fprintf(stderr, "hgrep: %s\n%sTry 'hgrep --help'.\n", request.fault.c_str(), kUsage);
        return 2;
    }
    const Options& options = request.options;
    SetUpLibrary(stderr);
    if (!CompilePattern(options)) return 2;

    bool failed = false;
    bool reported = false;
    for (const std::string& file : options.files) {
        const long lines = SearchFile(options, file, stdout);
        if (lines < 0) failed = true;
        if (lines > 0) reported = true;
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        std::fprintf(stderr, "hgrep: cannot write the results: %s\n", std::strerror(errno));
        return 2;
    }
    if (failed) return 2;
    return reported ? 0 : 1;
}
