// The file search on real files: prefixes, skipResult, counting, block numbers, pieces of
// long lines, files with carriage-return line-feed pairs, and files that cannot be read.
#include <string>
#include <vector>

#include "engine_test_support.h"
#include "testsupport/temp_folder.h"

namespace mvf::engine {
namespace {

class FileSearchTest : public testing::EngineTest {
protected:
    void TearDown() override {
        SFileClose();
        SFileSetFlags(0, 0, 0, 0, 0);
        EngineTest::TearDown();
    }
    // Every answer of a search until it answers null.
    static std::vector<std::string> All(const char* (*search)()) {
        std::vector<std::string> lines;
        while (const char* line = search()) lines.emplace_back(line);
        return lines;
    }
    mvf::testing::TempFolder dir_;
};

using Lines = std::vector<std::string>;

TEST_F(FileSearchTest, NameAndLineNumberPrefixes) {
    const std::string f = dir_.File("f.txt", "alpha\nbeta\nalphabet\n");
    SFileSetFlags(1, 0, 1, 0, 0);
    ASSERT_EQ(0, SCompileRGrep("alpha", 1));
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    EXPECT_EQ((Lines{f + ":1:alpha\n", f + ":3:alphabet\n"}), All(&SFileRGrep));
    EXPECT_EQ(nullptr, SFileRGrep()); // and it stays at the end
    EXPECT_EQ(2, SFileClose());
    EXPECT_EQ(2, SFileClose()); // with no file open, only the count

    SFileSetFlags(1, 0, 1, 0, 1); // the lines where nothing was found
    ASSERT_EQ(0, SCompileRGrep("alpha", 1));
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    EXPECT_EQ((Lines{f + ":2:beta\n"}), All(&SFileRGrep));
    EXPECT_EQ(1, SFileClose());

    SFileSetFlags(0, 0, 0, 1, 0); // counting only
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    EXPECT_EQ(nullptr, SFileRGrep());
    EXPECT_EQ(2, SFileClose());
}

TEST_F(FileSearchTest, BlockNumbersNameTheBlockOfTheLastByte) {
    // The first line feed is byte 512, the second byte 700, the third byte 1025.
    const std::string f =
        dir_.File("blocks.txt", std::string(511, 'x') + "\n" + std::string(187, 'y') + "\n" +
                                    std::string(324, 'z') + "\n");
    SFileSetFlags(0, 1, 1, 0, 0);
    ASSERT_EQ(0, SCompileRGrep("^.", 1));
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    const Lines lines = All(&SFileRGrep);
    ASSERT_EQ(3u, lines.size());
    EXPECT_EQ("0:1:x", lines[0].substr(0, 5));
    EXPECT_EQ("1:2:y", lines[1].substr(0, 5));
    EXPECT_EQ("2:3:z", lines[2].substr(0, 5));
}

TEST_F(FileSearchTest, LongLinesArriveInPiecesOf1023Bytes) {
    const std::string f = dir_.File("long.txt", std::string(2500, 'a') + "\nb\n");
    SFileSetFlags(0, 0, 1, 0, 0);
    ASSERT_EQ(0, SCompileRGrep("[ab]", 1));
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    const Lines lines = All(&SFileRGrep);
    ASSERT_EQ(4u, lines.size());
    // The prefix leaves room for only 1021 characters of a full piece.
    EXPECT_EQ("1:" + std::string(1021, 'a'), lines[0]);
    EXPECT_EQ("2:" + std::string(1021, 'a'), lines[1]);
    EXPECT_EQ("3:" + std::string(454, 'a') + "\n", lines[2]);
    EXPECT_EQ("4:b\n", lines[3]);
    EXPECT_EQ(4, SFileClose());

    SFileSetFlags(0, 0, 0, 0, 0); // without prefixes a piece comes whole
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    EXPECT_EQ(std::string(1023, 'a'), SFileRGrep());
}

TEST_F(FileSearchTest, TheAnswerIsCutTo1023Characters) {
    dir_.File(std::string(200, 'n'), "hit\n");
    // A name longer than the answer: the answer is cut even inside the prefix.
    std::string longName = dir_.Root();
    while (longName.size() < 1100) longName += "/.";
    longName += "/" + std::string(200, 'n');
    SFileSetFlags(1, 0, 0, 0, 0);
    ASSERT_EQ(0, SCompileRGrep("hit", 1));
    ASSERT_EQ(1, SFileOpen(longName.c_str()));
    const char* answer = SFileRGrep();
    ASSERT_NE(nullptr, answer);
    EXPECT_EQ(longName.substr(0, 1023), answer);
}

TEST_F(FileSearchTest, CarriageReturnLineFeedPairsReadAsLineFeeds) {
    const std::string f = dir_.File("dos.txt", "one\r\ntwo\r\nlone\rcr\n" + std::string(1022, 'c') +
                                                   "\r\n" + std::string(1023, 'd') + "\r\nlast\r");
    SFileSetFlags(0, 1, 1, 0, 0);
    ASSERT_EQ(0, SCompileRGrep(".", 1));
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    const Lines lines = All(&SFileRGrep);
    ASSERT_EQ(7u, lines.size());
    EXPECT_EQ("0:1:one\n", lines[0]);
    EXPECT_EQ("0:2:two\n", lines[1]);
    EXPECT_EQ("0:3:lone\rcr\n", lines[2]); // a carriage return alone stays
    // 1022 characters and the pair: one piece of 1023, its block counting both bytes.
    EXPECT_EQ("2:4:" + std::string(1019, 'c'), lines[3]);
    EXPECT_EQ("4:5:" + std::string(1019, 'd'), lines[4]);
    EXPECT_EQ("4:6:\n", lines[5]); // the pair after a full piece
    EXPECT_EQ("4:7:last\r", lines[6]);

    SFileSetFlags(0, 0, 0, 0, 0);
    ASSERT_EQ(0, SCompileRGrep("o$", 1));
    HGrepOptions(HGREP_OPT_DEFAULT | HGREP_OPT_LF_ENDS_LINE);
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    EXPECT_EQ((Lines{"two\n"}), All(&SFileRGrep));
}

TEST_F(FileSearchTest, APairAcrossTheReadBufferIsStillOneLineFeed) {
    // 655 lines of 100 bytes, then 35 bytes: the pair's carriage return is byte 65536.
    std::string content;
    for (int i = 0; i < 655; ++i) content += std::string(99, 'x') + "\n";
    content += std::string(35, 'y') + "\r\ntail\n";
    const std::string f = dir_.File("buffer.txt", content);
    SFileSetFlags(0, 1, 1, 0, 0);
    ASSERT_EQ(0, SCompileRGrep("[yt]", 1));
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    EXPECT_EQ((Lines{"128:656:" + std::string(35, 'y') + "\n", "128:657:tail\n"}),
              All(&SFileRGrep));
}

TEST_F(FileSearchTest, SoundexAndApproximateFiles) {
    const std::string f = dir_.File("names.txt", "Dear Roberto,\nDear Mary,\nRobert and Rubert\n");
    SFileSetFlags(0, 0, 1, 0, 0);
    ASSERT_EQ(0, SCompileSGrep("Robert", 0));
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    EXPECT_EQ((Lines{"1:Dear Roberto,\n", "3:Robert and Rubert\n"}), All(&SFileSGrep));
    EXPECT_EQ(2, SFileClose());

    // An approximate line's result is its number of matches: skipResult 1 hides the
    // lines with exactly one.
    SFileSetFlags(0, 0, 1, 0, 1);
    ASSERT_EQ(0, SCompileAGrep("Robert", 1, 1));
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    EXPECT_EQ((Lines{"2:Dear Mary,\n", "3:Robert and Rubert\n"}), All(&SFileAGrep));
    EXPECT_EQ(2, SFileClose());
    EXPECT_EQ(-1, SAGrep("Robert")); // the close released the static record
}

TEST_F(FileSearchTest, AnUnusableRecordReportsEveryLine) {
    const std::string f = dir_.File("any.txt", "a\nb\n");
    HGrepOptions(0);
    ASSERT_NE(0, SCompileRGrep("[", 1));
    SFileSetFlags(0, 0, 0, 0, 0);
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    EXPECT_EQ((Lines{"a\n", "b\n"}), All(&SFileRGrep));
    EXPECT_EQ(2, SFileClose());
}

TEST_F(FileSearchTest, FilesThatCannotBeRead) {
    const std::string f = dir_.File("real.txt", "x\n");
    SFileSetFlags(0, 0, 0, 0, 0);
    ASSERT_EQ(0, SCompileRGrep("x", 1));
    ASSERT_EQ(1, SFileOpen(f.c_str()));
    EXPECT_EQ(0, SFileOpen((dir_.Root() + "/missing.txt").c_str()));
    EXPECT_EQ(nullptr, SFileRGrep());             // the failed open left no file open
    EXPECT_EQ(0, SFileOpen(dir_.Root().c_str())); // a folder
    EXPECT_EQ(nullptr, SFileRGrep());
    EXPECT_EQ(0, SFileOpen(nullptr));
    EXPECT_EQ(0, SFileClose());

    const std::string empty = dir_.File("empty.txt", "");
    ASSERT_EQ(1, SFileOpen(empty.c_str()));
    EXPECT_EQ(nullptr, SFileRGrep());
    EXPECT_EQ(0, SFileClose());
}

} // namespace
} // namespace mvf::engine
