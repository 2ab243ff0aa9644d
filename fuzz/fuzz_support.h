// Helpers the fuzz targets share: exactly-sized copies (so that any read past a terminator
// is caught by the address sanitizer), splitting an input at its zero bytes, a scratch
// folder, and failing loudly.
#pragma once

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace mvf::fuzz {

[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "fuzz: %s\n", what.c_str());
    std::abort();
}

// A zero-terminated copy in a buffer of exactly its size.
inline std::unique_ptr<char[]> Exact(std::string_view text) {
    std::unique_ptr<char[]> copy(new char[text.size() + 1]);
    std::memcpy(copy.get(), text.data(), text.size());
    copy[text.size()] = '\0';
    return copy;
}

// The parts of `data` between its zero bytes; always at least one (maybe empty).
inline std::vector<std::string_view> SplitAtZeros(const char* data, std::size_t size) {
    std::vector<std::string_view> parts;
    const std::string_view all(data, size);
    std::size_t from = 0;
    for (;;) {
        const std::size_t zero = all.find('\0', from);
        if (zero == std::string_view::npos) {
            parts.push_back(all.substr(from));
            return parts;
        }
        parts.push_back(all.substr(from, zero - from));
        from = zero + 1;
    }
}

// One folder for the whole run under the temporary folder, removed at exit.
class ScratchFolder {
public:
    ScratchFolder() {
        std::string pattern = (std::filesystem::temp_directory_path() / "mvf-fuzz-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) Fail("no scratch folder");
        root_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    std::string Path(std::string_view name) const { return root_ + "/" + std::string(name); }

private:
    std::string root_;
};

// Writes exactly these bytes, replacing the file.
inline void WriteFile(const std::string& path, std::string_view bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) Fail("cannot write " + path);
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
        Fail("cannot write " + path);
    std::fclose(f);
}

inline std::string ReadFile(const std::string& path) {
    std::string bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    char block[65536];
    for (std::size_t n; (n = std::fread(block, 1, sizeof block, f)) > 0;) bytes.append(block, n);
    std::fclose(f);
    return bytes;
}

} // namespace mvf::fuzz
