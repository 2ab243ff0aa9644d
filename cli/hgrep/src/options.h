// The command line of hgrep: what to search for, how, in which files.
#pragma once

#include <string>
#include <vector>

namespace mvf::cli {

enum class Kind { RegularExpression, Soundex, Approximate };

struct Options {
    Kind kind = Kind::RegularExpression;
    int differences = 0; // -a K
    bool ignoreCase = false;
    bool showName = false;
    bool showBlock = false;
    bool showLineNumber = false;
    bool countOnly = false;
    bool invert = false;
    std::string pattern;
    std::vector<std::string> files;
};

// What the command line asks for: a search, the help, or a fault (its message).
struct Request {
    enum { Search, Help, Fault } what = Search;
    Options options;
    std::string fault;
};

Request ParseCommandLine(int argc, char** argv);

extern const char* const kUsage;
extern const char* const kHelp;

} // namespace mvf::cli
