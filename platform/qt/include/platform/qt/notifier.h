// The one road every message box, question and notice of the finder and the viewer takes.
//
// A box is a plain record (caption, text, icon, buttons, default button, system-modal
// flag, parent window); showing it returns the button the user chose. The programs hold a
// `Notifier&` and never create a message box of their own, so a test can hand them a
// `ScriptedNotifier` (scripted_notifier.h) that records every box and answers it, while
// the programs use a `QtNotifier` (qt_notifier.h) that shows a real box.
//
//   notifier.Show({.caption = "Notice", .text = "Please enter a file mask."});
//   if (notifier.Show({.caption = "Error", .text = question, .icon = BoxIcon::Warning,
//                      .buttons = BoxButtons::YesNo}) == BoxAnswer::Yes) ...
//
// Texts are kept exactly as given (the system's messages use "\n\r" and "\r" for line
// breaks; the Qt notifier turns them into line breaks only for display).
#pragma once

#include <optional>

#include <QString>

class QWidget;

namespace mvf::platform {

enum class BoxIcon { None, Information, Warning, Error, Question };
enum class BoxButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class BoxAnswer { Ok, Cancel, Yes, No };

struct MessageBox {
    QString caption;
    QString text;
    BoxIcon icon = BoxIcon::None;
    BoxButtons buttons = BoxButtons::Ok;
    // The button that Enter presses; none (or one the box does not offer) means the
    // box's first button.
    std::optional<BoxAnswer> defaultButton;
    // The box must be answered before anything else on the desktop: the Qt notifier keeps
    // it on top of every window (every box is modal for the whole application).
    bool systemModal = false;
    // The window the box belongs to and is centred on; none for a free-standing box.
    QWidget* parent = nullptr;
};

class Notifier {
public:
    virtual ~Notifier() = default;
    // Shows the box and returns when it has been answered. Call on the GUI thread; the
    // engine's notices from other threads are routed there by engine_notices.h.
    virtual BoxAnswer Show(const MessageBox& box) = 0;
};

// Whether the box's buttons include `answer`.
bool Offers(BoxButtons buttons, BoxAnswer answer);

// The answer of a box that is closed without choosing a button (Escape, the close box):
// Cancel where offered, else No where offered, else OK. A scripted box nobody answered
// gets the same.
BoxAnswer DismissAnswer(BoxButtons buttons);

// The button Enter presses: `box.defaultButton` when the box offers it, else the first.
BoxAnswer EffectiveDefault(const MessageBox& box);

} // namespace mvf::platform
