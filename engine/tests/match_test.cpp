// The regular-expression matcher: start strategies, every element, repetition order,
// line modes, match and group bounds.
#include <string>

#include "engine_test_support.h"
#include "reference_matcher.h"

namespace mvf::engine {
namespace {

class MatchTest : public testing::EngineTest {
protected:
    // Compiles and searches; returns the result and remembers the text for Start/End.
    int Find(const char* pattern, const char* text, int caseSensitive = 1) {
        text_ = text;
        EXPECT_EQ(0, CompileRGrep(pattern, caseSensitive, &rec_)) << pattern;
        const int result = RGrep(text, &rec_);
        // Every answer is also the reference's answer.
        const reference::Answer ref =
            reference::Search(rec_, text, options_, reference::DefaultWordTable());
        EXPECT_EQ(ref.result, result) << pattern << " in '" << text << "'";
        if (result == 1) {
            for (int n = 0; n < MVFG_BOUNDS; ++n) {
                EXPECT_EQ(ref.start[n], rec_.matchStart[n]) << "start " << n << " " << pattern;
                EXPECT_EQ(ref.end[n], rec_.matchEnd[n]) << "end " << n << " " << pattern;
            }
        }
        return result;
    }
    void LineMode(int bits) {
        options_ = bits;
        HGrepOptions(bits | HGREP_OPT_MESSAGES);
    }
    long Start(int n = 0) const { return rec_.matchStart[n] ? rec_.matchStart[n] - text_ : -1; }
    long End(int n = 0) const { return rec_.matchEnd[n] ? rec_.matchEnd[n] - text_ : -1; }

