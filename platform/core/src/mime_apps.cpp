#include "platform/core/mime_apps.h"

#include <algorithm>

#include "key_file.h"

namespace mvf::platform {

namespace {

// The association lists, most important first, read once per lookup.
std::vector<KeyFile> AssociationLists(const XdgFolders& folders) {
    std::vector<std::string> paths;
    const auto addFolder = [&](const std::string& folder, bool withDefaultsList) {
        for (const std::string& desktop : folders.desktops)
            paths.push_back(folder + "/" + desktop + "-mimeapps.list");
        paths.push_back(folder + "/mimeapps.list");
        if (withDefaultsList) paths.push_back(folder + "/defaults.list");
    };
    addFolder(folders.configHome, false);
    for (const std::string& folder : folders.configDirs) addFolder(folder, false);
    addFolder(folders.dataHome + "/applications", true);
    for (const std::string& folder : folders.dataDirs) addFolder(folder + "/applications", true);

    std::vector<KeyFile> lists;
    for (const std::string& path : paths)
        if (KeyFile list = KeyFile::Read(path); !list.Empty()) lists.push_back(std::move(list));
    return lists;
}

std::vector<KeyFile> Caches(const XdgFolders& folders) {
    std::vector<KeyFile> caches;
    caches.push_back(KeyFile::Read(folders.dataHome + "/applications/mimeinfo.cache"));
    for (const std::string& folder : folders.dataDirs)
        caches.push_back(KeyFile::Read(folder + "/applications/mimeinfo.cache"));
    return caches;
}

bool Contains(const std::vector<std::string>& list, const std::string& item) {
    return std::find(list.begin(), list.end(), item) != list.end();
}

std::optional<DesktopEntry> FirstUsable(const std::vector<std::string>& ids,
                                        const std::vector<std::string>& removed,
                                        const XdgFolders& folders) {
    for (const std::string& id : ids)
        if (!Contains(removed, id))
            if (auto entry = FindDesktopEntry(id, folders)) return entry;
    return std::nullopt;
}

std::optional<DesktopEntry> DefaultForType(const std::string& type,
                                           const std::vector<KeyFile>& lists,
                                           const std::vector<KeyFile>& caches,
                                           const XdgFolders& folders) {
    std::vector<std::string> removed;
    for (const KeyFile& list : lists) {
        if (auto entry = FirstUsable(list.List("Default Applications", type), removed, folders))
            return entry;
        for (std::string& id : list.List("Removed Associations", type)) removed.push_back(id);
    }
    removed.clear();
    for (const KeyFile& list : lists) {
        if (auto entry = FirstUsable(list.List("Added Associations", type), removed, folders))
            return entry;
        for (std::string& id : list.List("Removed Associations", type)) removed.push_back(id);
    }
    for (const KeyFile& cache : caches)
        if (auto entry = FirstUsable(cache.List("MIME Cache", type), removed, folders))
            return entry;
    return std::nullopt;
}

} // namespace

std::optional<DesktopEntry> DefaultApplicationFor(const std::vector<std::string>& types,
                                                  const XdgFolders& folders) {
    const std::vector<KeyFile> lists = AssociationLists(folders);
    const std::vector<KeyFile> caches = Caches(folders);
    for (const std::string& type : types)
        if (auto entry = DefaultForType(type, lists, caches, folders)) return entry;
    return std::nullopt;
}

} // namespace mvf::platform
