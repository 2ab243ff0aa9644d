// File-name masks: "*" stands for any run of characters, "?" for exactly one character
// (one UTF-8 sequence), letters compare without regard to case (A-Z with a-z), and
// "*.*" matches every name, also one without a dot. An empty mask matches nothing.
#pragma once

#include <string>
#include <string_view>

namespace mvf::platform {

class NameMask {
public:
    explicit NameMask(std::string_view mask);

    bool Matches(std::string_view name) const;

private:
    enum class Kind { Nothing, Everything, Suffix, Pattern };
    Kind kind_;
    std::string folded_; // the mask in lower case; for Suffix only what follows the "*"
};

} // namespace mvf::platform
