// The type of a file, told from its first bytes.
#pragma once

#include <cstddef>

namespace mvf::search {

// How many leading bytes the classification reads.
inline constexpr std::size_t kClassifyBytes = 1024;

enum class FileType { Dos, Mac, Unix, Binary };

// `bytes` are the first `count` bytes of a file (at most kClassifyBytes are looked at).
// Binary when a byte 0 occurs among the first 255; otherwise, up to the first byte 0:
// both line feeds and carriage returns, or neither, make DOS; line feeds alone UNIX;
// carriage returns alone MAC. An empty file is DOS.
FileType Classify(const char* bytes, std::size_t count);

} // namespace mvf::search
