#include "viewer/editor/position_change.h"

namespace mvf::editor {

bool FollowChange(const PositionChange& c, ParaPos& at) {
    switch (c.kind) {
    case PositionChange::Inserted:
        if (at.para == c.para && at.pos >= c.pos) at.pos += c.count;
        return true;
    case PositionChange::Deleted:
        if (at.para != c.para || at.pos < c.pos) return true;
        if (at.pos < c.pos + c.count) {
            at.pos = c.pos;
            return false;
        }
        at.pos -= c.count;
        return true;
    case PositionChange::Split:
        if (at.para > c.para) {
            ++at.para;
        } else if (at.para == c.para && at.pos >= c.pos) {
            at = {c.para + 1, c.count + at.pos - c.pos + 1};
        }
        return true;
    case PositionChange::Joined:
        if (at.para == c.para + 1) {
            at = {c.para, at.pos + c.pos - 1};
        } else if (at.para > c.para + 1) {
            --at.para;
        }
        return true;
    case PositionChange::ParaDeleted:
        if (at.para > c.para) {
            --at.para;
        } else if (at.para == c.para) {
            at.pos = 1;
            return false;
        }
        return true;
    case PositionChange::ParaInserted:
        if (at.para >= c.para) ++at.para;
        return true;
    }
    return true;
}

} // namespace mvf::editor
