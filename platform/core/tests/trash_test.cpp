// Moving files to the freedesktop trash: the file and its record, names that collide,
// names that are not UTF-8, failures that leave everything as it was, and the trash at
// the top of another file system.
#include "platform/core/trash.h"

#include <climits>
#include <ctime>
#include <filesystem>
#include <regex>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "testsupport/scoped_environment.h"
#include "testsupport/temp_folder.h"
#include "unprivileged.h"

namespace mvf::platform {
namespace {

namespace fs = std::filesystem;

bool Exists(const std::string& path) {
    struct stat facts {};
    return ::lstat(path.c_str(), &facts) == 0;
}

std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    if (fs::is_directory(folder))
        for (const auto& entry : fs::directory_iterator(folder))
            names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The Path line of a record, and a check that the rest is as a file manager expects.
std::string RecordedPath(const std::string& infoFile) {
    const std::string text = testing::ReadAll(infoFile);
    static const std::regex layout(
        "\\[Trash Info\\]\nPath=([^\n]*)\n"
        "DeletionDate=(\\d{4})-(\\d\\d)-(\\d\\d)T(\\d\\d):(\\d\\d):(\\d\\d)\n");
    std::smatch match;
    EXPECT_TRUE(std::regex_match(text, match, layout)) << text;
    if (match.empty()) return {};
    // The date is local time, within a minute of now.
    std::tm when{};
    when.tm_year = std::stoi(match[2]) - 1900;
    when.tm_mon = std::stoi(match[3]) - 1;
    when.tm_mday = std::stoi(match[4]);
    when.tm_hour = std::stoi(match[5]);
    when.tm_min = std::stoi(match[6]);
    when.tm_sec = std::stoi(match[7]);
    when.tm_isdst = -1;
    EXPECT_LT(std::abs(std::difftime(std::mktime(&when), std::time(nullptr))), 60.0) << text;
    return match[1];
}

class TrashTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = fs::canonical(tmp_.Root()).string();
        env_.Set("XDG_DATA_HOME", root_ + "/data");
    }
    std::string Trash(const std::string& relative) const {
        return root_ + "/data/Trash/" + relative;
    }

    testing::TempFolder tmp_;
    testing::ScopedEnvironment env_;
    std::string root_; // the scratch folder without links, as the records name it
};

TEST_F(TrashTest, TheFileMovesAndItsRecordSaysWhereFrom) {
    const std::string file = tmp_.File("docs/notes.txt", "content");
    const RemovalResult result = MoveToTrash(file);
    ASSERT_TRUE(result.removed) << result.reason;
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ("content", testing::ReadAll(Trash("files/notes.txt")));
    EXPECT_EQ(root_ + "/docs/notes.txt", RecordedPath(Trash("info/notes.txt.trashinfo")));
    // The home trash was made private to the user.
    struct stat facts {};
    ASSERT_EQ(0, ::stat(Trash("").c_str(), &facts));
    EXPECT_EQ(0700u, facts.st_mode & 0777);
}

TEST_F(TrashTest, FilesOfOneNameGetDistinctPlaces) {
    std::vector<std::string> originals;
    for (const char* folder : {"one", "two", "three"})
        originals.push_back(tmp_.File(std::string(folder) + "/report.txt", folder));
    const std::string noExtension = tmp_.File("one/README", "a");
    const std::string secondNoExtension = tmp_.File("two/README", "b");
    for (const std::string& file : originals) ASSERT_TRUE(MoveToTrash(file).removed);
    ASSERT_TRUE(MoveToTrash(noExtension).removed);
    ASSERT_TRUE(MoveToTrash(secondNoExtension).removed);

    EXPECT_EQ((std::vector<std::string>{"README", "README.2", "report.2.txt", "report.3.txt",
                                        "report.txt"}),
              Names(Trash("files")));
    EXPECT_EQ("one", testing::ReadAll(Trash("files/report.txt")));
    EXPECT_EQ("two", testing::ReadAll(Trash("files/report.2.txt")));
    EXPECT_EQ("three", testing::ReadAll(Trash("files/report.3.txt")));
    EXPECT_EQ(root_ + "/two/report.txt", RecordedPath(Trash("info/report.2.txt.trashinfo")));
    EXPECT_EQ(root_ + "/three/report.txt", RecordedPath(Trash("info/report.3.txt.trashinfo")));
    EXPECT_EQ(root_ + "/two/README", RecordedPath(Trash("info/README.2.trashinfo")));

    // A file left in the trash without its record is not overwritten either.
    tmp_.File("data/Trash/files/orphan.txt", "orphan");
    ASSERT_TRUE(MoveToTrash(tmp_.File("orphan.txt", "new")).removed);
    EXPECT_EQ("orphan", testing::ReadAll(Trash("files/orphan.txt")));
    EXPECT_EQ("new", testing::ReadAll(Trash("files/orphan.2.txt")));
    EXPECT_FALSE(Exists(Trash("info/orphan.txt.trashinfo")));
}

TEST_F(TrashTest, NamesThatAreNotUtf8KeepTheirBytes) {
    const std::string odd = tmp_.File("caf\xe9 menu\n#1%.txt", "odd");
    const std::string mangled = tmp_.File("caf\xef\xbf\xbd menu\n#1%.txt", "sibling");
    const RemovalResult result = MoveToTrash(odd);
    ASSERT_TRUE(result.removed) << result.reason;
    EXPECT_FALSE(Exists(odd));
    EXPECT_EQ("sibling", testing::ReadAll(mangled));
    EXPECT_EQ("odd", testing::ReadAll(Trash("files/caf\xe9 menu\n#1%.txt")));
    EXPECT_EQ(root_ + "/caf%E9%20menu%0A%231%25.txt",
              RecordedPath(Trash("info/caf\xe9 menu\n#1%.txt.trashinfo")));
}

