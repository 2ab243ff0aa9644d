// Command lines, untitled names and the viewer's texts.
#include <unistd.h>

#include <gtest/gtest.h>

#include "testsupport/temp_folder.h"
#include "viewer/app/command_line.h"
#include "viewer/app/noname_numbers.h"
#include "viewer/app/viewer_texts.h"
#include "viewer/app/whole_number.h"

namespace mvf::viewer {
namespace {

using Names = std::vector<std::string>;

TEST(CommandLine, EveryArgumentIsOneWholeNameUntilAnEmptyOne) {
    const std::string longName(4000, 'n'); // no 255-character cut
    const char* argv[] = {"vantorviewer",    "/tmp/with blanks.txt",
                          "-style",          "\xE9t\xE9.txt",
                          longName.c_str(),  "",
                          "after-empty.txt", nullptr};
    EXPECT_EQ(CommandLineFiles(7, argv),
              (Names{"/tmp/with blanks.txt", "-style", "\xE9t\xE9.txt", longName}));
    const char* none[] = {"vantorviewer", nullptr};
    EXPECT_TRUE(CommandLineFiles(1, none).empty());
}

// Runs `check` with `folder` as the current folder.
template <typename Check> void InFolder(const std::string& folder, Check check) {
    char before[4096];
    ASSERT_NE(nullptr, ::getcwd(before, sizeof before));
    ASSERT_EQ(0, ::chdir(folder.c_str()));
    check();
    ASSERT_EQ(0, ::chdir(before));
}

TEST(CommandLine, HelpAndVersionAloneAreAnsweredUnlessAFileHasThatName) {
    mvf::testing::TempFolder folder;
    InFolder(folder.Root(), [] {
        EXPECT_EQ(ViewerRequest::Help, ViewerRequestOf({"--help"}));
        EXPECT_EQ(ViewerRequest::Version, ViewerRequestOf({"--version"}));
        // With other names, or as a longer word, each is a file name as always.
        EXPECT_EQ(ViewerRequest::Open, ViewerRequestOf({"--help", "a.txt"}));
        EXPECT_EQ(ViewerRequest::Open, ViewerRequestOf({"a.txt", "--version"}));
        EXPECT_EQ(ViewerRequest::Open, ViewerRequestOf({"--helper"}));
        EXPECT_EQ(ViewerRequest::Open, ViewerRequestOf({"-h"}));
        EXPECT_EQ(ViewerRequest::Open, ViewerRequestOf({}));
    });
    // A file that has the name is opened.
    folder.File("--help", "a file named --help\n");
    folder.Folder("--version");
    InFolder(folder.Root(), [] {
        EXPECT_EQ(ViewerRequest::Open, ViewerRequestOf({"--help"}));
        EXPECT_EQ(ViewerRequest::Open, ViewerRequestOf({"--version"}));
    });
    EXPECT_EQ(0u, ViewerHelpText().find("Usage: vantorviewer [FILE]...\n"));
    EXPECT_EQ("vantorviewer " MVF_TEST_PROJECT_VERSION "\n", ViewerVersionText());
}

TEST(NonameNumbers, TheLowestFreeNumberIsTakenAndFreedNumbersComeBack) {
    NonameNumbers numbers;
    EXPECT_EQ(numbers.Take(), 1);
    EXPECT_EQ(numbers.Take(), 2);
    EXPECT_EQ(numbers.Take(), 3);
    numbers.Release(2);
    EXPECT_FALSE(numbers.InUse(2));
    EXPECT_EQ(numbers.Take(), 2);
    EXPECT_EQ(numbers.Take(), 4);
    numbers.Release(0); // not a number of an untitled document: nothing happens
    numbers.Release(256);
    for (int n = 5; n <= 255; ++n) ASSERT_EQ(numbers.Take(), n);
    // All in use: 1 again, and taking it marks nothing.
    EXPECT_EQ(numbers.Take(), 1);
    numbers.Release(7);
    EXPECT_EQ(numbers.Take(), 7);
}

TEST(NonameNumbers, UntitledNamesAreRecognisedByTheirStart) {
    EXPECT_EQ(UntitledName(12), "NONAME12");
    EXPECT_TRUE(IsUntitled("NONAME12"));
    EXPECT_TRUE(IsUntitled("NONAMEs.txt")); // the rule looks at the start only
    EXPECT_FALSE(IsUntitled("noname1"));
    EXPECT_FALSE(IsUntitled("/home/NONAME1"));
    EXPECT_EQ(UntitledNumber("NONAME12"), 12);
    EXPECT_EQ(UntitledNumber("NONAME255"), 255);
    EXPECT_EQ(UntitledNumber("NONAME256"), 0);
    EXPECT_EQ(UntitledNumber("NONAMEs.txt"), 0);
    EXPECT_EQ(UntitledNumber("NONAME"), 0);
}

TEST(ViewerTexts, MessagesAndTitlesReadAsTheViewerShowsThem) {
    EXPECT_EQ(UnableToOpenText("/d/a.txt"),
              "Unable to open /d/a.txt!\n\rIt may be locked by another application.");
    EXPECT_EQ(HasChangedText("NONAME3"), "NONAME3 has changed, do you wish to save?");
    EXPECT_EQ(NotFoundText("needle"), "Search string 'needle' not found");
    EXPECT_EQ(SaveAsTitle("/home/u/notes.txt"), "Save notes.txt As");
    EXPECT_EQ(SaveAsTitle("NONAME2"), "Save NONAME2 As");
    EXPECT_EQ(GoToLinePrompt(42), "Enter Line Number (1 to 42)");
}

TEST(WholeNumber, OnlyWholeNumbersCount) {
    EXPECT_EQ(WholeNumber("12"), 12);
    EXPECT_EQ(WholeNumber("  7 "), 7);
    EXPECT_EQ(WholeNumber("+3"), 3);
    EXPECT_EQ(WholeNumber("-4"), -4);
    EXPECT_EQ(WholeNumber("2147483647"), 2147483647);
    for (const char* text : {"", " ", "1.5", "12a", "a12", "0x10", "+-3", "+", "2147483648", "1 2"})
        EXPECT_FALSE(WholeNumber(text).has_value()) << text;
}

} // namespace
} // namespace mvf::viewer
