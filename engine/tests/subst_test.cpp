// Substitution for the three kinds: the template, the size limit (terminator included,
// never passed), every failure code in its order, and the kind's messages.
#include <cstring>
#include <memory>
#include <string>

#include "engine_test_support.h"

namespace mvf::engine {
namespace {

constexpr char kGuard = '#';

class SubstTest : public testing::EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        LibMain(nullptr, 0, 0, nullptr);
        AGrepInit(approx_.get());
    }
    void TearDown() override {
        AGrepEmpty(approx_.get());
        EngineTest::TearDown();
    }
    // Runs `call` on a guarded destination of `size` bytes; what it holds afterwards.
    template <class Call> std::string Into(int size, Call call) {
        std::memset(dest_, kGuard, sizeof dest_);
        code_ = call(dest_, size);
        for (std::size_t i = size > 0 ? static_cast<std::size_t>(size) : 0; i < sizeof dest_; ++i)
            EXPECT_EQ(kGuard, dest_[i]) << "written at " << i << " with size " << size;
        if (size <= 0) return "(untouched)";
        return std::string(dest_, strnlen(dest_, static_cast<std::size_t>(size)));
    }

    std::unique_ptr<RegexRecord> regex_ = std::make_unique<RegexRecord>();
    std::unique_ptr<SoundexRecord> soundex_ = std::make_unique<SoundexRecord>();
    std::unique_ptr<ApproxRecord> approx_ = std::make_unique<ApproxRecord>();
    char dest_[64];
    int code_ = -99;
};

// A failed compile leaves the record unusable, whatever substitution is tried next: no
// search may run on what the failed compile left half-changed.
TEST_F(SubstTest, AFailedCompileLeavesEveryKindUnusable) {
    HGrepOptions(0);
    const std::string text = "xab";
    const std::string tooLong(300, 'q');
    for (const int k : {0, 1}) {
        ASSERT_EQ(0, CompileAGrep("ab", k, 0, approx_.get()));
        ASSERT_EQ(1, AGrep(text.c_str(), approx_.get()));
        EXPECT_EQ(HGREP_ERR_TOO_LONG, CompileAGrep(tooLong.c_str(), 200, 0, approx_.get()));
        Into(64, [&](char* d, int n) { return AGrepSubsBuild("&", d, n, approx_.get()); });
        EXPECT_NE(0, code_);
        EXPECT_EQ(-1, AGrep(text.c_str(), approx_.get())) << "k " << k;
        EXPECT_EQ(nullptr, approx_->matchStart[0]);
        Into(64, [&](char* d, int n) {
            return AGrepSubstitute(text.c_str(), "&", d, n, approx_.get());
        });
        EXPECT_NE(0, code_);
        EXPECT_EQ(-1, AGrep(text.c_str(), approx_.get())) << "k " << k;
    }
    ASSERT_EQ(0, CompileAGrep("ab", 1, 0, approx_.get())); // until a compile succeeds
    EXPECT_EQ(1, AGrep(text.c_str(), approx_.get()));

    ASSERT_EQ(0, CompileRGrep("a", 1, regex_.get()));
    ASSERT_EQ(1, RGrep(text.c_str(), regex_.get()));
    EXPECT_EQ(HGREP_ERR_MISSING_BRACKET, CompileRGrep("[a", 1, regex_.get()));
    Into(64,
         [&](char* d, int n) { return RGrepSubstitute(text.c_str(), "&", d, n, regex_.get()); });
    EXPECT_NE(0, code_);
    EXPECT_EQ(-1, RGrep(text.c_str(), regex_.get()));

    ASSERT_EQ(0, CompileSGrep("Rob", 0, soundex_.get()));
    ASSERT_EQ(1, SGrep("Rob", soundex_.get()));
    EXPECT_EQ(HGREP_ERR_PATTERN_TOO_LONG,
              CompileSGrep(std::string(600, 'R').c_str(), 0, soundex_.get()));
    Into(64, [&](char* d, int n) { return SGrepSubsBuild("&", d, n, soundex_.get()); });
    EXPECT_NE(0, code_);
    EXPECT_EQ(-1, SGrep("Rob", soundex_.get()));
}

