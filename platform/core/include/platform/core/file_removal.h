// Removing found files: deleting them from disk here, moving them to the trash in trash.h.
// A file is named by its exact bytes; nothing is re-encoded, so a name that is not valid
// UTF-8 removes that file and no other.
#pragma once

#include <string>

namespace mvf::platform {

struct RemovalResult {
    bool removed = false; // true only when the file is gone from where it was
    std::string reason;   // why not, for the user, e.g. "Permission denied"; empty when removed
};

// Deletes the file (or symbolic link; never a folder) at `path` from disk for good.
RemovalResult DeleteFromDisk(const std::string& path);

} // namespace mvf::platform
