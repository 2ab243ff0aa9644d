#include "viewer/app/command_line.h"

#include <filesystem>

namespace mvf::viewer {

std::vector<std::string> CommandLineFiles(int argc, const char* const* argv) {
    std::vector<std::string> files;
    for (int i = 1; i < argc && argv[i] && argv[i][0] != '\0'; ++i) files.emplace_back(argv[i]);
    return files;
}

ViewerRequest ViewerRequestOf(const std::vector<std::string>& files) {
    if (files.size() != 1) return ViewerRequest::Open;
    const ViewerRequest asked = files[0] == "--help"      ? ViewerRequest::Help
                                : files[0] == "--version" ? ViewerRequest::Version
                                                          : ViewerRequest::Open;
    std::error_code failed;
    if (asked != ViewerRequest::Open && std::filesystem::exists(files[0], failed))
        return ViewerRequest::Open;
    return asked;
}

std::string ViewerHelpText() {
    return R"(Usage: vantorviewer [FILE]...
  or:  vantorviewer --help | --version
Vantor Finder Viewer, a multi-document text viewer and editor: each FILE opens in a
window of its own, with find and replace, go to a line, word wrap, printing and undo.
Every byte of a file that was not changed is kept as it was, whatever its line ends.

One viewer runs per user: a second start hands its files to the running viewer, which
comes to the front, and ends. Every argument is a file name, also one that starts with
"-"; a name that does not exist opens nothing. Morvel Vantor Finder opens found files in
this viewer when its option to use it is ticked.

  --help     print this help and exit (as the only argument, when no file has that name;
             open such a file as ./--help)
  --version  print the version and exit (the same)

Exit status: 0 when the viewer ended normally or handed its files over, 1 when the
running viewer did not let this start through in time, 2 when it did not take the files.

Files:
  $XDG_RUNTIME_DIR/SingleMFVProgramHMutex  held while a viewer starts
  ../share/mvfinder/mvfinder.rcc  the pictures, seen from the program's folder (looked for
                                  beside the program first)
)";
}

std::string ViewerVersionText() {
    return "vantorviewer " MVF_VERSION "\n";
}

} // namespace mvf::viewer
