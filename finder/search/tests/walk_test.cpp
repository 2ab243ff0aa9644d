// The folder walk on real trees: order, masks and their duplicates, hidden entries,
// links, FIFOs, the boolean modes with their error lines, filters, long paths.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/core/folder.h"
#include "platform/core/open_file.h"
#include "search_test_support.h"

namespace mvf::search {
namespace {

using testing::Criteria;
using testing::Found;
using testing::RecordingHost;
using testing::RunSearch;
using testing::TempFolder;
using Paths = std::vector<std::string>;

class WalkTest : public ::testing::Test {
protected:
    void TearDown() override {
        platform::SetOpenFailureHook({});
        platform::SetFolderOpenFailureHook({});
    }
    TempFolder tmp_;
};

TEST_F(WalkTest, FilesBeforeSubFoldersDepthFirstInNameOrder) {
    tmp_.File("b.txt");
    tmp_.File("a.txt");
    tmp_.File("sub2/x.txt");
    tmp_.File("sub1/y.txt");
    tmp_.File("sub1/deep/z.txt");
    tmp_.File("sub1/deep/a.txt");
    EXPECT_EQ(
        (Paths{"a.txt", "b.txt", "sub1/y.txt", "sub1/deep/a.txt", "sub1/deep/z.txt", "sub2/x.txt"}),
        Found(Criteria(tmp_.Root()), tmp_));
    SearchCriteria flat = Criteria(tmp_.Root());
    flat.SearchSubfolders = false;
    EXPECT_EQ((Paths{"a.txt", "b.txt"}), Found(flat, tmp_));
}

TEST_F(WalkTest, EachMaskWalksTheWholeTreeAndDuplicatesStay) {
    tmp_.File("a.txt");
    tmp_.File("b.TXT");
    tmp_.File("c.h");
    tmp_.File("sub/d.txt");
    EXPECT_EQ((Paths{"a.txt", "b.TXT", "sub/d.txt", "a.txt", "b.TXT", "c.h", "sub/d.txt"}),
              Found(Criteria(tmp_.Root(), "*.txt,*.*"), tmp_));
    EXPECT_EQ((Paths{"c.h"}), Found(Criteria(tmp_.Root(), "*.H"), tmp_));
    // A mask of spaces passes the checks as one empty mask, which matches nothing.
    EXPECT_EQ((Paths{}), Found(Criteria(tmp_.Root(), "   "), tmp_));
    // A folder listed twice (itself, and through its parent) is searched twice.
    EXPECT_EQ((Paths{"a.txt", "b.TXT", "sub/d.txt", "sub/d.txt"}),
              Found(Criteria(tmp_.Root() + "," + tmp_.Path("sub"), "*.txt"), tmp_));
}

TEST_F(WalkTest, HiddenFilesAndDotFoldersAreLeftOut) {
    tmp_.File("shown.txt");
    tmp_.File(".hidden.txt");
    tmp_.File(".cache/inside.txt");
    tmp_.File("sub/.also-hidden");
    tmp_.File("sub/.dot/x.txt");
    EXPECT_EQ((Paths{"shown.txt"}), Found(Criteria(tmp_.Root()), tmp_));
    // A folder the user lists is searched even when its name begins with a dot.
    EXPECT_EQ((Paths{".cache/inside.txt"}), Found(Criteria(tmp_.Path(".cache")), tmp_));
}

TEST_F(WalkTest, LinksToFilesAreTestedLinksToFoldersNeverFollowed) {
    tmp_.File("real/a.txt", "content");
    tmp_.Link("real/loop", tmp_.Root());
    tmp_.Link("real/self", ".");
    tmp_.Link("alias", tmp_.Path("real"));
    tmp_.Link("link.txt", tmp_.Path("real/a.txt"));
    tmp_.Link("dangling.txt", tmp_.Path("nowhere"));
    tmp_.Link("pipe-link.txt", tmp_.Fifo("pipe.txt"));
    tmp_.Fifo("real/fifo.txt");
    RecordingHost host;
    SearchFlags flags;
    RunSearch(Criteria(tmp_.Root(), "*.*", "content"), host, flags);
    EXPECT_EQ((Paths{"link.txt", "real/a.txt"}), host.Paths(tmp_.Root() + "/"));
    // A link that leads nowhere names a file that cannot be opened; FIFOs are no files.
    EXPECT_EQ((Paths{"Could not access file:  " + tmp_.Path("dangling.txt")}),
              host.completion.ErrorLines);
}

TEST_F(WalkTest, SubFoldersThatCannotBeReadAreLoggedWithTheReasonInWalkOrder) {
    tmp_.File("a.txt", "hit");
    tmp_.File("locked/b.txt", "hit");
    tmp_.File("open/c.txt", "hit");
    tmp_.File("open/locked/d.txt", "hit");
    tmp_.File("z.txt");
    platform::SetFolderOpenFailureHook(
        [](std::string_view path) { return path.ends_with("/locked/"); });
    platform::SetOpenFailureHook([](std::string_view path) { return path.ends_with("z.txt"); });
    SearchCriteria criteria = Criteria(tmp_.Root(), "*.txt", "hit");
    criteria.ErrorHandling = ErrorHandlingMode::Warn;
    RecordingHost host;
    SearchFlags flags;
    RunSearch(criteria, host, flags, tmp_.Path("errors.err"));
    platform::SetFolderOpenFailureHook({});
    EXPECT_EQ((Paths{"a.txt", "open/c.txt"}), host.Paths(tmp_.Root() + "/"));
    const Paths lines{"Could not access file:  " + tmp_.Path("z.txt"),
                      "Could not access folder:  " + tmp_.Path("locked/") + " (Permission denied)",
                      "Could not access folder:  " + tmp_.Path("open/locked/") +
                          " (Permission denied)"};
    EXPECT_EQ(lines, host.completion.ErrorLines);
    EXPECT_EQ(lines[0] + "\r\n" + lines[1] + "\r\n" + lines[2] + "\r\n",
              mvf::testing::ReadAll(tmp_.Path("errors.err")));
    EXPECT_TRUE(host.completion.OfferLog);

    // Not logged when errors are not, and once whatever the boolean mode.
    platform::SetFolderOpenFailureHook(
        [](std::string_view path) { return path.ends_with("/locked/"); });
    criteria.ErrorHandling = ErrorHandlingMode::DontWarn;
    RecordingHost quiet;
    RunSearch(criteria, quiet, flags);
    EXPECT_EQ(Paths{}, quiet.completion.ErrorLines);
    criteria.ErrorHandling = ErrorHandlingMode::Suppress;
    criteria.FindText = "hit|miss|x";
    criteria.BoolOR = true;
    RecordingHost either;
    RunSearch(criteria, either, flags);
    platform::SetFolderOpenFailureHook({});
    EXPECT_EQ(2u + 3u, either.completion.ErrorLines.size()); // z.txt once per alternative
}

TEST_F(WalkTest, PathsKeepTheirCaseAndLongPathsAreSearched) {
    // A path longer than PATH_MAX, built one level at a time.
    const std::string level(200, 'D');
    int fd = ::open(tmp_.Root().c_str(), O_RDONLY | O_DIRECTORY);
    std::string expected;
    for (int i = 0; i < 25; ++i) {
        ASSERT_EQ(0, ::mkdirat(fd, level.c_str(), 0755));
        const int next = ::openat(fd, level.c_str(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
        expected += level + "/";
    }
    const int file = ::openat(fd, "Deep.TXT", O_WRONLY | O_CREAT, 0644);
    ASSERT_EQ(4, ::write(file, "deep", 4));
    ::close(file);
    ::close(fd);
    EXPECT_EQ((Paths{expected + "Deep.TXT"}), Found(Criteria(tmp_.Root(), "*.*", "DEEP"), tmp_));
}

class BooleanTest : public WalkTest {
protected:
    void SetUp() override {
        tmp_.File("1-both.txt", "alpha and beta");
        tmp_.File("2-alpha.txt", "alpha only");
        tmp_.File("3-beta.txt", "beta only");
        tmp_.File("4-none.txt", "gamma");
        tmp_.File("5-bar.txt", "alpha|beta");
    }
    SearchCriteria Mode(const std::string& find, bool isAnd, bool isOr) {
        SearchCriteria criteria = Criteria(tmp_.Root(), "*.*", find);
        criteria.BoolAND = isAnd;
        criteria.BoolOR = isOr;
        return criteria;
    }
    // Runs with the files named `refused` made unopenable; returns the error lines.
    Paths ErrorLines(SearchCriteria criteria, Paths refused) {
        platform::SetOpenFailureHook([refused](std::string_view path) {
            for (const std::string& name : refused)
                if (path.ends_with("/" + name)) return true;
            return false;
        });
        RecordingHost host;
        SearchFlags flags;
        RunSearch(std::move(criteria), host, flags);
        platform::SetOpenFailureHook({});
        return host.completion.ErrorLines;
    }
};

TEST_F(BooleanTest, OrAnyAndEverySingleWhole) {
    EXPECT_EQ((Paths{"1-both.txt", "2-alpha.txt", "3-beta.txt", "5-bar.txt"}),
              Found(Mode("alpha|beta", false, true), tmp_));
    EXPECT_EQ((Paths{"1-both.txt", "5-bar.txt"}), Found(Mode("alpha|beta", true, false), tmp_));
    // Without a boolean mode the bar is an ordinary character of the one expression.
    EXPECT_EQ((Paths{"5-bar.txt"}), Found(Mode("alpha|beta", false, false), tmp_));
    // Both set: OR decides.
    EXPECT_EQ(4u, Found(Mode("alpha|beta", true, true), tmp_).size());
}

TEST_F(BooleanTest, NoAlternativesFindNothingNameOnlyFindsEverything) {
    EXPECT_EQ((Paths{}), Found(Mode("", true, false), tmp_));
    EXPECT_EQ((Paths{}), Found(Mode("", false, true), tmp_));
    EXPECT_EQ((Paths{}), Found(Mode("|||", false, true), tmp_));
    EXPECT_EQ(5u, Found(Mode("", false, false), tmp_).size());
}

TEST_F(BooleanTest, FailedOpeningsAreLoggedOncePerAlternativeTried) {
    const std::string line = "Could not access file:  " + tmp_.Path("1-both.txt");
    EXPECT_EQ((Paths{line}), ErrorLines(Mode("alpha", false, false), {"1-both.txt"}));
    EXPECT_EQ((Paths{line, line, line}), ErrorLines(Mode("a|b|c", false, true), {"1-both.txt"}));
    EXPECT_EQ((Paths{line}), ErrorLines(Mode("a|b|c", true, false), {"1-both.txt"}));
    EXPECT_EQ((Paths{line}), ErrorLines(Mode("", false, false), {"1-both.txt"}));
    SearchCriteria quiet = Mode("a|b", false, true);
    quiet.ErrorHandling = ErrorHandlingMode::DontWarn;
    EXPECT_EQ((Paths{}), ErrorLines(quiet, {"1-both.txt"}));
    // Lines come in the order the failures occurred.
    const std::string other = "Could not access file:  " + tmp_.Path("4-none.txt");
    EXPECT_EQ((Paths{line, other}),
              ErrorLines(Mode("x", false, false), {"4-none.txt", "1-both.txt"}));
}

TEST_F(BooleanTest, FileThatCannotBeOpenedIsNeverListed) {
    platform::SetOpenFailureHook(
        [](std::string_view path) { return path.ends_with("2-alpha.txt"); });
    EXPECT_EQ((Paths{"1-both.txt", "3-beta.txt", "4-none.txt", "5-bar.txt"}),
              Found(Mode("", false, false), tmp_));
}

TEST_F(WalkTest, BinaryFilesAreListedOnlyWhenNotSkipped) {
    tmp_.File("text.txt", "words");
    tmp_.File("data.bin", std::string("\x7F"
                                      "ELF\0\0\0",
                                      7));
    SearchCriteria criteria = Criteria(tmp_.Root());
    EXPECT_EQ((Paths{"text.txt"}), Found(criteria, tmp_));
    criteria.SkipBinaries = false;
    EXPECT_EQ((Paths{"data.bin", "text.txt"}), Found(criteria, tmp_));
}

TEST_F(WalkTest, SizeAndDateFiltersApplyToHits) {
    for (const int size : {0, 1999, 2000, 5000, 5001})
        tmp_.File("f" + std::to_string(size), std::string(static_cast<std::size_t>(size), 'x'));
    SearchCriteria between = Criteria(tmp_.Root());
    between.SizeFilter = SizeFilterKind::BetSizes;
    between.BetLow = "5";
    between.BetHigh = "2";
    EXPECT_EQ((Paths{"f2000", "f5000"}), Found(between, tmp_));
    SearchCriteria larger = Criteria(tmp_.Root());
    larger.SizeFilter = SizeFilterKind::LargeSize;
    larger.Larger = "0";
    EXPECT_EQ(4u, Found(larger, tmp_).size());

    // 06/15/2001 at noon, in local time.
    std::tm noon{};
    noon.tm_year = 101;
    noon.tm_mon = 5;
    noon.tm_mday = 15;
    noon.tm_hour = 12;
    noon.tm_isdst = -1;
    const timespec times[2] = {{std::mktime(&noon), 0}, {std::mktime(&noon), 0}};
    ASSERT_EQ(0, ::utimensat(AT_FDCWD, tmp_.Path("f1999").c_str(), times, 0));
    SearchCriteria day = Criteria(tmp_.Root());
    day.DateFilter = DateFilterKind::DBetDates;
    day.DBetLow = day.DBetHigh = "06/15/2001";
    EXPECT_EQ((Paths{"f1999"}), Found(day, tmp_));
    day.DateFilter = DateFilterKind::DBefore;
    day.DSooner = "06/15/2001";
    EXPECT_EQ((Paths{}), Found(day, tmp_));
    day.DSooner = "06/16/2001";
    EXPECT_EQ((Paths{"f1999"}), Found(day, tmp_));
    // The filters apply after the content test: a file that fails them is not listed,
    // but one that cannot be opened is still logged.
    platform::SetOpenFailureHook([](std::string_view path) { return path.ends_with("f0"); });
    RecordingHost host;
    SearchFlags flags;
    RunSearch(between, host, flags);
    EXPECT_EQ(1u, host.completion.ErrorLines.size());
}

} // namespace
} // namespace mvf::search
