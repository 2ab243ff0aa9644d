// The settings store over real INI files in a scratch folder.
#include <QByteArray>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/qt/settings_store.h"
#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

using testing::ReadAll;
using testing::TempFolder;

const BoolSetting kFlag{"Flag", true};
const IntSetting kNumber{"Number", 360};
const TextSetting kText{"Text", "Modified"};
const TextSetting kInGroup{"Toolbars/VFTBMode", "S"};

TEST(SettingsStoreTest, MissingValuesReadAsTheirDefaults) {
    TempFolder folder;
    SettingsStore store(folder.Path("settings.ini"));
    EXPECT_TRUE(store.Read(kFlag));
    EXPECT_EQ(360, store.Read(kNumber));
    EXPECT_EQ("Modified", store.Read(kText));
    EXPECT_EQ("S", store.Read(kInGroup));
    EXPECT_TRUE(store.ReadList("VFindList").empty());
    EXPECT_FALSE(store.Unreadable());
}

TEST(SettingsStoreTest, ValuesKeepTheirTypesOnDiskAndComeBack) {
    TempFolder folder;
    const std::string path = folder.Path("sub/settings.ini"); // folders made by the flush
    {
        SettingsStore store(path);
        store.Write(kFlag, false);
        store.Write(kNumber, -42);
        store.Write(kText, " x = y, \"z\" ");
        store.Write(kInGroup, "M");
        ASSERT_TRUE(store.Flush());
        EXPECT_FALSE(store.LastFlushFailed());
    }
    const std::string file = ReadAll(path);
    EXPECT_NE(std::string::npos, file.find("Flag=0\n")) << file;
    EXPECT_NE(std::string::npos, file.find("Number=-42\n")) << file;
    EXPECT_NE(std::string::npos, file.find("[Toolbars]\nVFTBMode=M\n")) << file;

    SettingsStore again(path);
    EXPECT_FALSE(again.Read(kFlag));
    EXPECT_EQ(-42, again.Read(kNumber));
    EXPECT_EQ(" x = y, \"z\" ", again.Read(kText));
    EXPECT_EQ("M", again.Read(kInGroup));
}

TEST(SettingsStoreTest, ValuesThatAreNotTheirTypeReadAsDefaults) {
    TempFolder folder;
    const std::string path = folder.File("settings.ini", "[General]\nFlag=yes please\n"
                                                         "Number=12abc\nText=a, b\n"
                                                         "Other=true\n");
    SettingsStore store(path);
    EXPECT_TRUE(store.Read(kFlag));
    EXPECT_EQ(360, store.Read(kNumber));
    EXPECT_EQ("a, b", store.Read(kText)); // a hand-written value with commas stays one text
    EXPECT_TRUE(store.Read(BoolSetting{"Other", false}));
}

TEST(SettingsStoreTest, ListsReadInNumericOrderUntilOneIsMissing) {
    TempFolder folder;
    // Written by hand in text order: "10" sorts before "2" as text.
    std::string file = "[VFindList]\n";
    for (const int i : {0, 1, 10, 11, 2, 3, 4, 5, 6, 7, 8, 9})
        file += std::to_string(i) + "=entry " + std::to_string(i) + "\n";
    file += "13=after a gap\n";
    const std::string path = folder.File("settings.ini", file);
    SettingsStore store(path);
    const std::vector<std::string> list = store.ReadList("VFindList");
    ASSERT_EQ(12u, list.size());
    for (std::size_t i = 0; i < list.size(); ++i) EXPECT_EQ("entry " + std::to_string(i), list[i]);
}

