// Folder listing: entry kinds from the listing, links resolved only on request,
// links to folders never entered, and the current directory.
#include "platform/core/current_directory.h"
#include "platform/core/folder.h"

#include <map>
#include <string>

#include <gtest/gtest.h>

#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

std::map<std::string, EntryKind> List(const Folder& folder) {
    std::map<std::string, EntryKind> entries;
    EXPECT_TRUE(folder.ForEachEntry(
        [&](std::string_view name, EntryKind kind) { entries[std::string(name)] = kind; }));
    return entries;
}

TEST(Folder, ListsEveryEntryWithItsKind) {
    testing::TempFolder tmp;
    tmp.File("plain.txt", "x");
    tmp.File(".hidden", "x");
    tmp.Folder("sub");
    tmp.Link("to-file", tmp.Path("plain.txt"));
    tmp.Link("to-folder", tmp.Path("sub"));
    tmp.Link("dangling", tmp.Path("nowhere"));
    tmp.Fifo("pipe");

    const Folder folder = Folder::Open(tmp.Root());
    ASSERT_TRUE(folder.IsOpen());
    const auto entries = List(folder);
    const std::map<std::string, EntryKind> expected{
        {"plain.txt", EntryKind::File}, {".hidden", EntryKind::File},
        {"sub", EntryKind::Folder},     {"to-file", EntryKind::Link},
        {"to-folder", EntryKind::Link}, {"dangling", EntryKind::Link},
        {"pipe", EntryKind::Other}};
    EXPECT_EQ(expected, entries);

    EXPECT_EQ(EntryKind::File, folder.ResolveLink("to-file"));
    EXPECT_EQ(EntryKind::Folder, folder.ResolveLink("to-folder"));
    EXPECT_EQ(EntryKind::Broken, folder.ResolveLink("dangling"));
    EXPECT_EQ(EntryKind::Other, folder.ResolveLink("pipe"));

    // A second listing of the same open folder gives the same entries again.
    EXPECT_EQ(expected, List(folder));
}

TEST(Folder, ChildrenAreOpenedWithoutFollowingLinks) {
    testing::TempFolder tmp;
    tmp.File("real/inside.txt", "x");
    tmp.Link("alias", tmp.Path("real"));
    const Folder root = Folder::Open(tmp.Root());
    EXPECT_TRUE(Folder::OpenChild(root, "real").IsOpen());
    EXPECT_FALSE(Folder::OpenChild(root, "alias").IsOpen());
    EXPECT_FALSE(Folder::OpenChild(root, "missing").IsOpen());
    // A folder the user names through a link is followed.
    const Folder named = Folder::Open(tmp.Path("alias"));
    ASSERT_TRUE(named.IsOpen());
    EXPECT_EQ(1u, List(named).count("inside.txt"));
}

TEST(Folder, MissingOrNonFolderPathsDoNotOpen) {
    testing::TempFolder tmp;
    tmp.File("file", "x");
    EXPECT_FALSE(Folder::Open(tmp.Path("file")).IsOpen());
    EXPECT_FALSE(Folder::Open(tmp.Path("missing")).IsOpen());
    Folder closed;
    EXPECT_FALSE(closed.ForEachEntry([](std::string_view, EntryKind) {}));
}

TEST(CurrentDirectory, FollowsSetCurrentDirectory) {
    testing::TempFolder tmp;
    tmp.Folder("here");
    const std::string before = CurrentDirectory();
    ASSERT_TRUE(SetCurrentDirectory(tmp.Path("here")));
    EXPECT_EQ(std::filesystem::canonical(tmp.Path("here")).string(), CurrentDirectory());
    EXPECT_FALSE(SetCurrentDirectory(tmp.Path("missing")));
    EXPECT_FALSE(SetCurrentDirectory(""));
    ASSERT_TRUE(SetCurrentDirectory(before));
}

} // namespace
} // namespace mvf::platform
