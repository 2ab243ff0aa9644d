// Boyer-Moore-Horspool matching inside one paragraph, with the case and whole-word rules.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace mvf::editor {

inline constexpr size_t kMaxPatternLength = 255;

class TextMatcher {
public:
    static constexpr size_t npos = std::string_view::npos;

    // The pattern is cut to 255 characters. Case-blind matching upper-cases the pattern
    // once and every text character as it is compared, with the C library's rules.
    TextMatcher(std::string_view pattern, bool matchCase, bool wholeWords,
                bool (*isDelimiter)(char));

    size_t Length() const { return pattern_.size(); }
    // The first counting match starting at or after `from` and ending by `end`.
    size_t FindFirst(std::string_view text, size_t from, size_t end) const;
    // The last counting match starting at or after `from` that lies wholly before `before`.
    size_t FindLast(std::string_view text, size_t from, size_t before) const;
    // Whether `candidate` equals the pattern under the case rule.
    bool Equals(std::string_view candidate) const;

private:
    unsigned char Fold(char c) const { return fold_[static_cast<unsigned char>(c)]; }
    bool MatchesAt(std::string_view text, size_t at) const;
    bool IsWholeWord(std::string_view text, size_t at) const;

    std::string pattern_;
    bool wholeWords_;
    bool (*isDelimiter_)(char);
    std::array<unsigned char, 256> fold_{};
    std::array<size_t, 256> shift_{};
};

} // namespace mvf::editor
