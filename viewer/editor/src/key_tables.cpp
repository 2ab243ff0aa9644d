// The built-in key tables, as data.
#include "viewer/editor/controller.h"

namespace mvf::editor {
namespace {

constexpr uint8_t S = ssShift;
constexpr uint8_t C = ssCtrl;
constexpr uint8_t A = ssAlt;
constexpr uint8_t CS = ssCtrl | ssShift;
constexpr uint8_t Any = ssNoneOrCtrl;

KeyEntry Key(uint8_t key, uint8_t shift, int command) {
    return {key, shift, 0, 0, static_cast<uint16_t>(command)};
}

KeyEntry Sequence(uint8_t key, uint8_t second, int command) {
    return {key, C, second, Any, static_cast<uint16_t>(command)};
}

} // namespace

std::vector<KeyEntry> DefaultKeyTable() {
    std::vector<KeyEntry> t = {
        Key(vkLeft, 0, ccLeft),
        Key(vkRight, 0, ccRight),
        Key(vkLeft, C, ccWordLeft),
        Key(vkRight, C, ccWordRight),
        Key(vkHome, 0, ccHome),
        Key(vkEnd, 0, ccEnd),
        Key(vkDelete, 0, ccDel),
        Key(vkBack, 0, ccBack),
        Key(vkBack, S, ccBack),
        Key(vkPrior, C, ccTopOfPage),
        Key(vkNext, C, ccBotOfPage),
        Key(vkInsert, 0, ccIns),
        Key('Z', C, ccUndo),
        Key(vkBack, A, ccRestore),
        Key(vkUp, 0, ccUp),
        Key(vkDown, 0, ccDown),
        Key(vkReturn, C, ccNewLine),
        Key(vkLeft, S, ccExtendLeft),
        Key(vkRight, S, ccExtendRight),
        Key(vkHome, S, ccExtendHome),
        Key(vkEnd, S, ccExtendEnd),
        Key(vkLeft, CS, ccExtWordLeft),
        Key(vkRight, CS, ccExtWordRight),
        Key(vkPrior, S, ccExtendPgUp),
        Key(vkNext, S, ccExtendPgDn),
        Key(vkUp, S, ccExtendUp),
        Key(vkDown, S, ccExtendDown),
        Key(vkHome, CS, ccExtFirstPage),
        Key(vkEnd, CS, ccExtLastPage),
        Key(vkPrior, CS, ccExtTopOfPage),
        Key(vkNext, CS, ccExtBotOfPage),
        Key(vkDelete, S, ccCut),
        Key('X', C, ccCut),
        Key(vkInsert, C, ccCopy),
        Key('C', C, ccCopy),
        Key(vkInsert, S, ccPaste),
        Key('V', C, ccPaste),
        Key(vkPrior, 0, ccPrevPage),
        Key(vkNext, 0, ccNextPage),
        Key(vkHome, C, ccFirstPage),
        Key(vkEnd, C, ccLastPage),
        Key(vkTab, 0, ccTab),
        Key(vkTab, C, ccTab),
        Key('Z', CS, ccRedo),
    };
    for (int n = 0; n < 10; ++n)
        t.push_back(Key(static_cast<uint8_t>('0' + n), C, ccGotoMarker0 + n));
    for (int n = 0; n < 10; ++n)
        t.push_back(Key(static_cast<uint8_t>('0' + n), CS, ccSetMarker0 + n));
    return t;
}

std::vector<KeyEntry> WordStarKeyTable() {
    std::vector<KeyEntry> t = {
        Key('S', C, ccLeft),        Key('D', C, ccRight),
        Key('E', C, ccUp),          Key('X', C, ccDown),
        Key('R', C, ccPrevPage),    Key('C', C, ccNextPage),
        Key('W', C, ccScrollUp),    Key('Z', C, ccScrollDown),
        Key('A', C, ccWordLeft),    Key('F', C, ccWordRight),
        Sequence('Q', 'S', ccHome), Sequence('Q', 'D', ccEnd),
        Key('G', C, ccDel),         Key('H', C, ccBack),
        Key('Y', C, ccDelLine),     Sequence('Q', 'Y', ccDelEol),
        Key('V', C, ccIns),         Key('T', C, ccDelWord),
        Key('P', C, ccCtrlChar),    Sequence('Q', 'L', ccRestore),
    };
    for (int n = 0; n < 10; ++n)
        t.push_back(Sequence('Q', static_cast<uint8_t>('0' + n), ccGotoMarker0 + n));
    for (int n = 0; n < 10; ++n)
        t.push_back(Sequence('K', static_cast<uint8_t>('0' + n), ccSetMarker0 + n));
    return t;
}

} // namespace mvf::editor
