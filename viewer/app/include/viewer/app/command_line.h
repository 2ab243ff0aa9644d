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

// What a start asks for. "--help" or "--version" as the one and only name, when no file
// of that name exists (a missing name opens nothing anyway), asks for that text on
// standard output; every other command line opens its files as before.
enum class ViewerRequest { Open, Help, Version };
ViewerRequest ViewerRequestOf(const std::vector<std::string>& files);

// The texts of --help (the source of the viewer's manual page) and --version.
std::string ViewerHelpText();
std::string ViewerVersionText();

} // namespace mvf::viewer
