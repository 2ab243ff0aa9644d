// The option bits the viewer's find and replace commands give the editor's search.
#pragma once

#include <cstdint>

namespace mvf::viewer {

// A find: backward when the dialog's direction is up, match case and whole words as
// ticked. The replace bits are clear.
uint8_t FindOptions(bool up, bool matchCase, bool wholeWords);
// A replace, always forward: match case and whole words as ticked, and the replace-one or
// the replace-all bit.
uint8_t ReplaceOptions(bool matchCase, bool wholeWords, bool all);
// Find next searches again with the last options, the replace bits cleared.
uint8_t FindNextOptions(uint8_t optSearch);

} // namespace mvf::viewer
