// The approximate search: its edge cases, limits, life cycle and messages, and a
// brute-force count of differing positions over generated patterns, texts and k.
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bitlist.h"
#include "engine_test_support.h"

namespace mvf::engine {
namespace {

// A record that goes through AGrepInit and is emptied at the end.
class Approx {
public:
    Approx() : r_(std::make_unique<ApproxRecord>()) { EXPECT_EQ(1, AGrepInit(r_.get())); }
    ~Approx() { EXPECT_EQ(1, AGrepEmpty(r_.get())); }
    ApproxRecord* get() { return r_.get(); }
    ApproxRecord* operator->() { return r_.get(); }

private:
    std::unique_ptr<ApproxRecord> r_;
};

struct Match {
    long start;
    long end;
    bool operator==(const Match&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Match& m) {
    return os << m.start << ".." << m.end;
}

struct Answer {
    int result = 0;
    std::vector<Match> first; // at most ten
    bool operator==(const Answer&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Answer& a) {
    os << a.result << " [";
    for (const Match& m : a.first) os << " " << m;
    return os << " ]";
}

Answer Search(ApproxRecord* r, const std::string& text) {
    Answer a;
    a.result = AGrep(text.c_str(), r);
    for (int j = 0; j < MVFG_BOUNDS && r->matchStart[j]; ++j)
        a.first.push_back({r->matchStart[j] - text.c_str(), r->matchEnd[j] - text.c_str()});
    return a;
}

// The brute force: count the differing (or agreeing) positions of every window.
class Reference {
public:
    Reference(const std::string& pattern, int k, bool caseSensitive)
        : p_(pattern), k_(k), cs_(caseSensitive) {}

    // The code CompileAGrep must answer.
    int CompileCode() const {
        const int m = static_cast<int>(p_.size());
        if (m >= 512) return HGREP_ERR_TOO_LONG;
        if (m == 0) return HGREP_ERR_NO_PATTERN;
        if (k_ <= 0) return 0;
        int n = 0;
        while ((1 << n) < Limit() + 1) ++n;
        return (1 + n) * m >= 512 ? HGREP_ERR_TOO_LONG : 0;
    }

    Answer Search(const std::string& text) const {
        Answer a;
        const long m = static_cast<long>(p_.size());
        const long n = static_cast<long>(text.size());
        auto add = [&](long start, long end) {
            if (a.first.size() < 10) a.first.push_back({start, end});
            ++a.result;
        };
        if (k_ <= 0) {
            for (long i = 0; i + m <= n; ++i) {
                long j = 0;
                while (j < m && Upper(text[i + j]) == Upper(p_[j])) ++j;
                if (j == m) add(i, i + m);
            }
        } else if (Complement()) {
            // Agreements of the characters present; a window cut short by the start of
            // the text counts its missing characters as differences.
            for (long end = 1; end <= n; ++end) {
                long agreements = 0;
                for (long j = 0; j < m; ++j) {
                    const long t = end - m + j;
                    if (t >= 0 && Agree(text[t], p_[j])) ++agreements;
                }
                if (agreements >= Limit()) add(std::max(0L, end - m), end);
            }
        } else {
            for (long end = m; end <= n; ++end) {
                long differences = 0;
                for (long j = 0; j < m; ++j)
                    if (!Agree(text[end - m + j], p_[j])) ++differences;
                if (differences <= k_) add(end - m, end);
            }
        }
        return a;
    }

private:
    bool Complement() const { return 2L * k_ > static_cast<long>(p_.size()); }
    int Limit() const {
        const int m = static_cast<int>(p_.size());
        return Complement() ? std::max(m - k_, 0) : k_;
    }
    int Upper(char c) const {
        const auto u = static_cast<unsigned char>(c);
        return cs_ ? u : std::toupper(u);
    }
    bool Agree(char c, char p) const {
        const auto uc = static_cast<unsigned char>(c);
        const auto up = static_cast<unsigned char>(p);
        if (cs_) return uc == up;
        return uc == std::tolower(up) || uc == std::toupper(up);
    }

