#include "text_search.h"

#include <algorithm>
#include <cctype>

namespace mvf::editor {

TextMatcher::TextMatcher(std::string_view pattern, bool matchCase, bool wholeWords,
                         bool (*isDelimiter)(char))
    : pattern_(pattern.substr(0, kMaxPatternLength)), wholeWords_(wholeWords),
      isDelimiter_(isDelimiter) {
    for (int c = 0; c < 256; ++c)
        fold_[c] = static_cast<unsigned char>(matchCase ? c : std::toupper(c));
    for (char& c : pattern_) c = static_cast<char>(Fold(c));
    const size_t n = pattern_.size();
    shift_.fill(n);
    for (size_t i = 0; i + 1 < n; ++i) shift_[static_cast<unsigned char>(pattern_[i])] = n - 1 - i;
}

bool TextMatcher::MatchesAt(std::string_view text, size_t at) const {
    for (size_t i = pattern_.size(); i-- > 0;) {
        if (Fold(text[at + i]) != static_cast<unsigned char>(pattern_[i])) return false;
    }
    return true;
}

bool TextMatcher::IsWholeWord(std::string_view text, size_t at) const {
    const size_t end = at + pattern_.size();
    return (at == 0 || isDelimiter_(text[at - 1])) &&
           (end >= text.size() || isDelimiter_(text[end]));
}

size_t TextMatcher::FindFirst(std::string_view text, size_t from, size_t end) const {
    const size_t n = pattern_.size();
    if (n == 0) return npos;
    end = std::min(end, text.size());
    size_t at = from;
    while (at + n <= end) {
        const unsigned char last = Fold(text[at + n - 1]);
        if (last == static_cast<unsigned char>(pattern_[n - 1]) && MatchesAt(text, at)) {
            if (!wholeWords_ || IsWholeWord(text, at)) return at;
            ++at; // a match that is not a whole word: go on one position further
            continue;
        }
        // A one-character pattern is a plain scan; otherwise the table gives the shift.
        at += n == 1 ? 1 : shift_[last];
    }
    return npos;
}

size_t TextMatcher::FindLast(std::string_view text, size_t from, size_t before) const {
    size_t found = npos;
    for (size_t at = FindFirst(text, from, before); at != npos;
         at = FindFirst(text, at + 1, before))
        found = at;
    return found;
}

bool TextMatcher::Equals(std::string_view candidate) const {
    return candidate.size() == pattern_.size() && MatchesAt(candidate, 0);
}

} // namespace mvf::editor
