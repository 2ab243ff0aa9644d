// Opening files for reading, the failure hook, and the facts of an open file.
#include "platform/core/file_facts.h"
#include "platform/core/folder.h"
#include "platform/core/open_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

class OpenFileTest : public ::testing::Test {
protected:
    void TearDown() override { SetOpenFailureHook({}); }
    testing::TempFolder tmp_;
};

TEST_F(OpenFileTest, OpensFilesAndHookRefusesChosenPaths) {
    tmp_.File("a.txt", "hello");
    tmp_.File("b.txt", "world");
    const Folder folder = Folder::Open(tmp_.Root());
    SetOpenFailureHook([](std::string_view path) { return path.ends_with("/b.txt"); });

    const int a = OpenFileForReading(folder.Fd(), "a.txt", tmp_.Path("a.txt"));
    ASSERT_GE(a, 0);
    char bytes[8] = {};
    EXPECT_EQ(5, ::read(a, bytes, sizeof bytes));
    EXPECT_STREQ("hello", bytes);
    ::close(a);

    errno = 0;
    EXPECT_EQ(-1, OpenFileForReading(folder.Fd(), "b.txt", tmp_.Path("b.txt")));
    EXPECT_EQ(EACCES, errno);

    SetOpenFailureHook({});
    const int b = OpenFileForReading(folder.Fd(), "b.txt", tmp_.Path("b.txt"));
    EXPECT_GE(b, 0);
    ::close(b);
    EXPECT_EQ(-1, OpenFileForReading(folder.Fd(), "missing", tmp_.Path("missing")));
}

TEST_F(OpenFileTest, FactsGiveSizeTypeAndModificationTime) {
    const std::string path = tmp_.File("data.bin", std::string(70000, 'x'));
    const timespec times[2] = {{1000000000, 0}, {1234567890, 500}};
    ASSERT_EQ(0, ::utimensat(AT_FDCWD, path.c_str(), times, 0));
    const int fd = ::open(path.c_str(), O_RDONLY);
    ASSERT_GE(fd, 0);
    const auto facts = ReadFileFacts(fd);
    ::close(fd);
    ASSERT_TRUE(facts);
    EXPECT_TRUE(facts->regular);
    EXPECT_EQ(70000, facts->size);
    EXPECT_EQ(1234567890, facts->modified);
    // Birth time is the file system's to give; when given it is no later than now.
    if (facts->created) {
        EXPECT_LE(*facts->created, ::time(nullptr));
    }
}

TEST_F(OpenFileTest, FifoIsNoRegularFileAndItsOpeningNeverBlocks) {
    const std::string path = tmp_.Fifo("pipe");
    const Folder folder = Folder::Open(tmp_.Root());
    const int fd = OpenFileForReading(folder.Fd(), "pipe", path);
    ASSERT_GE(fd, 0);
    const auto facts = ReadFileFacts(fd);
    ::close(fd);
    ASSERT_TRUE(facts);
    EXPECT_FALSE(facts->regular);
    EXPECT_FALSE(ReadFileFacts(-1));
}

} // namespace
} // namespace mvf::platform
