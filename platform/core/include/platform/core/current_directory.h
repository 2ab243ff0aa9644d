// The process's current directory.
#pragma once

#include <string>

namespace mvf::platform {

// Makes `path` the current directory; false when it is no folder that can be entered.
bool SetCurrentDirectory(const std::string& path);

// The current directory as an absolute path; empty when it cannot be told (removed).
std::string CurrentDirectory();

} // namespace mvf::platform
