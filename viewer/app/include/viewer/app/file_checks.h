// What LoadAFile asks of the file system before it opens a window.
#pragma once

#include <string>

namespace mvf::viewer {

// A file of that name exists: anything but a folder (a dangling link is no file).
bool FileExists(const std::string& name);
// The file can be opened for reading as a text file: a regular file (never a FIFO or a
// device, which could block or never end) that opens. It is closed again at once.
bool CanOpenForReading(const std::string& name);

} // namespace mvf::viewer
