// Editor command codes, virtual-key codes and modifier bits.
#pragma once

#include <cstdint>
#include <string_view>

namespace mvf::editor {

// The code of a command is its index in this list.
enum EditorCommand : int {
    ccNone,
    ccBack,
    ccBotOfPage,
    ccBotRightCell,
    ccCompleteDate,
    ccCompleteTime,
    ccCopy,
    ccCtrlChar,
    ccCut,
    ccDec,
    ccDel,
    ccDelBol,
    ccDelEol,
    ccDelLine,
    ccDelWord,
    ccDown,
    ccEnd,
    ccExtendDown,
    ccExtendEnd,
    ccExtendHome,
    ccExtendLeft,
    ccExtendPgDn,
    ccExtendPgUp,
    ccExtendRight,
    ccExtendUp,
    ccExtBotOfPage,
    ccExtFirstPage,
    ccExtLastPage,
    ccExtTopOfPage,
    ccExtWordLeft,
    ccExtWordRight,
    ccFirstPage,
    ccGotoMarker0,
    ccGotoMarker1,
    ccGotoMarker2,
    ccGotoMarker3,
    ccGotoMarker4,
    ccGotoMarker5,
    ccGotoMarker6,
    ccGotoMarker7,
    ccGotoMarker8,
    ccGotoMarker9,
    ccHome,
    ccInc,
    ccIns,
    ccLastPage,
    ccLeft,
    ccNewLine,
    ccNextPage,
    ccPageLeft,
    ccPageRight,
    ccPaste,
    ccPrevPage,
    ccRedo,
    ccRestore,
    ccRight,
    ccScrollDown,
    ccScrollUp,
    ccSetMarker0,
    ccSetMarker1,
    ccSetMarker2,
    ccSetMarker3,
    ccSetMarker4,
    ccSetMarker5,
    ccSetMarker6,
    ccSetMarker7,
    ccSetMarker8,
    ccSetMarker9,
    ccTab,
    ccTableEdit,
    ccTopLeftCell,
    ccTopOfPage,
    ccUndo,
    ccUp,
    ccWordLeft,
    ccWordRight,
    ccLastCommand = ccWordRight,
    ccChar = 249,      // a typed character
    ccNoCmd = 252,     // no command
    ccSeqBroken = 254, // a two-key sequence was broken
    ccPartial = 255,   // first key of a two-key sequence
    ccUserFirst = 256, // user commands, passed to OnUserCommand
};

// The display name of a command code ("ccBack"); empty for codes without one.
std::string_view CommandName(int code);

// Modifier bits of a key.
inline constexpr uint8_t ssShift = 2;
inline constexpr uint8_t ssCtrl = 4;
inline constexpr uint8_t ssAlt = 8;
// In a table's second key: with no modifier or with Ctrl alone.
inline constexpr uint8_t ssNoneOrCtrl = 128;

// Virtual-key codes; letters and digits are their upper-case characters.
inline constexpr uint8_t vkBack = 8;
inline constexpr uint8_t vkTab = 9;
inline constexpr uint8_t vkReturn = 13;
inline constexpr uint8_t vkShift = 16;
inline constexpr uint8_t vkControl = 17;
inline constexpr uint8_t vkMenu = 18;
inline constexpr uint8_t vkCapital = 20;
inline constexpr uint8_t vkPrior = 33;
inline constexpr uint8_t vkNext = 34;
inline constexpr uint8_t vkEnd = 35;
inline constexpr uint8_t vkHome = 36;
inline constexpr uint8_t vkLeft = 37;
inline constexpr uint8_t vkUp = 38;
inline constexpr uint8_t vkRight = 39;
inline constexpr uint8_t vkDown = 40;
inline constexpr uint8_t vkInsert = 45;
inline constexpr uint8_t vkDelete = 46;
inline constexpr uint8_t vkNumLock = 144;
inline constexpr uint8_t vkScroll = 145;

} // namespace mvf::editor
