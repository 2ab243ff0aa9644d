// "Find executable": which program the desktop opens a file with. The finder uses it to
// tell files for the external editor (their program's path contains "morvel32.exe")
// from the rest.
#pragma once

#include <optional>
#include <string>

#include "platform/core/desktop_entry.h"

namespace mvf::platform {

struct DefaultApplication {
    std::string mimeType; // the file's type, e.g. "text/x-csrc"
    DesktopEntry entry;   // the application: its desktop file id, file, and program path
};

// The file's MIME type (from its name and its first bytes; only a regular file is read,
// and the name is used by its exact bytes) and the default application of that type or,
// failing that, of the types it is a kind of, by the freedesktop associations of the
// current environment (mime_apps.h). Nothing when no installed application is
// associated. Reads the disk: call it off the GUI thread where that matters.
std::optional<DefaultApplication> FindDefaultApplication(const std::string& path);

// The MIME type alone, as above; "application/octet-stream" when nothing is known.
std::string MimeTypeOfFile(const std::string& path);

} // namespace mvf::platform
