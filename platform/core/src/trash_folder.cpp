#include "trash_folder.h"

#include <cerrno>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "platform/core/program_folder.h"
#include "platform/core/xdg_folders.h"

namespace mvf::platform {

namespace {

std::string ErrnoText(int error) {
    return std::generic_category().message(error);
}

// Makes `path` and the folders above it that are missing, private to the user.
bool MakeFolders(const std::string& path, std::string& failure) {
    struct stat facts {};
    if (::stat(path.c_str(), &facts) == 0) {
        if (S_ISDIR(facts.st_mode)) return true;
        failure = "cannot use " + path + ": not a folder";
        return false;
    }
    const std::string parent = FolderOf(path);
    if (parent != path && !MakeFolders(parent, failure)) return false;
    if (::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST) return true;
    failure = "cannot create " + path + ": " + ErrnoText(errno);
    return false;
}

bool MakeTrashInside(const std::string& root, std::string& failure) {
    return MakeFolders(root + "/files", failure) && MakeFolders(root + "/info", failure);
}

// A folder the user may keep a trash in on a shared file system: a real folder (not a
// link someone planted), owned by the user. Made private when it is created here.
bool IsOwnFolder(const std::string& path, std::string& failure) {
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        failure = "cannot create " + path + ": " + ErrnoText(errno);
        return false;
    }
    struct stat facts {};
    if (::lstat(path.c_str(), &facts) != 0) {
        failure = "cannot use " + path + ": " + ErrnoText(errno);
        return false;
    }
    if (!S_ISDIR(facts.st_mode) || facts.st_uid != ::geteuid()) {
        failure = "cannot use " + path + ": not a folder of this user";
        return false;
    }
    return true;
}

dev_t DeviceOf(const std::string& path) {
    struct stat facts {};
    return ::stat(path.c_str(), &facts) == 0 ? facts.st_dev : static_cast<dev_t>(-1);
}

// The top of the file system `device` that holds `realFolder`.
std::string MountPointOf(std::string folder, dev_t device) {
    while (folder != "/") {
        const std::string parent = FolderOf(folder);
        if (DeviceOf(parent) != device) break;
        folder = parent;
    }
    return folder;
}

TrashFolder TopdirTrash(const std::string& topdir, dev_t device) {
    const std::string prefix = topdir == "/" ? "" : topdir;
    const std::string uid = std::to_string(::geteuid());
    std::string failure;

    // An administrator's shared trash counts only when it is a real folder with the
    // sticky bit, so users cannot remove each other's folders in it.
    const std::string shared = prefix + "/.Trash";
    struct stat facts {};
    if (::lstat(shared.c_str(), &facts) == 0 && S_ISDIR(facts.st_mode) &&
        (facts.st_mode & S_ISVTX)) {
        const std::string root = shared + "/" + uid;
        std::string ignored;
        if (IsOwnFolder(root, ignored) && DeviceOf(root) == device &&
            MakeTrashInside(root, ignored))
            return {root, topdir, {}};
    }
    const std::string own = prefix + "/.Trash-" + uid;
    if (!IsOwnFolder(own, failure) || !MakeTrashInside(own, failure)) return {{}, {}, failure};
    if (DeviceOf(own) != device) return {{}, {}, "cannot use " + own + ": another file system"};
    return {own, topdir, {}};
}

std::string HomeTrashRoot() {
    return XdgFolders::FromEnvironment().dataHome + "/Trash";
}

TrashFolder MakeHomeTrash(const std::string& root) {
    std::string failure;
    if (!MakeTrashInside(root, failure)) return {{}, {}, failure};
    return {root, {}, {}};
}

// The file system a folder is on, or would be on once made: that of its nearest
// existing ancestor.
dev_t FutureDeviceOf(std::string path) {
    struct stat facts {};
    while (::stat(path.c_str(), &facts) != 0) {
        if (path == "/") return static_cast<dev_t>(-1);
        path = FolderOf(path);
    }
    return facts.st_dev;
}

} // namespace

TrashFolder HomeTrash() {
    return MakeHomeTrash(HomeTrashRoot());
}

TrashFolder TrashFolderFor(const std::string& realFolder, dev_t device) {
    const std::string home = HomeTrashRoot();
    if (FutureDeviceOf(home) == device) return MakeHomeTrash(home);
    return TopdirTrash(MountPointOf(realFolder, device), device);
}

} // namespace mvf::platform
