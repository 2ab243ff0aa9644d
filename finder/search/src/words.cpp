#include "finder/search/words.h"

namespace mvf::search {

namespace {

std::string_view TrimSpaces(std::string_view word) {
    const std::size_t first = word.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    const std::size_t last = word.find_last_not_of(' ');
    return word.substr(first, last - first + 1);
}

std::string ReplaceAll(std::string_view text, std::string_view token, char by) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t at = 0;;) {
        const std::size_t found = text.find(token, at);
        if (found == std::string_view::npos) {
            out.append(text.substr(at));
            return out;
        }
        out.append(text.substr(at, found - at));
        out.push_back(by);
        at = found + token.size();
    }
}

} // namespace

std::vector<std::string> SplitWords(std::string_view text, char delimiter) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find(delimiter, start);
        if (end == std::string_view::npos) end = text.size();
        if (end > start) words.emplace_back(TrimSpaces(text.substr(start, end - start)));
        start = end + 1;
    }
    return words;
}

std::string ExpandTokens(std::string_view expression) {
    return ReplaceAll(ReplaceAll(expression, "</sp>", ' '), "</tb>", '\t');
}

} // namespace mvf::search
