// The freedesktop association of file types with applications: which installed
// application opens a file of a given MIME type by default.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/core/desktop_entry.h"
#include "platform/core/xdg_folders.h"

namespace mvf::platform {

// The default application for a file whose MIME types are `types`: its own type first,
// then the types it is a kind of (for a C source, "text/x-csrc" then "text/plain"). Each
// type is looked up whole before the next is tried:
//  1. "[Default Applications]" of the association lists, most important first:
//     "<desktop>-mimeapps.list" and "mimeapps.list" in folders.configHome and each of
//     folders.configDirs, then those and "defaults.list" in the "applications" folders
//     of folders.dataHome and each of folders.dataDirs. The first listed application
//     that is installed and usable (FindDesktopEntry) wins.
//  2. Otherwise "[Added Associations]" of the same lists in the same order, then each
//     "applications/mimeinfo.cache" of the data folders; an application that a more
//     important list names under "[Removed Associations]" is passed over.
// Nothing when no type has a usable application.
std::optional<DesktopEntry> DefaultApplicationFor(const std::vector<std::string>& types,
                                                  const XdgFolders& folders);

} // namespace mvf::platform
