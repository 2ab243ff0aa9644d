// The freedesktop base folders: where per-user and system-wide configuration and data
// live. Read from the environment once per use, so a test may point them at scratch
// folders with setenv.
#pragma once

#include <string>
#include <vector>

namespace mvf::platform {

struct XdgFolders {
    std::string configHome;              // $XDG_CONFIG_HOME, else ~/.config
    std::vector<std::string> configDirs; // $XDG_CONFIG_DIRS, else /etc/xdg
    std::string dataHome;                // $XDG_DATA_HOME, else ~/.local/share
    std::vector<std::string> dataDirs;   // $XDG_DATA_DIRS, else /usr/local/share, /usr/share
    std::vector<std::string> desktops;   // $XDG_CURRENT_DESKTOP split at ":", lower case

    // Relative entries in the variables are ignored, as the freedesktop rules require;
    // the home folder is $HOME, else the user database's.
    static XdgFolders FromEnvironment();
};

} // namespace mvf::platform
