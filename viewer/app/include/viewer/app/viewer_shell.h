// The viewer's start and end: one running viewer per user.
//
// 1. The start-up lock "SingleMFVProgramHMutex" is taken, waited for at most 10,000 ms (it
//    orders viewers started at the same moment); when the wait runs out the process ends
//    at once, silently, with status 1.
// 2. A viewer already listening on the "MFV message" socket gets this start's file names,
//    one acknowledged message each, and comes to the front; this process then ends with
//    status 0 and shows no window. Started without names it only brings the first one to
//    the front. This runs before the windowing toolkit starts, so a second start is quick.
// 3. Otherwise (nobody listens, or the running viewer went away part-way) this process is
//    the viewer: it listens on the socket, makes and shows the main window, gives the lock
//    back, opens the command line's files (those not handed over) once the window is up
//    (LoadAFile), and runs until the window closes.
#pragma once

namespace mvf::viewer {

// The status of a start that timed out waiting for the start-up lock.
inline constexpr int kStartupLockTimedOut = 1;
// The status of a start whose names a running viewer did not take in time.
inline constexpr int kHandOverFailed = 2;

int RunViewer(int argc, char** argv);

} // namespace mvf::viewer
