#include "trash_entry.h"

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace mvf::platform {

namespace {

constexpr std::string_view kInfoSuffix = ".trashinfo";
constexpr int kMostCandidates = 100000;

bool KeptAsIs(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '.' || c == '_' || c == '~' || c == '/';
}

// At most `limit` bytes of `text`, not cutting a UTF-8 sequence in two.
std::string_view Cut(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

// The n-th candidate name: the name itself, then "stem.n.ext". The record's name must
// also fit the name limit, so the stem gives way when the name is long.
std::string Candidate(std::string_view name, int n) {
    const std::size_t dot = name.rfind('.');
    const bool hasExtension = dot != std::string_view::npos && dot > 0 && name.size() - dot <= 32;
    const std::string_view stem = hasExtension ? name.substr(0, dot) : name;
    const std::string_view extension = hasExtension ? name.substr(dot) : std::string_view();
    const std::string counter = n == 1 ? std::string() : "." + std::to_string(n);
    const std::size_t room = NAME_MAX - kInfoSuffix.size() - counter.size() - extension.size();
    std::string candidate(Cut(stem, room));
    candidate += counter;
    candidate += extension;
    return candidate;
}

bool Exists(const std::string& path) {
    struct stat facts {};
    return ::lstat(path.c_str(), &facts) == 0 || errno != ENOENT;
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

std::string PercentEncodePath(std::string_view path) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(path.size());
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (KeptAsIs(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHex[byte >> 4];
            encoded += kHex[byte & 0xF];
        }
    }
    return encoded;
}

std::string TrashInfoText(std::string_view recordedPath, std::time_t when) {
    std::tm local{};
    ::localtime_r(&when, &local);
    char date[32];
    std::strftime(date, sizeof date, "%Y-%m-%dT%H:%M:%S", &local);
    return "[Trash Info]\nPath=" + PercentEncodePath(recordedPath) + "\nDeletionDate=" + date +
           "\n";
}

TrashEntry MakeTrashEntry(const std::string& root, std::string_view originalName,
                          std::string_view infoText) {
    for (int n = 1; n <= kMostCandidates; ++n) {
        const std::string name = Candidate(originalName, n);
        const std::string infoPath = root + "/info/" + name + std::string(kInfoSuffix);
        const int fd =
            ::open(infoPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0600);
        if (fd < 0) {
            if (errno == EEXIST) continue;
            return {
                {}, {}, "cannot write " + infoPath + ": " + std::generic_category().message(errno)};
        }
        const std::string filePath = root + "/files/" + name;
        if (Exists(filePath)) { // a file left without its record: keep clear of it
            ::close(fd);
            ::unlink(infoPath.c_str());
            continue;
        }
        const bool written = WriteAll(fd, infoText);
        const int error = errno;
        if (::close(fd) != 0 || !written) {
            ::unlink(infoPath.c_str());
            return {{},
                    {},
                    "cannot write " + infoPath + ": " +
                        std::generic_category().message(written ? errno : error)};
        }
        return {filePath, infoPath, {}};
    }
    return {{}, {}, "too many files of this name in the trash " + root};
}

} // namespace mvf::platform
