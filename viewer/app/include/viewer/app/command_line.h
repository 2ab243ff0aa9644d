// The viewer's command line: `vantorviewer [file ...]`.
#pragma once

#include <string>
#include <vector>

namespace mvf::viewer {

// The file names of a command line, first to last (argv[1] on). The shell that started
// the viewer has already split the line at blanks and taken off the quotes, so each
// argument is one name, kept whole: every byte, every blank, no length limit. An empty
// argument ends the list. There are no switches: a name that starts with "-" is a name.
std::vector<std::string> CommandLineFiles(int argc, const char* const* argv);

} // namespace mvf::viewer
