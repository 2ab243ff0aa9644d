// One differential case: the library's RGrep against the reference backtracker under the
// same record, options and word-character table. Shared by the differential test, the
// soak run and the fuzz target.
#pragma once

#include <string>

#include "mvfindgrep.h"
#include "reference_matcher.h"

namespace mvf::engine::testing {

struct Case {
    std::string pattern;
    std::string text;
    int caseSensitive = 1;
    int options = 0;            // line-mode bits 1 and 2
    std::string extraWordChars; // added to the default word characters for this case
};

struct Outcome {
    bool compiled = false;
    std::string difference; // empty when the answers agree
};

// Compiles `pattern` (c.pattern's text, possibly in a buffer of its own) into a fresh
// record and searches `text` (which must stay alive: the bounds point into it) with both
// matchers. Restores the word table and options.
Outcome Compare(const Case& c, const char* pattern, const char* text);

// The same on a copy of c.text.
Outcome Compare(const Case& c);

} // namespace mvf::engine::testing
