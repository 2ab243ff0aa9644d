#include "platform/qt/resources.h"

#include <filesystem>
#include <mutex>
#include <utility>

#include <QFile>
#include <QResource>

namespace mvf::platform {
namespace {

const QString kRoot = QStringLiteral("/mvfinder");

// One use at a time: a second registration of the same file under the same root would
// leave the two readers unregistering each other's mapping.
std::mutex& UseMutex() {
    static std::mutex mutex;
    return mutex;
}

} // namespace

ResourceLibrary::ResourceLibrary(std::vector<std::string> searchFolders)
    : folders_(std::move(searchFolders)) {}

std::string ResourceLibrary::FindFile() const {
    for (const std::string& folder : folders_) {
        const std::filesystem::path path = std::filesystem::path(folder) / kResourceFileName;
        std::error_code failed;
        if (std::filesystem::is_regular_file(path, failed)) return path.string();
    }
    return {};
}

QByteArray ResourceLibrary::ReadEntry(const QString& entry) const {
    const std::string file = FindFile();
    if (file.empty()) return {};
    const QString path = QString::fromStdString(file);
    std::lock_guard lock(UseMutex());
    if (!QResource::registerResource(path, kRoot)) return {};
    QByteArray bytes;
    QFile resource(":" + kRoot + "/" + entry);
    if (resource.open(QIODevice::ReadOnly)) bytes = resource.readAll();
    resource.close();
    QResource::unregisterResource(path, kRoot);
    return bytes;
}

QImage ResourceLibrary::Picture(const QString& name) const {
    const QByteArray bytes = ReadEntry(name + ".png");
    return bytes.isEmpty() ? QImage() : QImage::fromData(bytes, "PNG");
}

QByteArray ResourceLibrary::Sound(const QString& name) const {
    return ReadEntry(name + ".wav");
}

} // namespace mvf::platform
