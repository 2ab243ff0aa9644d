// The scans with tiny read blocks and pieces, so that lines over many blocks and lines
// longer than a piece take a few bytes: the block prefilter, the line-by-line scan and
// the binary scan each give the answers of the rule, written out plainly here.
#include <fcntl.h>
#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "mvfindgrep.h"
#include <gtest/gtest.h>

#include "byte_scans.h"
#include "finder/search/content_scanner.h"
#include "testsupport/temp_folder.h"

namespace mvf::search {
namespace {

// The engine's answer for one text, which it sees up to its first zero byte.
bool EngineFinds(const std::string& text) {
    return SRGrep(text.c_str()) == 1;
}

// A line or run: whole, or in consecutive pieces when it is longer than a piece.
bool FoundInPieces(const std::string& line, std::size_t piece) {
    if (line.size() <= piece) return EngineFinds(line);
    for (std::size_t at = 0; at < line.size(); at += piece)
        if (EngineFinds(line.substr(at, piece))) return true;
    return false;
}

// Text files: the text up to the first Ctrl+Z, in lines ended by CR, LF or the pair; a
// last line without a line end is searched when it holds something.
bool RuleForText(const std::string& bytes, std::size_t piece) {
    const std::string text = bytes.substr(0, bytes.find('\x1A'));
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        if (FoundInPieces(text.substr(start, i - start), piece)) return true;
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    return start < text.size() && FoundInPieces(text.substr(start), piece);
}

// Binary files: every run of at least five printable bytes, the last one included.
bool RuleForBinary(const std::string& bytes, std::size_t piece) {
    std::string run;
    for (const char c : bytes + '\0') {
        if (IsPrintable(c)) {
            run += c;
            continue;
        }
        if (run.size() >= kMinimumRun && FoundInPieces(run, piece)) return true;
        run.clear();
    }
    return false;
}

class ScanSizesTest : public ::testing::Test {
protected:
    void SetUp() override { HGrepOptions(0); }
    void TearDown() override { HGrepOptions(HGREP_OPT_DEFAULT); }

    enum class Way { LineByLine, Prefilter, Binary };

    ScanResult Scan(const std::string& path, ScanSizes sizes, Way way) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        EXPECT_GE(fd, 0) << path;
        SearchFlags flags;
        SearchControl control(flags);
        ContentScanner scanner(sizes);
        const FileContent content = block_.Read(fd, sizes.readBlock, true);
        const ScanResult result = way == Way::Binary
                                      ? scanner.ScanBinary(content, control)
                                      : scanner.ScanText(content, control, way == Way::Prefilter);
        ::close(fd);
        return result;
    }

    bool Found(const std::string& bytes, const char* expression, ScanSizes sizes) {
        const std::string path = tmp_.File("f", bytes);
        EXPECT_EQ(0, SCompileRGrep(expression, 1));
        const ScanResult lineByLine = Scan(path, sizes, Way::LineByLine);
        if (BlockPrefilterAllowed(expression)) {
            EXPECT_EQ(lineByLine, Scan(path, sizes, Way::Prefilter)) << expression;
        }
        return lineByLine == ScanResult::Match;
    }

