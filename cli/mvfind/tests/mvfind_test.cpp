// mvfind run as a real process on real folders: output, exit statuses, messages, logs.
#include <signal.h>
#include <unistd.h>

#include <algorithm>
#include <clocale>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "finder/results/results_file.h"
#include "testsupport/run_program.h"

namespace mvf::cli {
namespace {

using mvf::testing::ReadAll;
using mvf::testing::TempFolder;

using Outcome = mvf::testing::ProgramRun;
using namespace mvf::results;

class MvfindTest : public ::testing::Test {
protected:
    void SetUp() override {
        tmp_.File("tree/alpha.txt", "one apple\n");
        tmp_.File("tree/beta.TXT", "Two Apples\r\n");
        tmp_.File("tree/gamma.log", "no fruit\n");
        tmp_.File("tree/sub/delta.txt", "apple pie\n");
        tmp_.File("tree/sub/data.bin", std::string("apple\0\0\0", 8));
    }
    // Runs mvfind with `args` from the temporary folder.
    Outcome Run(const std::vector<std::string>& args) {
        return mvf::testing::RunProgram(MVFIND_PATH, args, tmp_.Root());
    }
    std::string Tree(const std::string& relative) const { return tmp_.Path("tree/" + relative); }

    TempFolder tmp_;
};

TEST_F(MvfindTest, PrintsOneFullPathPerHitInWalkOrder) {
    const Outcome found = Run({"-s", "-f", "apple", "tree"});
    EXPECT_EQ(0, found.status);
    EXPECT_EQ(Tree("alpha.txt") + "\n" + Tree("beta.TXT") + "\n" + Tree("sub/delta.txt") + "\n",
              found.out);
    EXPECT_EQ("", found.err);
    // Case, masks, binaries, sub-folders.
    EXPECT_EQ(Tree("alpha.txt") + "\n", Run({"-c", "-f", "apple", "tree"}).out);
    EXPECT_EQ(Tree("alpha.txt") + "\n" + Tree("beta.TXT") + "\n", Run({"-m", "*.txt", "tree"}).out);
    EXPECT_EQ(Tree("sub/data.bin") + "\n",
              Run({"--binaries", "-s", "-m", "*.bin", "-f", "apple", "tree"}).out);
    EXPECT_EQ("", Run({"-s", "-m", "*.bin", "-f", "apple", "tree"}).out);
}

TEST_F(MvfindTest, BooleanModesAndFilters) {
    EXPECT_EQ(Tree("gamma.log") + "\n" + Tree("sub/delta.txt") + "\n",
              Run({"-s", "--or", "-f", "fruit|pie", "tree"}).out);
    EXPECT_EQ(Tree("sub/delta.txt") + "\n", Run({"-s", "--and", "-f", "apple|pie", "tree"}).out);
    const std::string top =
        Tree("alpha.txt") + "\n" + Tree("beta.TXT") + "\n" + Tree("gamma.log") + "\n";
    EXPECT_EQ(top, Run({"--smaller", "1", "tree"}).out);
    const Outcome empty = Run({"--between", "0,0", "tree"});
    EXPECT_EQ(1, empty.status);
    EXPECT_EQ("", empty.out);
    EXPECT_EQ(Tree("alpha.txt") + "\n" + Tree("beta.TXT") + "\n",
              Run({"--between", "1,0", "-m", "*.txt", "tree"}).out);
    EXPECT_EQ(Tree("alpha.txt") + "\n" + Tree("beta.TXT") + "\n" + Tree("gamma.log") + "\n",
              Run({"--after", "01/01/1990", "tree"}).out);
    EXPECT_EQ("", Run({"--before", "01/01/1990", "tree"}).out);
}

TEST_F(MvfindTest, ExitStatusesAndRefusals) {
    EXPECT_EQ(1, Run({"-f", "banana", "tree"}).status);
    EXPECT_EQ(0, Run({"-q", "-f", "apple", "tree"}).status);
    EXPECT_EQ("", Run({"-q", "-f", "apple", "tree"}).out);

    const Outcome missing = Run({"tree,nowhere/Deep"});
    EXPECT_EQ(2, missing.status);
    EXPECT_EQ("Could not find directory: nowhere/Deep\n", missing.err);
    EXPECT_EQ("You must provide a file mask. For Instance: *.*\n", Run({"-m", "", "tree"}).err);
    EXPECT_EQ("Search Key can't be empty\n", Run({"--or", "-f", "a| |b", "tree"}).err);
    const Outcome invalid = Run({"-f", "\\(open", "tree"});
    EXPECT_EQ(2, invalid.status);
    EXPECT_EQ("Regular Expression Error: Unmatched \\(\nInvalid regular expression\n", invalid.err);
    EXPECT_EQ("You must provide a drive or directory to search!\n", Run({",,"}).err);
    EXPECT_EQ("Could not find directory: \n", Run({" , "}).err);

    for (const auto& args :
         std::vector<std::vector<std::string>>{{},
                                               {"--and", "--or", "tree"},
                                               {"--smaller", "x", "tree"},
                                               {"--between", "0.5,1", "tree"},
                                               {"--larger", "0", "--smaller", "1", "tree"},
                                               {"--after", "1/1/2000", "tree"},
                                               {"--errors", "loud", "tree"},
                                               {"--bogus", "tree"},
                                               {"-m"}}) {
        const Outcome refused = Run(args);
        EXPECT_EQ(2, refused.status);
        EXPECT_TRUE(refused.err.starts_with("mvfind: ")) << refused.err;
    }
    // A size below nothing would take every file for smaller than it; it is refused.
    for (const auto& args : std::vector<std::vector<std::string>>{{"--smaller", "-5", "tree"},
                                                                  {"--larger", "-1", "tree"},
                                                                  {"--between", "-5,3", "tree"},
                                                                  {"--between", "3,-2", "tree"}}) {
        const Outcome refused = Run(args);
        EXPECT_EQ(2, refused.status) << args[1];
        EXPECT_TRUE(refused.err.starts_with("mvfind: a size cannot be negative: -")) << refused.err;
        EXPECT_EQ("", refused.out);
    }
    EXPECT_EQ(0, Run({"--smaller", "+5", "tree"}).status);
    const Outcome help = Run({"--help"});
    EXPECT_EQ(0, help.status);
    for (const char* option : {"--mask",       "--find",          "--and",      "--or",
                               "--match-case", "--subfolders",    "--binaries", "--between",
                               "--smaller",    "--larger",        "--date",     "--after",
                               "--before",     "--dates-between", "--errors",   "--error-log",
                               "--save",       "--long",          "--quiet",    "--progress",
                               "--load",       "</sp>",           "\\<",        "\\1-\\9",
                               "\\t \\n",      "[^abc]"})
        EXPECT_NE(std::string::npos, help.out.find(option)) << option;
}

TEST_F(MvfindTest, UnreadableFilesAndTheErrorLog) {
    // A FIFO is never opened, so the search cannot hang on it.
    tmp_.Fifo("tree/pipe.txt");
    // A link that leads nowhere is a file that cannot be opened.
    tmp_.Link("tree/broken.txt", tmp_.Path("gone"));
    const std::string line = "Could not access file:  " + Tree("broken.txt");
    const Outcome warned = Run({"-f", "apple", "--error-log", "errors.err", "tree"});
    EXPECT_EQ(0, warned.status);
    EXPECT_EQ(line + "\n", warned.err);
    EXPECT_EQ(line + "\r\n", ReadAll(tmp_.Path("errors.err")));

    const Outcome suppressed =
        Run({"-f", "apple", "--errors", "suppress", "--error-log", "e2", "tree"});
    EXPECT_EQ("", suppressed.err);
    EXPECT_EQ(line + "\r\n", ReadAll(tmp_.Path("e2")));

    const Outcome quiet = Run({"-f", "apple", "--errors", "dontwarn", "--error-log", "e3", "tree"});
    EXPECT_EQ("", quiet.err);
    EXPECT_FALSE(std::filesystem::exists(tmp_.Path("e3")));

    const Outcome unwritable = Run({"-f", "apple", "--error-log", "no/such/folder/e", "tree"});
    EXPECT_EQ(2, unwritable.status);
    EXPECT_NE(std::string::npos,
              unwritable.err.find(
                  "mvfind: Unable to open search errors log file!\nNo such file or directory"));
}

TEST_F(MvfindTest, LongFormatShowsTheRowsFields) {
    const Outcome found = Run({"-l", "-m", "*.txt", "-f", "apple", "tree"});
    ASSERT_EQ(0, found.status);
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < found.out.size();) {
        const std::size_t end = found.out.find('\n', at);
        lines.push_back(found.out.substr(at, end - at));
        at = end + 1;
    }
    ASSERT_EQ(2u, lines.size());
    const std::string alpha = "alpha.txt\tUNIX\t" + tmp_.Path("tree") + "\t10\t";
    EXPECT_EQ(alpha, lines[0].substr(0, alpha.size()));
    const std::string beta = "beta.TXT\tDOS\t" + tmp_.Path("tree") + "\t12\t";
    EXPECT_EQ(beta, lines[1].substr(0, beta.size()));
    // Created and modified: a time text or "(unknown)" each, the creation without the
    // spaces the list puts in front of it.
    const std::string times = lines[0].substr(alpha.size());
    const std::size_t tab = times.find('\t');
    ASSERT_NE(std::string::npos, tab);
    EXPECT_NE(' ', times[0]);
    EXPECT_EQ(22u, times.size() - tab - 1);
}

TEST_F(MvfindTest, SavedResultsFileLoadsBack) {
    const Outcome saved = Run({"-s", "--or", "-f", "apple|fruit", "--save", "hits.ser", "tree"});
    ASSERT_EQ(0, saved.status);
    // What is printed is the same as without saving.
    EXPECT_EQ(Run({"-s", "--or", "-f", "apple|fruit", "tree"}).out, saved.out);
    EXPECT_NE("", saved.out);
    ResultsList loaded;
    ASSERT_EQ(FileStatus::Done, LoadList(loaded, tmp_.Path("hits.ser"), {}).status);
    EXPECT_EQ("Filemask:  *.*    Expression:  apple|fruit   Boolean: OR    Searched in:  tree",
              loaded.SearchSummary());
    // Saved in name order, every field back.
    ASSERT_EQ(4u, loaded.size());
    const std::vector<std::pair<std::string, std::string>> expected{{"alpha.txt", "tree"},
                                                                    {"beta.TXT", "tree"},
                                                                    {"delta.txt", "tree/sub"},
                                                                    {"gamma.log", "tree"}};
    for (std::size_t row = 0; row < loaded.size(); ++row) {
        EXPECT_EQ(expected[row].first, loaded[row].name());
        EXPECT_EQ(tmp_.Path(expected[row].second), loaded[row].path());
    }
    EXPECT_EQ("DOS", TypeText(loaded[1].type()));
    EXPECT_EQ("12", loaded[1].size());
    EXPECT_EQ(22u, loaded[1].modified().size());

    // Nothing found: no file is written, as the finder writes none for an empty list.
    const Outcome none = Run({"-f", "banana", "--save", "none.ser", "tree"});
    EXPECT_EQ(1, none.status);
    EXPECT_FALSE(std::filesystem::exists(tmp_.Path("none.ser")));
    // A file that cannot be written is reported.
    const Outcome refused = Run({"-f", "apple", "--save", "missing/dir/x.ser", "tree"});
    EXPECT_EQ(2, refused.status);
    EXPECT_TRUE(refused.err.starts_with("mvfind: ")) << refused.err;
}

// --load prints what a results file holds, as a search prints its hits: the round trip
// of a save can be checked from a shell.
TEST_F(MvfindTest, LoadPrintsTheRowsOfAResultsFile) {
    tmp_.File("odd/name ", "apple\n");  // a name ending in a blank
    tmp_.File("odd/dir /x", "apple\n"); // a folder ending in one
    ASSERT_EQ(0, Run({"-s", "-f", "apple", "--save", "all.ser", "tree", "odd"}).status);
    // The paths, in the file's (name) order; the same set a search prints.
    const Outcome paths = Run({"--load", "all.ser"});
    EXPECT_EQ(0, paths.status) << paths.err;
    EXPECT_EQ("", paths.err);
    const std::string expected = Tree("alpha.txt") + "\n" + Tree("beta.TXT") + "\n" +
                                 Tree("sub/delta.txt") + "\n" + tmp_.Path("odd/name ") + "\n" +
                                 tmp_.Path("odd/dir /x") + "\n";
    const auto sorted = [](const std::string& lines) {
        std::vector<std::string> all;
        for (std::size_t at = 0; at < lines.size();) {
            const std::size_t end = lines.find('\n', at);
            all.push_back(lines.substr(at, end - at));
            at = end + 1;
        }
        std::sort(all.begin(), all.end());
        return all;
    };
    EXPECT_EQ(sorted(expected), sorted(paths.out));
    // With -l, each row's fields as a search's -l prints its hits.
    const Outcome rows = Run({"-l", "--load", "all.ser"});
    EXPECT_EQ(0, rows.status);
    const std::string search = Run({"-l", "-s", "-f", "apple", "tree", "odd"}).out;
    EXPECT_EQ(sorted(search), sorted(rows.out));
    // An empty list, a file that is none, one that is missing, and other options.
    tmp_.File("empty.ser", "0  files were found that matched your search criteria!\r\n \r\n"
                           "s\r\n \r\nFile Name\tType\tPath\tSize\t  Creation Date\tLast "
                           "Modified Date\r\n \r\n");
    EXPECT_EQ(1, Run({"--load", "empty.ser"}).status);
    tmp_.File("text.ser", "just text\n");
    const Outcome invalid = Run({"--load", "text.ser"});
    EXPECT_EQ(2, invalid.status);
    EXPECT_EQ("mvfind: text.ser is not a valid search results file!\n", invalid.err);
    const Outcome missing = Run({"--load", "none.ser"});
    EXPECT_EQ(2, missing.status);
    EXPECT_EQ("mvfind: " + tmp_.Path("none.ser") + ": No such file or directory\n", missing.err);
    for (const auto& args : std::vector<std::vector<std::string>>{{"--load", "all.ser", "tree"},
                                                                  {"--load", "all.ser", "-f", "x"},
                                                                  {"-q", "--load", "all.ser"}}) {
        const Outcome refused = Run(args);
        EXPECT_EQ(2, refused.status) << args[0];
        EXPECT_EQ("", refused.out);
        EXPECT_TRUE(refused.err.starts_with("mvfind: --load")) << refused.err;
    }
}

// Ctrl+C stops the search as the finder's Stop does, even inside a line the matcher would
// not finish in a lifetime: the hits so far are printed and saved.
TEST_F(MvfindTest, InterruptStopsTheSearchAndKeepsTheHitsSoFar) {
    tmp_.File("slow/hit.txt", "abz\n");
    tmp_.File("slow/sub/endless.txt", "ab" + std::string(300, 'c') + "\n");
    mvf::testing::StartedProgram mvfind(
        MVFIND_PATH,
        {"-s", "-f", "\\(a\\(b.*.*.*.*.*.*.*.*.*.*\\1z\\)\\)", "--save", "slow.ser", "slow"},
        tmp_.Root());
    // Files before sub-folders: once the endless file is open, the hit is behind it.
    for (int i = 0; i < 3000 && !mvfind.HasOpen("/endless.txt"); ++i) ::usleep(10000);
    ASSERT_TRUE(mvfind.HasOpen("/endless.txt"));
    ::usleep(100000); // inside the endless line by now
    mvfind.Signal(SIGINT);
    const std::string hit = tmp_.Path("slow/hit.txt") + "\n";
    const Outcome stopped = mvfind.Finish();
    EXPECT_EQ(130, stopped.status);
    EXPECT_EQ(hit, stopped.out);
    EXPECT_EQ("mvfind: interrupted: the search was stopped\n", stopped.err);
    ResultsList saved;
    ASSERT_EQ(FileStatus::Done, LoadList(saved, tmp_.Path("slow.ser"), "").status);
    ASSERT_EQ(1u, saved.size());
    EXPECT_EQ(tmp_.Path("slow/hit.txt"), FullPath(saved[0]));
}

// The finder lists a saved file's names in the user's collation, not in byte order.
TEST_F(MvfindTest, SavedNamesFollowTheUsersCollation) {
    // The locale the build made in its own folder; mvfind inherits LOCPATH.
    ::setenv("LOCPATH", MVF_TEST_LOCPATH, 1);
    if (!std::setlocale(LC_COLLATE, "en_US.UTF-8"))
        GTEST_SKIP() << "no en_US.UTF-8 locale in " MVF_TEST_LOCPATH;
    std::setlocale(LC_COLLATE, "C");
    tmp_.File("cased/B.txt", "apple\n");
    tmp_.File("cased/a.txt", "apple\n");
    const auto savedOrder = [&](const char* locale) {
        ::setenv("LC_ALL", locale, 1);
        const Outcome saved = Run({"-f", "apple", "--save", "cased.ser", "cased"});
        ::unsetenv("LC_ALL");
        EXPECT_EQ(0, saved.status) << saved.err;
        const std::string text = ReadAll(tmp_.Path("cased.ser"));
        return text.find("a.txt") < text.find("B.txt") ? "a B" : "B a";
    };
    EXPECT_STREQ("a B", savedOrder("en_US.UTF-8"));
    EXPECT_STREQ("B a", savedOrder("C"));
}

} // namespace
} // namespace mvf::cli
