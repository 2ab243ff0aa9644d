#include "key_translation.h"

#include "viewer/editor/commands.h"

namespace mvf::viewer {
namespace {

using namespace mvf::editor;

// X11 key codes of the digit row, "1" to "0" (evdev codes 2 to 11, plus 8).
constexpr quint32 kX11DigitRowFirst = 10;
constexpr quint32 kX11DigitRowLast = 19;
constexpr uint8_t kKeypadDigitFirst = 96;

uint8_t NamedKey(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Backspace: return vkBack;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vkTab;
    case Qt::Key_Clear: return 12;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vkReturn;
    case Qt::Key_Shift: return vkShift;
    case Qt::Key_Control: return vkControl;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return vkMenu;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return vkCapital;
    case Qt::Key_Escape: return 27;
    case Qt::Key_Space: return 32;
    case Qt::Key_PageUp: return vkPrior;
    case Qt::Key_PageDown: return vkNext;
    case Qt::Key_End: return vkEnd;
    case Qt::Key_Home: return vkHome;
    case Qt::Key_Left: return vkLeft;
    case Qt::Key_Up: return vkUp;
    case Qt::Key_Right: return vkRight;
    case Qt::Key_Down: return vkDown;
    case Qt::Key_Print: return 44;
    case Qt::Key_Insert: return vkInsert;
    case Qt::Key_Delete: return vkDelete;
    case Qt::Key_Meta:
    case Qt::Key_Super_L: return 91;
    case Qt::Key_Super_R: return 92;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return vkNumLock;
    case Qt::Key_ScrollLock: return vkScroll;
    // The punctuation keys of a US keyboard, shifted or not.
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    default: break;
    }
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24)
        return static_cast<uint8_t>(112 + qtKey - Qt::Key_F1);
    return 0;
}

// Shift with a digit gives a symbol on most layouts; the tables still name the digit.
uint8_t ShiftedDigit(int qtKey) {
    switch (qtKey) {
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    case Qt::Key_ParenRight: return '0';
    default: return 0;
    }
}

// Characters typed: none with Ctrl, Alt or the logo key held (those keys are commands),
// and no control characters (Delete's text is DEL on X11).
QString TypedText(Qt::KeyboardModifiers modifiers, const QString& text) {
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return {};
    for (QChar c : text) {
        if (c.unicode() < 32 || c.unicode() == 0x7F) return {};
    }
    return text;
}

} // namespace

KeyStroke TranslateKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode,
                       const QString& text, bool x11ScanCodes) {
    KeyStroke stroke;
    if (modifiers & Qt::ShiftModifier) stroke.shift |= ssShift;
    if (modifiers & Qt::ControlModifier) stroke.shift |= ssCtrl;
    if (modifiers & Qt::AltModifier) stroke.shift |= ssAlt;
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) {
        stroke.key = static_cast<uint8_t>(qtKey);
    } else if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9 && (modifiers & Qt::KeypadModifier)) {
        // The keypad's digits are keys of their own, not the digit row's.
        stroke.key = static_cast<uint8_t>(kKeypadDigitFirst + (qtKey - Qt::Key_0));
    } else if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        stroke.key = static_cast<uint8_t>(qtKey);
    } else if (x11ScanCodes && scanCode >= kX11DigitRowFirst && scanCode <= kX11DigitRowLast &&
               !(modifiers & Qt::KeypadModifier)) {
        // The digit row, whatever the layout prints on it.
        stroke.key = static_cast<uint8_t>(
            scanCode == kX11DigitRowLast ? '0' : '1' + (scanCode - kX11DigitRowFirst));
    } else if ((modifiers & Qt::ShiftModifier) && ShiftedDigit(qtKey) != 0) {
        stroke.key = ShiftedDigit(qtKey);
    } else {
        stroke.key = NamedKey(qtKey);
    }
    stroke.typed = TypedText(modifiers, text);
    return stroke;
}

} // namespace mvf::viewer
