// "Find executable" on real files, with the freedesktop associations of a scratch
// environment (the machine's own MIME database, no application of its own).
#include "platform/qt/default_application.h"

#include <filesystem>
#include <sys/stat.h>
#include <thread>

#include <gtest/gtest.h>

#include "qt_test_application.h"
#include "testsupport/scoped_environment.h"
#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

class DefaultApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::is_directory("/usr/share/mime"))
            GTEST_SKIP() << "no MIME database (package shared-mime-info)";
        env_.Set("XDG_CONFIG_HOME", tmp_.Folder("config"));
        env_.Set("XDG_CONFIG_DIRS", tmp_.Folder("etc-xdg"));
        env_.Set("XDG_DATA_HOME", tmp_.Folder("local-share"));
        // The data folder offers the machine's MIME database and nothing else.
        tmp_.Link("share/mime", "/usr/share/mime");
        env_.Set("XDG_DATA_DIRS", tmp_.Path("share"));
        env_.Set("PATH", tmp_.Folder("bin"));
        env_.Unset("XDG_CURRENT_DESKTOP");
        testing::EnsureQtApplication();

        const std::string editor = tmp_.File("bin/morvel32.exe", "#!/bin/sh\n");
        ::chmod(editor.c_str(), 0755);
        tmp_.File("local-share/applications/morvel-editor.desktop",
                  "[Desktop Entry]\nType=Application\nName=Editor\nExec=morvel32.exe %f\n");
    }

    testing::TempFolder tmp_;
    testing::ScopedEnvironment env_;
};

TEST_F(DefaultApplicationTest, TheUsersDefaultForTheFilesTypeIsFound) {
    tmp_.File("config/mimeapps.list",
              "[Default Applications]\ntext/x-csrc=morvel-editor.desktop\n");
    const std::optional<DefaultApplication> found =
        FindDefaultApplication(tmp_.File("src/hello.c", "int main(void) { return 0; }\n"));
    ASSERT_TRUE(found);
    EXPECT_EQ("text/x-csrc", found->mimeType);
    EXPECT_EQ("morvel-editor.desktop", found->entry.id);
    EXPECT_EQ(tmp_.Path("bin/morvel32.exe"), found->entry.program);
    EXPECT_EQ(tmp_.Path("local-share/applications/morvel-editor.desktop"), found->entry.file);
}

TEST_F(DefaultApplicationTest, TheApplicationOfAKindOfTypeStandsIn) {
    tmp_.File("local-share/applications/mimeinfo.cache",
              "[MIME Cache]\ntext/plain=morvel-editor.desktop;\n");
    const std::optional<DefaultApplication> found =
        FindDefaultApplication(tmp_.File("hello.c", "int x;\n"));
    ASSERT_TRUE(found);
    EXPECT_EQ("text/x-csrc", found->mimeType);
    EXPECT_EQ(tmp_.Path("bin/morvel32.exe"), found->entry.program);

    EXPECT_FALSE(FindDefaultApplication(tmp_.File("picture.png", "\x89PNG\r\n\x1a\n")));
}

TEST_F(DefaultApplicationTest, TheTypeComesFromTheExactFile) {
    // No extension and a name that is not UTF-8: only the content, read through the
    // exact name, tells a script.
    const std::string script = tmp_.File("run\xff", "#!/bin/sh\necho hello\n");
    EXPECT_EQ("application/x-shellscript", MimeTypeOfFile(script));
    tmp_.File("config/mimeapps.list",
              "[Default Applications]\napplication/x-shellscript=morvel-editor.desktop\n");
    ASSERT_TRUE(FindDefaultApplication(script));

    // A FIFO is never opened (it would block): its name alone decides.
    EXPECT_EQ("text/plain", MimeTypeOfFile(tmp_.Fifo("pipe.txt")));
    EXPECT_EQ("application/octet-stream", MimeTypeOfFile(tmp_.Path("missing")));
}

} // namespace
} // namespace mvf::platform
