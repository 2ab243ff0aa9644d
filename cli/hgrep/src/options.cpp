// Reads hgrep's command line in grep's manner: single-letter options that may be grouped
// (-in), "--" before a pattern that begins with "-".
#include "options.h"

#include <getopt.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace mvf::cli {

const char* const kUsage =
    "Usage: hgrep [-s | -a K] [-i] [-H] [-b] [-n] [-c] [-v] PATTERN FILE...\n";

const char* const kHelp =
    "Searches each FILE line by line and prints the lines that match PATTERN.\n"
    "\n"
    "  -s      PATTERN holds words found by how they sound (Soundex): Robert finds Rupert\n"
    "  -a K    PATTERN is text found with at most K characters replaced by others\n"
    "  -i      ignore case (regular expressions and -a; -s always does)\n"
    "  -H      begin each line with its file name (the default with several files)\n"
    "  -b      begin each line with the number of the 512-byte block that ends it\n"
    "  -n      begin each line with its line number\n"
    "  -c      print only how many lines match\n"
    "  -v      print the lines that do not match\n"
    "  --help  print this help\n"
    "\n"
    "Regular expressions (the default):\n"
    "  .  any character         [abc] [a-z] [^0-9]  one character of (not of) a set\n"
    "  *  zero or more, +  one or more, -  zero or one of the element before it\n"
    "  ^  line start (first in PATTERN)     $  line end (last in PATTERN)\n"
    "  \\< \\>  word start and end           \\( \\)  a group; \\1 to \\9 its text again\n"
    "  \\t \\n \\r \\f \\b  control characters   \\ before any other character: itself\n"
    "There is no alternation and no counted repetition. Quote PATTERN for the shell.\n"
    "\n"
    "Each line is searched without its line end, so the last line of a file answers the\n"
    "same with or without one. Lines longer than 1023 bytes are searched and printed in\n"
    "pieces of 1023 bytes.\n"
    "Exit status: 0 when a line was printed or counted, 1 when none, 2 on an error.\n";

namespace {

// K of -a: a whole number, 0 or more.
bool ReadDifferences(const char* text, int& k) {
    errno = 0;
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (errno || end == text || *end || value < 0 || value > INT_MAX) return false;
    k = static_cast<int>(value);
    return true;
}

Request Fault(std::string message) {
    Request r;
    r.what = Request::Fault;
    r.fault = std::move(message);
    return r;
}

} // namespace

Request ParseCommandLine(int argc, char** argv) {
    static const option kLong[] = {{"help", no_argument, nullptr, 'h'}, {nullptr, 0, nullptr, 0}};
    Request request;
    Options& o = request.options;
    bool soundex = false;
    bool approximate = false;
    opterr = 0; // faults are worded here
    optind = 1;
    for (int c; (c = getopt_long(argc, argv, ":sa:iHbncv", kLong, nullptr)) != -1;) {
        switch (c) {
        case 's': soundex = true; break;
        case 'a':
            approximate = true;
            if (!ReadDifferences(optarg, o.differences))
                return Fault(std::string("-a needs a number of differences, not '") + optarg + "'");
            break;
        case 'i': o.ignoreCase = true; break;
        case 'H': o.showName = true; break;
        case 'b': o.showBlock = true; break;
        case 'n': o.showLineNumber = true; break;
        case 'c': o.countOnly = true; break;
        case 'v': o.invert = true; break;
        case 'h': request.what = Request::Help; return request;
        case ':': return Fault("-a needs a number of differences");
        default:
            if (optopt) return Fault(std::string("unknown option -") + static_cast<char>(optopt));
            return Fault(std::string("unknown option ") + argv[optind - 1]);
        }
    }
    if (soundex && approximate) return Fault("-s and -a cannot be used together");
    if (soundex) o.kind = Kind::Soundex;
    if (approximate) o.kind = Kind::Approximate;
    if (argc - optind < 2) return Fault("a PATTERN and at least one FILE are needed");
    o.pattern = argv[optind++];
    for (; optind < argc; ++optind) o.files.emplace_back(argv[optind]);
    if (o.files.size() > 1) o.showName = true;
    return request;
}

} // namespace mvf::cli
