// Helpers shared by the results tests.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "finder/results/results_list.h"
#include "testsupport/temp_folder.h"

namespace mvf::testing {

// The names of a list's rows, in list order, joined by blanks.
inline std::string Names(const results::ResultsList& list) {
    std::string names;
    for (const results::ResultEntry& row : list.entries()) {
        if (!names.empty()) names += ' ';
        names += row.name();
    }
    return names;
}

} // namespace mvf::testing
