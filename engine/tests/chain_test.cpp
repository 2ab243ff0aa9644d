// The chain evaluator, the global error, options, version and notices.
#include <memory>
#include <vector>

#include "engine_test_support.h"

namespace mvf::engine {
namespace {

class ChainTest : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        PushHInfo(nullptr);
    }
    void TearDown() override {
        PushHInfo(nullptr);
        EngineTest::TearDown();
    }
    // A regular-expression node; `pattern` must compile.
    HInfo* Pattern(const char* pattern) {
        HInfo* node = New();
        node->kind = HINFO_REGEX;
        EXPECT_EQ(0, CompileRGrep(pattern, 1, reinterpret_cast<RegexRecord*>(node)));
        return node;
    }
    HInfo* Operator(int op) {
        HInfo* node = New();
        node->kind = HINFO_OPERATOR;
        node->state = op;
        return node;
    }
    void Chain(std::initializer_list<HInfo*> nodes) {
        for (HInfo* n : nodes) PushHInfo(n);
    }

private:
    HInfo* New() {
        nodes_.push_back(std::make_unique<HInfo>());
        return nodes_.back().get();
    }
    std::vector<std::unique_ptr<HInfo>> nodes_;
};

TEST_F(ChainTest, SinglePatternIsItsSearchResult) {
    Chain({Pattern("b")});
    EXPECT_EQ(1, HGrep("abc"));
    EXPECT_EQ(0, HGrep("xyz"));
    EXPECT_EQ(0, HGrepGetError());
}

TEST_F(ChainTest, EmptyChainIsAnError) {
    EXPECT_EQ(-1, HGrep("abc"));
    EXPECT_EQ(1, HGrepGetError());
}

TEST_F(ChainTest, NotNeverSearchesTheRightSide) {
    HInfo* right = Pattern("c");
    Chain({Pattern("a"), Operator(1), right});
    EXPECT_EQ(0, HGrep("abc"));
    EXPECT_EQ(nullptr, right->matchStart[0]);
    EXPECT_EQ(1, HGrep("xyz"));
}

struct OperatorCase {
    int op;
    const char* text; // searched for "a" (left) and "b" (right)
    int value;
    bool rightSearched;
};

void PrintTo(const OperatorCase& c, std::ostream* os) {
    *os << "operator " << c.op << " on '" << c.text << "'";
}

class OperatorTest : public ChainTest, public ::testing::WithParamInterface<OperatorCase> {};

TEST_P(OperatorTest, ValueAndShortCircuit) {
    const OperatorCase& c = GetParam();
    HInfo* right = Pattern("b");
    Chain({Pattern("a"), Operator(c.op), right});
    EXPECT_EQ(c.value, HGrep(c.text)) << "operator " << c.op << " on '" << c.text << "'";
    // A searched right node that found nothing has null bounds too; search "b" texts.
    if (!c.rightSearched) {
        EXPECT_EQ(nullptr, right->matchStart[0]);
    }
    EXPECT_EQ(0, HGrepGetError());
}

// Texts: "ab" (L=1, R=1), "a" (L=1, R=0), "b" (L=0, R=1), "" (L=0, R=0).
INSTANTIATE_TEST_SUITE_P(
    EveryOperator, OperatorTest,
    ::testing::Values(OperatorCase{0, "ab", 0, false}, OperatorCase{1, "ab", 0, false},
                      OperatorCase{1, "b", 1, false}, OperatorCase{2, "ab", 1, true},
                      OperatorCase{2, "a", 0, true}, OperatorCase{2, "b", 0, false},
                      OperatorCase{3, "ab", 1, false}, OperatorCase{3, "b", 1, true},
                      OperatorCase{3, "", 0, true}, OperatorCase{4, "ab", 0, true},
                      OperatorCase{4, "a", 1, true}, OperatorCase{4, "b", 1, false},
                      OperatorCase{5, "a", 0, false}, OperatorCase{5, "b", 0, true},
                      OperatorCase{5, "", 1, true}, OperatorCase{6, "ab", 2, true},
                      OperatorCase{6, "b", 1, true}, OperatorCase{7, "a", 1, true},
                      OperatorCase{7, "b", -1, true}, OperatorCase{8, "ab", ~1, false},
                      OperatorCase{8, "", ~0, false}, OperatorCase{9, "ab", 1, true},
                      OperatorCase{9, "a", 0, true}, OperatorCase{10, "b", 1, true},
                      OperatorCase{10, "", 0, true}, OperatorCase{11, "ab", 0, true},
                      OperatorCase{11, "a", 1, true}, OperatorCase{12, "ab", ~1, true},
                      OperatorCase{12, "a", ~0, true}, OperatorCase{13, "", ~0, true},
                      OperatorCase{13, "b", ~1, true}));

