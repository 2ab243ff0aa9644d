// The options menu `MainPop` behind the caption bar's options button, and what changes
// where the desktop has no system tray.
#pragma once

#include <string>
#include <string_view>

#include "finder/settings/finder_settings.h"
#include "platform/core/xdg_folders.h"
#include "platform/qt/notifier.h"

namespace mvf::shell {

// The check marks the menu shows as it opens (`MainPopPopup`).
struct MainPopChecks {
    bool NoSplash1 = false; // not `Splash`
    bool DisMulti = false;  // `NoMulti`
    bool UseMorvel = false; // `UseViewer`

    friend bool operator==(const MainPopChecks&, const MainPopChecks&) = default;
};
MainPopChecks MainPopPopup(const settings::FinderSettings& settings);

// The viewer's file name in the program folder (a Linux program: no ".exe").
inline constexpr std::string_view kViewerFileName = "vantorviewer";
inline constexpr std::string_view kFinderErrorCaption = "Vantor Finder Error";
inline constexpr std::string_view kViewerMissingMessage =
    "Could not locate vantorviewer in the Vantor Finder directory!\n\rOption will be disabled";

// "Use Morvel Viewer" was toggled to `checked`. Switching it on needs the viewer, an
// executable file at `viewerFile`; without it the user is told and the mark comes off.
// `UseViewer` becomes the mark's state, which is returned.
bool UseMorvelClick(settings::FinderSettings& settings, bool checked, const std::string& viewerFile,
                    platform::Notifier& notifier);
// "Disable multi-select in results list": `NoMulti` becomes the mark's state.
void DisMultiClick(settings::FinderSettings& settings, bool checked);
// "No Splash": `Splash` becomes the opposite of the mark.
void NoSplash1Click(settings::FinderSettings& settings, bool checked);

// "Start with the session": whether the session starts the finder at login is the
// presence of its autostart entry ($XDG_CONFIG_HOME/autostart/mvfinder.desktop), not a
// setting, so it also shows what the desktop's own session settings did with it. Off
// until the user ticks it.
inline constexpr std::string_view kAutostartId = "mvfinder.desktop";
bool StartsWithSession(const platform::XdgFolders& folders);
// The mark was toggled to `checked`: the entry that starts `programFile` is written, or it
// is removed. A failure is told and the mark shows how things stand, which is returned.
bool StartWithSessionClick(bool checked, const std::string& programFile,
                           const platform::XdgFolders& folders, platform::Notifier& notifier);

// The desktop has a system tray, or it has none: then the main window is shown at start
// instead of hiding into nothing, "Done" minimises it, and the options menu also carries
// the tray menu's commands, so every command stays reachable.
struct TrayPresence {
    bool trayAvailable = true;

    bool ShowWindowAtStart() const { return !trayAvailable; }
    bool DoneHidesToTray() const { return trayAvailable; }
    bool OptionsCarryTrayCommands() const { return !trayAvailable; }
};

// The two "Korvath Web" items: their addresses are the build's configuration values.
std::string HomePageAddress();
std::string DownloadPageAddress();

} // namespace mvf::shell
