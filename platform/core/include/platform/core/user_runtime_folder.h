// The user's private folder for start-up locks and hand-over sockets.
#pragma once

#include <string>

namespace mvf::platform {

struct RuntimeFolder {
    std::string path;    // no trailing "/"; empty when there is none
    std::string failure; // why there is none; empty when `path` is usable
};

// $XDG_RUNTIME_DIR when it is set to an absolute path of an existing folder. Otherwise
// "mvf-runtime-<uid>" in the temporary folder ($TMPDIR, else /tmp), created private to
// this user (0700) when missing. That fallback is refused, with the reason, when it is
// not a real folder (a symbolic link, say) or belongs to another user: others can write
// into the temporary folder, and a socket or lock there must not be theirs.
RuntimeFolder UserRuntimeFolder();

} // namespace mvf::platform
