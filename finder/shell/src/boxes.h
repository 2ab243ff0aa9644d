// Message boxes as the finder fills them in.
#pragma once

#include "platform/qt/notifier.h"

namespace mvf::shell {

inline platform::MessageBox Box(QString caption, QString text,
                                platform::BoxIcon icon = platform::BoxIcon::None,
                                platform::BoxButtons buttons = platform::BoxButtons::Ok) {
    platform::MessageBox box;
    box.caption = std::move(caption);
    box.text = std::move(text);
    box.icon = icon;
    box.buttons = buttons;
    return box;
}

// The same, answered before anything else on the desktop.
inline platform::MessageBox SystemModal(platform::MessageBox box, bool systemModal = true) {
    box.systemModal = systemModal;
    return box;
}

} // namespace mvf::shell
