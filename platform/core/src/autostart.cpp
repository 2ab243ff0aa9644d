#include "platform/core/autostart.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "key_file.h"

namespace mvf::platform {

namespace {

constexpr char kGroup[] = "Desktop Entry";

// A string value: a backslash, and a line break that would end the value, escaped.
std::string StringValue(const std::string& text) {
    std::string value;
    for (const char c : text) {
        switch (c) {
        case '\\': value += "\\\\"; break;
        case '\n': value += "\\n"; break;
        case '\r': value += "\\r"; break;
        case '\t': value += "\\t"; break;
        default: value += c;
        }
    }
    return value;
}

std::string Failure(const std::string& what, const std::string& path, int error) {
    return "cannot " + what + " " + path + ": " + std::strerror(error);
}

} // namespace

std::string AutostartFile(const std::string& id, const XdgFolders& folders) {
    return folders.configHome + "/autostart/" + id;
}

bool IsAutostartOn(const std::string& file) {
    std::error_code failed;
    if (!std::filesystem::is_regular_file(file, failed)) return false;
    const KeyFile entry = KeyFile::Read(file);
    return entry.Value(kGroup, "Hidden") != "true" &&
           entry.Value(kGroup, "X-GNOME-Autostart-enabled") != "false";
}

std::string ExecValue(const std::string& program) {
    // Reserved in an Exec argument: these need the argument quoted.
    const bool quote = program.find_first_of(" \t\n\"'\\><~|&;$*?#()`") != std::string::npos;
    std::string argument;
    if (quote) argument += '"';
    for (const char c : program) {
        if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) argument += '\\';
        argument += c;
        if (c == '%') argument += '%';
    }
    if (quote) argument += '"';
    return StringValue(argument);
}

std::string WriteAutostart(const std::string& file, const AutostartEntry& entry) {
    const std::filesystem::path path(file);
    std::error_code failed;
    std::filesystem::create_directories(path.parent_path(), failed);
    if (failed) return Failure("make the folder", path.parent_path().string(), failed.value());

    const std::string text =
        std::string("[") + kGroup + "]\n" +
        "Type=Application\n"
        "Name=" +
        StringValue(entry.name) + "\n" + "Comment=" + StringValue(entry.comment) + "\n" +
        "Icon=" + StringValue(entry.icon) + "\n" + "Exec=" + ExecValue(entry.program) + "\n" +
        // A program removed since (its package uninstalled) is skipped by the session.
        "TryExec=" + StringValue(entry.program) + "\n" +
        "Terminal=false\n"
        "X-GNOME-Autostart-enabled=true\n";
    const std::string part = file + ".part";
    {
        std::ofstream out(part, std::ios::binary | std::ios::trunc);
        if (!out) return Failure("write", part, errno);
        out << text;
        out.flush();
        if (!out) {
            const int error = errno;
            std::remove(part.c_str());
            return Failure("write", part, error);
        }
    }
    if (std::rename(part.c_str(), file.c_str()) != 0) {
        const int error = errno;
        std::remove(part.c_str());
        return Failure("write", file, error);
    }
    return {};
}

std::string RemoveAutostart(const std::string& file) {
    if (std::remove(file.c_str()) != 0 && errno != ENOENT) return Failure("remove", file, errno);
    return {};
}

} // namespace mvf::platform
