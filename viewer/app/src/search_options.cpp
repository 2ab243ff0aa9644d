#include "viewer/app/search_options.h"

#include "viewer/editor/editor.h"

namespace mvf::viewer {

using namespace editor;

uint8_t FindOptions(bool up, bool matchCase, bool wholeWords) {
    return static_cast<uint8_t>((up ? kSearchBackward : 0) | (matchCase ? kSearchMatchCase : 0) |
                                (wholeWords ? kSearchWholeWords : 0));
}

uint8_t ReplaceOptions(bool matchCase, bool wholeWords, bool all) {
    return static_cast<uint8_t>(FindOptions(false, matchCase, wholeWords) |
                                (all ? kSearchReplaceAll : kSearchReplaceOne));
}

uint8_t FindNextOptions(uint8_t optSearch) {
    return static_cast<uint8_t>(optSearch & ~(kSearchReplaceOne | kSearchReplaceAll));
}

} // namespace mvf::viewer
