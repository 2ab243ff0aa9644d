// The library's matcher against the reference backtracker, answer for answer.
#include <cstdlib>
#include <string>

#include "engine_test_support.h"
#include "generator.h"
#include "reference_matcher.h"

namespace mvfg {
namespace {

// Compares one search; returns an empty string or a description of the difference.
std::string Compare(const std::string& pattern, int caseSensitive, int options,
                    const std::string& text) {
    RegexRecord rec{};
    if (CompileRGrep(pattern.c_str(), caseSensitive, &rec) != 0) return "";
    HGrepOptions(options);
    const reference::Answer want =
        reference::Search(rec, text.c_str(), options, reference::DefaultWordTable());
    const int got = RGrep(text.c_str(), &rec);
    std::string where = "pattern '" + pattern + "' case " + std::to_string(caseSensitive) +
                        " options " + std::to_string(options) + " text '" + text + "'";
    if (got != want.result) {
        return where + ": result " + std::to_string(got) + ", reference " +
               std::to_string(want.result);
    }
    if (got != 1) return "";
    for (int n = 0; n < MVFG_BOUNDS; ++n) {
        if (rec.matchStart[n] != want.start[n] || rec.matchEnd[n] != want.end[n]) {
            auto at = [&](const char* p) {
                return p ? std::to_string(p - text.c_str()) : std::string("null");
            };
            return where + ": entry " + std::to_string(n) + " " + at(rec.matchStart[n]) + ".." +
                   at(rec.matchEnd[n]) + ", reference " + at(want.start[n]) + ".." +
                   at(want.end[n]);
        }
    }
    return "";
}

class DifferentialTest : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        HGrepOptions(0);
    }
};

TEST_F(DifferentialTest, GeneratedPatternsAndTexts) {
    const char* env = std::getenv("MVFG_DIFF_CASES");
    const long cases = env ? std::atol(env) : 20000;
    testing::Generator gen(20261208);
    int failures = 0;
    for (long i = 0; i < cases && failures < 10; ++i) {
        const std::string pattern = gen.Pattern();
        const std::string text = gen.Text();
        const std::string diff = Compare(pattern, gen.Below(2), gen.Below(4), text);
        if (!diff.empty()) {
            ADD_FAILURE() << diff;
            ++failures;
        }
    }
}

}  // namespace
}  // namespace mvfg
