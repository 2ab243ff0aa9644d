// A folder of real files for one test, removed with everything in it afterwards.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace mvfg::testing {

class TempDir {
public:
    TempDir() {
        const char* base = std::getenv("TMPDIR");
        std::string name = std::string(base && *base ? base : "/tmp") + "/mvfg-test-XXXXXX";
        if (!mkdtemp(name.data())) ADD_FAILURE() << "cannot create a folder from " << name;
        path_ = name;
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // Writes a file byte for byte; its full path.
    std::string Write(const std::string& name, const std::string& content) const {
        const std::string file = path_ + "/" + name;
        std::ofstream out(file, std::ios::binary);
        out << content;
        EXPECT_TRUE(out.good()) << file;
        return file;
    }

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

} // namespace mvfg::testing
