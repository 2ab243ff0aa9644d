// How a change to the text moves positions: carets, selections and bookmarks follow it.
#pragma once

#include <cstdint>

#include "viewer/editor/text_position.h"

namespace mvf::editor {

struct PositionChange {
    enum Kind {
        Inserted,     // `count` characters inserted at (para, pos)
        Deleted,      // `count` characters deleted at (para, pos)
        Split,        // para split at pos; the new paragraph starts with `count` indent chars
        Joined,       // para joined with the next one, whose text now starts at pos
        ParaDeleted,  // paragraph para deleted
        ParaInserted, // a paragraph inserted before para
    };
    Kind kind = Inserted;
    int32_t para = 1;
    int32_t pos = 1;
    int32_t count = 0;
};

// Moves `at` to follow `change`. Returns false when the position lay in text that was
// deleted: a bookmark there is cleared, while a caret takes the adjusted position.
bool FollowChange(const PositionChange& change, ParaPos& at);

} // namespace mvf::editor
