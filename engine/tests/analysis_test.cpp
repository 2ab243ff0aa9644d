// The compiler's analysis for the matcher, the literal scan, and the bounded
// backtracker's work on texts that would make a plain backtracker blow up.
#include <cstring>
#include <random>
#include <string>

#include "engine_test_support.h"
#include "reference_matcher.h"
#include "rgrep_analysis.h"
#include "rgrep_backtrack.h"
#include "rgrep_literal.h"

namespace mvf::engine {
namespace {

using analysis::Analysis;

class AnalysisTest : public testing::EngineTest {
protected:
    const Analysis& Analyse(const char* pattern, int caseSensitive = 1) {
        EXPECT_EQ(0, CompileRGrep(pattern, caseSensitive, &rec_)) << pattern;
        static const Analysis kNone{};
        const Analysis* a = analysis::Of(&rec_);
        EXPECT_NE(nullptr, a) << pattern;
        return a ? *a : kNone;
    }
    static std::string RunText(const Analysis& a, int i) {
        return std::string(reinterpret_cast<const char*>(a.runs[i].bytes), a.runs[i].length);
    }
    RegexRecord rec_{};
};

TEST_F(AnalysisTest, LiteralRunsInProgramOrderWithTheirFixedOffsets) {
    const Analysis& a = Analyse("x\\(ab\\)\\<c.d[0-9]e*fg");
    ASSERT_EQ(1, a.fast);
    ASSERT_EQ(3, a.runCount);
    EXPECT_EQ("xabc", RunText(a, 0)); // groups and word anchors do not break a run
    EXPECT_EQ(0, a.runs[0].prefixWidth);
    EXPECT_EQ("d", RunText(a, 1));
    EXPECT_EQ(5, a.runs[1].prefixWidth);
    EXPECT_EQ("fg", RunText(a, 2)); // e* is a closure: what follows has no fixed offset
    EXPECT_EQ(analysis::kVariableWidth, a.runs[2].prefixWidth);
    EXPECT_NE(analysis::kNoRun, a.anchorRun);
    EXPECT_NE(analysis::kVariableWidth, a.runs[a.anchorRun].prefixWidth);
    // The scan looks for the rarest byte: "x" rather than "a" or "b".
    EXPECT_EQ(0, a.runs[0].rare);
}

TEST_F(AnalysisTest, LongRunsKeepTheirFirstBytesAndAtMostEightRunsAreKept) {
    const std::string longRun(40, 'q');
    const Analysis& a = Analyse((longRun + ".z").c_str());
    EXPECT_EQ(analysis::kMaxRunBytes, a.runs[0].length);
    EXPECT_EQ("z", RunText(a, 1));
    EXPECT_EQ(41, a.runs[1].prefixWidth);
    const Analysis& b = Analyse("a.b.c.d.e.f.g.h.i.j");
    EXPECT_EQ(analysis::kMaxRuns, b.runCount);
    EXPECT_EQ("h", RunText(b, 7));
}

TEST_F(AnalysisTest, FirstSetFollowsOptionalPrefixesAndCaseMode) {
    const Analysis& a = Analyse("\\<x*[ab]-c", 0);
    ASSERT_EQ(1, a.hasFirstSet);
    for (unsigned char c : std::string("xabc")) EXPECT_TRUE(analysis::BitOf(a.firstSet, c)) << c;
    EXPECT_FALSE(analysis::BitOf(a.firstSet, 'X')); // a repeated CHR compares exactly
    EXPECT_FALSE(analysis::BitOf(a.firstSet, 'd'));
    const Analysis& folded = Analyse("c", 0);
    EXPECT_TRUE(analysis::BitOf(folded.firstSet, 'C'));
    EXPECT_EQ(0, Analyse("a*").hasFirstSet);           // the empty match begins anywhere
    EXPECT_EQ(0, Analyse(".x").hasFirstSet);           // every byte
    EXPECT_EQ(0, Analyse("\\(a*\\)\\1x").hasFirstSet); // a reference may come first
}

TEST_F(AnalysisTest, BackReferencesDecideWhereFailuresMayBeRemembered) {
    // Closed groups: failures after a branch are remembered with the bounds a later
    // reference reads that were set before the branch.
    const Analysis& a = Analyse("x*\\(a*\\)y*\\1z*");
    ASSERT_EQ(1, a.fast);
    ASSERT_EQ(4, a.branchCount);
    EXPECT_EQ(0u, a.readBounds[0]);      // x*: group 1 is set after it
    EXPECT_EQ(1u << 0, a.readBounds[1]); // a*: inside group 1, its start set before
    EXPECT_EQ(0x201u, a.readBounds[2]);  // y*: group 1's start and end set before it
    EXPECT_EQ(0u, a.readBounds[3]);      // z*: no reference follows
    // Only the groups referenced after the branch: 2 and 3, not 1.
    EXPECT_EQ(0xC06u, Analyse("\\(a\\)\\(b\\(c\\)\\).*\\2\\3").readBounds[0]);
    // A reference into a group still open reads bounds left by earlier attempts.
    EXPECT_EQ(0, Analyse("\\(a\\(b\\1\\)\\)").fast);
}

TEST_F(AnalysisTest, FixedWidthAndEndAnchor) {
    const Analysis& a = Analyse("\\<a.[bc]\\(d\\)$");
    EXPECT_EQ(4, a.width);
    EXPECT_EQ(1, a.endsWithEol);
    EXPECT_EQ(analysis::kVariableWidth, Analyse("ab*$").width);
    EXPECT_EQ(0, Analyse("a$b").endsWithEol); // a "$" in the middle is a literal
}

TEST_F(AnalysisTest, AbsentOrForeignAnalysisMeansThePlainBacktracker) {
    ASSERT_EQ(0, CompileRGrep("a.*b", 1, &rec_));
    std::memset(rec_.analysis, 0, sizeof rec_.analysis);
    EXPECT_EQ(nullptr, analysis::Of(&rec_));
    const char* plain = "xaxxbxb";
    EXPECT_EQ(1, RGrep(plain, &rec_));
    EXPECT_EQ(plain + 1, rec_.matchStart[0]);
    EXPECT_EQ(plain + 7, rec_.matchEnd[0]);
    // The case mode changed after the compile: the analysis no longer applies.
    ASSERT_EQ(0, CompileRGrep("ab", 1, &rec_));
    rec_.caseSensitive = 0;
    EXPECT_EQ(nullptr, analysis::Of(&rec_));
    const char* text = "xAB";
    EXPECT_EQ(1, RGrep(text, &rec_));
    EXPECT_EQ(text + 1, rec_.matchStart[0]);
}

TEST_F(AnalysisTest, RecompilingTheSamePatternGivesTheSameAnalysis) {
    // The compiler keeps the last analysis for hosts that compile once per line.
    RegexRecord first{}, again{}, other{};
    ASSERT_EQ(0, CompileRGrep("a[bc]*d\\>", 0, &first));
    ASSERT_EQ(0, CompileRGrep("a[bc]*d\\>", 0, &again));
    EXPECT_EQ(0, std::memcmp(first.analysis, again.analysis, sizeof first.analysis));
    // Another case mode, or a program that only shares a beginning, is analysed anew.
    ASSERT_EQ(0, CompileRGrep("a[bc]*d\\>", 1, &other));
    EXPECT_EQ(1, analysis::Of(&other)->caseSensitive);
    EXPECT_FALSE(analysis::BitOf(analysis::Of(&other)->firstSet, 'A'));
    ASSERT_EQ(0, CompileRGrep("a[bc]*d\\>x", 1, &other));
    EXPECT_EQ(2, analysis::Of(&other)->runCount);
    ASSERT_EQ(0, CompileRGrep("a[bc]*d\\>", 0, &again));
    EXPECT_EQ(0, std::memcmp(first.analysis, again.analysis, sizeof first.analysis));
    EXPECT_TRUE(analysis::BitOf(analysis::Of(&again)->firstSet, 'A'));
}

TEST(LiteralFind, FindsRunsExactlyOrInEitherCase) {
    analysis::Run run{};
    std::memcpy(run.bytes, "needle", 6);
    run.length = 6;
    run.rare = 0;
    const std::string hay = std::string(37, 'x') + "NeEdLe" + std::string(20, 'y') + "needle";
    const auto* b = reinterpret_cast<const unsigned char*>(hay.data());
    const auto* e = b + hay.size();
    EXPECT_EQ(b + 37 + 6 + 20, literal::Find(run, b, e, false));
    EXPECT_EQ(b + 37, literal::Find(run, b, e, true));
    EXPECT_EQ(nullptr, literal::Find(run, b + 38, e - 1, true)); // the last one does not fit
    // Bit 5 maps only letters onto letters: "@" is not "`" in either case.
    analysis::Run at{};
    at.bytes[0] = '`';
    at.length = 1;
    const std::string other = "@@@@@@@@@@@@@@@@@@@@";
    const auto* o = reinterpret_cast<const unsigned char*>(other.data());
    EXPECT_EQ(nullptr, literal::Find(at, o, o + other.size(), true));
}

// The scan reads whole aligned blocks around the text: every start within a block, every
// length, runs across block edges and look-alikes after the terminator, at each width.
TEST_F(AnalysisTest, LiteralScanAgreesWithAPlainSearchAtEveryWidthAndAlignment) {
    // Rare and paired bytes near and far apart (sixteen apart: no pair), one byte, a letter
    // run that folds.
    const char* patterns[] = {"q", "zq", "a.zxb", "xabcdefghijklmnopz", "ab@Q", "NeEdLe"};
    std::mt19937 rng(12345);
    alignas(64) unsigned char buffer[256];
    int found = 0;
    for (const char* pattern : patterns) {
        for (int caseSensitive = 0; caseSensitive < 2; ++caseSensitive) {
            const Analysis& a = Analyse(pattern, caseSensitive);
            ASSERT_GT(a.runCount, 0) << pattern;
            const analysis::Run& run = a.runs[a.filterRun];
            const std::string bytes(reinterpret_cast<const char*>(run.bytes), run.length);
            const std::string filler = bytes + "AZaz@";
            const bool fold = caseSensitive == 0;
            for (unsigned offset = 0; offset < 64; ++offset) {
                for (unsigned length = 0; length <= 100; ++length) {
                    // Random bytes from the run's own alphabet, a copy of the run now and
                    // then (in a random case), and more of them after the terminator.
                    for (auto& b : buffer)
                        b = static_cast<unsigned char>(filler[rng() % filler.size()]);
                    for (int copies = rng() % 3; copies > 0; --copies) {
                        const unsigned at = offset + rng() % (length + 8);
                        for (std::size_t i = 0; i < bytes.size() && at + i < sizeof buffer; ++i) {
                            const unsigned char c = run.bytes[i];
                            buffer[at + i] = static_cast<unsigned char>(
                                fold && literal::IsLetter(c) && rng() % 2 ? c ^ 0x20 : c);
                        }
                    }
                    buffer[offset + length] = 0;
                    if (offset > 0 && rng() % 2) buffer[rng() % offset] = 0; // a line before
                    const unsigned char* text = buffer + offset;
                    const unsigned char* expected = nullptr;
                    for (unsigned i = 0; !expected && i + bytes.size() <= length; ++i) {
                        bool same = true;
                        for (std::size_t k = 0; same && k < bytes.size(); ++k)
                            same = literal::Same(run.bytes[k], text[i + k], fold);
                        if (same) expected = text + i;
                    }
                    found += expected != nullptr;
                    const std::string where =
                        std::string(pattern) + " case " + std::to_string(caseSensitive) +
                        " offset " + std::to_string(offset) + " length " + std::to_string(length);
                    EXPECT_EQ(expected, literal::FirstIn(a, text, fold)) << where;
                    EXPECT_EQ(expected, literal::FirstInBlocksOf(16, a, text, fold)) << where;
                    EXPECT_EQ(expected, literal::FirstInBlocksOf(1, a, text, fold)) << where;
                    if (literal::WideScanAvailable()) {
                        EXPECT_EQ(expected, literal::FirstInBlocksOf(32, a, text, fold)) << where;
                    }
                }
            }
        }
    }
    EXPECT_GT(found, 10000); // the runs were there often enough to test the finding too
}

// The rests of the program tried by one search, counted by the backtracker.
std::size_t RestTries(RegexRecord& rec, const char* text) {
    const std::size_t before = match::g_restTries;
    RGrep(text, &rec);
    return match::g_restTries - before;
}

TEST_F(AnalysisTest, ClosuresStayLinearInTheTextLength) {
    const std::size_t n = 200000;
    // Every literal is there, so nothing is ruled out before the attempts; the final $
    // fails at every combination a plain backtracker would try.
    std::string text = "abc" + std::string(n, 'x');
    ASSERT_EQ(0, CompileRGrep(".*a.*b.*c$", 1, &rec_));
    EXPECT_LT(RestTries(rec_, text.c_str()), 8 * n);
    EXPECT_EQ(nullptr, rec_.matchStart[0]);

    std::string as(n, 'a');
    ASSERT_EQ(0, CompileRGrep("a*a*a*a*b", 1, &rec_));
    EXPECT_LT(RestTries(rec_, (as + "b").c_str()), 8 * n);
    EXPECT_EQ(0, RGrep((as + "c").c_str(), &rec_)); // no b: nothing tried at all
    ASSERT_EQ(0, CompileRGrep("[a-z]*[a-z]*_t", 1, &rec_));
    EXPECT_LT(RestTries(rec_, (as + " _t").c_str()), 8 * n);
    EXPECT_EQ(1, RGrep((as + " _t").c_str(), &rec_));

    // The issue's own example: no match in a long line is found without any attempt.
    const std::string line(1 << 20, 'y');
    ASSERT_EQ(0, CompileRGrep(".*a.*b.*c", 1, &rec_));
    EXPECT_EQ(0u, RestTries(rec_, line.c_str()));
}

TEST_F(AnalysisTest, TextsTooLongForEveryBranchToBeRemembered) {
    // 24 closures over 4 MiB: more position bits than the work space holds, so the last
    // closures run without remembered failures; the answer and the linear work stay.
    std::string pattern;
    for (int i = 0; i < 24; ++i) pattern += "a*";
    pattern += "b$";
    const std::size_t n = std::size_t{4} << 20;
    std::string text(n, 'a');
    text += "bc"; // the final $ fails after the b
    ASSERT_EQ(0, CompileRGrep(pattern.c_str(), 1, &rec_));
    EXPECT_LT(RestTries(rec_, text.c_str()), 60 * n);
    EXPECT_EQ(nullptr, rec_.matchStart[0]);
    text.pop_back(); // now it matches, from the first position to the end
    ASSERT_EQ(1, RGrep(text.c_str(), &rec_));
    EXPECT_EQ(text.c_str(), rec_.matchStart[0]);
    EXPECT_EQ(text.c_str() + text.size(), rec_.matchEnd[0]);
}

// Gives up a search once it has tried more rests than `budget`: a search whose work is not
// bounded as it should be then ends at once instead of running for minutes.
struct Budget {
    std::size_t from = match::g_restTries;
    std::size_t budget;
    static int Query(void* self) {
        const auto* b = static_cast<const Budget*>(self);
        return match::g_restTries - b->from > b->budget;
    }
};

TEST_F(AnalysisTest, BackReferencesAfterClosuresStayPolynomial) {
    // A group, six closures, and a reference to the group: failures after each closure
    // are remembered together with the group's bounds they were found under. Plain
    // backtracking takes minutes on 80 characters.
    ASSERT_EQ(0, CompileRGrep("\\(a\\).*.*.*.*.*.*\\1z", 1, &rec_));
    for (const std::size_t n : {80, 1000}) {
        const std::size_t bound = 12 * n * n;
        Budget budget{match::g_restTries, 4 * bound};
        HGrepSetStopQuery(&Budget::Query, &budget);
        const std::string none = std::string(n, 'a') + "bz";
        EXPECT_LT(RestTries(rec_, none.c_str()), bound) << n;
        const std::string last = std::string(n, 'a') + "bazz";
        budget.from = match::g_restTries;
        EXPECT_EQ(1, RGrep(last.c_str(), &rec_)) << n;
        EXPECT_EQ(last.c_str(), rec_.matchStart[0]); // the first start, the last "az"
        EXPECT_EQ(last.c_str() + n + 3, rec_.matchEnd[0]);
        HGrepSetStopQuery(nullptr, nullptr);
    }
    // A group whose bounds change within one attempt: each of its lengths is tried once.
    ASSERT_EQ(0, CompileRGrep("\\(a*\\).*.*.*\\1z", 1, &rec_));
    const std::string as = std::string(300, 'a') + "b";
    Budget budget{match::g_restTries, 400 * 300 * 300};
    HGrepSetStopQuery(&Budget::Query, &budget);
    EXPECT_LT(RestTries(rec_, as.c_str()), std::size_t{100} * 300 * 300);
    HGrepSetStopQuery(nullptr, nullptr);
}

TEST_F(AnalysisTest, ClosedBackReferencesAreBoundedWhereTheyAllow) {
    // x* before the group: its failures are remembered, so the many x's cost little.
    const std::string text = std::string(5000, 'x') + "abab";
    ASSERT_EQ(0, CompileRGrep("x*x*\\(ab\\)\\1q", 1, &rec_));
    EXPECT_LT(RestTries(rec_, text.c_str()), 40000u);
}

} // namespace
} // namespace mvf::engine
