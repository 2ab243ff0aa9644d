// Desktop entries: the ".desktop" files by which installed applications tell the
// desktop what they are and how to start them.
#pragma once

#include <optional>
#include <string>

#include "platform/core/xdg_folders.h"

namespace mvf::platform {

struct DesktopEntry {
    std::string id;      // its desktop file id, e.g. "org.example.Editor.desktop"
    std::string file;    // the file it was read from
    std::string program; // the program its Exec line starts, as an absolute path
};

// The usable application entry `id`, looked up in the "applications" folder of
// folders.dataHome, then of each of folders.dataDirs (an id "vendor-app.desktop" may also
// be "vendor/app.desktop" there). The first file found decides. Nothing when no file has
// the id, or the entry is hidden (deleted by the user), not an application, its TryExec
// program is missing, or its Exec program cannot be found (a bare name is looked up on
// PATH).
std::optional<DesktopEntry> FindDesktopEntry(const std::string& id, const XdgFolders& folders);

// The program an Exec line starts: its first word, quotes and escapes resolved.
std::string ExecProgram(const std::string& execLine);

// `name` as an executable regular file: a name with a "/" as it is, a bare name looked up
// in the folders of PATH. Empty when there is none.
std::string FindExecutable(const std::string& name);

} // namespace mvf::platform
