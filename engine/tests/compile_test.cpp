// The regular-expression compiler: program bytes, every fault, the limits, the word table.
#include <cstring>
#include <string>

#include "engine_test_support.h"
#include "program.h"
#include "program_dump.h"

namespace mvf::engine {
namespace {

using testing::EngineTest;
using testing::Notice;

class CompileTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        LibMain(nullptr, 0, 0, nullptr);
        std::memset(&rec_, 0xAB, sizeof rec_); // stale bytes must not leak into results
    }
    int Compile(const char* pattern, int caseSensitive = 1) {
        return CompileRGrep(pattern, caseSensitive, &rec_);
    }
    std::string Dump() const { return program::Dump(rec_.program); }
    bool ClassHas(int elementOffset, unsigned char c) const {
        return program::SetHas(rec_.program + elementOffset + 1, c);
    }
    RegexRecord rec_;
};

TEST_F(CompileTest, WritesTheProgramBytesOfEachInstruction) {
    ASSERT_EQ(0, Compile("^\\(a[0-9]*\\)\\-x\\>"));
    unsigned char expected[64] = {5, 7, 1, 1, 'a', 12, 3};
    expected[7 + 6] = 0xff; // '0'-'7'
    expected[7 + 7] = 0x03; // '8', '9'
    const unsigned char tail[] = {0, 8, 1, 1, '-', 1, 'x', 10, 0};
    std::memcpy(expected + 7 + 32, tail, sizeof tail);
    EXPECT_EQ(0, std::memcmp(expected, rec_.program, 7 + 32 + sizeof tail)) << Dump();
    EXPECT_EQ("BOL\nBOT 1\nCHR 'a'\nCLO CCL [0-9]\nEOT 1\nCHR '-'\nCHR 'x'\nEOW\nEND\n", Dump());
    EXPECT_EQ(0, rec_.state);
    EXPECT_STREQ("^\\(a[0-9]*\\)\\-x\\>", rec_.pattern);
    EXPECT_EQ(1, rec_.caseSensitive);

    EXPECT_EQ(27, Compile("^\\(a[0-9]*\\)-x"));
}

TEST_F(CompileTest, PlusRepeatsACopyOfTheAtom) {
    ASSERT_EQ(0, Compile("a+", 0));
    const unsigned char expected[] = {1, 'a', 12, 1, 'a', 0, 0};
    EXPECT_EQ(0, std::memcmp(expected, rec_.program, sizeof expected)) << Dump();
    EXPECT_EQ(0, rec_.caseSensitive);

    ASSERT_EQ(0, Compile("[ab]+"));
    EXPECT_EQ("CCL [ab]\nCLO CCL [ab]\nEND\n", Dump());
    ASSERT_EQ(0, Compile(".-x"));
    EXPECT_EQ("OPT ANY\nCHR 'x'\nEND\n", Dump());
}

TEST_F(CompileTest, RepeatedOperatorsAfterARepetitionAreIgnored) {
    ASSERT_EQ(0, Compile("a**"));
    EXPECT_EQ("CLO CHR 'a'\nEND\n", Dump());
    ASSERT_EQ(0, Compile("a*+-b"));
    EXPECT_EQ("CLO CHR 'a'\nCHR 'b'\nEND\n", Dump());
    ASSERT_EQ(0, Compile("a+*"));
    EXPECT_EQ("CHR 'a'\nCLO CHR 'a'\nEND\n", Dump());
}

TEST_F(CompileTest, AnchorsOnlyAtTheEnds) {
    ASSERT_EQ(0, Compile("a$b"));
    EXPECT_EQ("CHR 'a'\nCHR '$'\nCHR 'b'\nEND\n", Dump());
    ASSERT_EQ(0, Compile("ab$"));
    EXPECT_EQ("CHR 'a'\nCHR 'b'\nEOL\nEND\n", Dump());
    ASSERT_EQ(0, Compile("a^"));
    EXPECT_EQ("CHR 'a'\nCHR '^'\nEND\n", Dump());
    ASSERT_EQ(0, Compile("^"));
    EXPECT_EQ("BOL\nEND\n", Dump());
    ASSERT_EQ(0, Compile("$"));
    EXPECT_EQ("EOL\nEND\n", Dump());
    ASSERT_EQ(0, Compile("^$"));
    EXPECT_EQ("BOL\nEOL\nEND\n", Dump());
}