// An empty result still needs its terminator: with no room at all (a null destination or
// a size of 0 or less) every call answers 3 and writes nothing, as SubsBuild always did.
TEST_F(SubstTest, AnEmptyResultWithNoRoomForItsTerminatorIsNoSpace) {
    HGrepOptions(0);
    const std::string text = "abc";
    ASSERT_EQ(0, CompileRGrep("abc", 1, regex_.get()));
    ASSERT_EQ(1, RGrep(text.c_str(), regex_.get()));
    ASSERT_EQ(0, CompileSGrep("Abc", 0, soundex_.get()));
    ASSERT_EQ(1, SGrep(text.c_str(), soundex_.get()));
    ASSERT_EQ(0, CompileAGrep("abc", 1, 1, approx_.get()));
    ASSERT_EQ(1, AGrep(text.c_str(), approx_.get()));
    for (const int size : {0, -1}) {
        for (char* destination : {dest_, static_cast<char*>(nullptr)}) {
            SCOPED_TRACE(std::to_string(size) + (destination ? " destination" : " null"));
            Into(size, [&](char*, int n) {
                return RGrepSubstitute(text.c_str(), "\\9", destination, n, regex_.get());
            });
            EXPECT_EQ(HGREP_ERR_NO_SPACE, code_);
            EXPECT_EQ(HGREP_ERR_NO_SPACE, regex_->state);
            Into(size, [&](char*, int n) {
                return SGrepSubstitute(text.c_str(), "\\1", destination, n, soundex_.get());
            });
            EXPECT_EQ(HGREP_ERR_NO_SPACE, code_);
            Into(size, [&](char*, int n) {
                return AGrepSubstitute(text.c_str(), "\\5", destination, n, approx_.get());
            });
            EXPECT_EQ(HGREP_ERR_NO_SPACE, code_);
            Into(size,
                 [&](char*, int n) { return RGrepSubsBuild("\\9", destination, n, regex_.get()); });
            EXPECT_EQ(HGREP_ERR_NO_SPACE, code_);
        }
    }
    // One byte holds the empty result.
    EXPECT_EQ("", Into(1, [&](char* d, int n) {
                  return RGrepSubstitute(text.c_str(), "\\9", d, n, regex_.get());
              }));
    EXPECT_EQ(0, code_);
}

TEST_F(SubstTest, RegularExpressionGroupsAndTheWholeMatch) {
    const std::string text = "abbcd";
    ASSERT_EQ(0, CompileRGrep("\\(b+\\)c", 1, regex_.get()));
    ASSERT_EQ(1, RGrep(text.c_str(), regex_.get()));
    auto substitute = [&](const char* t) {
        return Into(64, [&](char* d, int n) {
            return RGrepSubstitute(text.c_str(), t, d, n, regex_.get());
        });
    };
    EXPECT_EQ("a[bb]bbcd", substitute("[\\1]&"));
    EXPECT_EQ(0, code_);
    EXPECT_EQ("a&d", substitute("\\&"));
    EXPECT_EQ("abbcbbcbbcd", substitute("\\0&&"));
    EXPECT_EQ("a<>d", substitute("<\\2\\9>")); // groups the pattern never set
    EXPECT_EQ("abbcd", text);                  // the text itself is left as it was
    EXPECT_EQ("[bb]", Into(64, [&](char* d, int n) {
                  return RGrepSubsBuild("[\\1]", d, n, regex_.get());
              }));
}

TEST_F(SubstTest, TemplateEscapes) {
    const std::string text = "xy";
    ASSERT_EQ(0, CompileRGrep("y", 1, regex_.get()));
    ASSERT_EQ(1, RGrep(text.c_str(), regex_.get()));
    auto build = [&](const char* t) {
        return Into(64, [&](char* d, int n) { return RGrepSubsBuild(t, d, n, regex_.get()); });
    };
    EXPECT_EQ("\b\f\n\r\t", build("\\b\\f\\n\\r\\t"));
    EXPECT_EQ("\\.q&", build("\\\\\\.\\q\\&"));
    EXPECT_EQ("y\\", build("&\\")); // a single backslash at the end is itself
    EXPECT_EQ(0, code_);
}

TEST_F(SubstTest, SoundexMatchesHaveNoFurtherEntries) {
    const std::string text = "Dear Rupert!";
    ASSERT_EQ(0, CompileSGrep("Robert", 0, soundex_.get()));
    ASSERT_EQ(1, SGrep(text.c_str(), soundex_.get()));
    EXPECT_EQ("\t Rupert", Into(64, [&](char* d, int n) {
                  return SGrepSubsBuild("\\t&", d, n, soundex_.get());
              }));
    EXPECT_EQ(
        "", Into(64, [&](char* d, int n) { return SGrepSubsBuild("\\1", d, n, soundex_.get()); }));
    EXPECT_EQ(0, code_);
    EXPECT_EQ("Dear[ Rupert]!", Into(64, [&](char* d, int n) {
                  return SGrepSubstitute(text.c_str(), "[&]", d, n, soundex_.get());
              }));
}

