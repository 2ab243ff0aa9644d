// hgrep end to end: the program run on files of a temporary folder, its output, messages
// and exit status read back.
#include <random>
#include <string>
#include <vector>

#include "mvfindgrep.h"
#include "testsupport/run_program.h"

namespace {

using mvf::testing::TempFolder;

using Result = mvf::testing::ProgramRun;

class HgrepTest : public ::testing::Test {
protected:
    // Runs hgrep with these arguments in the test's folder.
    Result Hgrep(std::vector<std::string> args) {
        return mvf::testing::RunProgram(HGREP_PATH, std::move(args), dir_.Root());
    }
    void Write(const std::string& name, const std::string& content) { dir_.File(name, content); }

    TempFolder dir_;
};

TEST_F(HgrepTest, RegularExpressionsByDefault) {
    Write("a.txt", "alpha\nbeta\nalphabet\ngamma");
    Result r = Hgrep({"alpha", "a.txt"});
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("alpha\nalphabet\n", r.out);
    EXPECT_EQ("", r.err);

    r = Hgrep({"^.a", "a.txt"}); // the last line has no line feed; one is added
    EXPECT_EQ("gamma\n", r.out);
    r = Hgrep({"a$", "a.txt"}); // $ is the end of the line, before its line feed
    EXPECT_EQ("alpha\nbeta\ngamma\n", r.out);
    r = Hgrep({"-n", "-v", "alpha", "a.txt"});
    EXPECT_EQ("2:beta\n4:gamma\n", r.out);
    r = Hgrep({"-in", "ALPHA\\>", "a.txt"});
    EXPECT_EQ("1:alpha\n", r.out);

    r = Hgrep({"delta", "a.txt"});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("", r.out);
    EXPECT_EQ("", r.err);
}

TEST_F(HgrepTest, NamesBlocksAndCounts) {
    Write("a.txt", "one\ntwo\n");
    Write("b.txt", std::string(600, '.') + "\ntwo\ntwo\n");
    Result r = Hgrep({"two", "a.txt", "b.txt"}); // names with several files
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("a.txt:two\nb.txt:two\nb.txt:two\n", r.out);
    r = Hgrep({"-H", "-b", "-n", "two", "b.txt"});
    EXPECT_EQ("b.txt:1:2:two\nb.txt:1:3:two\n", r.out);
    r = Hgrep({"-c", "two", "a.txt", "b.txt"});
    EXPECT_EQ("a.txt:1\nb.txt:2\n", r.out);
    r = Hgrep({"-c", "three", "a.txt"});
    EXPECT_EQ(1, r.status);
    EXPECT_EQ("0\n", r.out);
}

TEST_F(HgrepTest, SoundexAndApproximateSearches) {
    Write("n.txt", "Dear Rupert,\nDear Mary,\nRobert or Rubert\nRoberta\n");
    Result r = Hgrep({"-s", "Robert", "n.txt"});
    EXPECT_EQ(0, r.status);
    EXPECT_EQ("Dear Rupert,\nRobert or Rubert\nRoberta\n", r.out);

    r = Hgrep({"-a", "1", "-n", "Robert", "n.txt"});
    EXPECT_EQ("3:Robert or Rubert\n4:Roberta\n", r.out);
    r = Hgrep({"-a", "2", "-i", "ROBERT", "n.txt"});
    EXPECT_EQ("Dear Rupert,\nRobert or Rubert\nRoberta\n", r.out);
    // Without a match: not only the lines with other than one match.
    r = Hgrep({"-a", "1", "-v", "-n", "Robert", "n.txt"});
    EXPECT_EQ("1:Dear Rupert,\n2:Dear Mary,\n", r.out);
    r = Hgrep({"-a", "1", "-v", "-c", "Robert", "n.txt"});
    EXPECT_EQ("2\n", r.out);
    r = Hgrep({"-a", "1", "-c", "Robert", "n.txt", "n.txt"}); // compiled again for each file
    EXPECT_EQ("n.txt:2\nn.txt:2\n", r.out);

    // Answers cut to 1023 characters: the match of lines 1 and 5 lies in their cut-off
    // ends, line 2 has none (after which the library's record must still work).
    const std::string hidden = std::string(1016, 'x') + "needle\n";
    Write("cut.txt", hidden + std::string(1022, 'y') + "\nneedle\nother\n" + hidden);
    r = Hgrep({"-a", "1", "-v", "-n", "needle", "cut.txt"});
    EXPECT_EQ("2:" + std::string(1021, 'y') + "\n4:other\n", r.out);
}

TEST_F(HgrepTest, CarriageReturnsAndLongLines) {
    Write("dos.txt", "first\r\nsecond\r\n");
    Result r = Hgrep({"d$", "dos.txt"});
    EXPECT_EQ("second\n", r.out);
    Write("long.txt", std::string(2400, 'a') + "needle" + std::string(100, 'a') + "\n");
    r = Hgrep({"-n", "needle", "long.txt"});
    EXPECT_EQ("3:" + std::string(2400 - 2046, 'a') + "needle" + std::string(100, 'a') + "\n",
              r.out);
}

TEST_F(HgrepTest, ALinesAnswerNeverDependsOnItsLineEnd) {
    Write("t.txt", "ab\nxy\n");
    Write("crlf.txt", "ab\r\nxy\r\n");
    for (const char* pattern : {"b.", "b[^x]", "b\\n", "b\\r", "ab.*y"}) {
        for (const char* file : {"t.txt", "crlf.txt"}) {
            const Result r = Hgrep({pattern, file});
            EXPECT_EQ(1, r.status) << pattern << " in " << file;
            EXPECT_EQ("", r.out) << pattern << " in " << file;
        }
    }
    EXPECT_EQ("ab\n", Hgrep({"b$", "crlf.txt"}).out);
    // The same line with and without a final line feed.
    Write("end.txt", "xa\n");
    Write("noend.txt", "xa");
    for (const char* file : {"end.txt", "noend.txt"}) {
        Result r = Hgrep({"-a", "1", "ab", file});
        EXPECT_EQ(1, r.status) << file;
        r = Hgrep({"-a", "1", "-v", "-c", "ab", file});
        EXPECT_EQ("1\n", r.out) << file;
        r = Hgrep({"-a", "1", "xb", file});
        EXPECT_EQ("xa\n", r.out) << file;
        r = Hgrep({"-s", "X", file});
        EXPECT_EQ("xa\n", r.out) << file;
        r = Hgrep({"-n", "a$", file});
        EXPECT_EQ("1:xa\n", r.out) << file;
    }
}

TEST_F(HgrepTest, BadPatternsSayWhyAndExit2) {
    Write("a.txt", "text\n");
    Result r = Hgrep({"[abc", "a.txt"});
    EXPECT_EQ(2, r.status);
    EXPECT_EQ("", r.out);
    EXPECT_EQ("hgrep: Regular Expression Error: Missing ]\n", r.err);
    r = Hgrep({"-s", "1234", "a.txt"});
    EXPECT_EQ(2, r.status);
    EXPECT_EQ("hgrep: Soundex Error: no pattern\n", r.err);
    r = Hgrep({"-a", "1", std::string(300, 'x'), "a.txt"});
    EXPECT_EQ(2, r.status);
    EXPECT_EQ("hgrep: Approximative Find Error: pattern too long\n", r.err);
}

TEST_F(HgrepTest, UnreadableFilesAreNamedAndTheOthersSearched) {
    Write("a.txt", "hit\n");
    std::filesystem::create_directory(dir_.Root() + "/folder");
    Result r = Hgrep({"hit", "missing.txt", "folder", "a.txt"});
    EXPECT_EQ(2, r.status);
    EXPECT_EQ("a.txt:hit\n", r.out);
    EXPECT_EQ("hgrep: missing.txt: No such file or directory\n"
              "hgrep: folder: Is a directory\n",
              r.err);
    r = Hgrep({"-c", "hit", "missing.txt"});
    EXPECT_EQ(2, r.status);
    EXPECT_EQ("", r.out);
}

TEST_F(HgrepTest, CommandLine) {
    Write("a.txt", "-x\n");
    Result r = Hgrep({"--help"});
    EXPECT_EQ(0, r.status);
    EXPECT_EQ(0u, r.out.find("Usage: hgrep [-s | -a K]"));
    EXPECT_NE(std::string::npos, r.out.find("Regular expressions"));

    r = Hgrep({"-a", "0", "--", "-x", "a.txt"}); // a pattern that begins with a minus
    EXPECT_EQ("-x\n", r.out);

    for (const std::vector<std::string>& bad : {std::vector<std::string>{"x"},
                                                {"-s", "-a", "1", "x", "a.txt"},
                                                {"-a", "z", "x", "a.txt"},
                                                {"-a", "-1", "x", "a.txt"},
                                                {"-q", "x", "a.txt"},
                                                {"x", "a.txt", "-a"}}) {
        r = Hgrep(bad);
        EXPECT_EQ(2, r.status) << bad[0];
        EXPECT_EQ("", r.out);
        EXPECT_EQ(0u, r.err.find("hgrep: ")) << r.err;
        EXPECT_NE(std::string::npos, r.err.find("Usage: hgrep")) << r.err;
    }
}

// What `hgrep -n` printed when it searched every line on its own: pieces of at most 1023
// bytes, a carriage return before a line feed dropped, each piece searched without its
// line feed and printed up to a zero byte, cut to 1023 characters.
std::string LineByLine(const std::string& bytes, const char* pattern, bool ignoreCase) {
    EXPECT_EQ(0, SCompileRGrep(pattern, ignoreCase ? 0 : 1));
    std::string out;
    long number = 0;
    for (std::size_t at = 0; at < bytes.size();) {
        std::string piece;
        while (at < bytes.size() && piece.size() < 1023) {
            piece.push_back(bytes[at++]);
            if (piece.back() == '\n') break;
        }
        if (piece.size() >= 2 && piece.back() == '\n' && piece[piece.size() - 2] == '\r')
            piece.erase(piece.size() - 2, 1);
        else if (piece.back() == '\r' && at < bytes.size() && bytes[at] == '\n')
            piece.back() = '\n', ++at;
        ++number;
        const bool lineFeed = piece.back() == '\n';
        if (SRGrep(piece.substr(0, piece.size() - (lineFeed ? 1 : 0)).c_str()) <= 0) continue;
        std::string answer = std::to_string(number) + ":" + piece.substr(0, piece.find('\0'));
        answer.resize(std::min<std::size_t>(answer.size(), 1023));
        out += answer.back() == '\n' ? answer : answer + "\n";
    }
    return out;
}

TEST_F(HgrepTest, LinesReadAheadInBlocksGiveTheAnswersOfLineByLine) {
    HGrepOptions(0);
    // Mostly short lines, some near and beyond a piece, some longer than the read-ahead;
    // line feeds, carriage returns, both, and zero bytes; a pattern whose matches reach
    // over lines and two that are never asked about ahead, whose lines are searched one by
    // one where they hold the literal a match needs.
    std::mt19937 rng(20261208);
    const char* kWords[] = {"ab", "xab", "ba", "a b", "x", " ", "abx"};
    const char* kPatterns[] = {"ab",      "\\<ab", "ab\\>", "a.b", "b a",
                               "[ab]x*a", "Ab",    "b.*x",  "^ab", "x$"};
    for (int round = 0; round < 12; ++round) {
        std::string bytes;
        const std::size_t size = round % 3 < 2 ? 400000 : 1 + rng() % 5000;
        // Every other file has no line longer than a piece: its blocks are asked at once.
        const bool longLines = round % 2 == 0;
        while (bytes.size() < size) {
            switch (rng() % (longLines ? 10 : 8) + (longLines ? 0 : 2)) {
            case 0: bytes.append(1015 + rng() % 16, 'y'); break;
            case 1: bytes.append(rng() % 50 == 0 ? 300000 : 1500, 'z'); break;
            case 2: bytes += "\r\n"; break;
            case 3: bytes += rng() % 2 ? "\r" : std::string(1, '\0'); break;
            case 4:
            case 5: bytes += "\n"; break;
            default: bytes += kWords[rng() % 7];
            }
        }
        const std::string name = "r" + std::to_string(round) + ".txt";
        Write(name, bytes);
        for (const char* pattern : kPatterns) {
            for (const bool ignoreCase : {false, true}) {
                std::vector<std::string> args = {"-n", pattern, name};
                if (ignoreCase) args.insert(args.begin(), "-i");
                const Result r = Hgrep(args);
                EXPECT_EQ(LineByLine(bytes, pattern, ignoreCase), r.out)
                    << pattern << " in " << name << (ignoreCase ? " -i" : "");
            }
        }
    }
}

} // namespace
