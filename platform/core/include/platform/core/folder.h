// Listing a folder. Entries come with the type the kernel keeps in the folder itself
// (d_type), so telling files from folders costs no stat call per entry; only file
// systems that leave the type unknown pay one.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace mvf::platform {

enum class EntryKind : std::uint8_t {
    File,   // a regular file
    Folder, // a directory
    Link,   // a symbolic link, not yet resolved (ResolveLink)
    Other,  // FIFO, socket, device: never opened
    Broken, // a link whose target cannot be reached (only from ResolveLink)
};

// An open folder; closes itself.
class Folder {
public:
    Folder() = default;
    // Opens the folder a user named; a symbolic link to a folder is followed.
    static Folder Open(const std::string& path);
    // Opens a sub-folder of an open folder; a symbolic link is not followed. `fullPath`
    // names the same folder and serves only the failure hook. When it fails, errno tells
    // why.
    static Folder OpenChild(const Folder& parent, const char* name, std::string_view fullPath = {});

    Folder(Folder&& other) noexcept : fd_(other.fd_), listed_(other.listed_) { other.fd_ = -1; }
    Folder& operator=(Folder&& other) noexcept;
    Folder(const Folder&) = delete;
    Folder& operator=(const Folder&) = delete;
    ~Folder();

    bool IsOpen() const { return fd_ >= 0; }
    int Fd() const { return fd_; }

    // Calls visit(name, kind) for every entry but "." and "..", in the order the file
    // system keeps them. Returns false when the listing could not be read to its end.
    template <class Visit> bool ForEachEntry(Visit&& visit) const {
        return List([](void* context, std::string_view name,
                       EntryKind kind) { (*static_cast<Visit*>(context))(name, kind); },
                    &visit);
    }

    // What a symbolic link in this folder leads to: File, Folder, Other or Broken.
    EntryKind ResolveLink(const char* name) const;

private:
    explicit Folder(int fd) : fd_(fd) {}
    using Visitor = void (*)(void* context, std::string_view name, EntryKind kind);
    bool List(Visitor visit, void* context) const;

    int fd_ = -1;
    mutable bool listed_ = false;
};

// Tests make sub-folders unreadable through this hook, as SetOpenFailureHook does for
// files: while it is installed, OpenChild fails with EACCES for a folder whose full path
// (ending in "/") it answers true for. An empty function removes it. Install it only
// while no search runs.
void SetFolderOpenFailureHook(std::function<bool(std::string_view fullPath)> hook);

} // namespace mvf::platform
