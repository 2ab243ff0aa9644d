#include "viewer/editor/commands.h"

#include <array>

namespace mvf::editor {

std::string_view CommandName(int code) {
    static constexpr std::array<std::string_view, ccLastCommand + 1> kNames = {
        "ccNone",         "ccBack",         "ccBotOfPage",   "ccBotRightCell", "ccCompleteDate",
        "ccCompleteTime", "ccCopy",         "ccCtrlChar",    "ccCut",          "ccDec",
        "ccDel",          "ccDelBol",       "ccDelEol",      "ccDelLine",      "ccDelWord",
        "ccDown",         "ccEnd",          "ccExtendDown",  "ccExtendEnd",    "ccExtendHome",
        "ccExtendLeft",   "ccExtendPgDn",   "ccExtendPgUp",  "ccExtendRight",  "ccExtendUp",
        "ccExtBotOfPage", "ccExtFirstPage", "ccExtLastPage", "ccExtTopOfPage", "ccExtWordLeft",
        "ccExtWordRight", "ccFirstPage",    "ccGotoMarker0", "ccGotoMarker1",  "ccGotoMarker2",
        "ccGotoMarker3",  "ccGotoMarker4",  "ccGotoMarker5", "ccGotoMarker6",  "ccGotoMarker7",
        "ccGotoMarker8",  "ccGotoMarker9",  "ccHome",        "ccInc",          "ccIns",
        "ccLastPage",     "ccLeft",         "ccNewLine",     "ccNextPage",     "ccPageLeft",
        "ccPageRight",    "ccPaste",        "ccPrevPage",    "ccRedo",         "ccRestore",
        "ccRight",        "ccScrollDown",   "ccScrollUp",    "ccSetMarker0",   "ccSetMarker1",
        "ccSetMarker2",   "ccSetMarker3",   "ccSetMarker4",  "ccSetMarker5",   "ccSetMarker6",
        "ccSetMarker7",   "ccSetMarker8",   "ccSetMarker9",  "ccTab",          "ccTableEdit",
        "ccTopLeftCell",  "ccTopOfPage",    "ccUndo",        "ccUp",           "ccWordLeft",
        "ccWordRight",
    };
    if (code < 0 || code > ccLastCommand) return {};
    return kNames[code];
}

} // namespace mvf::editor