    mvf::testing::TempFolder tmp_;
    FirstBlock block_;
};

TEST_F(ScanSizesTest, LinesOverManyBlocksAreWholeAndOnlyLongerThanAPieceAreCut) {
    const ScanSizes sizes{3, 8}; // blocks of 3 bytes, pieces of 8
    // Eight bytes, then "bc": cut after the eighth, each piece a text of its own.
    const std::string cut = std::string(8, 'x') + "bc\n";
    EXPECT_FALSE(Found(cut, "xbc", sizes));
    EXPECT_TRUE(Found(cut, "\\<bc", sizes));
    EXPECT_TRUE(Found(cut, "^bc$", sizes));
    EXPECT_TRUE(Found(cut, "x\\>", sizes));
    // A line of exactly a piece is searched whole, however many blocks it spans.
    const std::string whole = std::string(6, 'x') + "bc\nnext";
    EXPECT_TRUE(Found(whole, "xbc", sizes));
    EXPECT_FALSE(Found(whole, "\\<bc", sizes));
    EXPECT_TRUE(Found(whole, "^x*bc$", sizes));
    // The cut falls at every multiple of the piece, from the line's start.
    const std::string three = "ab" + std::string(14, '.') + "cd" + std::string(6, '.') + "\r\n";
    EXPECT_TRUE(Found(three, "^cd", sizes));
    EXPECT_FALSE(Found(three, "b\\.*c", sizes));
    EXPECT_TRUE(Found(three + "z", "^z$", sizes));
    // Printable runs of a binary file the same way.
    const std::string path = tmp_.File("b", std::string(1, '\0') + std::string(8, 'x') + "bc");
    ASSERT_EQ(0, SCompileRGrep("xbc", 1));
    EXPECT_EQ(ScanResult::NoMatch, Scan(path, sizes, Way::Binary));
    ASSERT_EQ(0, SCompileRGrep("^bc$", 1));
    EXPECT_EQ(ScanResult::Match, Scan(path, sizes, Way::Binary)); // the run's second piece
    ASSERT_EQ(0, SCompileRGrep("^xxxxxxxx$", 1));
    EXPECT_EQ(ScanResult::Match, Scan(path, sizes, Way::Binary));
}

TEST_F(ScanSizesTest, EveryWayGivesTheAnswersOfTheRule) {
    const char* kExpressions[] = {"ab",   "a.b",  "xb*a",     "\\<ab",      "ab\\>", "b\\>x",
                                  "^ab",  "ab$",  "^$",       "^a*$",       "a[^b]", "x-a",
                                  "a.*x", "b+ a", "\\(a\\)x", "\\(a\\)\\1b"};
    const ScanSizes kSizes[] = {{3, 5}, {4, 17}, {16, 9}, {64, 64}, {7, 1000}};
    std::mt19937 rng(20261209);
    int cases = 0, matches = 0;
    for (int round = 0; round < 300; ++round) {
        // Runs of one letter as long as several pieces, among short words, line ends,
        // zero bytes, Ctrl+Z and non-printable bytes.
        std::string bytes;
        const int parts = 1 + static_cast<int>(rng() % 12);
        for (int i = 0; i < parts; ++i) {
            switch (rng() % 8) {
            case 0: bytes.append(rng() % 90, "abx"[rng() % 3]); break;
            case 1: bytes += "\n"; break;
            case 2: bytes += "\r\n"; break;
            case 3: bytes += "\r"; break;
            case 4: bytes += rng() % 4 ? " " : std::string(1, "\0\x1A\x01"[rng() % 3]); break;
            default: {
                static const char* kWords[] = {"ab", "xa", "ba", "a", "x", "bb a", "axb"};
                bytes += kWords[rng() % 7];
            }
            }
        }
        const std::string path = tmp_.File("g" + std::to_string(round), bytes);
        for (const ScanSizes& sizes : kSizes) {
            for (const char* expression : kExpressions) {
                ASSERT_EQ(0, SCompileRGrep(expression, 1));
                const bool text = RuleForText(bytes, sizes.linePiece);
                const bool binary = RuleForBinary(bytes, sizes.linePiece);
                const auto answer = [](bool found) {
                    return found ? ScanResult::Match : ScanResult::NoMatch;
                };
                SCOPED_TRACE(std::string(expression) + " blocks " +
                             std::to_string(sizes.readBlock) + " pieces " +
                             std::to_string(sizes.linePiece) + " in " + path);
                ASSERT_EQ(answer(text), Scan(path, sizes, Way::LineByLine));
                if (BlockPrefilterAllowed(expression)) {
                    ASSERT_EQ(answer(text), Scan(path, sizes, Way::Prefilter));
                }
                ASSERT_EQ(answer(binary), Scan(path, sizes, Way::Binary));
                ++cases;
                matches += text;
            }
        }
    }
    // Both answers occur often enough for the comparison to mean something.
    EXPECT_GT(matches, cases / 10);
    EXPECT_LT(matches, cases - cases / 10);
}

} // namespace
} // namespace mvf::search
