// The two locks by which the programs keep to one running copy.
#pragma once

#include <chrono>
#include <string>

#include "platform/core/lock_file.h"

namespace mvf::platform {

// The finder's run lock: "finderrun.dat" among its working files (installation.h: in the
// program folder of a build or a portable copy, else in the user's data folder), held
// from start-up to exit. A second finder started from the same portable folder, or by the
// same user of an installation, gets AlreadyLocked and ends; copies in different folders
// do not see each other.
std::string FinderRunLockPath();
// Makes the working files' folder when it is missing, then takes the lock.
LockFile TakeFinderRunLock();

// The viewer's start-up lock: "SingleMFVProgramHMutex" in the user's runtime folder
// (user_runtime_folder.h). Each viewer holds it from the start until its main window
// exists, so a second viewer started meanwhile waits for the first before it looks for
// a running viewer to hand its files to. It is never held for the whole run.
// Empty when the user has no runtime folder; `failure` then says why.
std::string ViewerStartupLockPath(std::string* failure = nullptr);
inline constexpr std::chrono::milliseconds kViewerStartupLockWait{10000};

// Waits for the viewer's start-up lock at most kViewerStartupLockWait. AlreadyLocked
// means the wait timed out: the viewer then ends silently. CannotOpen (no runtime
// folder, a full disk) is left to the caller; going on unserialised is the kind choice.
LockFile TakeViewerStartupLock();

} // namespace mvf::platform