TEST_F(TrashTest, ALongNameIsShortenedInTheTrashOnly) {
    // The longest name a file may have leaves no room for ".trashinfo" beside it. The
    // stem is cut to 241 bytes, which would fall inside the two-byte "é": it goes whole.
    const std::string stem = std::string(240, 'x') + "\xc3\xa9" + std::string(9, 'y');
    const std::string name = stem + ".txt";
    ASSERT_EQ(static_cast<std::size_t>(NAME_MAX), name.size());
    const std::string file = tmp_.File(name, "long");
    ASSERT_TRUE(MoveToTrash(file).removed);
    const std::string trashed = std::string(240, 'x') + ".txt";
    EXPECT_EQ(std::vector<std::string>{trashed}, Names(Trash("files")));
    EXPECT_EQ("long", testing::ReadAll(Trash("files/" + trashed)));
    EXPECT_EQ(root_ + "/" + std::string(240, 'x') + "%C3%A9" + std::string(9, 'y') + ".txt",
              RecordedPath(Trash("info/" + trashed + ".trashinfo")));
}

TEST_F(TrashTest, FailuresLeaveTheFileAndTheTrashAsTheyWere) {
    const RemovalResult missing = MoveToTrash(tmp_.Path("gone.txt"));
    EXPECT_FALSE(missing.removed);
    EXPECT_EQ("No such file or directory", missing.reason);

    // A read-only folder: the file cannot leave it.
    const std::string file = tmp_.File("read-only/keep.txt", "still here");
    ASSERT_EQ(0, ::chmod(tmp_.Root().c_str(), 0755));
    tmp_.Folder("data");
    GiveToUnprivilegedUser(tmp_.Path("data"));
    ASSERT_EQ(0, ::chmod(tmp_.Path("read-only").c_str(), 0555));
    const RemovalResult refused = RemoveUnprivileged([&] { return MoveToTrash(file); });
    ::chmod(tmp_.Path("read-only").c_str(), 0755);
    EXPECT_FALSE(refused.removed);
    EXPECT_EQ("Permission denied", refused.reason);
    EXPECT_EQ("still here", testing::ReadAll(file));
    EXPECT_TRUE(Names(Trash("files")).empty());
    EXPECT_TRUE(Names(Trash("info")).empty()); // the record made first is taken back
}

TEST_F(TrashTest, NoTrashWhereTheDataFolderCannotBeMade) {
    tmp_.File("not a folder", "x");
    env_.Set("XDG_DATA_HOME", root_ + "/not a folder/data");
    EXPECT_FALSE(PlatformHasTrash());
    const std::string file = tmp_.File("keep.txt", "kept");
    const RemovalResult result = MoveToTrash(file);
    EXPECT_FALSE(result.removed);
    EXPECT_NE(std::string::npos, result.reason.find("not a folder")) << result.reason;
    EXPECT_EQ("kept", testing::ReadAll(file));

    env_.Set("XDG_DATA_HOME", root_ + "/data");
    EXPECT_TRUE(PlatformHasTrash());
}

// A file on another file system goes to the trash at that file system's top, recorded
// relative to it. /dev/shm is a memory file system on most Linux machines.
TEST_F(TrashTest, AFileOnAnotherFileSystemUsesThatFileSystemsTrash) {
    struct stat shm {
    }, scratch{};
    if (::stat("/dev/shm", &shm) != 0 || ::stat(root_.c_str(), &scratch) != 0 ||
        shm.st_dev == scratch.st_dev || ::access("/dev/shm", W_OK) != 0)
        GTEST_SKIP() << "no second writable file system at /dev/shm";
    const std::string own = "/dev/shm/.Trash-" + std::to_string(::geteuid());
    const bool ownExisted = Exists(own);
    char pattern[] = "/dev/shm/mvf-XXXXXX";
    ASSERT_NE(nullptr, ::mkdtemp(pattern));
    const std::string folder = pattern;
    const std::string name = fs::path(folder).filename().string() + "-report.txt";
    const std::string file = folder + "/" + name;
    testing::WriteAll(file, "on another file system");

    const RemovalResult result = MoveToTrash(file);
    EXPECT_TRUE(result.removed) << result.reason;
    EXPECT_FALSE(Exists(file));
    EXPECT_EQ("on another file system", testing::ReadAll(own + "/files/" + name));
    EXPECT_EQ(folder.substr(std::string("/dev/shm/").size()) + "/" + name,
              RecordedPath(own + "/info/" + name + ".trashinfo"));
    EXPECT_TRUE(Names(Trash("files")).empty());

    ::unlink((own + "/files/" + name).c_str());
    ::unlink((own + "/info/" + name + ".trashinfo").c_str());
    ::rmdir(folder.c_str());
    if (!ownExisted) { // rmdir takes only empty folders: another user of it keeps its own
        ::rmdir((own + "/files").c_str());
        ::rmdir((own + "/info").c_str());
        ::rmdir(own.c_str());
    }
}

} // namespace
} // namespace mvf::platform
