// Deleting files from disk: exactly the named file, failures reported, nothing claimed.
#include "platform/core/file_removal.h"

#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "testsupport/temp_folder.h"
#include "unprivileged.h"

namespace mvf::platform {
namespace {

bool Exists(const std::string& path) {
    struct stat facts {};
    return ::lstat(path.c_str(), &facts) == 0;
}

class DeleteFromDiskTest : public ::testing::Test {
protected:
    testing::TempFolder tmp_;
};

TEST_F(DeleteFromDiskTest, DeletesExactlyTheNamedBytes) {
    // "caf\xe9" is not UTF-8; its sibling carries the replacement mark a decoding would
    // put in its place and must survive.
    const std::string odd = tmp_.File("caf\xe9 menu\n.txt", "odd");
    const std::string mangled = tmp_.File("caf\xef\xbf\xbd menu\n.txt", "sibling");
    const RemovalResult result = DeleteFromDisk(odd);
    EXPECT_TRUE(result.removed) << result.reason;
    EXPECT_TRUE(result.reason.empty());
    EXPECT_FALSE(Exists(odd));
    EXPECT_EQ("sibling", testing::ReadAll(mangled));
}

TEST_F(DeleteFromDiskTest, ALinkGoesItsTargetStays) {
    const std::string target = tmp_.File("target.txt", "kept");
    const std::string link = tmp_.Link("link.txt", target);
    EXPECT_TRUE(DeleteFromDisk(link).removed);
    EXPECT_FALSE(Exists(link));
    EXPECT_EQ("kept", testing::ReadAll(target));
}

TEST_F(DeleteFromDiskTest, FailuresAreReportedAndTheFileStays) {
    const RemovalResult missing = DeleteFromDisk(tmp_.Path("gone.txt"));
    EXPECT_FALSE(missing.removed);
    EXPECT_EQ("No such file or directory", missing.reason);

    const std::string folder = tmp_.Folder("a folder");
    const RemovalResult notAFile = DeleteFromDisk(folder);
    EXPECT_FALSE(notAFile.removed);
    EXPECT_FALSE(notAFile.reason.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder));

    const std::string file = tmp_.File("read-only/keep.txt", "still here");
    ASSERT_EQ(0, ::chmod(tmp_.Root().c_str(), 0755));
    ASSERT_EQ(0, ::chmod(tmp_.Path("read-only").c_str(), 0555));
    const RemovalResult refused = RemoveUnprivileged([&] { return DeleteFromDisk(file); });
    EXPECT_FALSE(refused.removed);
    EXPECT_EQ("Permission denied", refused.reason);
    EXPECT_EQ("still here", testing::ReadAll(file));
    ::chmod(tmp_.Path("read-only").c_str(), 0755);
}

} // namespace
} // namespace mvf::platform
