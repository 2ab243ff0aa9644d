#include "finder/search/remembered_lists.h"

#include <algorithm>

namespace mvf::search {

void UpdateList(std::vector<std::string>& list, const std::string& text) {
    if (list.size() > kRememberedListLimit - 1) list.pop_back();
    if (std::find(list.begin(), list.end(), text) == list.end()) list.insert(list.begin(), text);
}

void UpdateLists(RememberedLists& lists, const std::string& findText,
                 const std::string& fileMaskText, const std::string& directoryText) {
    UpdateList(lists.FindTexts, findText);
    UpdateList(lists.Masks, fileMaskText);
    UpdateList(lists.Folders, directoryText);
}

} // namespace mvf::search
