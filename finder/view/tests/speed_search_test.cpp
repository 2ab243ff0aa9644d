// The speed search's rule: the first name beginning with the typed text, letter case
// ignored, from the selected entry on and round to the top.
#include "speed_search.h"

#include <gtest/gtest.h>

#include "view_test_support.h"

namespace mvf::view {
namespace {

using testing::AddFiles;

class SpeedSearchTest : public ::testing::Test {
protected:
    void SetUp() override {
        list_.SetAutoSort(false); // rows in the order given
        AddFiles(list_, {"/a/Report.txt", "/a/readme", "/b/zebra", "/b/RECIPE.md", "/c/alpha"});
    }
    std::optional<std::size_t> Find(const char* typed, std::size_t start) {
        return FindNameStartingWith(list_, QString::fromUtf8(typed), start);
    }
    results::ResultsList list_;
};

TEST_F(SpeedSearchTest, FindsTheFirstNameFromTheStartRowOnIgnoringLetterCase) {
    EXPECT_EQ(0u, Find("r", 0));
    EXPECT_EQ(0u, Find("REP", 0));
    EXPECT_EQ(1u, Find("r", 1)) << "the start row itself counts";
    EXPECT_EQ(3u, Find("rec", 0));
    EXPECT_EQ(3u, Find("Recipe.MD", 2));
    EXPECT_EQ(2u, Find("z", 0));
}

TEST_F(SpeedSearchTest, WrapsToTheTopAfterTheLastRow) {
    EXPECT_EQ(0u, Find("r", 4)) << "from alpha on, report is found after wrapping";
    EXPECT_EQ(1u, Find("readme", 2));
    EXPECT_EQ(4u, Find("a", 4));
    EXPECT_EQ(0u, Find("report", 99)) << "a start past the end starts at the top";
}

TEST_F(SpeedSearchTest, NothingWhenNoNameBeginsWithTheText) {
    EXPECT_FALSE(Find("q", 0));
    EXPECT_FALSE(Find("readmex", 0)) << "longer than every name";
    EXPECT_FALSE(Find("eport", 0)) << "only the beginning of a name counts";
    EXPECT_FALSE(FindNameStartingWith(results::ResultsList(), QStringLiteral("a"), 0));
}

TEST_F(SpeedSearchTest, LettersBeyondAsciiFoldTooAndBadBytesNeverMatchLetters) {
    testing::AddFile(list_, "/d/\xc3\x89t\xc3\xa9.txt"); // Été.txt
    testing::AddFile(list_, "/d/\xff"
                            "bad");
    EXPECT_EQ(5u, Find("\xc3\xa9t\xc3\xa9", 0)) << "été finds Été";
    EXPECT_EQ(5u, Find("\xc3\x89T", 0));
    EXPECT_FALSE(Find("\xc3\xbf", 0)) << "the byte 0xff is no ÿ";
    EXPECT_EQ(6u, Find("\xef\xbf\xbd"
                       "bad",
                       0))
        << "it shows, and is found, as the mark";
}

} // namespace
} // namespace mvf::view
