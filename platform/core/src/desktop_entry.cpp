#include "platform/core/desktop_entry.h"

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "key_file.h"

namespace mvf::platform {

namespace {

constexpr char kGroup[] = "Desktop Entry";

bool IsRegularFile(const std::string& path) {
    struct stat facts {};
    return ::stat(path.c_str(), &facts) == 0 && S_ISREG(facts.st_mode);
}

bool IsExecutableFile(const std::string& path) {
    return IsRegularFile(path) && ::access(path.c_str(), X_OK) == 0;
}

// The relative file names an id may have: dashes stand for sub-folders, so
// "a-b-c.desktop" may be "a-b-c.desktop", "a/b-c.desktop", "a-b/c.desktop" or
// "a/b/c.desktop". Ids with very many dashes are tried as written only.
void AddRelativeNames(const std::string& id, std::size_t from, std::vector<std::string>& names) {
    names.push_back(id);
    if (names.size() > 64) return;
    for (std::size_t dash = id.find('-', from); dash != std::string::npos;
         dash = id.find('-', dash + 1)) {
        std::string nested = id;
        nested[dash] = '/';
        AddRelativeNames(nested, dash + 1, names);
    }
}

std::optional<DesktopEntry> ReadEntry(const std::string& id, const std::string& file) {
    const KeyFile entry = KeyFile::Read(file);
    if (entry.Value(kGroup, "Hidden") == "true") return std::nullopt;
    if (entry.Has(kGroup, "Type") && entry.Value(kGroup, "Type") != "Application")
        return std::nullopt;
    if (entry.Has(kGroup, "TryExec") &&
        FindExecutable(Unescape(entry.Value(kGroup, "TryExec"))).empty())
        return std::nullopt;
    const std::string program = FindExecutable(ExecProgram(entry.Value(kGroup, "Exec")));
    if (program.empty()) return std::nullopt;
    return DesktopEntry{id, file, program};
}

} // namespace

std::string ExecProgram(const std::string& execLine) {
    const std::string line = Unescape(execLine);
    std::size_t i = line.find_first_not_of(" \t");
    if (i == std::string::npos) return {};
    std::string word;
    if (line[i] != '"') {
        const std::size_t end = line.find_first_of(" \t", i);
        return line.substr(i, end == std::string::npos ? std::string::npos : end - i);
    }
    // Inside quotes a backslash keeps the next character ("\"", "\\", "\$", "\`").
    for (++i; i < line.size() && line[i] != '"'; ++i) {
        if (line[i] == '\\' && i + 1 < line.size()) ++i;
        word += line[i];
    }
    return word;
}

std::string FindExecutable(const std::string& name) {
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string();
    const char* path = std::getenv("PATH");
    const std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = folders.find(':', start);
        const std::string folder = folders.substr(start, end - start);
        // Only absolute folders: a relative one would make the answer depend on where
        // the finder happens to stand.
        if (!folder.empty() && folder[0] == '/') {
            const std::string candidate = folder + "/" + name;
            if (IsExecutableFile(candidate)) return candidate;
        }
        if (end == std::string::npos) return {};
        start = end + 1;
    }
}

std::optional<DesktopEntry> FindDesktopEntry(const std::string& id, const XdgFolders& folders) {
    if (id.empty() || id.find('/') != std::string::npos) return std::nullopt;
    std::vector<std::string> names;
    AddRelativeNames(id, 0, names);
    std::vector<std::string> roots{folders.dataHome};
    roots.insert(roots.end(), folders.dataDirs.begin(), folders.dataDirs.end());
    for (const std::string& root : roots)
        for (const std::string& name : names) {
            const std::string file = root + "/applications/" + name;
            if (IsRegularFile(file)) return ReadEntry(id, file);
        }
    return std::nullopt;
}

} // namespace mvf::platform
