#include "platform/core/single_instance_locks.h"

#include "platform/core/program_folder.h"
#include "platform/core/user_runtime_folder.h"

namespace mvf::platform {

std::string FinderRunLockPath() {
    return ProgramFile("finderrun.dat");
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
