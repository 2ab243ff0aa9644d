// Choosing, and making when missing, the trash folder a file goes to.
#pragma once

#include <string>
#include <sys/types.h>

namespace mvf::platform {

struct TrashFolder {
    std::string root;    // the trash itself, holding "files" and "info"; empty when none
    std::string topdir;  // for a trash at the top of a file system: that top; empty for home
    std::string failure; // why there is no trash for the file
};

// The home trash, made when missing.
TrashFolder HomeTrash();

// The trash for a file on `device` in the real (symbolic-link free) folder `realFolder`.
TrashFolder TrashFolderFor(const std::string& realFolder, dev_t device);

} // namespace mvf::platform
