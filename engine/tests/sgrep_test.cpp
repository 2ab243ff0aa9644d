// The Soundex search: codes, the carried encoder state, the prefix rule, bounds, messages,
// and a plain transcription of the search compared with the library's on generated texts.
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>

#include "engine_test_support.h"
#include "plain_soundex.h"

namespace mvf::engine {
namespace {

using testing::PlainSoundex;

class SGrepTest : public testing::EngineTest {
protected:
    std::string CodeOf(const char* pattern) {
        EXPECT_EQ(0, CompileSGrep(pattern, 0, r_.get()));
        return r_->code;
    }
    // The match of `pattern` in `text` as offsets, or -1, -1.
    std::pair<long, long> Find(const char* pattern, const std::string& text) {
        EXPECT_EQ(0, CompileSGrep(pattern, 0, r_.get()));
        const int found = SGrep(text.c_str(), r_.get());
        for (int n = 1; n < MVFG_BOUNDS; ++n) EXPECT_EQ(nullptr, r_->matchStart[n]);
        if (found != 1) return {-1, -1};
        return {r_->matchStart[0] - text.c_str(), r_->matchEnd[0] - text.c_str()};
    }
    std::unique_ptr<SoundexRecord> r_ = std::make_unique<SoundexRecord>();
};

using Bounds = std::pair<long, long>;
const Bounds kNone{-1, -1};

TEST_F(SGrepTest, Codes) {
    EXPECT_EQ("L", CodeOf("Lee"));
    EXPECT_EQ("R163", CodeOf("Robert"));
    EXPECT_EQ("T522", CodeOf("Tymczak"));
    EXPECT_EQ("P236", CodeOf("Pfister"));  // P and F share their digit
    EXPECT_EQ("A226", CodeOf("Ashcraft")); // the H parts the two 2s
    EXPECT_EQ("J5 S53", CodeOf("John Smith"));
    EXPECT_EQ("J5", CodeOf(" john, "));
    EXPECT_EQ("W252", CodeOf("washington")); // a fourth digit is not written
    EXPECT_EQ("", CodeOf("123"));
}

TEST_F(SGrepTest, WordsThatSoundAlike) {
    EXPECT_EQ(Bounds(0, 10), Find("John Smith", "Jon   Smyth")); // done at the t
    EXPECT_EQ(Bounds(0, 9), Find("John Smith", "John-Smith"));
    EXPECT_EQ(kNone, Find("John Smith", "John X Smith"));
    EXPECT_EQ(kNone, Find("John Smith", "Johnathan Smith")); // a 3 where a space is due
    EXPECT_EQ(Bounds(0, 6), Find("Robert", "Rupert"));       // the t writes the last digit
}

TEST_F(SGrepTest, TheEncoderStateCarriesFromOneStartToTheNext) {
    EXPECT_EQ(Bounds(0, 5), Find("John", " John")); // starts at the separator
    EXPECT_EQ(kNone, Find("John", "xjohn"));        // the j continues the word of the x
    EXPECT_EQ(Bounds(4, 8), Find("John", "the john"));
}

TEST_F(SGrepTest, ThePatternCodeNeedOnlyBeAPrefix) {
    EXPECT_EQ(Bounds(0, 4), Find("John", "Johnson"));
    EXPECT_EQ(Bounds(0, 4), Find("Smith", "Smithson"));
    EXPECT_EQ(Bounds(2, 3), Find("Lee", "a Lo")); // the code "L" is done at the L
    EXPECT_EQ(kNone, Find("John", ""));
}

TEST_F(SGrepTest, FailuresAndTheirMessages) {
    LibMain(nullptr, 0, 0, nullptr);
    EXPECT_EQ(HGREP_ERR_NO_PATTERN, CompileSGrep("", 0, r_.get()));
    EXPECT_EQ(HGREP_ERR_NO_PATTERN, r_->state);
    EXPECT_EQ(-1, SGrep("text", r_.get())); // unusable until a compile succeeds
    EXPECT_EQ(-1, r_->state);
    EXPECT_EQ(HGREP_ERR_NO_PATTERN, CompileSGrep(nullptr, 0, r_.get()));

    ASSERT_EQ(0, CompileSGrep("John", 0, r_.get()));
    EXPECT_EQ(-1, SGrep(nullptr, r_.get()));
    EXPECT_EQ(-1, r_->state);

    // A pattern the record cannot hold is refused, not cut.
    EXPECT_EQ(HGREP_ERR_PATTERN_TOO_LONG, CompileSGrep(std::string(512, 'a').c_str(), 0, r_.get()));
    EXPECT_EQ(0, CompileSGrep(std::string(511, 'a').c_str(), 0, r_.get()));

    // No letters: an empty code, which the search reports, answering 0 with state 0.
    ASSERT_EQ(0, CompileSGrep("123", 0, r_.get()));
    const std::string text = "John";
    EXPECT_EQ(0, SGrep(text.c_str(), r_.get()));
    EXPECT_EQ(0, r_->state);

    const std::vector<testing::Notice> want = {{"SGrep", "No regular expression provided"},
                                               {"Soundex Error", "previous error in CompileSGrep"},
                                               {"SGrep", "No regular expression provided"},
                                               {"Soundex Error", "no string to search"},
                                               {"Soundex Error", "pattern too long"},
                                               {"Soundex Error", "no pattern"}};
    EXPECT_EQ(want, notices_.notices());
}

TEST_F(SGrepTest, AFailedSearchLeavesNoBoundsBehind) {
    const std::string text = "John";
    ASSERT_EQ(0, CompileSGrep("John", 0, r_.get()));
    ASSERT_EQ(1, SGrep(text.c_str(), r_.get()));
    EXPECT_EQ(0, SGrep("Mary", r_.get()));
    EXPECT_EQ(nullptr, r_->matchStart[0]);
    ASSERT_EQ(1, SGrep(text.c_str(), r_.get()));
    ASSERT_EQ(0, CompileSGrep("42", 0, r_.get())); // the empty code clears them too
    EXPECT_EQ(0, SGrep(text.c_str(), r_.get()));
    EXPECT_EQ(nullptr, r_->matchStart[0]);
}

TEST_F(SGrepTest, TheStaticRecord) {
    EXPECT_EQ(0, SSGrep("John")); // zeroed: no pattern yet
    ASSERT_EQ(0, SCompileSGrep("Rupert", 12345));
    EXPECT_EQ(1, SSGrep("Dear Robert,"));
}

// Texts with long runs (of separators, vowels, one digit, many digits) between short
// words, so that attempts cross the same stretches from many start positions.
std::string GeneratedText(std::mt19937& rng) {
    static const std::string pieces[] = {"a", "e", "b", "p", "c", "s", "d", "l", "m",   "r",
                                         "h", "y", "J", "R", " ", ",", "7", "-", "Jon", "Rob"};
    std::string text;
    const int count = static_cast<int>(rng() % 12);
    for (int i = 0; i < count; ++i) {
        const std::string& piece = pieces[rng() % std::size(pieces)];
        const int times = rng() % 4 == 0 ? static_cast<int>(rng() % 60) : 1;
        for (int t = 0; t < times; ++t) text += piece;
    }
    return text;
}

TEST_F(SGrepTest, AgreesWithThePlainSearch) {
    HGrepOptions(0);
    static const char* patterns[] = {"J",   "Jon",   "Rob",  "Rupert bell", "A",      "Ab",
                                     "Abc", "Smith", "Lee",  "a b",         "Bcdlmr", "Ye e",
                                     "Ha",  "Pp",    "j, r", "Rrrrr",       "Y"};
    std::mt19937 rng(1208);
    int failures = 0;
    for (int i = 0; i < 20000 && failures < 10; ++i) {
        const std::string text = GeneratedText(rng);
        const char* pattern = patterns[rng() % std::size(patterns)];
        const std::string code = PlainSoundex::Encode(pattern);
        const auto want = PlainSoundex::Search(code, text);
        const Bounds got = Find(pattern, text);
        EXPECT_EQ(code, r_->code);
        if (got != (want ? *want : kNone)) {
            ADD_FAILURE() << "pattern '" << pattern << "' text '" << text << "': " << got.first
                          << ".." << got.second << ", plain " << (want ? want->first : -1) << ".."
                          << (want ? want->second : -1);
            ++failures;
        }
    }
}

} // namespace
} // namespace mvf::engine