    RegexRecord rec_{};
    const char* text_ = nullptr;
    int options_ = 0;
};

TEST_F(MatchTest, EndOfLineAnchor) {
    EXPECT_EQ(0, Find("$", "abc"));
    EXPECT_EQ(1, Find("$", ""));
    EXPECT_EQ(1, Find("c$", "abc"));
    EXPECT_EQ(2, Start());
    EXPECT_EQ(3, End());
    // The terminating zero is attempted only for an empty text.
    EXPECT_EQ(0, Find("x*$", "ab"));
    EXPECT_EQ(1, Find("x*$", ""));
}

TEST_F(MatchTest, BeginningOfLineAnchorAndLineModes) {
    EXPECT_EQ(0, Find("^b", "ab"));
    EXPECT_EQ(0, Find("^b", "a\nb"));
    LineMode(HGREP_OPT_LF_ENDS_LINE);
    EXPECT_EQ(1, Find("^b", "a\nb"));
    EXPECT_EQ(2, Start());
    EXPECT_EQ(1, Find("a$", "a\nb"));
    EXPECT_EQ(0, Find("^b", "a\rb"));
    LineMode(HGREP_OPT_CR_ENDS_LINE);
    EXPECT_EQ(0, Find("^b", "a\nb"));
    EXPECT_EQ(1, Find("^b", "a\rb"));
    LineMode(HGREP_OPT_LF_ENDS_LINE | HGREP_OPT_CR_ENDS_LINE);
    EXPECT_EQ(1, Find("^b", "a\r\n\r\nb"));
    EXPECT_EQ(5, Start());
    EXPECT_EQ(1, Find("^$", ""));
    EXPECT_EQ(0, Find("^$", "a\n")); // after the last line end the search stops
    EXPECT_EQ(1, Find("^$", "\n"));
    EXPECT_EQ(1, Find("^c", "ab\n\ncd"));
    EXPECT_EQ(4, Start());
    LineMode(0);
    EXPECT_EQ(0, Find("a$", "a\nb"));
    EXPECT_EQ(1, Find("^a", "abc"));
}

TEST_F(MatchTest, ClosureSpansLineBreaks) {
    EXPECT_EQ(1, Find(".*", "ab\ncd"));
    EXPECT_EQ(0, Start());
    EXPECT_EQ(5, End());
}

TEST_F(MatchTest, CaseFolding) {
    EXPECT_EQ(1, Find("abc", "xABC", 0));
    EXPECT_EQ(1, Start());
    EXPECT_EQ(0, Find("abc", "xABC", 1));
    EXPECT_EQ(1, Find("ABC", "xabc", 0));
    // A repeated character compares exactly, even in a case-insensitive record.
    EXPECT_EQ(0, Find("ab*c", "ABBC", 0));
    EXPECT_EQ(0, Find("ab*c", "ABC", 0));
    EXPECT_EQ(1, Find("ab*c", "AC", 0));
    EXPECT_EQ(1, Find("ab*c", "Abbc", 0));
    EXPECT_EQ(1, Find("a+", "AA", 0)); // a, then an exact a*
    EXPECT_EQ(1, End());
    EXPECT_EQ(1, Find("ab-c", "Abc", 0));
    EXPECT_EQ(0, Find("ab-c", "ABC", 0));
    // Classes never fold.
    EXPECT_EQ(0, Find("[a]", "A", 0));
    // Only ASCII letters have another case.
    EXPECT_EQ(0, Find("\xe9", "\xc9", 0));
    EXPECT_EQ(1, Find("1", "1", 0));
}

TEST_F(MatchTest, BackReferencesCompareExactly) {
    EXPECT_EQ(1, Find("\\(ab\\)\\1", "abab"));
    EXPECT_EQ(0, Find("\\(ab\\)\\1", "abAB"));
    EXPECT_EQ(0, Find("\\(ab\\)\\1", "abAB", 0));
    EXPECT_EQ(0, Find("\\(ab\\)\\1", "xxABab", 0));
    EXPECT_EQ(1, Find("\\(ab\\)\\1", "xxABAB", 0));
    EXPECT_EQ(2, Start());
    EXPECT_EQ(2, Start(1));
    EXPECT_EQ(4, End(1));
    // An unset group matches the empty string: the enclosing group is still open.
    EXPECT_EQ(1, Find("\\(a\\(b\\1\\)\\)", "ab"));
    EXPECT_EQ(2, End());
}

TEST_F(MatchTest, BackReferenceIntoAnOpenGroupReadsBoundsOfFailedTries) {
    // Group 1 is still open at \1, so its end comes from an earlier failed try: every try
    // of the rest after ]* writes it, even where the "\" that must follow is missing.
    EXPECT_EQ(0, Find("\\([\x02-z]*\\(\\(\\1\\)\\)]*\\)\\", "\\"));
    EXPECT_EQ(0, Find("\\([\x02-z]*\\(\\(\\1\\)\\)]*\\)\\", ",,>\\>\\11"));
}

TEST_F(MatchTest, NegatedClassNeverMatchesTheEnd) {
    EXPECT_EQ(0, Find("x[^a]", "x"));
    EXPECT_EQ(1, Find("x[^a]", "xb"));
    EXPECT_EQ(0, Find("x.", "x"));
}

TEST_F(MatchTest, WordAnchors) {
    EXPECT_EQ(1, Find("\\<is\\>", "this is"));
    EXPECT_EQ(5, Start());
    EXPECT_EQ(1, Find("is\\>", "this"));
    EXPECT_EQ(2, Start());
    EXPECT_EQ(0, Find("\\>", "abc")); // the end of a non-empty text is never tried
    EXPECT_EQ(1, Find("a\\>", "a"));
}

TEST_F(MatchTest, GreedyBacktrackingOrderDecidesTheBounds) {
    EXPECT_EQ(1, Find("\\(a*\\)\\(a*\\)b", "aaab"));
    EXPECT_EQ(0, Start(1));
    EXPECT_EQ(3, End(1));
    EXPECT_EQ(3, Start(2));
    EXPECT_EQ(3, End(2));
    EXPECT_EQ(1, Find("a.*b", "xaxbxbx"));
    EXPECT_EQ(1, Start());
    EXPECT_EQ(6, End());
    EXPECT_EQ(1, Find("x-y", "xy"));
    EXPECT_EQ(2, End());
    EXPECT_EQ(1, Find("b*", "abc")); // empty match at the first position
    EXPECT_EQ(0, Start());
    EXPECT_EQ(0, End());
}

TEST_F(MatchTest, FirstCharacterScan) {
    EXPECT_EQ(0, Find("a", ""));
    EXPECT_EQ(0, Find("ab", "xyz"));
    EXPECT_EQ(1, Find("ab", "aab"));
    EXPECT_EQ(1, Start());
    EXPECT_EQ(1, Find("a*b", "ccb")); // not a CHR start: tried from the first position
    EXPECT_EQ(2, Start());
}

TEST_F(MatchTest, UnusableRecords) {
    RegexRecord zeroed{};
    EXPECT_EQ(-1, RGrep("abc", &zeroed)); // never compiled: empty program
    EXPECT_EQ(HGREP_ERR_EMPTY_PROGRAM, zeroed.state);
    EXPECT_TRUE(notices_.notices().empty());
    EXPECT_EQ(-1, RGrep("abc", &zeroed)); // and it stays unusable

    EXPECT_EQ(25, CompileRGrep("[a", 1, &rec_));
    EXPECT_EQ(-1, RGrep("a", &rec_));
    EXPECT_EQ(25, rec_.state);
    EXPECT_EQ(-1, RGrep("a", nullptr));
}

TEST_F(MatchTest, BoundsAreClearedOnEveryCall) {
    ASSERT_EQ(1, Find("b\\(c\\)", "abc"));
    EXPECT_EQ(0, RGrep("xyz", &rec_));
    for (int n = 0; n < MVFG_BOUNDS; ++n) {
        EXPECT_EQ(nullptr, rec_.matchStart[n]);
        EXPECT_EQ(nullptr, rec_.matchEnd[n]);
    }
    EXPECT_EQ(0, RGrep(nullptr, &rec_));
}

// Decided here: a failed search leaves every bound null, also the group bounds that
// attempts wrote on the way (whether an attempt runs at all is the fast paths' choice).
TEST_F(MatchTest, FailedSearchLeavesEveryBoundNull) {
    for (const char* pattern : {"\\(b\\)", "\\(x\\)\\(y*\\)q", "^\\(x\\)q", "\\(x\\(y\\1\\)\\)q"}) {
        EXPECT_EQ(0, Find(pattern, "xyz")) << pattern;
        for (int n = 0; n < MVFG_BOUNDS; ++n) {
            EXPECT_EQ(nullptr, rec_.matchStart[n]) << pattern << " " << n;
            EXPECT_EQ(nullptr, rec_.matchEnd[n]) << pattern << " " << n;
        }
    }
}

TEST_F(MatchTest, StaticRecordWrappers) {
    // The first wrapper test in a process sees the static record never compiled.
    EXPECT_EQ(0, SCompileRGrep("b+", 0));
    EXPECT_EQ(1, SRGrep("aBbb"));
    EXPECT_EQ(0, SRGrep("aA"));
    EXPECT_EQ(25, SCompileRGrep("[", 0));
    EXPECT_EQ(-1, SRGrep("["));
}

} // namespace
} // namespace mvf::engine
