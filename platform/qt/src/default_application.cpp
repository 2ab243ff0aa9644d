#include "platform/qt/default_application.h"

#include <QFile>
#include <QMimeDatabase>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "platform/core/mime_apps.h"

namespace mvf::platform {

namespace {

// The first bytes of a regular file, opened by its exact name; nothing for anything
// else. Non-blocking, so a FIFO put in the file's place cannot hang the caller.
std::optional<QByteArray> Head(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return std::nullopt;
    std::optional<QByteArray> head;
    struct stat facts {};
    if (::fstat(fd, &facts) == 0 && S_ISREG(facts.st_mode)) {
        head.emplace(16 * 1024, '\0');
        const ssize_t got = ::read(fd, head->data(), static_cast<std::size_t>(head->size()));
        head->resize(got > 0 ? static_cast<qsizetype>(got) : 0);
    }
    ::close(fd);
    return head;
}

// By name and content; by the name alone when there is no content to read.
QMimeType TypeOfFile(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const QString name =
        QFile::decodeName(path.substr(slash == std::string::npos ? 0 : slash + 1).c_str());
    const QMimeDatabase types;
    if (const std::optional<QByteArray> head = Head(path))
        return types.mimeTypeForFileNameAndData(name, *head);
    return types.mimeTypeForFile(name, QMimeDatabase::MatchExtension);
}

} // namespace

std::string MimeTypeOfFile(const std::string& path) {
    return TypeOfFile(path).name().toStdString();
}

std::optional<DefaultApplication> FindDefaultApplication(const std::string& path) {
    const QMimeType type = TypeOfFile(path);
    std::vector<std::string> types{type.name().toStdString()};
    for (const QString& ancestor : type.allAncestors()) types.push_back(ancestor.toStdString());
    std::optional<DesktopEntry> entry = DefaultApplicationFor(types, XdgFolders::FromEnvironment());
    if (!entry) return std::nullopt;
    return DefaultApplication{types.front(), std::move(*entry)};
}

} // namespace mvf::platform
