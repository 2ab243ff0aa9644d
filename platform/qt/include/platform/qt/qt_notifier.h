// The programs' notifier: each box is a modal QMessageBox.
#pragma once

#include <memory>

#include <QString>

#include "platform/qt/notifier.h"

class QMessageBox;

namespace mvf::platform {

class QtNotifier : public Notifier {
public:
    // Runs the box modally (its own event loop) and maps the clicked button back.
    BoxAnswer Show(const MessageBox& box) override;
};

// The box as it will be shown, not yet run: caption, display text, icon, buttons, the
// default button and the button Escape presses (DismissAnswer). Tests inspect it.
std::unique_ptr<QMessageBox> BuildMessageBox(const MessageBox& box);

// The text as displayed: "\n\r", "\r\n" and a lone "\r" each become one "\n".
QString DisplayText(const QString& text);

} // namespace mvf::platform
