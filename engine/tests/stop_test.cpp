// The stop query: a search that would backtrack for ages gives up when its host says so,
// and answers as for a text without a match; without a query, or with one that never
// stops, every answer stays the same.
#include <memory>
#include <string>

#include "engine_test_support.h"

namespace mvf::engine {
namespace {

// Answers "stop" from its `stopAt`-th question on, and counts the questions.
struct Asker {
    int stopAt = 1;
    int asked = 0;
    static int Query(void* self) {
        auto* a = static_cast<Asker*>(self);
        return ++a->asked >= a->stopAt;
    }
};

class StopTest : public testing::EngineTest {
protected:
    void TearDown() override {
        HGrepSetStopQuery(nullptr, nullptr);
        EngineTest::TearDown();
    }
    int Search(const char* pattern, const std::string& text) {
        EXPECT_EQ(0, CompileRGrep(pattern, 1, rec_.get())) << pattern;
        return RGrep(text.c_str(), rec_.get());
    }
    bool BoundsClear() const {
        for (int n = 0; n < MVFG_BOUNDS; ++n)
            if (rec_->matchStart[n] || rec_->matchEnd[n]) return false;
        return true;
    }
    std::unique_ptr<RegexRecord> rec_ = std::make_unique<RegexRecord>();
};

TEST_F(StopTest, ASearchThatWouldBacktrackForAgesGivesUpAndFindsNothing) {
    // A back-reference into a group still open leaves only the plain backtracker: ten
    // closures over 300 characters, which no machine would finish.
    const char* endless = "\\(a\\(b.*.*.*.*.*.*.*.*.*.*\\1z\\)\\)";
    const std::string text = "ab" + std::string(300, 'c');
    Asker asker{3};
    EXPECT_EQ(nullptr, HGrepSetStopQuery(&Asker::Query, &asker));
    EXPECT_EQ(0, Search(endless, text));
    EXPECT_EQ(3, asker.asked);
    EXPECT_TRUE(BoundsClear());
    EXPECT_EQ(0, rec_->state);
    // The same through the wrappers the finder uses.
    asker = {1};
    ASSERT_EQ(0, SCompileRGrep(endless, 1));
    EXPECT_EQ(0, SRGrep(text.c_str()));
    EXPECT_EQ(1, asker.asked);
}

TEST_F(StopTest, AnInterruptedTextCountsAsNoMatchAndTheNextIsSearchedAfresh) {
    // Many start positions before the match at the very end: enough work to ask.
    const std::string text = std::string(200000, 'x') + "bab";
    Asker never{1 << 30};
    HGrepSetStopQuery(&Asker::Query, &never);
    EXPECT_EQ(1, Search("x*ab", text));
    EXPECT_GT(never.asked, 0);
    Asker soon{1};
    HGrepSetStopQuery(&Asker::Query, &soon);
    EXPECT_EQ(0, Search("x*ab", text));
    EXPECT_TRUE(BoundsClear());
    // Each search starts with nothing given up; a short one never even asks.
    soon = {1 << 30};
    EXPECT_EQ(1, Search("x*ab", text));
    EXPECT_EQ(&Asker::Query, HGrepSetStopQuery(nullptr, nullptr));
    EXPECT_EQ(1, Search("x*ab", "xxbab"));
}

} // namespace
} // namespace mvf::engine
