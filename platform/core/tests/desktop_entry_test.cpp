// The default application of a MIME type from the freedesktop association files, in a
// scratch set of configuration and data folders.
#include "platform/core/desktop_entry.h"
#include "platform/core/mime_apps.h"

#include <filesystem>
#include <sys/stat.h>

#include <gtest/gtest.h>

#include "testsupport/scoped_environment.h"
#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

class DesktopEntryTest : public ::testing::Test {
protected:
    void SetUp() override {
        folders_.configHome = tmp_.Folder("config");
        folders_.configDirs = {tmp_.Folder("etc-xdg")};
        folders_.dataHome = tmp_.Folder("local-share");
        folders_.dataDirs = {tmp_.Folder("usr-share"), tmp_.Folder("usr-local-share")};
        env_.Set("PATH", tmp_.Folder("bin") + ":" + tmp_.Folder("other bin"));
    }

    // An executable program in one of the PATH folders.
    std::string Program(const std::string& relative) {
        const std::string path = tmp_.File(relative, "#!/bin/sh\n");
        ::chmod(path.c_str(), 0755);
        return path;
    }
    // A desktop entry with this body under "<data folder>/applications/<relative>".
    void Entry(const std::string& dataFolder, const std::string& relative,
               const std::string& body) {
        tmp_.File(dataFolder + "/applications/" + relative, "[Desktop Entry]\n" + body);
    }
    std::string DefaultFor(std::vector<std::string> types) {
        const std::optional<DesktopEntry> entry = DefaultApplicationFor(types, folders_);
        return entry ? entry->id + " " + entry->program : "(none)";
    }

    testing::TempFolder tmp_;
    testing::ScopedEnvironment env_;
    XdgFolders folders_;
};

TEST_F(DesktopEntryTest, ExecProgramIsTheFirstWordUnquoted) {
    EXPECT_EQ("editor", ExecProgram("editor %F"));
    EXPECT_EQ("/opt/my editor/run", ExecProgram("\"/opt/my editor/run\" --new %u"));
    EXPECT_EQ("/opt/a\"b$c", ExecProgram("\"/opt/a\\\\\"b\\\\$c\" %f"));
    EXPECT_EQ("/opt/x", ExecProgram("/opt/x\\sy --flag")); // an unquoted blank separates
    EXPECT_EQ("", ExecProgram("   "));
}

TEST_F(DesktopEntryTest, EntriesAreFoundByIdAndTheirProgramOnPath) {
    const std::string program = Program("other bin/morvel32.exe");
    Entry("usr-share", "morvel.desktop", "Type=Application\nExec=morvel32.exe %f\n");
    Entry("usr-share", "vendor/tool.desktop", "Exec=\"" + program + "\" %F\n");
    Entry("local-share", "morvel.desktop", "Type=Application\nExec=\"" + program + "\"\n");

    const std::optional<DesktopEntry> local = FindDesktopEntry("morvel.desktop", folders_);
    ASSERT_TRUE(local);
    EXPECT_EQ(tmp_.Path("local-share/applications/morvel.desktop"), local->file);
    EXPECT_EQ(program, local->program);

    const std::optional<DesktopEntry> nested = FindDesktopEntry("vendor-tool.desktop", folders_);
    ASSERT_TRUE(nested);
    EXPECT_EQ(tmp_.Path("usr-share/applications/vendor/tool.desktop"), nested->file);
    EXPECT_FALSE(FindDesktopEntry("missing.desktop", folders_));
}

TEST_F(DesktopEntryTest, UnusableEntriesAreNotFound) {
    Program("bin/viewer");
    Entry("usr-share", "hidden.desktop", "Exec=viewer\nHidden=true\n");
    Entry("usr-share", "link.desktop", "Type=Link\nExec=viewer\n");
    Entry("usr-share", "tryexec.desktop", "TryExec=not-installed\nExec=viewer\n");
    Entry("usr-share", "noprogram.desktop", "Exec=not-installed %f\n");
    Entry("usr-share", "noexec.desktop", "Name=Nothing to run\n");
    Program("bin/data-file"); // a plain file on PATH without execute rights does not count
    ::chmod(tmp_.Path("bin/data-file").c_str(), 0644);
    Entry("usr-share", "notexecutable.desktop", "Exec=data-file\n");
    for (const char* id : {"hidden.desktop", "link.desktop", "tryexec.desktop", "noprogram.desktop",
                           "noexec.desktop", "notexecutable.desktop"})
        EXPECT_FALSE(FindDesktopEntry(id, folders_)) << id;
}

