// The remembered texts of the search dialog's three drop-down lists.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace mvf::search {

inline constexpr std::size_t kRememberedListLimit = 51;

// Remembers `text` in `list`, newest first: a list holding more than 50 entries first
// loses its last one; a text not yet in the list (exact comparison) is inserted first;
// a text already there keeps its place. An empty text is remembered like any other.
void UpdateList(std::vector<std::string>& list, const std::string& text);

struct RememberedLists {
    std::vector<std::string> FindTexts;
    std::vector<std::string> Masks;
    std::vector<std::string> Folders;
};

// The three lists, in the order find texts, masks, folders.
void UpdateLists(RememberedLists& lists, const std::string& findText,
                 const std::string& fileMaskText, const std::string& directoryText);

} // namespace mvf::search
