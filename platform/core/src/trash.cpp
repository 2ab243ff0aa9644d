#include "platform/core/trash.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

#include "platform/core/program_folder.h"
#include "trash_entry.h"
#include "trash_folder.h"

namespace mvf::platform {

namespace {

std::string ErrnoText(int error) {
    return std::generic_category().message(error);
}

std::string RealFolder(const std::string& folder) {
    char* real = ::realpath(folder.c_str(), nullptr);
    if (!real) return {};
    std::string result = real;
    std::free(real);
    return result;
}

} // namespace

RemovalResult MoveToTrash(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') trimmed.pop_back();
    const std::size_t slash = trimmed.rfind('/');
    const std::string name = slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") return {false, "not a file"};

    struct stat facts {};
    if (::lstat(trimmed.c_str(), &facts) != 0) return {false, ErrnoText(errno)};
    const std::string folder = RealFolder(FolderOf(trimmed));
    if (folder.empty()) return {false, ErrnoText(errno)};
    const std::string original = (folder == "/" ? "" : folder) + "/" + name;

    const TrashFolder trash = TrashFolderFor(folder, facts.st_dev);
    if (trash.root.empty()) return {false, trash.failure};
    // A trash at the top of a file system records paths relative to that top, so the
    // record stays right wherever the file system is mounted next time.
    const std::string recorded =
        trash.topdir.empty() ? original
                             : original.substr(trash.topdir == "/" ? 1 : trash.topdir.size() + 1);

    const TrashEntry entry =
        MakeTrashEntry(trash.root, name, TrashInfoText(recorded, std::time(nullptr)));
    if (!entry.failure.empty()) return {false, entry.failure};
    if (::rename(trimmed.c_str(), entry.filePath.c_str()) != 0) {
        const int error = errno;
        ::unlink(entry.infoPath.c_str());
        return {false, ErrnoText(error)};
    }
    return {true, {}};
}

bool PlatformHasTrash() {
    return !HomeTrash().root.empty();
}

} // namespace mvf::platform
