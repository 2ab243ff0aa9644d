// A plain backtracking matcher written straight from the matcher's definition, kept
// only in the tests: every faster matcher in the library is held to its answers.
#pragma once

#include <array>

#include "mvfindgrep.h"

namespace mvf::engine::reference {

struct Answer {
    int result = 0; // 1 found, 0 not found, -1 record unusable
    int state = 0;  // the record's state afterwards
    std::array<const char*, MVFG_BOUNDS> start{};
    std::array<const char*, MVFG_BOUNDS> end{};
};

using WordTable = std::array<bool, 256>;

// Letters, digits and underscore.
WordTable DefaultWordTable();

// Searches `text` with the program and settings of `record` (which is not changed), under
// the given option bits and word-character table.
Answer Search(const RegexRecord& record, const char* text, int options, const WordTable& words);

} // namespace mvf::engine::reference
