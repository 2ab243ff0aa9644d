#include "platform/core/installation.h"

#include <algorithm>
#include <filesystem>
#include <unistd.h>

#include "platform/core/program_folder.h"
#include "platform/core/xdg_folders.h"

namespace mvf::platform {

namespace {

// Both are set by the build from its install folders: the data folder seen from the
// programs' folder ("../share/mvfinder"), and as an absolute path.
constexpr std::string_view kDataFolderFromPrograms = MVF_DATA_FOLDER_FROM_PROGRAMS;
constexpr std::string_view kConfiguredDataFolder = MVF_INSTALLED_DATA_FOLDER;

std::string Joined(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '/') path += '/';
    path += name;
    return path;
}

// Nothing for an unknown program folder.
std::string InstalledDataFolderOf(std::string_view programFolder) {
    if (programFolder.empty()) return {};
    std::string folder =
        std::filesystem::path(Joined(programFolder, kDataFolderFromPrograms)).lexically_normal();
    while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    return folder;
}

} // namespace

std::vector<std::string> DataFoldersOf(std::string_view programFolder) {
    std::vector<std::string> folders;
    for (std::string folder : {std::string(programFolder), InstalledDataFolderOf(programFolder),
                               std::string(kConfiguredDataFolder)}) {
        if (!folder.empty() && std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(std::move(folder));
    }
    return folders;
}

std::vector<std::string> DataFolders() {
    return DataFoldersOf(ProgramFolder());
}

ProgramFolderKind KindOfProgramFolder(std::string_view programFolder) {
    std::error_code failed;
    if (std::filesystem::is_directory(InstalledDataFolderOf(programFolder), failed))
        return ProgramFolderKind::Installed;
    const std::string folder(programFolder);
    return ::access(folder.c_str(), W_OK) == 0 ? ProgramFolderKind::Portable
                                               : ProgramFolderKind::ReadOnly;
}

FinderWorkFiles FinderWorkFilesFor(std::string_view programFolder, ProgramFolderKind kind,
                                   std::string_view dataHome) {
    const std::string folder = kind == ProgramFolderKind::Portable
                                   ? std::string(programFolder)
                                   : Joined(dataHome, kUserFolderName);
    return {.folder = folder,
            .runLock = Joined(folder, kFinderRunLockName),
            .resultsFolder = Joined(folder, kResultsFolderName)};
}

FinderWorkFiles FinderWorkFilesOf(std::string_view programFolder) {
    return FinderWorkFilesFor(programFolder, KindOfProgramFolder(programFolder),
                              XdgFolders::FromEnvironment().dataHome);
}

FinderWorkFiles FinderWorkFilesHere() {
    return FinderWorkFilesOf(ProgramFolder());
}

} // namespace mvf::platform
