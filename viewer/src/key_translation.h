// Qt's key events as the editor's key tables know keys: a virtual-key code, modifier bits,
// and the characters the key types.
#pragma once

#include <cstdint>

#include <QString>
#include <Qt>

namespace mvf::viewer {

struct KeyStroke {
    uint8_t key = 0;   // virtual-key code; 0 for a key no table can name
    uint8_t shift = 0; // editor::ssShift | ssCtrl | ssAlt
    QString typed;     // what the key types; empty when it types nothing
};

// `x11ScanCodes`: the scan code is an X11 (or XWayland-style) key code, so the digit row
// can be named whatever the layout puts on it.
KeyStroke TranslateKey(int qtKey, Qt::KeyboardModifiers modifiers, quint32 scanCode,
                       const QString& text, bool x11ScanCodes);

} // namespace mvf::viewer
