#include "platform/core/wildcard.h"

#include <cstddef>

namespace mvf::platform {

namespace {

unsigned char Fold(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

// Length of the character at `at`: a UTF-8 lead byte and its continuation bytes, or one
// byte for anything else (ASCII, stray continuation bytes, invalid bytes).
std::size_t CharLength(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    std::size_t length = 1;
    if (lead >= 0xC0) {
        while (length < 4 && at + length < text.size() &&
               (static_cast<unsigned char>(text[at + length]) & 0xC0) == 0x80)
            ++length;
    }
    return length;
}

bool HasWildcard(std::string_view text) {
    return text.find_first_of("*?") != text.npos;
}

bool EndsWithFolded(std::string_view name, std::string_view foldedSuffix) {
    if (name.size() < foldedSuffix.size()) return false;
    const std::size_t offset = name.size() - foldedSuffix.size();
    for (std::size_t i = 0; i < foldedSuffix.size(); ++i)
        if (Fold(static_cast<unsigned char>(name[offset + i])) !=
            static_cast<unsigned char>(foldedSuffix[i]))
            return false;
    return true;
}

// Classic wildcard matching with one backtrack point: on a mismatch the last "*" takes
// one more character. Linear in practice, never worse than mask × name.
bool MatchPattern(std::string_view mask, std::string_view name) {
    std::size_t m = 0, n = 0;
    std::size_t starMask = std::string_view::npos, starName = 0;
    while (n < name.size()) {
        if (m < mask.size() && mask[m] == '*') {
            starMask = ++m;
            starName = n;
        } else if (m < mask.size() && mask[m] == '?') {
            ++m;
            n += CharLength(name, n);
        } else if (m < mask.size() && static_cast<unsigned char>(mask[m]) ==
                                          Fold(static_cast<unsigned char>(name[n]))) {
            ++m;
            ++n;
        } else if (starMask != std::string_view::npos) {
            m = starMask;
            starName += CharLength(name, starName);
            n = starName;
        } else {
            return false;
        }
    }
    while (m < mask.size() && mask[m] == '*') ++m;
    return m == mask.size();
}

} // namespace

NameMask::NameMask(std::string_view mask) {
    for (const char c : mask)
        folded_.push_back(static_cast<char>(Fold(static_cast<unsigned char>(c))));
    if (folded_.empty()) {
        kind_ = Kind::Nothing;
    } else if (folded_ == "*.*" || folded_.find_first_not_of('*') == std::string::npos) {
        kind_ = Kind::Everything;
    } else if (folded_[0] == '*' && !HasWildcard(std::string_view(folded_).substr(1))) {
        kind_ = Kind::Suffix;
        folded_.erase(0, 1);
    } else {
        kind_ = Kind::Pattern;
    }
}

bool NameMask::Matches(std::string_view name) const {
    switch (kind_) {
    case Kind::Nothing: return false;
    case Kind::Everything: return !name.empty();
    case Kind::Suffix: return EndsWithFolded(name, folded_);
    case Kind::Pattern: return MatchPattern(folded_, name);
    }
    return false;
}

} // namespace mvf::platform
