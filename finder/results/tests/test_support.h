// Helpers shared by the results tests: a scratch folder and whole-file reading/writing.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "results/results_list.h"

namespace mvf::testing {

// A fresh folder under the temp folder, removed with everything in it at the end.
class TempDir {
public:
    TempDir() {
        std::string pattern = (std::filesystem::temp_directory_path() / "results-XXXXXX");
        if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "mkdtemp";
        path_ = pattern;
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::string operator/(std::string_view name) const { return path_ + "/" + std::string(name); }
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void WriteAll(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::binary).write(bytes.data(), std::ssize(bytes));
}

// The names of a list's rows, in list order, joined by blanks.
inline std::string Names(const ResultsList& list) {
    std::string names;
    for (const ResultEntry& row : list.entries()) {
        if (!names.empty()) names += ' ';
        names += row.name();
    }
    return names;
}

} // namespace mvf::testing
