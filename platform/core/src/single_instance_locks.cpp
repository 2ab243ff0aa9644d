#include "platform/core/single_instance_locks.h"

#include <filesystem>

#include "platform/core/installation.h"
#include "platform/core/user_runtime_folder.h"

namespace mvf::platform {

std::string FinderRunLockPath() {
    return FinderWorkFilesHere().runLock;
}

LockFile TakeFinderRunLock() {
    const FinderWorkFiles files = FinderWorkFilesHere();
    std::error_code ignored; // a folder that cannot be made shows as the lock's failure
    std::filesystem::create_directories(files.folder, ignored);
    return LockFile::TryLock(files.runLock);
}

std::string ViewerStartupLockPath(std::string* failure) {
    const RuntimeFolder folder = UserRuntimeFolder();
    if (failure) *failure = folder.failure;
    if (folder.path.empty()) return {};
    return folder.path + "/SingleMFVProgramHMutex";
}

LockFile TakeViewerStartupLock() {
    std::string failure;
    const std::string path = ViewerStartupLockPath(&failure);
    if (path.empty()) return LockFile::CannotOpenBecause(failure);
    return LockFile::LockWithin(path, kViewerStartupLockWait);
}

} // namespace mvf::platform
