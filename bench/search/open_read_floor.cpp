// open_read_floor [--all] [--stat] [--threads N] FOLDER...
// Walks each folder as the finder does (entry types from the listing, names beginning
// with "." left out, links to folders not followed) and opens every regular file: reads
// its first 1 KB, or with --all every byte in blocks of 256 KB, then closes it. Prints
// the number of files and bytes read. This is the least work a search of the same tree
// can do: the floor its timings are compared with.
//
// --stat also reads each file's size and times, as a search does for its columns.
// --threads N deals the folders' first-level sub-folders out to N threads, with no order
// kept and nothing passed between them: the most that N threads of one process (sharing
// one table of open files) can gain, the bound of a search's own threads.
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

#include "platform/core/file_facts.h"
#include "platform/core/folder.h"

namespace {

using mvf::platform::EntryKind;
using mvf::platform::Folder;

struct Counts {
    long files = 0;
    long long bytes = 0;
};

struct Settings {
    bool all = false;
    bool stat = false;
};

void ReadFile(int folderFd, const char* name, const Settings& settings, char* buffer,
              std::size_t size, Counts& counts) {
    const bool all = settings.all;
    const int fd = ::openat(folderFd, name, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return;
    ++counts.files;
    if (settings.stat) (void)mvf::platform::ReadFileFacts(fd);
    for (;;) {
        const ssize_t got = ::read(fd, buffer, all ? size : 1024);
        if (got <= 0) break;
        counts.bytes += got;
        if (!all) break;
    }
    ::close(fd);
}

// The folder's own files, then (unless `filesOnly`) each sub-folder completely.
void Walk(const Folder& folder, const Settings& settings, char* buffer, std::size_t size,
          Counts& counts, bool filesOnly = false) {
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
            ReadFile(folder.Fd(), name, settings, buffer, size, counts);
    }
    if (filesOnly) return;
    for (const auto& [offset, kind] : entries) {
        if (kind != EntryKind::Folder) continue;
        const Folder child = Folder::OpenChild(folder, names.data() + offset);
        if (child.IsOpen()) Walk(child, settings, buffer, size, counts);
    }
}

// The first-level sub-folders of `roots`, each to be walked whole by some thread.
std::vector<std::string> FirstLevel(const std::vector<std::string>& roots) {
    std::vector<std::string> folders;
    for (const std::string& root : roots) {
        const Folder folder = Folder::Open(root);
        folder.ForEachEntry([&](std::string_view name, EntryKind kind) {
            if (name.front() != '.' && kind == EntryKind::Folder)
                folders.push_back(root + "/" + std::string(name));
        });
    }
    return folders;
}

} // namespace

int main(int argc, char** argv) {
    Settings settings;
    unsigned threads = 1;
    std::vector<std::string> roots;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--all") == 0)
            settings.all = true;
        else if (std::strcmp(argv[i], "--stat") == 0)
            settings.stat = true;
        else if (std::strcmp(argv[i], "--threads") == 0 && i + 1 < argc)
            threads = static_cast<unsigned>(std::max(1, std::atoi(argv[++i])));
        else
            roots.emplace_back(argv[i]);
    }
    if (roots.empty()) {
        std::fprintf(stderr, "usage: open_read_floor [--all] [--stat] [--threads N] FOLDER...\n");
        return 2;
    }
    constexpr std::size_t kBlock = 256 * 1024;
    Counts total;
    if (threads == 1) {
        const std::unique_ptr<char[]> buffer(new char[kBlock]);
        for (const std::string& root : roots) {
            const Folder folder = Folder::Open(root);
            if (folder.IsOpen()) Walk(folder, settings, buffer.get(), kBlock, total);
        }
    } else {
        // The roots' own files first, then the sub-folders, each taken by the next free thread.
        const std::vector<std::string> folders = FirstLevel(roots);
        std::atomic<std::size_t> next{0};
        std::vector<Counts> counts(threads);
        std::vector<std::thread> pool;
        for (unsigned t = 0; t < threads; ++t) {
            pool.emplace_back([&, t] {
                const std::unique_ptr<char[]> buffer(new char[kBlock]);
                if (t == 0) {
                    for (const std::string& root : roots) {
                        const Folder folder = Folder::Open(root);
                        if (folder.IsOpen())
                            Walk(folder, settings, buffer.get(), kBlock, counts[t], true);
                    }
                }
                for (std::size_t i = next++; i < folders.size(); i = next++) {
                    const Folder folder = Folder::Open(folders[i]);
                    if (folder.IsOpen()) Walk(folder, settings, buffer.get(), kBlock, counts[t]);
                }
            });
        }
        for (std::thread& thread : pool) thread.join();
        for (const Counts& c : counts) {
            total.files += c.files;
            total.bytes += c.bytes;
        }
    }
    std::printf("%ld files, %lld bytes\n", total.files, total.bytes);
    return 0;
}
