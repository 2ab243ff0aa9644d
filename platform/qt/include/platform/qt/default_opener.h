// The "open" verb: hands a file to the application the desktop associates with its type,
// as a double-click in the file manager would.
#pragma once

#include <QUrl>
#include <functional>
#include <string>

namespace mvf::platform {

// The file URL of an absolute `path` that names exactly its bytes: for a UTF-8 name
// QUrl::fromLocalFile's URL; a byte that is not UTF-8 goes percent-encoded (%FF), so the
// application is given the very file and not one with a mangled name.
QUrl LocalFileUrl(const std::string& path);

// Opens `path` with its default application; false when the desktop could not start one
// (nothing associated, no desktop). Does not wait for the application. Needs a
// QGuiApplication.
bool OpenWithDefaultApplication(const std::string& path);

// What opens a URL. By default the desktop (QDesktopServices::openUrl); tests install a
// recorder so that no real application starts. An empty function restores the desktop.
using UrlOpener = std::function<bool(const QUrl& url)>;
void SetUrlOpener(UrlOpener opener);

} // namespace mvf::platform