TEST_F(SubstTest, ApproximateEntriesAreTheFurtherMatches) {
    const std::string text = "ab xb";
    ASSERT_EQ(0, CompileAGrep("ab", 1, 1, approx_.get()));
    ASSERT_EQ(2, AGrep(text.c_str(), approx_.get()));
    EXPECT_EQ("<xb> xb", Into(64, [&](char* d, int n) {
                  return AGrepSubstitute(text.c_str(), "<\\1>", d, n, approx_.get());
              }));
}

TEST_F(SubstTest, TheSizeCountsTheTerminatorAndIsNeverPassed) {
    const std::string text = "abcd";
    ASSERT_EQ(0, CompileRGrep("bc", 1, regex_.get()));
    ASSERT_EQ(1, RGrep(text.c_str(), regex_.get()));
    auto build = [&](int size) {
        return Into(size,
                    [&](char* d, int n) { return RGrepSubsBuild("<&>", d, n, regex_.get()); });
    };
    EXPECT_EQ("<bc>", build(5)); // exactly fits
    EXPECT_EQ(0, code_);
    EXPECT_EQ("", build(4)); // one too small: nothing half-built is left
    EXPECT_EQ(HGREP_ERR_NO_SPACE, code_);
    EXPECT_EQ(HGREP_ERR_NO_SPACE, regex_->state);
    EXPECT_EQ("(untouched)", build(0));
    EXPECT_EQ(HGREP_ERR_NO_SPACE, code_);
    EXPECT_EQ(HGREP_ERR_NO_SPACE, RGrepSubsBuild("&", nullptr, 10, regex_.get()));

    // Substitute "a" + "<bc>" + "d": each part can be the one that does not fit.
    auto substitute = [&](int size) {
        return Into(size, [&](char* d, int n) {
            return RGrepSubstitute(text.c_str(), "<&>", d, n, regex_.get());
        });
    };
    EXPECT_EQ("a<bc>d", substitute(7));
    EXPECT_EQ(0, code_);
    EXPECT_EQ(0, regex_->state);
    EXPECT_EQ("a", substitute(6)); // the text after the match does not fit
    EXPECT_EQ(HGREP_ERR_NO_SPACE, code_);
    EXPECT_EQ("a", substitute(5)); // the expansion does not fit
    EXPECT_EQ(HGREP_ERR_NO_SPACE, code_);
    EXPECT_EQ("a", substitute(2));
    EXPECT_EQ(HGREP_ERR_NO_SPACE, code_);
    EXPECT_EQ("", substitute(1)); // the text before the match does not fit
    EXPECT_EQ(HGREP_ERR_NO_SPACE, code_);
    EXPECT_EQ("(untouched)", substitute(0));
    EXPECT_EQ(HGREP_ERR_NO_SPACE, code_);
}

TEST_F(SubstTest, FailuresInTheirOrderWithTheKindsMessages) {
    const std::string text = "abc";
    // Never searched: no previous search; but an empty template is told first.
    EXPECT_EQ("", Into(8, [&](char* d, int n) {
                  return RGrepSubstitute(text.c_str(), "", d, n, regex_.get());
              }));
    EXPECT_EQ(HGREP_ERR_NO_PATTERN, code_);
    EXPECT_EQ("", Into(8, [&](char* d, int n) {
                  return RGrepSubstitute(text.c_str(), "x", d, n, regex_.get());
              }));
    EXPECT_EQ(HGREP_ERR_NO_PREVIOUS, code_);
    EXPECT_EQ(HGREP_ERR_NO_PREVIOUS, regex_->state);
    EXPECT_EQ(HGREP_ERR_NO_PATTERN, SGrepSubsBuild(nullptr, dest_, 8, soundex_.get()));
    EXPECT_EQ(HGREP_ERR_NO_PATTERN, AGrepSubsBuild("", dest_, 8, approx_.get()));
    EXPECT_EQ(HGREP_ERR_NO_PREVIOUS, AGrepSubsBuild("x", dest_, 8, approx_.get()));

    // A search that found nothing leaves nothing to substitute.
    ASSERT_EQ(0, CompileRGrep("z", 1, regex_.get()));
    ASSERT_EQ(0, RGrep(text.c_str(), regex_.get()));
    EXPECT_EQ("", Into(8, [&](char* d, int n) {
                  return RGrepSubstitute(text.c_str(), "x", d, n, regex_.get());
              }));
    EXPECT_EQ(HGREP_ERR_NO_PREVIOUS, code_);

    const std::vector<testing::Notice> want = {{"Regular Expression Error", "no pattern provided"},
                                               {"Regular Expression Error", "no previous search"},
                                               {"Soundex Error", "no pattern provided"},
                                               {"Approximative Find Error", "no pattern"},
                                               {"Approximative Find Error", "no previous search"},
                                               {"Regular Expression Error", "no previous search"}};
    EXPECT_EQ(want, notices_.notices());
}