TEST_F(DesktopEntryTest, TheMostImportantListsDefaultWins) {
    Program("bin/a");
    Program("bin/b");
    Program("bin/c");
    Entry("usr-share", "a.desktop", "Exec=a\n");
    Entry("usr-share", "b.desktop", "Exec=b\n");
    Entry("usr-share", "c.desktop", "Exec=c\n");
    tmp_.File("usr-share/applications/mimeinfo.cache", "[MIME Cache]\ntext/plain=a.desktop;\n");
    EXPECT_EQ("a.desktop " + tmp_.Path("bin/a"), DefaultFor({"text/plain"}));

    tmp_.File("usr-share/applications/defaults.list",
              "[Default Applications]\ntext/plain=b.desktop\n");
    EXPECT_EQ("b.desktop " + tmp_.Path("bin/b"), DefaultFor({"text/plain"}));

    // The user's own list comes first; an entry that is not installed is passed over.
    tmp_.File("config/mimeapps.list",
              "# mine\n[Default Applications]\ntext/plain=gone.desktop;c.desktop;\n");
    EXPECT_EQ("c.desktop " + tmp_.Path("bin/c"), DefaultFor({"text/plain"}));

    // A desktop's own list comes before the general one.
    env_.Set("XDG_CURRENT_DESKTOP", "Test:Other");
    tmp_.File("config/test-mimeapps.list", "[Default Applications]\ntext/plain=a.desktop\n");
    folders_.desktops = XdgFolders::FromEnvironment().desktops;
    EXPECT_EQ((std::vector<std::string>{"test", "other"}), folders_.desktops);
    EXPECT_EQ("a.desktop " + tmp_.Path("bin/a"), DefaultFor({"text/plain"}));
}

TEST_F(DesktopEntryTest, AssociationsStandInWhenThereIsNoDefault) {
    Program("bin/a");
    Program("bin/b");
    Entry("usr-share", "a.desktop", "Exec=a\n");
    Entry("local-share", "b.desktop", "Exec=b\n");
    tmp_.File("usr-share/applications/mimeinfo.cache",
              "[MIME Cache]\ntext/x-csrc=a.desktop;b.desktop;\n");
    EXPECT_EQ("a.desktop " + tmp_.Path("bin/a"), DefaultFor({"text/x-csrc"}));

    // The user removed the association with a: the next one stands in.
    tmp_.File("config/mimeapps.list", "[Removed Associations]\ntext/x-csrc=a.desktop;\n");
    EXPECT_EQ("b.desktop " + tmp_.Path("bin/b"), DefaultFor({"text/x-csrc"}));

    // Added associations come before the cache.
    tmp_.File("etc-xdg/mimeapps.list", "[Added Associations]\ntext/x-csrc=a.desktop;\n");
    EXPECT_EQ("b.desktop " + tmp_.Path("bin/b"), DefaultFor({"text/x-csrc"}))
        << "removed by a more important list";
    tmp_.File("config/mimeapps.list", "[Added Associations]\ntext/x-csrc=a.desktop;\n");
    tmp_.File("local-share/applications/mimeinfo.cache", "[MIME Cache]\ntext/x-csrc=b.desktop;\n");
    EXPECT_EQ("a.desktop " + tmp_.Path("bin/a"), DefaultFor({"text/x-csrc"}));
}

TEST_F(DesktopEntryTest, TheTypesAKindOfIsTriedInOrder) {
    Program("bin/a");
    Program("bin/b");
    Entry("usr-share", "a.desktop", "Exec=a\n");
    Entry("usr-share", "b.desktop", "Exec=b\n");
    tmp_.File("usr-share/applications/mimeinfo.cache",
              "[MIME Cache]\ntext/plain=a.desktop;\napplication/octet-stream=b.desktop;\n");
    EXPECT_EQ("a.desktop " + tmp_.Path("bin/a"),
              DefaultFor({"text/x-csrc", "text/plain", "application/octet-stream"}));
    EXPECT_EQ("b.desktop " + tmp_.Path("bin/b"),
              DefaultFor({"image/png", "application/octet-stream"}));
    EXPECT_EQ("(none)", DefaultFor({"image/png"}));
}

} // namespace
} // namespace mvf::platform
