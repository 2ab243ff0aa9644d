// The texts of one column of many rows, copied into one block as the rows are added, so
// that the rows' order can be worked out away from the list.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace mvf::session {

class ColumnTexts {
public:
    void Add(std::string_view text) {
        starts_.push_back(bytes_.size());
        bytes_.append(text);
        bytes_.push_back('\0'); // the order reads each text up to its NUL
    }
    std::size_t size() const { return starts_.size(); }

    // Views of the texts, each followed by its NUL (valid while this object is unchanged).
    std::vector<std::string_view> Views() const {
        std::vector<std::string_view> views;
        views.reserve(starts_.size());
        for (std::size_t i = 0; i < starts_.size(); ++i) {
            const std::size_t end = i + 1 < starts_.size() ? starts_[i + 1] - 1 : bytes_.size() - 1;
            views.emplace_back(bytes_.data() + starts_[i], end - starts_[i]);
        }
        return views;
    }

private:
    std::string bytes_;
    std::vector<std::size_t> starts_;
};

} // namespace mvf::session
