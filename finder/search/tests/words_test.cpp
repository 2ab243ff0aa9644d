// Splitting entered texts, the special-character tokens, and the remembered lists.
#include "finder/search/remembered_lists.h"
#include "finder/search/words.h"

#include <gtest/gtest.h>

namespace mvf::search {
namespace {

using Words = std::vector<std::string>;

TEST(SplitWords, SkipsEmptyRunsAndTrimsOnlySpaces) {
    EXPECT_EQ((Words{"c:\\temp", "d:"}), SplitWords("c:\\temp, d:", ','));
    EXPECT_EQ((Words{"a", "b"}), SplitWords(",a,,b,", ','));
    EXPECT_EQ((Words{}), SplitWords("", ','));
    EXPECT_EQ((Words{}), SplitWords(",,,", ','));
    // Two commas and a space: one word, the space, trimmed to empty.
    EXPECT_EQ((Words{""}), SplitWords(",, ", ','));
    EXPECT_EQ((Words{"\tx\t"}), SplitWords("  \tx\t  ", ','));
    EXPECT_EQ((Words{"a b"}), SplitWords(" a b ", ','));
}

TEST(SplitWords, BarsSeparateAlternatives) {
    EXPECT_EQ((Words{"one", "", "two"}), SplitWords("one| |two", '|'));
    EXPECT_EQ((Words{"one", "two"}), SplitWords("one||two", '|'));
    EXPECT_EQ((Words{"a,b"}), SplitWords("a,b", '|'));
}

TEST(ExpandTokens, ReplacesSpaceThenTabTokens) {
    EXPECT_EQ("a b", ExpandTokens("a</sp>b"));
    EXPECT_EQ("a\tb", ExpandTokens("a</tb>b"));
    EXPECT_EQ("  \t", ExpandTokens("</sp></sp></tb>"));
    EXPECT_EQ("</SP></sp", ExpandTokens("</SP></sp"));
    // Spaces first: what the first replacement leaves is not read again as a token.
    EXPECT_EQ("<\t", ExpandTokens("<</tb>"));
    EXPECT_EQ("</s>", ExpandTokens("</s>"));
}

TEST(RememberedLists, NewestFirstWithoutMovingKnownTexts) {
    std::vector<std::string> list;
    UpdateList(list, "a");
    UpdateList(list, "b");
    UpdateList(list, "a"); // already there: keeps its place
    UpdateList(list, "A"); // comparison is exact
    UpdateList(list, "");  // an empty text is remembered too
    EXPECT_EQ((Words{"", "A", "b", "a"}), list);
}

TEST(RememberedLists, HoldAtMost51) {
    std::vector<std::string> list;
    for (int i = 0; i < 52; ++i) UpdateList(list, "t" + std::to_string(i));
    ASSERT_EQ(51u, list.size());
    EXPECT_EQ("t51", list.front());
    EXPECT_EQ("t1", list.back()); // t0, the oldest, went
    // A full list loses its last entry even when the text is already in it.
    UpdateList(list, "t30");
    EXPECT_EQ(50u, list.size());
    EXPECT_EQ("t51", list.front());
    EXPECT_EQ("t2", list.back());
}

TEST(RememberedLists, UpdateListsFillsEachList) {
    RememberedLists lists;
    UpdateLists(lists, "find", "*.txt", "/tmp");
    EXPECT_EQ((Words{"find"}), lists.FindTexts);
    EXPECT_EQ((Words{"*.txt"}), lists.Masks);
    EXPECT_EQ((Words{"/tmp"}), lists.Folders);
}

} // namespace
} // namespace mvf::search
