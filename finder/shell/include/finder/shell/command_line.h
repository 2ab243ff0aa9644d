// MVFinder's command line. The finder takes no arguments of its own but --help, --version
// and --files, which are answered on standard output without a display (its manual page
// is made from --help). Anything else is left to the windowing toolkit, as before.
#pragma once

#include <string>

namespace mvf::shell {

enum class CommandLineRequest { Run, Help, Version, Files };
CommandLineRequest ReadCommandLine(int argc, const char* const* argv);

// The texts of --help and --version.
std::string FinderHelpText();
std::string FinderVersionText();

// The text of --files for a finder in `programFolder`: where it finds its pictures and
// sound and its help, and where it keeps its working files. `allFound` tells whether both
// files were found.
std::string FinderFilesText(const std::string& programFolder, bool& allFound);

} // namespace mvf::shell
