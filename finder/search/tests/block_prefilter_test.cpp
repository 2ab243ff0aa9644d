// The text scan with its block prefilter gives the same answer as line by line, on
// generated files whose lines, line ends, zero bytes and Ctrl+Z fall anywhere, across
// read blocks.
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <random>
#include <string>

#include "mvfindgrep.h"
#include <gtest/gtest.h>

#include "finder/search/content_scanner.h"
#include "testsupport/temp_folder.h"

namespace mvf::search {
namespace {

TEST(BlockPrefilter, OnlyForExpressionsThatIgnoreTheEndsOfTheText) {
    EXPECT_TRUE(BlockPrefilterAllowed("abc"));
    EXPECT_TRUE(BlockPrefilterAllowed("a^b$c"));
    EXPECT_TRUE(BlockPrefilterAllowed("\\<word\\>"));
    EXPECT_TRUE(BlockPrefilterAllowed("a\\\\1")); // an escaped backslash, then "1"
    EXPECT_FALSE(BlockPrefilterAllowed(""));
    EXPECT_FALSE(BlockPrefilterAllowed("^abc"));
    EXPECT_FALSE(BlockPrefilterAllowed("abc$"));
    EXPECT_FALSE(BlockPrefilterAllowed("a\\$")); // refused to stay simple: a literal "$"
    EXPECT_FALSE(BlockPrefilterAllowed("\\(a\\)\\1"));
    EXPECT_FALSE(BlockPrefilterAllowed("\\(a\\)x\\9"));
}

class BlockPrefilterScan : public ::testing::Test {
protected:
    void SetUp() override { HGrepOptions(0); }
    void TearDown() override { HGrepOptions(HGREP_OPT_DEFAULT); }

    // The scans use the test's own record; the engine's static one answers for the rule.
    int Compile(const char* expression, int matchCase) {
        SCompileRGrep(expression, matchCase);
        return CompileRGrep(expression, matchCase, &record_);
    }
    RegexRecord record_{};

    // The same expression without the compiler's analysis: every line is searched, by the
    // plain backtracker (no literal lets a line be passed over).
    RegexRecord Plain() const {
        RegexRecord plain = record_;
        std::memset(plain.analysis, 0, sizeof plain.analysis);
        return plain;
    }

    ScanResult Scan(const std::string& path, bool prefilter) {
        return Scan(path, prefilter, record_);
    }
    ScanResult Scan(const std::string& path, bool prefilter, RegexRecord& record) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        EXPECT_GE(fd, 0) << path;
        SearchFlags flags;
        SearchControl control(flags);
        const FileContent content = block_.Read(fd, kReadBlock, true);
        const ScanResult result = scanner_.ScanText(content, record, control, prefilter);
        ::close(fd);
        return result;
    }

    std::string Text(std::mt19937& rng, std::size_t length) {
        static const char kBytes[] = "aaabbx  \n\n\r-";
        std::string text(length, 'a');
        for (char& c : text) c = kBytes[rng() % (sizeof kBytes - 1)];
        if (rng() % 8 == 0) text[rng() % length] = '\0';
        if (rng() % 16 == 0) text[rng() % length] = '\x1A';
        return text;
    }

    mvf::testing::TempFolder tmp_;
    FirstBlock block_;
    ContentScanner scanner_;
};

TEST_F(BlockPrefilterScan, SameAnswersAsLineByLine) {
    // Expressions the prefilter takes, several of which also match across line ends,
    // and a few it refuses.
    const char* kExpressions[] = {"ab", "a.b", "bx*a", "[ab]x", "x-a", "\\<ab", "ab\\>", "a[^b]b",
                                  "a.*x", "b+ a", "\\(a\\)x", "xxx", "b*", "x*a", "a.*b", "\\<b*",
                                  // and some it refuses, searched line by line
                                  "^ab", "x$", "\\(a\\)b\\1", "^b*x-"};
    std::mt19937 rng(20261208);
    int cases = 0, matches = 0;
    for (int round = 0; round < 400; ++round) {
        // Mostly small files; some span several read blocks.
        const std::size_t length =
            round % 40 == 0 ? kReadBlock * 2 + rng() % 1000 : 1 + rng() % 600;
        const std::string path = tmp_.File("f" + std::to_string(round), Text(rng, length));
        for (const char* expression : kExpressions) {
            const bool prefilter = BlockPrefilterAllowed(expression);
            for (int matchCase = 0; matchCase < 2; ++matchCase) {
                ASSERT_EQ(0, Compile(expression, matchCase));
                RegexRecord plain = Plain();
                const ScanResult lineByLine = Scan(path, false, plain);
                if (prefilter) {
                    ASSERT_EQ(lineByLine, Scan(path, true))
                        << expression << " in " << path << " (case " << matchCase << ")";
                }
                ASSERT_EQ(lineByLine, Scan(path, false))
                    << expression << " in " << path << " (case " << matchCase << ", lines)";
                ++cases;
                matches += lineByLine == ScanResult::Match;
            }
        }
    }
    // Both answers occur often enough for the comparison to mean something.
    EXPECT_GT(matches, cases / 10);
    EXPECT_LT(matches, cases - cases / 10);
}

} // namespace
} // namespace mvf::search
