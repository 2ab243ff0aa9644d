// Size, type and times of an open file.
#pragma once

#include <cstdint>
#include <optional>

namespace mvf::platform {

struct FileFacts {
    bool regular = false;
    std::int64_t size = 0;
    std::optional<std::int64_t> created;  // birth time, seconds since 1970; none where
                                          // the file system keeps no birth time
    std::optional<std::int64_t> modified; // last write, seconds since 1970
};

// Reads the facts of an open file with one statx call; nullopt when it fails.
std::optional<FileFacts> ReadFileFacts(int fd);

} // namespace mvf::platform
