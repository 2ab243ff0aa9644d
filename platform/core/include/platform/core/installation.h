// Where the programs' files are. A build or a portable copy keeps everything in its
// program folder: the programs, the library, the read-only files (mvfinder.rcc, the help)
// and the finder's working files. An installation (`cmake --install`, the Debian package)
// puts the programs in <prefix>/bin and their read-only files in <prefix>/share/mvfinder;
// its program folder is no place for a user's working files, which go to the user's data
// folder instead.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mvf::platform {

// The folders the read-only files are looked for in, in this order, without repeats: the
// program folder; the data folder of an installation around it
// (<programFolder>/../share/mvfinder, as installed); the data folder the build was
// configured to install to (for a program copied elsewhere).
std::vector<std::string> DataFoldersOf(std::string_view programFolder);
// The same for the running program's folder.
std::vector<std::string> DataFolders();

enum class ProgramFolderKind {
    Portable,  // a build or a portable copy the user may write in
    ReadOnly,  // a copy the user may not write in
    Installed, // an installation: the data folder lies beside it
};
ProgramFolderKind KindOfProgramFolder(std::string_view programFolder);

// Where the finder keeps its working files.
struct FinderWorkFiles {
    std::string folder;        // the folder that holds them
    std::string runLock;       // folder + "/finderrun.dat", held while the finder runs
    std::string resultsFolder; // folder + "/searchresults": the last results, the error log

    friend bool operator==(const FinderWorkFiles&, const FinderWorkFiles&) = default;
};
inline constexpr std::string_view kFinderRunLockName = "finderrun.dat";
inline constexpr std::string_view kResultsFolderName = "searchresults";
inline constexpr std::string_view kUserFolderName = "mvfinder";

// In the program folder when it is Portable; else in the user's data folder,
// dataHome + "/mvfinder" ($XDG_DATA_HOME, by default ~/.local/share), so every user of an
// installation has a finder, lock and results of their own.
FinderWorkFiles FinderWorkFilesFor(std::string_view programFolder, ProgramFolderKind kind,
                                   std::string_view dataHome);
// For `programFolder` as it is, and the user's data folder of the environment.
FinderWorkFiles FinderWorkFilesOf(std::string_view programFolder);
// For the running program.
FinderWorkFiles FinderWorkFilesHere();

} // namespace mvf::platform
