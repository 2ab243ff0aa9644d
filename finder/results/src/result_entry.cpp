#include "finder/results/result_entry.h"

#include <algorithm>
#include <iterator>
#include <limits>
#include <stdexcept>

namespace mvf::results {

std::string_view TypeText(int type) {
    static constexpr std::string_view kTexts[] = {"DOS", "MAC", "UNIX", "BINARY"};
    if (type < 0 || type > 3) return {};
    return kTexts[type];
}

ResultEntry::ResultEntry(std::string_view name, int type, std::string_view path,
                         std::string_view size, std::string_view created, std::string_view modified)
    : type_(type) {
    const std::string_view texts[kTexts] = {name, path, size, created, modified};
    std::size_t total = 0;
    for (std::string_view t : texts) total += t.size() + 1;
    if (total > std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("result entry texts too long");
    texts_ = std::make_unique_for_overwrite<char[]>(total);
    char* out = texts_.get();
    for (int i = 0; i < kTexts; ++i) {
        out = std::copy(texts[i].begin(), texts[i].end(), out);
        end_[i] = static_cast<std::uint32_t>(out - texts_.get());
        *out++ = '\0';
    }
}

ResultEntry::ResultEntry(const ResultEntry& other)
    : texts_(std::make_unique_for_overwrite<char[]>(other.end_[kTexts - 1] + 1)),
      type_(other.type_) {
    std::copy(std::begin(other.end_), std::end(other.end_), end_);
    std::copy_n(other.texts_.get(), end_[kTexts - 1] + 1, texts_.get());
}

ResultEntry& ResultEntry::operator=(const ResultEntry& other) {
    if (this != &other) *this = ResultEntry(other);
    return *this;
}

bool operator==(const ResultEntry& a, const ResultEntry& b) {
    if (a.type_ != b.type_) return false;
    for (int i = 0; i < ResultEntry::kTexts; ++i)
        if (a.Text(i) != b.Text(i)) return false;
    return true;
}

std::string FullPath(std::string_view folder, std::string_view name) {
    std::string path;
    path.reserve(folder.size() + 1 + name.size());
    path.append(folder);
    if (path.empty() || path.back() != '/') path.push_back('/');
    return path.append(name);
}

} // namespace mvf::results
