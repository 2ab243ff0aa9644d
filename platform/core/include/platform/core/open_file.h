// Opening a file for reading.
#pragma once

#include <functional>
#include <string_view>

namespace mvf::platform {

// Opens `name` in the folder `folderFd` for reading; `fullPath` names the same file and
// serves only the failure hook. Returns a descriptor, or -1 when the file cannot be
// opened. The opening never blocks: callers open only what a listing or ResolveLink
// called a regular file, and should one have been swapped for a FIFO since, the
// non-blocking opening returns at once.
int OpenFileForReading(int folderFd, const char* name, std::string_view fullPath);

// Tests make openings fail through this hook (a process that may read every file, as
// root does, cannot be denied access by permissions): while a hook is installed, an
// opening whose full path it answers true for fails as if access were denied. An empty
// function removes it. Install it only while no search runs.
void SetOpenFailureHook(std::function<bool(std::string_view fullPath)> hook);

} // namespace mvf::platform
