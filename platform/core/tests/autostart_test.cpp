// The autostart entry: written so that the session and the desktop's validator read it as
// written, recognised as switched off the ways desktops switch it off, and removed.
#include "platform/core/autostart.h"

#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "platform/core/desktop_entry.h"
#include "testsupport/run_program.h"
#include "testsupport/temp_folder.h"
#include "unprivileged.h"

namespace mvf::platform {
namespace {

using testing::ReadAll;
using testing::TempFolder;

// The value of `key` as written in the entry's file.
std::string ValueIn(const std::string& file, const std::string& key) {
    const std::string text = ReadAll(file);
    const std::size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos) return "(none)";
    const std::size_t start = at + key.size() + 2;
    return text.substr(start, text.find('\n', start) - start);
}

AutostartEntry Entry(const std::string& program) {
    return {.name = "Morvel Vantor Finder",
            .comment = "Find files by name, content, size and date",
            .icon = "mvfinder",
            .program = program};
}

TEST(AutostartTest, TheEntryStartsTheProgramByItsExactPath) {
    TempFolder tmp;
    XdgFolders folders;
    folders.configHome = tmp.Path("config");
    const std::string file = AutostartFile("mvfinder.desktop", folders);
    EXPECT_EQ(tmp.Path("config/autostart/mvfinder.desktop"), file);
    EXPECT_FALSE(IsAutostartOn(file));

    for (const std::string program :
         {"/usr/bin/MVFinder", "/home/ann/my programs/MVFinder", "/opt/a\"b$c`d\\e'f/MVFinder",
          "/opt/tab\there;(x)/MVFinder"}) {
        ASSERT_EQ("", WriteAutostart(file, Entry(program))) << program;
        EXPECT_TRUE(IsAutostartOn(file));
        EXPECT_EQ(program, ExecProgram(ValueIn(file, "Exec"))) << ValueIn(file, "Exec");
        // TryExec is a plain string value: only the backslash and the tab are escaped.
        std::string tryExec = ValueIn(file, "TryExec");
        for (std::size_t at = 0; (at = tryExec.find('\\', at)) != std::string::npos; ++at)
            tryExec.replace(at, 2, tryExec[at + 1] == 't' ? "\t" : "\\");
        EXPECT_EQ(program, tryExec);
        EXPECT_FALSE(std::filesystem::exists(file + ".part"));
    }
    EXPECT_EQ("/usr/bin/MVFinder", ExecValue("/usr/bin/MVFinder"));
    // "%" starts a field code: doubled, it is the character itself.
    EXPECT_EQ("/opt/100%%/MVFinder", ExecValue("/opt/100%/MVFinder"));
    EXPECT_EQ("\"/opt/a b/\\\\$x\"", ExecValue("/opt/a b/$x"));

    ASSERT_EQ("", RemoveAutostart(file));
    EXPECT_FALSE(IsAutostartOn(file));
    EXPECT_EQ("", RemoveAutostart(file)) << "a missing entry is already removed";
}

TEST(AutostartTest, TheDesktopsValidatorAcceptsTheEntry) {
    if (FindExecutable("desktop-file-validate").empty())
        GTEST_SKIP() << "desktop-file-validate is not installed (tools/deps.sh package)";
    TempFolder tmp;
    const std::string file = tmp.Path("autostart/mvfinder.desktop");
    ASSERT_EQ("", WriteAutostart(file, Entry("/home/ann/my programs/MVFinder")));
    const testing::ProgramRun run =
        testing::RunProgram(FindExecutable("desktop-file-validate"), {file}, tmp.Root());
    EXPECT_EQ(0, run.status) << run.out << run.err;
    EXPECT_EQ("", run.out + run.err);
}

TEST(AutostartTest, AnEntryTheDesktopSwitchedOffIsOff) {
    TempFolder tmp;
    const std::string file = tmp.Path("autostart/mvfinder.desktop");
    ASSERT_EQ("", WriteAutostart(file, Entry("/usr/bin/MVFinder")));
    const std::string written = ReadAll(file);
    testing::WriteAll(file, written + "Hidden=true\n");
    EXPECT_FALSE(IsAutostartOn(file));
    std::string disabled = written;
    disabled.replace(disabled.find("X-GNOME-Autostart-enabled=true"), 30,
                     "X-GNOME-Autostart-enabled=false");
    testing::WriteAll(file, disabled);
    EXPECT_FALSE(IsAutostartOn(file));
    // Writing it again switches it on.
    ASSERT_EQ("", WriteAutostart(file, Entry("/usr/bin/MVFinder")));
    EXPECT_TRUE(IsAutostartOn(file));
    tmp.Folder("autostart/folder.desktop");
    EXPECT_FALSE(IsAutostartOn(tmp.Path("autostart/folder.desktop")));
}

TEST(AutostartTest, FailuresSayWhatFailed) {
    TempFolder tmp;
    tmp.File("config", "a file where the folder should be");
    const std::string blocked = tmp.Path("config/autostart/mvfinder.desktop");
    const std::string failure = WriteAutostart(blocked, Entry("/usr/bin/MVFinder"));
    EXPECT_EQ(0u, failure.find("cannot make the folder " + tmp.Path("config/autostart") + ": "))
        << failure;

    const std::string file = tmp.Path("locked/autostart/mvfinder.desktop");
    ASSERT_EQ("", WriteAutostart(file, Entry("/usr/bin/MVFinder")));
    ::chmod(tmp.Root().c_str(), 0755);
    ::chmod(tmp.Path("locked").c_str(), 0755);
    ::chmod(tmp.Path("locked/autostart").c_str(), 0555);
    const RemovalResult removal = RemoveUnprivileged([&] {
        const std::string why = RemoveAutostart(file);
        return RemovalResult{why.empty(), why};
    });
    EXPECT_FALSE(removal.removed);
    EXPECT_EQ("cannot remove " + file + ": Permission denied", removal.reason);
    EXPECT_TRUE(IsAutostartOn(file));
}

} // namespace
} // namespace mvf::platform