TEST_F(SubstTest, BoundsThatDoNotFitTheTextAreABadState) {
    const std::string searched = "hello world";
    const std::string other = "hello world";
    ASSERT_EQ(0, CompileRGrep("world", 1, regex_.get()));
    ASSERT_EQ(1, RGrep(searched.c_str(), regex_.get()));
    // Another text of the same characters is not the text the bounds point into.
    EXPECT_EQ("", Into(64, [&](char* d, int n) {
                  return RGrepSubstitute(other.c_str(), "x", d, n, regex_.get());
              }));
    EXPECT_EQ(HGREP_ERR_BAD_STATE, code_);
    EXPECT_EQ(HGREP_ERR_BAD_STATE, RGrepSubstitute(nullptr, "x", dest_, 64, regex_.get()));
    EXPECT_EQ("hello x", Into(64, [&](char* d, int n) {
                  return RGrepSubstitute(searched.c_str(), "x", d, n, regex_.get());
              }));

    // An entry the text ends inside.
    const std::string shortText = "ab";
    regex_->matchStart[3] = shortText.c_str();
    regex_->matchEnd[3] = shortText.c_str() + 5;
    EXPECT_EQ("",
              Into(64, [&](char* d, int n) { return RGrepSubsBuild("&\\3", d, n, regex_.get()); }));
    EXPECT_EQ(HGREP_ERR_BAD_STATE, code_);
    EXPECT_EQ("hello ", Into(64, [&](char* d, int n) {
                  return RGrepSubstitute(searched.c_str(), "\\3", d, n, regex_.get());
              }));
    EXPECT_EQ(HGREP_ERR_BAD_STATE, code_);
    // A match whose end is missing.
    regex_->matchEnd[0] = nullptr;
    EXPECT_EQ(HGREP_ERR_BAD_STATE, RGrepSubstitute(searched.c_str(), "x", dest_, 64, regex_.get()));
    EXPECT_EQ(HGREP_ERR_NO_PREVIOUS, RGrepSubstitute(searched.c_str(), "x", dest_, 64, nullptr));
}

TEST_F(SubstTest, TheStaticRecords) {
    const std::string text = "one two three";
    ASSERT_EQ(0, SCompileRGrep("t\\(w\\)o", 1));
    ASSERT_EQ(1, SRGrep(text.c_str()));
    EXPECT_EQ("one [w] three", Into(64, [&](char* d, int n) {
                  return SRGrepSubstitute(text.c_str(), "[\\1]", d, n);
              }));
    EXPECT_EQ("two", Into(64, [&](char* d, int n) { return SRGrepSubsBuild("&", d, n); }));

    ASSERT_EQ(0, SCompileSGrep("tree", 0));
    ASSERT_EQ(1, SSGrep(text.c_str()));
    // The code "T6" is complete at the r of " thr".
    EXPECT_EQ("one two3ee",
              Into(64, [&](char* d, int n) { return SSGrepSubstitute(text.c_str(), "3", d, n); }));
    EXPECT_EQ(" thr", Into(64, [&](char* d, int n) { return SSGrepSubsBuild("&", d, n); }));

    SAGrepInit();
    ASSERT_EQ(0, SCompileAGrep("twx", 1, 1));
    ASSERT_EQ(1, SAGrep(text.c_str()));
    EXPECT_EQ("one 2 three",
              Into(64, [&](char* d, int n) { return SAGrepSubstitute(text.c_str(), "2", d, n); }));
    EXPECT_EQ("two", Into(64, [&](char* d, int n) { return SAGrepSubsBuild("&", d, n); }));
    SAGrepEmpty();
}

} // namespace
} // namespace mvf::engine