TEST(SettingsStoreTest, AWrittenListReplacesTheOldOneWhole) {
    TempFolder folder;
    const std::string path = folder.Path("settings.ini");
    {
        SettingsStore store(path);
        store.WriteList("VFileMask", {"*.txt", "a=b=c", "", "*.cpp", "last"});
        ASSERT_TRUE(store.Flush());
    }
    {
        SettingsStore store(path);
        EXPECT_EQ((std::vector<std::string>{"*.txt", "a=b=c", "", "*.cpp", "last"}),
                  store.ReadList("VFileMask"));
        store.WriteList("VFileMask", {"only"});
        ASSERT_TRUE(store.Flush());
    }
    EXPECT_EQ(std::string::npos, ReadAll(path).find("last"));
    SettingsStore store(path);
    EXPECT_EQ(std::vector<std::string>{"only"}, store.ReadList("VFileMask"));
}

TEST(SettingsStoreTest, AGarbageFileIsKeptAsideAndNeverWrittenOver) {
    TempFolder folder;
    const char bytes[] = "\x89PNG\r\n\x1a\n\0\0\0\rIHDR binary junk\nFlag=0\n";
    const std::string garbage(bytes, sizeof bytes - 1);
    const std::string path = folder.File("settings.ini", garbage);
    SettingsStore store(path);
    EXPECT_TRUE(store.Unreadable());
    EXPECT_EQ(path + ".bad", store.SetAsidePath());
    EXPECT_EQ(garbage, ReadAll(path + ".bad"));
    EXPECT_TRUE(store.Read(kFlag)); // the default, not the garbage's "0"

    store.Write(kNumber, 7);
    ASSERT_TRUE(store.Flush());
    const std::string fresh = ReadAll(path);
    EXPECT_EQ("[General]\nNumber=7\n", fresh);
    EXPECT_EQ(garbage, ReadAll(path + ".bad"));
}

TEST(SettingsStoreTest, AFileThatCannotBeMovedAsideIsLeftAloneAndNothingIsSaved) {
    TempFolder folder;
    // A folder where the file should be: it cannot be read, and is not ours to move.
    const std::string path = folder.Folder("settings.ini");
    folder.File("settings.ini/keep", "mine");
    SettingsStore store(path);
    EXPECT_TRUE(store.Unreadable());
    EXPECT_EQ("", store.SetAsidePath());
    EXPECT_EQ(360, store.Read(kNumber));
    store.Write(kNumber, 1);
    EXPECT_FALSE(store.Flush());
    EXPECT_TRUE(store.LastFlushFailed());
    EXPECT_EQ("mine", ReadAll(path + "/keep"));
}

TEST(SettingsStoreTest, AFlushThatCannotWriteFailsAndLeavesTheOldFile) {
    TempFolder folder;
    // A folder that cannot be made: its parent is a file (fails for every user, root too).
    const std::string blocked = folder.File("plain-file") + "/settings.ini";
    SettingsStore nowhere(blocked);
    nowhere.Write(kNumber, 5);
    EXPECT_FALSE(nowhere.Flush());
    EXPECT_TRUE(nowhere.LastFlushFailed());

    // The flush replaces the file in one step: a failed one leaves what was there.
    const std::string path = folder.File("settings.ini", "[General]\nNumber=3\n");
    SettingsStore store(path);
    store.Write(kNumber, 4);
    std::filesystem::remove(folder.Path("settings.ini"));
    std::filesystem::create_directory(folder.Path("settings.ini"));
    EXPECT_FALSE(store.Flush());
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST(SettingsStoreTest, TheUsersStoreLivesInTheUsersConfigFolder) {
    TempFolder folder;
    const QByteArray before = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QByteArray::fromStdString(folder.Root()));
    {
        SettingsStore store;
        EXPECT_EQ(folder.Path("Korvath/Morvel Vantor Finder.conf"), store.FilePath());
        store.Write(kNumber, 9);
        EXPECT_TRUE(store.Flush());
    }
    EXPECT_NE(std::string::npos,
              ReadAll(folder.Path("Korvath/Morvel Vantor Finder.conf")).find("Number=9"));
    if (before.isNull()) {
        qunsetenv("XDG_CONFIG_HOME");
    } else {
        qputenv("XDG_CONFIG_HOME", before);
    }
}

} // namespace
} // namespace mvf::platform