TEST_F(CompileTest, ClassMembers) {
    ASSERT_EQ(0, Compile("[]a]"));
    EXPECT_EQ("CCL [\\x5da]\nEND\n", Dump());
    ASSERT_EQ(0, Compile("[^-a]"));
    EXPECT_EQ(program::NCL, rec_.program[0]);
    EXPECT_TRUE(ClassHas(0, '-'));
    EXPECT_TRUE(ClassHas(0, 'a'));
    EXPECT_FALSE(ClassHas(0, 'b'));
    ASSERT_EQ(0, Compile("[a-]"));
    EXPECT_EQ("CCL [\\x2da]\nEND\n", Dump());
    ASSERT_EQ(0, Compile("[z-a]"));
    EXPECT_EQ("CCL [z]\nEND\n", Dump());
    // The lower bound of a range is the raw byte before the '-'.
    ASSERT_EQ(0, Compile("[\\n-z]"));
    EXPECT_TRUE(ClassHas(0, '\n'));
    EXPECT_FALSE(ClassHas(0, 'n'));
    EXPECT_TRUE(ClassHas(0, 'o'));
    EXPECT_TRUE(ClassHas(0, 'z'));
    EXPECT_FALSE(ClassHas(0, 'a'));
    ASSERT_EQ(0, Compile("[\\b\\f\\r\\t\\]\\\\q]"));
    for (int c : {8, 12, 13, 9, int(']'), int('\\'), int('q')})
        EXPECT_TRUE(ClassHas(0, c)) << int(c);
    EXPECT_FALSE(ClassHas(0, 'b'));
    ASSERT_EQ(0, Compile("[\x80-\xff]"));
    EXPECT_TRUE(ClassHas(0, 0x80));
    EXPECT_TRUE(ClassHas(0, 0xff));
    EXPECT_FALSE(ClassHas(0, 0x7f));
    // An NCL set is stored as written, not inverted.
    ASSERT_EQ(0, Compile("[^0-9]"));
    EXPECT_EQ("NCL [0-9]\nEND\n", Dump());
}

TEST_F(CompileTest, EscapesOutsideClasses) {
    ASSERT_EQ(0, Compile("\\.\\*\\[\\\\\\^\\$\\0\\b\\f\\n\\r\\t"));
    EXPECT_EQ("CHR '.'\nCHR '*'\nCHR '['\nCHR \\x5c\nCHR '^'\nCHR '$'\nCHR '0'\n"
              "CHR \\x08\nCHR \\x0c\nCHR \\x0a\nCHR \\x0d\nCHR \\x09\nEND\n",
              Dump());
    // A single trailing backslash is a literal backslash; nothing past the end is read.
    ASSERT_EQ(0, Compile("a\\"));
    EXPECT_EQ("CHR 'a'\nCHR \\x5c\nEND\n", Dump());
    ASSERT_EQ(0, Compile("\\(a\\)\\(b\\)\\2\\<c\\>"));
    EXPECT_EQ("BOT 1\nCHR 'a'\nEOT 1\nBOT 2\nCHR 'b'\nEOT 2\nREF 2\nBOW\nCHR 'c'\nEOW\nEND\n",
              Dump());
    // A reference to an enclosing group that is open but not innermost is accepted.
    ASSERT_EQ(0, Compile("\\(a\\(b\\1\\)\\)"));
    EXPECT_EQ("BOT 1\nCHR 'a'\nBOT 2\nCHR 'b'\nREF 1\nEOT 2\nEOT 1\nEND\n", Dump());
}

struct Fault {
    const char* pattern;
    int code;
    const char* message;
};

void PrintTo(const Fault& f, std::ostream* os) {
    *os << "'" << f.pattern << "' -> " << f.code;
}

class CompileFaultTest : public CompileTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(CompileFaultTest, FailsWithCodeMessageAndUnusableRecord) {
    const Fault& f = GetParam();
    ASSERT_EQ(0, Compile("ok")); // a usable record first
    notices_.clear();
    EXPECT_EQ(f.code, Compile(f.pattern));
    EXPECT_EQ(f.code, rec_.state);
    EXPECT_EQ(program::END, rec_.program[0]);
    ASSERT_EQ(1u, notices_.notices().size());
    EXPECT_EQ((Notice{"Regular Expression Error", f.message}), notices_.notices()[0]);
    EXPECT_EQ(-1, RGrep("ok", &rec_));
    EXPECT_EQ(f.code, rec_.state);
}

std::string Repeat(const std::string& s, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += s;
    return out;
}

const std::string kTenGroups = Repeat("\\(a\\)", 10);
const std::string kNineGroups = Repeat("\\(a\\)", 9);

std::string FaultName(const ::testing::TestParamInfo<Fault>& info) {
    return "Code" + std::to_string(info.param.code) + "_" + std::to_string(info.index);
}

