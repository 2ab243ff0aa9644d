// open_read_floor [--all] FOLDER...
// Walks each folder as the finder does (entry types from the listing, names beginning
// with "." left out, links to folders not followed) and opens every regular file: reads
// its first 1 KB, or with --all every byte in blocks of 256 KB, then closes it. Prints
// the number of files and bytes read. This is the least work a search of the same tree
// can do: the floor its timings are compared with.
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/core/folder.h"

namespace {

using mvf::platform::EntryKind;
using mvf::platform::Folder;

struct Counts {
    long files = 0;
    long long bytes = 0;
};

void ReadFile(int folderFd, const char* name, bool all, char* buffer, std::size_t size,
              Counts& counts) {
    const int fd = ::openat(folderFd, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;
    ++counts.files;
    for (;;) {
        const ssize_t got = ::read(fd, buffer, all ? size : 1024);
        if (got <= 0) break;
        counts.bytes += got;
        if (!all) break;
    }
    ::close(fd);
}

void Walk(const Folder& folder, bool all, char* buffer, std::size_t size, Counts& counts) {
    std::string names;
    std::vector<std::pair<std::size_t, EntryKind>> entries;
    folder.ForEachEntry([&](std::string_view name, EntryKind kind) {
        if (name.front() == '.') return;
        entries.emplace_back(names.size(), kind);
        names.append(name);
        names.push_back('\0');
    });
    for (const auto& [offset, kind] : entries) {
        const char* name = names.data() + offset;
        if (kind == EntryKind::File ||
            (kind == EntryKind::Link && folder.ResolveLink(name) == EntryKind::File))
            ReadFile(folder.Fd(), name, all, buffer, size, counts);
    }
    for (const auto& [offset, kind] : entries) {
        if (kind != EntryKind::Folder) continue;
        const Folder child = Folder::OpenChild(folder, names.data() + offset);
        if (child.IsOpen()) Walk(child, all, buffer, size, counts);
    }
}

} // namespace

int main(int argc, char** argv) {
    bool all = false;
    int first = 1;
    if (argc > 1 && std::strcmp(argv[1], "--all") == 0) {
        all = true;
        first = 2;
    }
    if (first >= argc) {
        std::fprintf(stderr, "usage: open_read_floor [--all] FOLDER...\n");
        return 2;
    }
    constexpr std::size_t kBlock = 256 * 1024;
    const std::unique_ptr<char[]> buffer(new char[kBlock]);
    Counts counts;
    for (int i = first; i < argc; ++i) {
        const Folder folder = Folder::Open(argv[i]);
        if (folder.IsOpen()) Walk(folder, all, buffer.get(), kBlock, counts);
    }
    std::printf("%ld files, %lld bytes\n", counts.files, counts.bytes);
    return 0;
}