TEST_F(ChainTest, OperatorsGroupToTheRight) {
    // 1 - (1 - 1) = 1; grouped to the left it would be -1.
    Chain({Pattern("a"), Operator(7), Pattern("a"), Operator(7), Pattern("a")});
    EXPECT_EQ(1, HGrep("a"));
    PushHInfo(nullptr);
    // 0 AND (anything): the rest is never evaluated, even a malformed rest.
    Chain({Pattern("x"), Operator(2), Pattern("a"), Operator(99), Pattern("a")});
    EXPECT_EQ(0, HGrep("a"));
    EXPECT_EQ(0, HGrepGetError());
    // Reached, the malformed rest is worth -1 with error 1, and AND takes it as nonzero.
    EXPECT_EQ(1, HGrep("xa"));
    EXPECT_EQ(1, HGrepGetError());
}

TEST_F(ChainTest, MalformedChains) {
    Chain({Operator(2)});
    EXPECT_EQ(-1, HGrep("a"));
    EXPECT_EQ(1, HGrepGetError());
    PushHInfo(nullptr);

    Chain({Pattern("a"), Pattern("a")}); // an operator is missing
    EXPECT_EQ(-1, HGrep("a"));
    EXPECT_EQ(1, HGrepGetError());
    PushHInfo(nullptr);

    Chain({Pattern("a"), Operator(6)}); // nothing behind the operator
    EXPECT_EQ(-1, HGrep("a"));
    EXPECT_EQ(1, HGrepGetError());
    PushHInfo(nullptr);

    Chain({Pattern("a"), Operator(14), Pattern("a")}); // unknown operator
    EXPECT_EQ(-1, HGrep("a"));
    EXPECT_EQ(1, HGrepGetError());
}

TEST_F(ChainTest, AChainThatLoopsIsMalformedNotEndless) {
    HInfo* a = Pattern("a");
    HInfo* op = Operator(6);
    Chain({a, op});
    op->next = a; // the caller closes a loop
    EXPECT_EQ(-1, HGrep("a"));
    EXPECT_EQ(1, HGrepGetError());
    // Pushing the last node again does not link it to itself.
    PushHInfo(nullptr);
    HInfo* b = Pattern("b");
    PushHInfo(b);
    PushHInfo(b);
    EXPECT_EQ(nullptr, b->next);
    EXPECT_EQ(1, HGrep("b"));
}

TEST_F(ChainTest, GlobalErrorKeepsTheFirst) {
    EXPECT_EQ(0, HGrepSetError(3));
    EXPECT_EQ(3, HGrepSetError(5));
    EXPECT_EQ(3, HGrepGetError());
    EXPECT_EQ(3, HGrepResetError(0));
    EXPECT_EQ(0, HGrepGetError());
    EXPECT_EQ(0, HGrepResetError(7));
    EXPECT_EQ(7, HGrepGetError());
    // HGrep starts from a clean error.
    Chain({Pattern("a")});
    EXPECT_EQ(1, HGrep("a"));
    EXPECT_EQ(0, HGrepGetError());
}

TEST_F(ChainTest, OptionsVersionAndDebug) {
    EXPECT_EQ(0, HGrepOptions(0));
    EXPECT_EQ(8, HGrepMessages(12345));
    EXPECT_EQ(3, HGrepOptions(3));
    EXPECT_EQ(11, HGrepMessages(0));
    EXPECT_EQ(0x6011, HGrepVersion());
    EXPECT_EQ(24593, HGrepVersion());
    EXPECT_EQ(0, HGrepIsDebug());
}

TEST_F(ChainTest, NoticesCarryTheLoadedCaption) {
    EXPECT_EQ(1, LibMain(nullptr, 0, 0, nullptr));
    RegexRecord rec{};
    CompileRGrep("\\)", 1, &rec);
    ASSERT_EQ(1u, notices_.notices().size());
    EXPECT_EQ((testing::Notice{"Regular Expression Error", "Unmatched \\)"}),
              notices_.notices()[0]);
    HGrepOptions(0);
    CompileRGrep("\\)", 1, &rec);
    EXPECT_EQ(1u, notices_.notices().size());
}

} // namespace
} // namespace mvf::engine
