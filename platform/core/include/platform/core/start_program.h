// Starting another program, detached: the finder starts the viewer (one file per start)
// and the external editor this way.
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace mvf::platform {

struct StartResult {
    bool started = false; // the program is running (its exec succeeded)
    pid_t pid = -1;       // its process id when started
    std::string failure;  // why not, e.g. "cannot start /x/vantorviewer: No such file or
                          // directory"; empty when started
};

// Starts `program` with `arguments` and returns once it runs or has failed to. `program`
// is a path (absolute, or relative to the current folder); PATH is never searched and no
// shell is involved, so arguments reach the program exactly, byte for byte: blanks,
// quotes and names that are not valid UTF-8 included. The program runs detached: in its
// own session, not a child of the caller (nothing to reap), with the caller's current
// folder, environment and standard streams, default signal handling, and none of the
// caller's other open files (lock files included).
StartResult StartDetached(const std::string& program, const std::vector<std::string>& arguments);

} // namespace mvf::platform
