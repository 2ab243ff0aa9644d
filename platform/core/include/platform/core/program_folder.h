// Where the programs sit. The finder, the viewer, the command-line finder, the engine
// library and the resource and help files are installed side by side in one folder; the
// finder keeps its working files there and starts the viewer from there.
#pragma once

#include <string>
#include <string_view>

namespace mvf::platform {

// The folder of the running executable, as the kernel names it (/proc/self/exe, so a
// program started through a symbolic link gets the folder it really lives in), without
// a trailing "/"; the root stays "/". Empty only when the kernel cannot tell.
std::string ProgramFolder();

// The file called `name` beside the programs: ProgramFolder() + "/" + name. The viewer is
// started as ProgramFile("vantorviewer"), never looked up on PATH.
std::string ProgramFile(std::string_view name);

// The folder part of a path: everything before the last "/", without a trailing "/";
// "/" for a file in the root, "." for a bare name.
std::string FolderOf(std::string_view path);

} // namespace mvf::platform
