#include "viewer/app/file_checks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/open_file.h"

namespace mvf::viewer {

bool FileExists(const std::string& name) {
    struct stat facts {};
    return !name.empty() && ::stat(name.c_str(), &facts) == 0 && !S_ISDIR(facts.st_mode);
}

bool CanOpenForReading(const std::string& name) {
    const int fd = platform::OpenFileForReading(AT_FDCWD, name.c_str(), name);
    if (fd < 0) return false;
    struct stat facts {};
    const bool regular = ::fstat(fd, &facts) == 0 && S_ISREG(facts.st_mode);
    ::close(fd);
    return regular;
}

} // namespace mvf::viewer
