#include "platform/core/xdg_folders.h"

#include <cctype>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace mvf::platform {

namespace {

std::vector<std::string> Split(const char* text, char separator) {
    std::vector<std::string> parts;
    std::string part;
    for (const char* c = text; *c; ++c) {
        if (*c == separator) {
            parts.push_back(std::move(part));
            part.clear();
        } else {
            part += *c;
        }
    }
    parts.push_back(std::move(part));
    return parts;
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

std::string HomeFolder() {
    if (const char* home = std::getenv("HOME"); home && home[0] == '/') return home;
    if (const passwd* user = ::getpwuid(::getuid()); user && user->pw_dir) return user->pw_dir;
    return "/";
}

std::string OneFolder(const char* variable, const std::string& fallback) {
    const char* value = std::getenv(variable);
    return WithoutTrailingSlash(value && value[0] == '/' ? value : fallback);
}

std::vector<std::string> FolderList(const char* variable,
                                    const std::vector<std::string>& fallback) {
    const char* value = std::getenv(variable);
    std::vector<std::string> folders;
    if (value)
        for (std::string& folder : Split(value, ':'))
            if (!folder.empty() && folder[0] == '/')
                folders.push_back(WithoutTrailingSlash(std::move(folder)));
    return folders.empty() ? fallback : folders;
}

} // namespace

XdgFolders XdgFolders::FromEnvironment() {
    XdgFolders folders;
    // "" for the root, so that the root's folders read "/.config", not "//.config".
    std::string home = WithoutTrailingSlash(HomeFolder());
    if (home == "/") home.clear();
    folders.configHome = OneFolder("XDG_CONFIG_HOME", home + "/.config");
    folders.configDirs = FolderList("XDG_CONFIG_DIRS", {"/etc/xdg"});
    folders.dataHome = OneFolder("XDG_DATA_HOME", home + "/.local/share");
    folders.dataDirs = FolderList("XDG_DATA_DIRS", {"/usr/local/share", "/usr/share"});
    if (const char* desktops = std::getenv("XDG_CURRENT_DESKTOP"))
        for (std::string& desktop : Split(desktops, ':')) {
            if (desktop.empty()) continue;
            for (char& c : desktop)
                c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            folders.desktops.push_back(std::move(desktop));
        }
    return folders;
}

} // namespace mvf::platform