    std::string p_;
    int k_;
    bool cs_;
};

class AGrepTest : public testing::EngineTest {};

Answer Approximate(const char* pattern, int k, int caseSensitive, const std::string& text) {
    Approx r;
    EXPECT_EQ(0, CompileAGrep(pattern, k, caseSensitive, r.get()));
    return Search(r.get(), text);
}

TEST_F(AGrepTest, WindowsWithAtMostKDifferences) {
    EXPECT_EQ((Answer{2, {{0, 3}, {4, 7}}}), Approximate("abc", 1, 1, "xbc abd"));
    EXPECT_EQ((Answer{2, {{0, 3}, {3, 6}}}), Approximate("abc", 1, 1, "abcabc")); // not bca, cab
    EXPECT_EQ((Answer{0, {}}), Approximate("abc", 1, 1, "bc"));                   // too short
    EXPECT_EQ((Answer{0, {}}), Approximate("abcd", 2, 1, "zzzd"));
    EXPECT_EQ((Answer{0, {}}), Approximate("abc", 1, 1, ""));
}

TEST_F(AGrepTest, ExactSearchCountsOverlappingOccurrences) {
    EXPECT_EQ((Answer{2, {{0, 3}, {3, 6}}}), Approximate("abc", 0, 1, "abcabc"));
    EXPECT_EQ((Answer{2, {{0, 2}, {1, 3}}}), Approximate("aa", 0, 1, "aaa"));
    // Ignoring case: the bounds lie in the caller's text, not in a folded copy.
    Approx r;
    const std::string text = "xaBC";
    ASSERT_EQ(0, CompileAGrep("Abc", 0, 0, r.get()));
    EXPECT_STREQ("ABC", r->exactPattern);
    EXPECT_EQ(1, AGrep(text.c_str(), r.get()));
    EXPECT_EQ(text.c_str() + 1, r->matchStart[0]);
    EXPECT_EQ(text.c_str() + 4, r->matchEnd[0]);
    EXPECT_EQ((Answer{0, {}}), Approximate("Abc", 0, 1, "xaBC"));
    // A negative k has no fewer differences to allow: the exact search.
    EXPECT_EQ((Answer{1, {{1, 3}}}), Approximate("bc", -3, 1, "abcd"));
}

TEST_F(AGrepTest, ComplementModeJudgesWindowsCutShortByTheStart) {
    // Three of four may differ: one agreement is enough, even in a window of one.
    EXPECT_EQ((Answer{1, {{0, 1}}}), Approximate("abcd", 3, 1, "d"));
    EXPECT_EQ((Answer{1, {{0, 4}}}), Approximate("abcd", 3, 1, "zzzd"));
    EXPECT_EQ((Answer{0, {}}), Approximate("abcd", 3, 1, "zzzz"));
}

TEST_F(AGrepTest, KOfThePatternLengthOrMoreMatchesEveryPosition) {
    EXPECT_EQ((Answer{3, {{0, 1}, {0, 2}, {1, 3}}}), Approximate("ab", 2, 1, "xyz"));
    EXPECT_EQ((Answer{3, {{0, 1}, {0, 2}, {1, 3}}}), Approximate("ab", 1000, 1, "xyz"));
    EXPECT_EQ((Answer{0, {}}), Approximate("ab", 1000, 1, ""));
}

TEST_F(AGrepTest, CountsEveryMatchAndKeepsTheFirstTen) {
    const Answer a = Approximate("ab", 0, 1, std::string(12, '-') + "abababababababababababab");
    EXPECT_EQ(12, a.result);
    ASSERT_EQ(10u, a.first.size());
    EXPECT_EQ((Match{12, 14}), a.first[0]);
    EXPECT_EQ((Match{30, 32}), a.first[9]);
    EXPECT_EQ(12, Approximate("ab", 1, 1, "ab.ab.ab.ab.ab.ab.ab.ab.ab.ab.ab.ab").result);
}

TEST_F(AGrepTest, PatternLimits) {
    Approx r;
    EXPECT_EQ(0, CompileAGrep(std::string(255, 'a').c_str(), 1, 1, r.get()));
    EXPECT_EQ(2, r->fieldBits);
    EXPECT_EQ(510, r->totalBits);
    EXPECT_EQ(HGREP_ERR_TOO_LONG, CompileAGrep(std::string(256, 'a').c_str(), 1, 1, r.get()));
    EXPECT_EQ(0, CompileAGrep(std::string(170, 'a').c_str(), 3, 1, r.get()));
    EXPECT_EQ(3, r->fieldBits);
    EXPECT_EQ(HGREP_ERR_TOO_LONG, CompileAGrep(std::string(171, 'a').c_str(), 3, 1, r.get()));
    EXPECT_EQ(0, CompileAGrep(std::string(511, 'a').c_str(), 0, 1, r.get()));
    EXPECT_EQ(2, AGrep(std::string(512, 'a').c_str(), r.get()));
    // 512 characters: too long, also in the exact mode, and tested before emptiness.
    EXPECT_EQ(HGREP_ERR_TOO_LONG, CompileAGrep(std::string(512, 'a').c_str(), 0, 1, r.get()));
    EXPECT_EQ(HGREP_ERR_TOO_LONG, r->state);
    EXPECT_EQ(HGREP_ERR_NO_PATTERN, CompileAGrep("", 1, 1, r.get()));
    EXPECT_EQ(HGREP_ERR_NO_PATTERN, CompileAGrep(nullptr, 1, 1, r.get()));
    EXPECT_EQ(-1, AGrep("aaa", r.get()));
}

TEST_F(AGrepTest, FieldWidthFollowsK) {
    Approx r;
    const std::pair<int, int> widths[] = {{1, 2}, {2, 3}, {3, 3}, {4, 4}, {7, 4}, {8, 5}};
    for (const auto& [k, b] : widths) {
        ASSERT_EQ(0, CompileAGrep(std::string(40, 'x').c_str(), k, 1, r.get()));
        EXPECT_EQ(b, r->fieldBits) << "k " << k;
        EXPECT_EQ(1, r->mode);
    }
    ASSERT_EQ(0, CompileAGrep("abcde", 3, 1, r.get())); // counts the two agreements needed
    EXPECT_EQ(0, r->mode);
    EXPECT_EQ(3, r->fieldBits);
    ASSERT_EQ(0, CompileAGrep("abcde", 0, 1, r.get()));
    EXPECT_EQ(2, r->mode);
}

TEST_F(AGrepTest, MessagesCarryTheApproximateCaption) {
    LibMain(nullptr, 0, 0, nullptr);
    Approx r;
    CompileAGrep("", 1, 1, r.get());
    CompileAGrep(std::string(600, 'a').c_str(), 1, 1, r.get());
    CompileAGrep(std::string(300, 'a').c_str(), 1, 1, r.get());
    const std::vector<testing::Notice> want = {{"Approximative Find Error", "no pattern"},
                                               {"Approximative Find Error", "pattern too long"},
                                               {"Approximative Find Error", "pattern too long"}};
    EXPECT_EQ(want, notices_.notices());
}

TEST_F(AGrepTest, LifeCycle) {
    auto r = std::make_unique<ApproxRecord>();
    std::memset(static_cast<void*>(r.get()), 0x5a, sizeof *r); // AGrepInit trusts nothing
    EXPECT_EQ(1, AGrepInit(r.get()));
    EXPECT_EQ(1, r->state);
    EXPECT_EQ(-1, r->mode);
    EXPECT_EQ(1, r->caseSensitive);
    EXPECT_EQ(1, r->charTable['a'].allocated);
    EXPECT_EQ(1, r->charTable['a'].bitCount);
    EXPECT_EQ(0, r->counters.allocated);
    EXPECT_EQ(-1, AGrep("abc", r.get())); // before any compile

    ASSERT_EQ(0, CompileAGrep("abc", 1, 1, r.get()));
    EXPECT_EQ(1, AGrep("abd", r.get()));
    ASSERT_EQ(0, CompileAGrep("abcdef", 2, 1, r.get())); // vectors re-allocated, none lost
    EXPECT_EQ(1, AGrep("abcxyf", r.get()));
    ASSERT_EQ(0, CompileAGrep("abc", 0, 1, r.get())); // exact: the vectors stay
    EXPECT_EQ(1, r->counters.allocated);
    EXPECT_EQ(1, AGrep("abc", r.get()));

    // Emptying releases everything, the work vectors of an earlier compile included, and
    // the record answers -1 without touching what was released.
    EXPECT_EQ(1, AGrepEmpty(r.get()));
    EXPECT_EQ(0, r->counters.allocated);
    EXPECT_EQ(0, r->charTable['a'].allocated);
    EXPECT_EQ(-1, AGrep("abc", r.get()));
    EXPECT_EQ(1, AGrepEmpty(r.get()));

    // Compiling again needs no AGrepInit.
    ASSERT_EQ(0, CompileAGrep("abc", 1, 0, r.get()));
    EXPECT_EQ(1, AGrep("xBc", r.get()));
    EXPECT_EQ(1, AGrepEmpty(r.get()));
    EXPECT_EQ(1, AGrepInit(nullptr));
    EXPECT_EQ(1, AGrepEmpty(nullptr));
    EXPECT_EQ(-1, AGrep("abc", nullptr));
}

TEST_F(AGrepTest, ARecordThatWasNeverInitialisedIsRefused) {
    auto r = std::make_unique<ApproxRecord>(); // zeroed: state 0, mode 0, no vectors
    EXPECT_EQ(-1, AGrep("abc", r.get()));
    EXPECT_EQ(1, AGrepEmpty(r.get()));
}

TEST_F(AGrepTest, AnEmptyingThatFailsStopsAtTheVector) {
    Approx r;
    ASSERT_EQ(0, CompileAGrep("abc", 1, 1, r.get()));
    BitList held = r->charTable['q'];
    r->charTable['q'].handle = nullptr; // a vector that claims memory it does not hold
    EXPECT_EQ(0, AGrepEmpty(r.get()));
    EXPECT_EQ(-1, AGrep("abc", r.get()));
    r->charTable['q'] = held;
}

int g_blocksLeft = 0;
void* LimitedBlocks(std::size_t count, std::size_t size) {
    if (g_blocksLeft <= 0) return nullptr;
    --g_blocksLeft;
    return std::calloc(count, size);
}

TEST_F(AGrepTest, MissingMemoryFailsTheCompileAndLosesNothing) {
    LibMain(nullptr, 0, 0, nullptr);
    // A compile takes 263 blocks: four work vectors, the field tops, 256 table entries,
    // the marker and the valid mask. Running out at any of them fails it.
    for (const int blocks : {0, 3, 4, 5, 100, 261, 262}) {
        Approx r;
        g_blocksLeft = blocks;
        const bits::BlockAllocator previous = bits::SetBlockAllocator(&LimitedBlocks);
        const int code = CompileAGrep("abcdef", 2, 0, r.get());
        bits::SetBlockAllocator(previous);
        EXPECT_EQ(HGREP_ERR_NO_MEMORY, code) << blocks << " blocks";
        EXPECT_EQ(HGREP_ERR_NO_MEMORY, r->state);
        EXPECT_EQ(-1, AGrep("abcdef", r.get()));
        ASSERT_EQ(0, CompileAGrep("abcdef", 2, 0, r.get())); // usable again
        EXPECT_EQ(1, AGrep("xBCDEx", r.get()));
    }
    // A half-built record stays refused, and keeps nothing a substitution could build from.
    Approx r;
    const std::string text = "abcdef";
    ASSERT_EQ(0, CompileAGrep("uvwxyz", 2, 0, r.get()));
    ASSERT_EQ(0, AGrep(text.c_str(), r.get()));
    ASSERT_EQ(0, CompileAGrep("abcdef", 2, 0, r.get()));
    ASSERT_EQ(1, AGrep(text.c_str(), r.get()));
    g_blocksLeft = 100; // runs out inside the character table
    const bits::BlockAllocator previous = bits::SetBlockAllocator(&LimitedBlocks);
    ASSERT_EQ(HGREP_ERR_NO_MEMORY, CompileAGrep("abcdeg", 2, 0, r.get()));
    bits::SetBlockAllocator(previous);
    char out[16];
    EXPECT_EQ(HGREP_ERR_NO_PREVIOUS, AGrepSubstitute(text.c_str(), "&", out, sizeof out, r.get()));
    EXPECT_EQ(-1, AGrep(text.c_str(), r.get()));
    ASSERT_FALSE(notices_.notices().empty());
    EXPECT_EQ((testing::Notice{"Approximative Find Error", "not enough memory"}),
              notices_.notices()[0]);
}

TEST_F(AGrepTest, ChainNodesOfTheApproximateKind) {
    PushHInfo(nullptr);
    auto approx = std::make_unique<HInfo>();
    auto op = std::make_unique<HInfo>();
    auto regex = std::make_unique<HInfo>();
    ApproxRecord* a = reinterpret_cast<ApproxRecord*>(approx.get());
    AGrepInit(a);
    ASSERT_EQ(0, CompileAGrep("hello", 1, 1, a));
    approx->kind = HINFO_APPROX;
    op->kind = HINFO_OPERATOR;
    op->state = 6; // the sum of both searches
    regex->kind = HINFO_REGEX;
    ASSERT_EQ(0, CompileRGrep("w.rld", 1, reinterpret_cast<RegexRecord*>(regex.get())));
    for (HInfo* n : {approx.get(), op.get(), regex.get()}) PushHInfo(n);
    EXPECT_EQ(3, HGrep("hallo hellx, world")); // two approximate matches and one
    EXPECT_EQ(0, HGrepGetError());
    PushHInfo(nullptr);
    AGrepEmpty(a);
}

TEST_F(AGrepTest, TheStaticRecordAndItsWrappers) {
    EXPECT_EQ(1, SAGrepInit());
    EXPECT_EQ(-1, SAGrep("abc"));
    ASSERT_EQ(0, SCompileAGrep("abc", 1, 1));
    EXPECT_EQ(2, SAGrep("abx abc"));
    EXPECT_EQ(1, SAGrepInit()); // a second initialisation releases what the first held
    EXPECT_EQ(-1, SAGrep("abc"));
    EXPECT_EQ(1, SAGrepEmpty());
}

// Patterns and texts over a small alphabet (so that windows agree often), both cases,
// and a byte outside ASCII.
class Generated {
public:
    explicit Generated(uint32_t seed) : rng_(seed) {}
    std::string Text(int maxLength) {
        std::string s(Below(maxLength + 1), ' ');
        for (char& c : s) c = kAlphabet[Below(sizeof kAlphabet - 1)];
        return s;
    }
    int Below(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }

private:
    static constexpr char kAlphabet[] = "aabbcAB-\xe9";
    std::mt19937 rng_;
};

TEST_F(AGrepTest, AgreesWithTheBruteForceCount) {
    HGrepOptions(0);
    Generated gen(20261208);
    Approx r;
    int failures = 0;
    for (int i = 0; i < 6000 && failures < 10; ++i) {
        std::string pattern = gen.Text(i % 10 == 0 ? 300 : 14);
        if (pattern.empty()) pattern = "a";
        const int m = static_cast<int>(pattern.size());
        const int k = gen.Below(m + 3) - (i % 17 == 0 ? 2 : 0);
        const int cs = gen.Below(2);
        const std::string text = gen.Text(i % 10 == 0 ? 600 : 40);
        const Reference ref(pattern, k, cs);
        const int code = CompileAGrep(pattern.c_str(), k, cs, r.get());
        if (code != ref.CompileCode()) {
            ADD_FAILURE() << "pattern '" << pattern << "' k " << k << ": code " << code;
            ++failures;
            continue;
        }
        if (code) continue;
        const Answer got = Search(r.get(), text);
        const Answer want = ref.Search(text);
        if (got != want) {
            ADD_FAILURE() << "pattern '" << pattern << "' k " << k << " case " << cs << " text '"
                          << text << "': " << got << ", brute force " << want;
            ++failures;
        }
    }
}

} // namespace
} // namespace mvf::engine
