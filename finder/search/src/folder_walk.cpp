#include "folder_walk.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <sys/stat.h>

namespace mvf::search {

using platform::EntryKind;

struct FolderWalk::Listing {
    struct Entry {
        std::uint32_t offset;
        EntryKind kind;
    };
    std::string names; // each name followed by its terminator
    std::vector<Entry> files;
    std::vector<Entry> folders;

    void Clear() {
        names.clear();
        files.clear();
        folders.clear();
    }
    void Add(std::vector<Entry>& to, std::string_view name, EntryKind kind) {
        to.push_back({static_cast<std::uint32_t>(names.size()), kind});
        names.append(name);
        names.push_back('\0');
    }
    const char* Name(const Entry& entry) const { return names.data() + entry.offset; }
    void Sort(std::vector<Entry>& entries) const {
        std::sort(entries.begin(), entries.end(), [this](const Entry& a, const Entry& b) {
            return std::strcmp(Name(a), Name(b)) < 0;
        });
    }
};

FolderWalk::FolderWalk(bool subfolders, SearchControl& control, FileVisitor& visitor)
    : subfolders_(subfolders), control_(control), visitor_(visitor) {}

FolderWalk::~FolderWalk() = default;

bool FolderWalk::Walk(const std::string& folder, const platform::NameMask& mask) {
    auto opened = std::make_shared<const platform::Folder>(platform::Folder::Open(folder));
    if (!opened->IsOpen()) return true;
    path_ = folder;
    ancestors_.clear();
    return WalkFolder(opened, 0, mask);
}

FolderWalk::Listing& FolderWalk::LevelAt(std::size_t depth) {
    while (levels_.size() <= depth) levels_.push_back(std::make_unique<Listing>());
    return *levels_[depth];
}

bool FolderWalk::IsOwnAncestor(const platform::Folder& folder, std::size_t depth) {
    struct stat st;
    if (::fstat(folder.Fd(), &st) != 0) return true;
    ancestors_.resize(depth);
    const std::pair<unsigned long, unsigned long> id(st.st_dev, st.st_ino);
    if (std::find(ancestors_.begin(), ancestors_.end(), id) != ancestors_.end()) return true;
    ancestors_.push_back(id);
    return false;
}

bool FolderWalk::WalkFolder(const std::shared_ptr<const platform::Folder>& shared,
                            std::size_t depth, const platform::NameMask& mask) {
    const platform::Folder& folder = *shared;
    if (subfolders_ && IsOwnAncestor(folder, depth)) return true;
    Listing& listing = LevelAt(depth);
    listing.Clear();
    visitor_.ListingFolder();
    const bool listed = folder.ForEachEntry([&](std::string_view name, EntryKind kind) {
        if (name.front() == '.') return;
        if (kind == EntryKind::Folder) {
            if (subfolders_) listing.Add(listing.folders, name, kind);
        } else if ((kind == EntryKind::File || kind == EntryKind::Link) && mask.Matches(name)) {
            listing.Add(listing.files, name, kind);
        }
    });
    // What was listed before the failure is still walked.
    if (!listed) visitor_.FolderFailed(path_, errno);
    listing.Sort(listing.files);
    listing.Sort(listing.folders);

    const std::size_t pathLength = path_.size();
    for (const Listing::Entry& entry : listing.files) {
        if (!control_.Proceed()) return false;
        const char* name = listing.Name(entry);
        if (entry.kind == EntryKind::Link) {
            const EntryKind target = folder.ResolveLink(name);
            // A link that leads nowhere is a file that cannot be opened: it is logged.
            if (target != EntryKind::File && target != EntryKind::Broken) continue;
        }
        current_.assign(path_).append(name);
        visitor_.Visit(shared, name, current_);
    }
    if (!subfolders_) return true;
    for (const Listing::Entry& entry : listing.folders) {
        if (!control_.Proceed()) return false;
        const char* name = listing.Name(entry);
        path_.append(name).push_back('/');
        auto child = std::make_shared<const platform::Folder>(
            platform::Folder::OpenChild(folder, name, path_));
        if (!child->IsOpen()) {
            visitor_.FolderFailed(path_, errno);
            path_.resize(pathLength);
            continue;
        }
        const bool goOn = WalkFolder(child, depth + 1, mask);
        path_.resize(pathLength);
        if (!goOn) return false;
    }
    return true;
}

} // namespace mvf::search
