// The viewer's start and end: one running viewer per user.
//
// 1. The start-up lock "SingleMFVProgramHMutex" is taken, waited for at most 10,000 ms (it
//    orders viewers started at the same moment); when the wait runs out the process ends
//    at once, silently, with status 1.
// 2. A viewer already listening on the "MFV message" socket gets this start's file names,
//    one acknowledged message each, and comes to the front; this process then ends with
//    status 0 and shows no window. Started without names it only brings the first one to
//    the front.
// 3. Otherwise this process is the viewer: the main window is made and shown, the lock is
//    given back, the command line's files are opened once (LoadAFile) when the window is
//    up, and the window runs until it closes.
#pragma once

namespace mvf::viewer {

// The status of a start that timed out waiting for the start-up lock.
inline constexpr int kStartupLockTimedOut = 1;
// The status of a start whose names could not be handed over nor opened here.
inline constexpr int kHandOverFailed = 2;

int RunViewer(int argc, char** argv);

} // namespace mvf::viewer
