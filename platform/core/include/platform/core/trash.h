// The trash (the recycle bin of the desktop), in the freedesktop layout that every file
// manager reads: a trashed file goes to "<trash>/files/<name>", and beside it
// "<trash>/info/<name>.trashinfo" records where it came from and when, so the file manager
// can show it and put it back.
//
// The trash is chosen by where the file lives: the user's home trash
// ($XDG_DATA_HOME/Trash, created when missing) for a file on the same file system; for a
// file on another file system (a USB stick, another partition) the trash at the top of
// that file system: "$topdir/.Trash/$uid" when the administrator prepared a sticky
// "$topdir/.Trash", else "$topdir/.Trash-$uid". Files are never copied across file
// systems: where no trash can be had, the file stays and the failure says why.
//
// Files are named by their exact bytes, names that are not valid UTF-8 included (the
// record percent-encodes them byte for byte). Two trashed files of one name do not
// collide: the second is kept as "name.2.ext", the third "name.3.ext", and so on.
#pragma once

#include <string>

#include "platform/core/file_removal.h"

namespace mvf::platform {

// Moves the file at `path` to the trash. Removed only when the file is no longer at
// `path`; on any failure the file stays where it was, with nothing left in the trash.
// Reasons name the cause, e.g. "Permission denied", "No such file or directory",
// "cannot create /media/stick/.Trash-1000: Read-only file system".
RemovalResult MoveToTrash(const std::string& path);

// Whether this user has a trash at all: the home trash exists or can be created. The
// finder offers no recycle-bin choice (its NoRecycleBin) when this is false.
bool PlatformHasTrash();

} // namespace mvf::platform
