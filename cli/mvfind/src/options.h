// mvfind's command line: options that mirror the search dialog's fields.
#pragma once

#include <string>
#include <variant>

#include "finder/search/search_criteria.h"

namespace mvf::cli {

struct Options {
    search::SearchCriteria criteria; // the texts and choices, as the dialog would hand them
    std::string savePath;            // --save, absolute; empty: none
    std::string errorLogPath;        // --error-log, absolute; empty: none
    std::string loadPath;            // --load: print this results file instead of searching
    bool longFormat = false;
    bool quiet = false;
    bool progress = false;
};

struct ShowHelp {};

// A command line that cannot be used; the text says why.
struct UsageError {
    std::string message;
};

// Reads the command line. Relative file names are made absolute against `workingFolder`
// (the entry checks change the current directory later).
std::variant<Options, ShowHelp, UsageError> ParseOptions(int argc, char** argv,
                                                         const std::string& workingFolder);

// The text of --help.
const char* HelpText();

} // namespace mvf::cli
