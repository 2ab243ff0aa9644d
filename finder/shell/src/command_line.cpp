#include "finder/shell/command_line.h"

#include <string_view>
#include <vector>

#include "platform/core/installation.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/resources.h"

namespace mvf::shell {

CommandLineRequest ReadCommandLine(int argc, const char* const* argv) {
    for (int i = 1; i < argc && argv[i]; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--help") return CommandLineRequest::Help;
        if (argument == "--version") return CommandLineRequest::Version;
        if (argument == "--files") return CommandLineRequest::Files;
    }
    return CommandLineRequest::Run;
}

std::string FinderHelpText() {
    return R"(Usage: MVFinder [--help | --version | --files]
Morvel Vantor Finder, a desktop file finder that lives in the system tray. Describe a
search (file masks, an optional content expression, size and date filters, folders with
or without sub-folders) and watch the hits arrive; open, delete, move to the Trash, save
and reload them. Right-click the tray icon for its menu; on a desktop without a system
tray the finder's window is shown instead. F1 or the Help button shows its help.

One finder runs per user; a second start says so and ends. A portable copy (a folder
holding the programs, mvfinder.rcc and mfinder.html side by side, such as a build) keeps
its working files beside itself, and one finder runs per such folder.

  --help     print this help and exit
  --version  print the version and exit
  --files    print where the pictures, the sound and the help were found and where the
             working files go, and exit (status 1 when a file is missing)

Files:
  $XDG_CONFIG_HOME/Korvath/Morvel Vantor Finder.conf  the settings
  $XDG_DATA_HOME/mvfinder/searchresults  the last results and the search error log
  $XDG_DATA_HOME/mvfinder/finderrun.dat  held while the finder runs
  $XDG_CONFIG_HOME/autostart/mvfinder.desktop  there while "Start with the session" is ticked
  ../share/mvfinder/mfinder.html  the help, seen from the program's folder
  ../share/mvfinder/mvfinder.rcc  the pictures and the sound

$XDG_CONFIG_HOME is ~/.config and $XDG_DATA_HOME is ~/.local/share unless they are set.
Related programs: vantorviewer, the text viewer the finder can open files in; mvfind, the
finder's search from a shell.
)";
}

std::string FinderVersionText() {
    return "MVFinder " MVF_VERSION "\n";
}

std::string FinderFilesText(const std::string& programFolder, bool& allFound) {
    const std::vector<std::string> folders = platform::DataFoldersOf(programFolder);
    std::string searched;
    for (const std::string& folder : folders) searched += (searched.empty() ? "" : ", ") + folder;
    allFound = true;
    const auto found = [&](const std::string& file) {
        if (!file.empty()) return file;
        allFound = false;
        return "(not found in " + searched + ")";
    };
    return "program folder: " + programFolder + "\n" +
           "pictures and sound: " + found(platform::ResourceLibrary(folders).FindFile()) + "\n" +
           "help: " + found(platform::HelpViewer(folders).FindFile()) + "\n" +
           "working folder: " + platform::FinderWorkFilesOf(programFolder).folder + "\n";
}

} // namespace mvf::shell
