// The folder walk of one listed folder with one mask: the folder's matching files first,
// then, with sub-folders on, each sub-folder completely, depth first.
//
// A folder is listed once per visit; its entries are taken in byte order of their names
// (Linux keeps no order worth showing, and a sorted walk gives the same results every
// time). Names beginning with "." are hidden: such files are never tested and such
// folders never entered. Symbolic links to folders are never followed, so link loops
// cannot trap the walk; a folder that is its own ancestor (bind mounts) is not entered
// again. A symbolic link to a file is tested as that file; FIFOs, sockets and devices
// are never opened. A sub-folder that cannot be opened or listed contributes nothing but
// its report to the visitor (the listed folders themselves the entry checks have judged).
#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "finder/search/search_control.h"
#include "platform/core/folder.h"
#include "platform/core/wildcard.h"

namespace mvf::search {

class FileVisitor {
public:
    virtual ~FileVisitor() = default;
    // A file whose name matched the mask: `name` in the open `folder`, which a visitor may
    // keep open by holding on to it after the walk has moved on.
    virtual void Visit(const std::shared_ptr<const platform::Folder>& folder, const char* name,
                       const std::string& path) = 0;
    // A folder (its path ending in "/") that could not be opened or read to its end;
    // `error` is the system's error number.
    virtual void FolderFailed(const std::string& path, int error) = 0;
    // The walk is about to list a folder, which may take long: whatever the visitor holds
    // back should go on now.
    virtual void ListingFolder() {}
};

class FolderWalk {
public:
    FolderWalk(bool subfolders, SearchControl& control, FileVisitor& visitor);
    ~FolderWalk();

    // Walks `folder` (a path ending in "/") with `mask`. False when a stop ended it.
    bool Walk(const std::string& folder, const platform::NameMask& mask);

private:
    struct Listing;
    bool WalkFolder(const std::shared_ptr<const platform::Folder>& shared, std::size_t depth,
                    const platform::NameMask& mask);
    Listing& LevelAt(std::size_t depth);
    bool IsOwnAncestor(const platform::Folder& folder, std::size_t depth);

    const bool subfolders_;
    SearchControl& control_;
    FileVisitor& visitor_;
    std::string path_;                             // the folder being walked, ending in "/"
    std::string current_;                          // the file under test
    std::vector<std::unique_ptr<Listing>> levels_; // one per depth, reused
    std::vector<std::pair<unsigned long, unsigned long>> ancestors_; // (device, inode)
};

} // namespace mvf::search
