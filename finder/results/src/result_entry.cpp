#include "results/result_entry.h"

#include <limits>
#include <stdexcept>

namespace mvf {

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
    texts_.reserve(total);
    for (int i = 0; i < kTexts; ++i) {
        start_[i] = static_cast<std::uint32_t>(texts_.size());
        texts_.append(texts[i]);
        texts_.push_back('\0');
    }
    start_[kTexts] = static_cast<std::uint32_t>(texts_.size());
}

} // namespace mvf
