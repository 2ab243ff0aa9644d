// The library's matcher against the reference backtracker, answer for answer.
#include <cstdlib>
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

} // namespace
} // namespace mvf::engine
