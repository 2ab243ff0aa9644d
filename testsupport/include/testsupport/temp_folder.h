// A fresh folder under the system's temporary folder, removed with everything in it
// when the test ends; and helpers that make real files, folders, links and FIFOs in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace mvf::testing {

// The whole content of a file; empty when it cannot be read.
inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes exactly these bytes to a file that may already exist.
inline void WriteAll(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << path;
}

class TempFolder {
public:
    TempFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "mvf-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        root_ = pattern;
    }
    ~TempFolder() {
        std::error_code failed;
        std::filesystem::remove_all(root_, failed);
        // Paths beyond PATH_MAX defeat remove_all; rm walks them with openat.
        if (failed) std::system(("rm -rf '" + root_ + "'").c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Root() const { return root_; }
    std::string Path(std::string_view relative) const {
        return root_ + "/" + std::string(relative);
    }

    // Writes a file (and the folders above it) with exactly these bytes; its full path.
    std::string File(std::string_view relative, std::string_view bytes = {}) const {
        std::string path = Path(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        WriteAll(path, bytes);
        return path;
    }
    std::string Folder(std::string_view relative) const {
        std::string path = Path(relative);
        std::filesystem::create_directories(path);
        return path;
    }
    std::string Link(std::string_view relative, const std::string& target) const {
        std::string path = Path(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        EXPECT_EQ(0, ::symlink(target.c_str(), path.c_str())) << path;
        return path;
    }
    std::string Fifo(std::string_view relative) const {
        std::string path = Path(relative);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        EXPECT_EQ(0, ::mkfifo(path.c_str(), 0644)) << path;
        return path;
    }

private:
    std::string root_;
};

} // namespace mvf::testing
