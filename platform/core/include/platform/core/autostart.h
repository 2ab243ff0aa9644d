// Starting a program with the user's desktop session: the freedesktop autostart entry, a
// desktop entry in $XDG_CONFIG_HOME/autostart that the session starts at login.
#pragma once

#include <string>

#include "platform/core/xdg_folders.h"

namespace mvf::platform {

struct AutostartEntry {
    std::string name;    // Name=, what the desktop's session settings list
    std::string comment; // Comment=
    std::string icon;    // Icon=, an icon theme name
    std::string program; // the absolute path of the program to start, without arguments
};

// The file of the entry with the desktop file id `id` ("mvfinder.desktop").
std::string AutostartFile(const std::string& id, const XdgFolders& folders);

// Whether the session starts the entry in `file`: the file is there and neither hidden
// (Hidden=true) nor switched off in the desktop's own settings
// (X-GNOME-Autostart-enabled=false).
bool IsAutostartOn(const std::string& file);

// Writes the entry, making the autostart folder when it is missing, through a temporary
// file so that the session never reads half an entry; or removes it (a missing file is
// already removed). Empty on success, else what failed and why.
std::string WriteAutostart(const std::string& file, const AutostartEntry& entry);
std::string RemoveAutostart(const std::string& file);

// A program path as the Exec key's value: quoted when it holds a character the Exec
// rules reserve, with the escapes of a quoted argument and of a string value, and "%"
// doubled.
std::string ExecValue(const std::string& program);

} // namespace mvf::platform
