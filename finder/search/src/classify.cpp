#include "classify.h"

#include <algorithm>
#include <cstring>

namespace mvf::search {

namespace {

constexpr std::size_t kBinaryWindow = 255;

} // namespace

FileType Classify(const char* bytes, std::size_t count) {
    count = std::min(count, kClassifyBytes);
    if (std::memchr(bytes, 0, std::min(count, kBinaryWindow))) return FileType::Binary;
    const void* zero = std::memchr(bytes, 0, count);
    const std::size_t text =
        zero ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes) : count;
    const bool lf = std::memchr(bytes, '\n', text) != nullptr;
    const bool cr = std::memchr(bytes, '\r', text) != nullptr;
    if (lf && !cr) return FileType::Unix;
    if (cr && !lf) return FileType::Mac;
    return FileType::Dos;
}

} // namespace mvf::search