INSTANTIATE_TEST_SUITE_P(
    EveryCode, CompileFaultTest,
    ::testing::Values(
        Fault{"", 6, "No regular expression provided"}, Fault{"[abc", 25, "Missing ]"},
        Fault{"[\\", 25, "Missing ]"}, Fault{"[", 25, "Missing ]"}, Fault{"[]", 25, "Missing ]"},
        Fault{"*a", 26, "Empty closure in beginning of pattern"},
        Fault{"+", 26, "Empty closure in beginning of pattern"},
        Fault{"-a", 26, "Empty closure in beginning of pattern"},
        Fault{"^*", 27, "Illegal closure after special character"},
        Fault{"\\(a\\)*", 27, "Illegal closure after special character"},
        Fault{"\\(*", 27, "Illegal closure after special character"},
        Fault{"\\<+", 27, "Illegal closure after special character"},
        Fault{"a\\>-", 27, "Illegal closure after special character"},
        Fault{"\\(a\\)\\1*", 27, "Illegal closure after special character"},
        Fault{kTenGroups.c_str(), 28, "Too many \\(\\) pairs"},
        Fault{"\\(\\)", 29, "Null pattern inside \\(\\)"}, Fault{"\\)", 30, "Unmatched \\)"},
        Fault{"a\\)", 30, "Unmatched \\)"}, Fault{"\\<\\>", 31, "Null pattern inside \\<\\>"},
        Fault{"\\(a\\1\\)", 32, "Cyclical reference in tag \\number"},
        Fault{"\\2", 33, "Undetermined reference"},
        Fault{"\\(a\\2\\)", 33, "Undetermined reference"}, Fault{"\\(a", 34, "Unmatched \\("},
        Fault{"\\(a\\(b\\)", 34, "Unmatched \\("}),
    FaultName);

TEST_F(CompileTest, NineGroupsAreAllowed) {
    EXPECT_EQ(0, Compile(kNineGroups.c_str()));
    EXPECT_EQ(28, Compile((kNineGroups + "\\(").c_str()));
}

TEST_F(CompileTest, MissingPatternKeepsTheRecordsPatternText) {
    ASSERT_EQ(0, Compile("keep", 1));
    EXPECT_EQ(6, CompileRGrep(nullptr, 0, &rec_));
    EXPECT_STREQ("keep", rec_.pattern);
    EXPECT_EQ(1, rec_.caseSensitive);
    EXPECT_EQ(6, rec_.state);
}

TEST_F(CompileTest, RecompilingTheRecordsOwnPatternText) {
    ASSERT_EQ(0, Compile("a[bc]*"));
    const std::string before = Dump();
    EXPECT_EQ(0, CompileRGrep(rec_.pattern, 1, &rec_));
    EXPECT_STREQ("a[bc]*", rec_.pattern);
    EXPECT_EQ(before, Dump());
}

TEST_F(CompileTest, PatternLongerThanTheRecordIsRefused) {
    const std::string fits(511, 'a');
    EXPECT_EQ(0, Compile(fits.c_str()));
    EXPECT_STREQ(fits.c_str(), rec_.pattern);
    const std::string tooLong(512, 'b');
    EXPECT_EQ(HGREP_ERR_PATTERN_TOO_LONG, Compile(tooLong.c_str()));
    EXPECT_EQ(HGREP_ERR_PATTERN_TOO_LONG, rec_.state);
    EXPECT_STREQ(fits.c_str(), rec_.pattern); // nothing was copied
    EXPECT_EQ("pattern too long", notices_.notices().back().text);
}

TEST_F(CompileTest, ProgramLongerThanTheRecordIsRefused) {
    // 31 classes take 31 * 33 = 1023 bytes: with END, exactly 1024.
    EXPECT_EQ(0, Compile(Repeat("[a]", 31).c_str()));
    EXPECT_EQ(program::END, rec_.program[1023]);
    EXPECT_EQ(HGREP_ERR_PROGRAM_TOO_LONG, Compile((Repeat("[a]", 31) + "b").c_str()));
    EXPECT_EQ("program too long", notices_.notices().back().text);
    // '+' doubles an atom; the growth is checked, never written past the record.
    EXPECT_EQ(HGREP_ERR_PROGRAM_TOO_LONG, Compile((Repeat("[a]", 30) + "[b]+").c_str()));
    EXPECT_EQ(HGREP_ERR_PROGRAM_TOO_LONG, Compile((Repeat("[a]", 30) + "[b]*").c_str()));
    EXPECT_EQ(0, Compile((Repeat("[a]", 29) + "[b]*").c_str())); // 957 + 35 + END
    EXPECT_EQ(0, Compile(Repeat("a", 511).c_str()));             // 1022 bytes + END
    EXPECT_EQ(HGREP_ERR_PROGRAM_TOO_LONG, Compile(Repeat("a+", 255).c_str()));
}

TEST_F(CompileTest, WordCharacterTable) {
    ASSERT_EQ(0, Compile("\\<b"));
    EXPECT_EQ(1, RGrep("a-b", &rec_));
    AddWordChar("-");
    EXPECT_EQ(0, RGrep("a-b", &rec_));
    RemoveWordChar("-");
    EXPECT_EQ(1, RGrep("a-b", &rec_));
    AddWordChar("-");
    AddWordChar("");
    InitWordCharTable();
    EXPECT_EQ(1, RGrep("a-b", &rec_));
    RemoveWordChar("a");
    EXPECT_EQ(1, RGrep("ab", &rec_)); // 'a' is no longer a word character
    RemoveWordChar(nullptr);
    AddWordChar(nullptr);
}

TEST_F(CompileTest, WithoutNoticesNothingIsReported) {
    HGrepOptions(0);
    EXPECT_EQ(25, Compile("["));
    EXPECT_TRUE(notices_.notices().empty());
}

} // namespace
} // namespace mvf::engine
