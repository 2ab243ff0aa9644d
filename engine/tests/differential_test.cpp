// The library's matcher against the reference backtracker, answer for answer.
#include <cstdlib>
#include <cstring>
#include <string>

#include "differential.h"
#include "engine_test_support.h"
#include "generator.h"

namespace mvf::engine {
namespace {

class DifferentialTest : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        HGrepOptions(0);
    }
};

long FromEnvironment(const char* name, long otherwise) {
    const char* env = std::getenv(name);
    return env ? std::atol(env) : otherwise;
}

// Generated patterns and texts, both case modes, all four line modes, and now and then a
// word-character table with a line end or "-" added.
TEST_F(DifferentialTest, GeneratedPatternsAndTexts) {
    const long cases = FromEnvironment("MVFG_DIFF_CASES", 50000);
    const long seed = FromEnvironment("MVFG_DIFF_SEED", 20261208);
    testing::Generator gen(static_cast<uint64_t>(seed));
    RecordProperty("cases", std::to_string(cases));
    RecordProperty("seed", std::to_string(seed));
    int failures = 0;
    long compiled = 0;
    for (long i = 0; i < cases && failures < 10; ++i) {
        testing::Case c;
        c.pattern = gen.Pattern();
        c.text = gen.Text();
        c.caseSensitive = gen.Below(2);
        c.options = gen.Below(4);
        c.extraWordChars = gen.Chance(8) ? (gen.Chance(2) ? "-" : "\n\r") : "";
        const testing::Outcome out = testing::Compare(c);
        compiled += out.compiled;
        if (!out.difference.empty()) {
            ADD_FAILURE() << out.difference;
            ++failures;
        }
    }
    // The generator must mostly produce patterns that compile, or it tests little.
    EXPECT_GT(compiled, cases / 2);
}

// Back-references after closures, where the matcher remembers failures together with the
// group bounds they depend on: groups holding repetitions, several closures between a
// group and its references, references to groups set at different depths.
TEST_F(DifferentialTest, BackReferencesAfterClosures) {
    const long cases = FromEnvironment("MVFG_DIFF_CASES", 50000);
    testing::Generator gen(static_cast<uint64_t>(FromEnvironment("MVFG_DIFF_SEED", 20261208)) + 1);
    static const char* kPieces[] = {"a*", "b*", ".*", "[ab]*", "a", "b", "a-", ".", "\\<"};
    int failures = 0;
    long compiled = 0;
    for (long i = 0; i < cases && failures < 10; ++i) {
        testing::Case c;
        int opened = 0, depth = 0;
        const int pieces = gen.Below(10) + 2;
        for (int k = 0; k < pieces; ++k) {
            const int kind = gen.Below(8);
            if (kind == 0 && opened < 3) {
                c.pattern += "\\(";
                ++opened;
                ++depth;
            } else if (kind == 1 && depth > 0) {
                c.pattern += "\\)";
                --depth;
            } else if (kind == 2 && opened > depth) {
                c.pattern += "\\" + std::to_string(gen.Below(opened - depth) + 1);
            } else {
                c.pattern += kPieces[gen.Below(sizeof kPieces / sizeof kPieces[0])];
            }
        }
        while (depth-- > 0) c.pattern += "\\)";
        if (gen.Chance(3)) c.pattern += "z";
        const int length = gen.Below(gen.Chance(4) ? 40 : 14);
        for (int k = 0; k < length; ++k) c.text += "abz"[gen.Below(gen.Chance(9) ? 3 : 2)];
        c.caseSensitive = gen.Below(2);
        const testing::Outcome out = testing::Compare(c);
        compiled += out.compiled;
        if (!out.difference.empty()) {
            ADD_FAILURE() << out.difference;
            ++failures;
        }
    }
    EXPECT_GT(compiled, cases / 2);
}

// RGrepCandidate on generated lines: no line wholly before its answer matches, and it
// does let searches pass over lines (it is no use answering `from` every time).
TEST_F(DifferentialTest, NoLineBeforeTheCandidateMatches) {
    const long cases = FromEnvironment("MVFG_DIFF_CASES", 50000) / 5;
    testing::Generator gen(static_cast<uint64_t>(FromEnvironment("MVFG_DIFF_SEED", 20261208)) + 2);
    long passedOver = 0;
    int failures = 0;
    for (long i = 0; i < cases && failures < 10; ++i) {
        RegexRecord record{};
        const std::string pattern = gen.Pattern();
        if (CompileRGrep(pattern.c_str(), gen.Below(2), &record) != 0) continue;
        std::string text;
        for (int lines = gen.Below(8) + 1; lines > 0; --lines) text += gen.Text() + "\n";
        const char* from = text.data() + gen.Below(static_cast<int>(text.size()));
        const char* end = text.data() + text.size();
        const char* answer = RGrepCandidate(from, end, &record);
        if (answer < from || answer > end) {
            ADD_FAILURE() << "answer outside the range for " << pattern;
            ++failures;
            continue;
        }
        // Lines are cut at their line feed and, as RGrep reads them, at a zero byte.
        for (const char* line = from; line < end;) {
            const char* stop = static_cast<const char*>(std::memchr(line, '\n', end - line));
            if (stop >= answer) break;
            const std::string one(line, stop);
            if (RGrep(one.c_str(), &record) != 0) {
                ADD_FAILURE() << "\"" << one << "\" matches " << pattern << " but lies before "
                              << answer - from << " of \"" << std::string(from, end) << "\"";
                ++failures;
            }
            ++passedOver;
            line = stop + 1;
        }
    }
    EXPECT_GT(passedOver, cases / 10);
}

} // namespace
} // namespace mvf::engine
