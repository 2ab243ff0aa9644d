#include "platform/qt/default_opener.h"

#include <QDesktopServices>
#include <QString>

namespace mvf::platform {

namespace {

UrlOpener& InstalledOpener() {
    static UrlOpener opener;
    return opener;
}

bool IsUtf8(const std::string& bytes) {
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())).toUtf8() ==
           QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

QUrl LocalFileUrl(const std::string& path) {
    if (IsUtf8(path)) return QUrl::fromLocalFile(QString::fromUtf8(path.data(), path.size()));
    const QByteArray bytes(path.data(), static_cast<qsizetype>(path.size()));
    return QUrl::fromEncoded("file://" + bytes.toPercentEncoding("/"), QUrl::StrictMode);
}

bool OpenWithDefaultApplication(const std::string& path) {
    const QUrl url = LocalFileUrl(path);
    if (const UrlOpener& opener = InstalledOpener()) return opener(url);
    return QDesktopServices::openUrl(url);
}

void SetUrlOpener(UrlOpener opener) {
    InstalledOpener() = std::move(opener);
}

} // namespace mvf::platform
