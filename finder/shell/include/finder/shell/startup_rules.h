// What the finder decides while it starts, before and around its windows: its title, the
// box a second copy shows, which of the splash and the notice appear, and how long the
// splash stays. Where the working files go is platform's (installation.h).
#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "platform/qt/notifier.h"

namespace mvf::shell {

// The application's title: task bar, message boxes, the main window's caption.
inline constexpr std::string_view kApplicationTitle = "Morvel Vantor Finder 2.1";

// The box a second copy shows before it ends, without a window and without a write.
platform::MessageBox AlreadyRunningBox();

// The box shown when the lock file cannot even be created (a read-only program folder):
// the program cannot keep to one copy, so it does not start.
platform::MessageBox LockFailedBox(const std::string& reason);

// The splash stays on screen at least this long, however quickly the main window is made.
inline constexpr std::chrono::milliseconds kSplashMinimum{3000};

// Which start-up windows appear, from the two values read before any window exists.
struct StartupPlan {
    bool splash = true; // `Splash`
    bool notice = true; // not `FindMsg`

    friend bool operator==(const StartupPlan&, const StartupPlan&) = default;
};
StartupPlan PlanStartup(bool Splash, bool FindMsg);

// The notice dialog's caption, its four lines (each as the finder has always shown it,
// trailing blank included) and its check box.
inline constexpr std::string_view kNoticeCaption = "Notice!";
inline constexpr std::string_view kNoticeLines[4] = {
    "When Morvel Vantor Finder runs it attaches itself to the System ",
    "Tray as an icon.  All program functions are accessed through ",
    "right clicking this icon and selecting from the popup menu that ",
    "is displayed.",
};
inline constexpr std::string_view kNoticeCheckText = "Do not show this dialog again";

// The About box.
inline constexpr std::string_view kAboutCaption = "About Morvel Vantor Finder 2.1";
inline constexpr std::string_view kAboutTitle = "Morvel Vantor Finder";
inline constexpr std::string_view kAboutMaker = "Korvath";

} // namespace mvf::shell
