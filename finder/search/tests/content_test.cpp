// The content test on real files: classification, line ends, whole lines, pieces of long
// lines, zero bytes, Ctrl+Z, printable runs of binary files, read-block boundaries.
#include "classify.h"
#include "finder/search/content_scanner.h"

#include <gtest/gtest.h>

#include "search_test_support.h"

namespace mvf::search {
namespace {

using testing::TempFolder;

struct Options {
    bool matchCase = false;
    bool skipBinaries = true;
};

// Searches one file holding `bytes` for `find`; returns the hit, if any.
std::optional<FoundFile> Search(const std::string& bytes, const std::string& find,
                                Options options = {}) {
    TempFolder tmp;
    tmp.File("file.dat", bytes);
    SearchCriteria criteria = testing::Criteria(tmp.Root(), "*.*", find);
    criteria.MatchCase = options.matchCase;
    criteria.SkipBinaries = options.skipBinaries;
    testing::RecordingHost host;
    SearchFlags flags;
    testing::RunSearch(criteria, host, flags);
    if (host.hits.empty()) return std::nullopt;
    EXPECT_EQ(1u, host.hits.size());
    return host.hits.front();
}

bool Hit(const std::string& bytes, const std::string& find, Options options = {}) {
    return Search(bytes, find, options).has_value();
}

std::string Bytes(std::initializer_list<std::string> parts) {
    std::string all;
    for (const std::string& part : parts) all += part;
    return all;
}

const std::string kZero(1, '\0');

TEST(Classify, ZeroAmongFirst255BytesMakesBinary) {
    std::string text(1024, 'x');
    text[254] = 0;
    EXPECT_EQ(FileType::Binary, Classify(text.data(), text.size()));
    text[254] = 'x';
    text[255] = 0; // the 256th byte: not binary, but the text ends there
    text[300] = '\n';
    EXPECT_EQ(FileType::Dos, Classify(text.data(), text.size()));
    EXPECT_EQ(FileType::Binary, Classify("ab\0", 3));
}

TEST(Classify, LineEndsUpToTheFirstZero) {
    EXPECT_EQ(FileType::Dos, Classify("", 0));
    EXPECT_EQ(FileType::Dos, Classify("plain", 5));
    EXPECT_EQ(FileType::Dos, Classify("a\r\nb", 4));
    EXPECT_EQ(FileType::Unix, Classify("a\nb", 3));
    EXPECT_EQ(FileType::Mac, Classify("a\rb", 3));
    std::string mac = std::string(300, 'x') + "\r" + kZero + "\n";
    EXPECT_EQ(FileType::Mac, Classify(mac.data(), mac.size()));
    // Only the first 1,024 bytes count.
    std::string late = std::string(1024, 'x') + "\n";
    EXPECT_EQ(FileType::Dos, Classify(late.data(), late.size()));
}

TEST(ContentTest, HitsCarryTheirTypeSizeAndTimes) {
    const auto unix = Search("one\ntwo\n", "two");
    ASSERT_TRUE(unix);
    EXPECT_TRUE(unix->IsUnix);
    EXPECT_FALSE(unix->IsDos || unix->IsMac || unix->IsBinary);
    EXPECT_EQ(8, unix->Size);
    EXPECT_EQ(22u, unix->Modified.size()); // mm/dd/yyyy hh:mm:ss AM
    EXPECT_TRUE(Search("one\rtwo", "two")->IsMac);
    EXPECT_TRUE(Search("one\r\ntwo", "two")->IsDos);
    const auto binary = Search(Bytes({"ab", kZero, "needle"}), "needle", {false, false});
    ASSERT_TRUE(binary);
    EXPECT_TRUE(binary->IsBinary);
}

TEST(ContentTest, EveryLineEndEndsALine) {
    EXPECT_TRUE(Hit("alpha\nbeta", "^beta"));
    EXPECT_TRUE(Hit("alpha\rbeta", "^beta"));
    EXPECT_TRUE(Hit("alpha\r\nbeta", "^beta"));
    EXPECT_TRUE(Hit("alpha\r\nbeta", "alpha$"));
    EXPECT_FALSE(Hit("alpha beta", "^beta"));
    // CR LF is one line end; LF CR two, with an empty line between; a final line end
    // adds no empty line.
    EXPECT_FALSE(Hit("a\r\nb\r\n", "^$"));
    EXPECT_TRUE(Hit("a\n\rb", "^$"));
    EXPECT_TRUE(Hit("a\n\nb", "^$"));
    EXPECT_FALSE(Hit("a\nb\n", "^$"));
    EXPECT_FALSE(Hit("", "^$"));
}

TEST(ContentTest, WholeLinesAreSearchedWhereverTheyEnd) {
    std::string lines;
    for (int i = 1; i < 40000; ++i) lines += "line " + std::to_string(i) + "\n";
    EXPECT_TRUE(Hit(lines + "the key is here\n", "key is"));
    const std::string longLine = std::string(299, '.') + "key" + std::string(50, '.');
    EXPECT_TRUE(Hit(longLine, "key"));
    EXPECT_TRUE(Hit(std::string(260, '.') + "key" + "\r\n", "key"));
}

TEST(ContentTest, ZeroEndsWhatTheEngineSeesOfItsLine) {
    const std::string head(300, 'x'); // past the binary window
    EXPECT_FALSE(Hit(Bytes({head, kZero, "key\n"}), "key"));
    EXPECT_TRUE(Hit(Bytes({head, kZero, "junk\nkey\n"}), "key"));
    EXPECT_TRUE(Hit(Bytes({head, "key", kZero, "\n"}), "key"));
    EXPECT_FALSE(Hit(Bytes({head, "ke", kZero, "y\n"}), "key"));
}

TEST(ContentTest, CtrlZEndsTheText) {
    EXPECT_FALSE(Hit("abc\x1Akey", "key"));
    EXPECT_FALSE(Hit("abc\n\x1A\nkey\n", "key"));
    EXPECT_TRUE(Hit("key\x1A tail", "key"));
    EXPECT_TRUE(Hit("abc key\x1A", "key$"));
    EXPECT_FALSE(Hit("\x1A", "^$"));
    // Also beyond the first read block.
    EXPECT_FALSE(Hit(std::string(kReadBlock + 100, 'a') + "\x1A key", "key"));
    EXPECT_TRUE(Hit(std::string(kReadBlock + 100, 'a') + " key\x1A", "key"));
}

TEST(ContentTest, LinesCrossReadBlocks) {
    std::string text(kReadBlock - 2, 'a');
    EXPECT_TRUE(Hit(text + "\nkey", "^key"));
    EXPECT_TRUE(Hit(text + "key", "key")); // the line crosses the block boundary
    EXPECT_TRUE(Hit(text + "\nx" + std::string(kReadBlock, 'b') + "key\n", "xb*key"));
    // CR LF split by the boundary is still one line end.
    std::string split(kReadBlock - 1, 'a');
    EXPECT_FALSE(Hit(split + "\r\nb", "^$"));
    EXPECT_TRUE(Hit(split + "\r\nb", "^b"));
    EXPECT_TRUE(Hit(split + "\r\rb", "^$"));
}

TEST(ContentTest, ALineOfAMebibyteAndMoreIsSearchedWhole) {
    // What was once the first piece of a long line: every way of searching agrees now.
    const std::string line = std::string(1 << 20, 'x') + "bc\n";
    EXPECT_TRUE(Hit(line, "xbc"));    // a match across the old cut
    EXPECT_FALSE(Hit(line, "\\<bc")); // no word starts there: the line goes on before it
    EXPECT_FALSE(Hit(line, "x\\<bc"));
    EXPECT_FALSE(Hit(line, "^x*\\<bc"));
    EXPECT_TRUE(Hit(line, "^x*bc$"));
    EXPECT_FALSE(Hit(std::string(1 << 20, 'a') + "key\n", "^key"));
    EXPECT_TRUE(Hit(std::string(3 << 20, 'a') + "key", "aaaakey")); // the last line, too
}

TEST(ContentTest, BinaryFilesAreSearchedRunByRun) {
    const Options binaries{false, false};
    EXPECT_FALSE(Hit(Bytes({kZero, "abcd", kZero}), "abcd", binaries));
    EXPECT_TRUE(Hit(Bytes({kZero, "abcde", kZero}), "abcd", binaries));
    EXPECT_FALSE(Hit(Bytes({kZero, "ab\tcde", kZero}), "cde", binaries));        // tab ends a run
    EXPECT_TRUE(Hit(Bytes({kZero, "x", kZero, "needle"}), "needle$", binaries)); // last run
    EXPECT_FALSE(Hit(Bytes({kZero, "need"}), "need", binaries));
    std::string crossing = kZero + std::string(kReadBlock - 4, '\x01') + "needle";
    EXPECT_TRUE(Hit(crossing + kZero, "^needle$", binaries)); // carried across blocks
    EXPECT_FALSE(Hit(Bytes({kZero, std::string(1 << 20, 'a'), "key"}), "^key$", binaries));
    EXPECT_TRUE(Hit(Bytes({kZero, std::string(1 << 20, 'a'), "key"}), "ak", binaries));
    EXPECT_FALSE(Hit(Bytes({kZero, "abcde", kZero}), "abcd")); // skipped by default
}

TEST(ContentTest, CaseAndTokens) {
    EXPECT_TRUE(Hit("say HELLO", "hello"));
    EXPECT_FALSE(Hit("say HELLO", "hello", {true, true}));
    EXPECT_TRUE(Hit("say hello", "hello", {true, true}));
    EXPECT_TRUE(Hit("a b", "a</sp>b"));
    EXPECT_FALSE(Hit("a\tb", "a</sp>b"));
    EXPECT_TRUE(Hit("a\tb", "a</tb>b"));
}

} // namespace
} // namespace mvf::search
