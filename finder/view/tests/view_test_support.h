// Helpers of the results view's tests: lists of rows made for a test, and the list's
// names as one text.
#pragma once

#include <QApplication>
#include <QString>
#include <initializer_list>
#include <string>
#include <string_view>

#include "finder/results/results_list.h"
#include "testsupport/qt_print.h"

namespace mvf::testing {

// Adds a DOS file row with the given full path and size, dated as given.
inline void AddFile(results::ResultsList& list, std::string_view path, std::int64_t size = 1,
                    std::string_view created = "07/04/1999 03:15:42 PM",
                    std::string_view modified = "07/05/1999 10:00:00 AM") {
    list.AddItem(path, created, modified, size, {.IsDos = true});
}

inline void AddFiles(results::ResultsList& list, std::initializer_list<std::string_view> paths) {
    for (std::string_view path : paths) AddFile(list, path);
}

// The rows' names in list order, joined by blanks.
inline std::string Names(const results::ResultsList& list) {
    std::string names;
    for (const results::ResultEntry& row : list.entries()) {
        if (!names.empty()) names += ' ';
        names += row.name();
    }
    return names;
}

} // namespace mvf::testing
