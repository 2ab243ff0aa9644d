#include "platform/core/file_facts.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>

namespace mvf::platform {

namespace {

// Where statx is refused (old kernels, some sandboxes): fstat, which has no birth time.
std::optional<FileFacts> ReadWithFstat(int fd) {
    struct stat st;
    if (::fstat(fd, &st) != 0) return std::nullopt;
    FileFacts facts;
    facts.regular = S_ISREG(st.st_mode);
    facts.size = st.st_size;
    facts.modified = st.st_mtim.tv_sec;
    return facts;
}

} // namespace

std::optional<FileFacts> ReadFileFacts(int fd) {
    struct statx sx;
    if (::statx(fd, "", AT_EMPTY_PATH, STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME, &sx) !=
        0) {
        if (errno == ENOSYS || errno == EPERM) return ReadWithFstat(fd);
        return std::nullopt;
    }
    FileFacts facts;
    facts.regular = (sx.stx_mask & STATX_TYPE) && S_ISREG(sx.stx_mode);
    facts.size = static_cast<std::int64_t>(sx.stx_size);
    if (sx.stx_mask & STATX_BTIME) facts.created = sx.stx_btime.tv_sec;
    if (sx.stx_mask & STATX_MTIME) facts.modified = sx.stx_mtime.tv_sec;
    return facts;
}

} // namespace mvf::platform
