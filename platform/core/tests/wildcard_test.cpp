// File-name masks as the finder's folder walk applies them.
#include "platform/core/wildcard.h"

#include <gtest/gtest.h>

namespace mvf::platform {
namespace {

bool Match(const char* mask, const char* name) {
    return NameMask(mask).Matches(name);
}

TEST(NameMask, StarDotStarMatchesEveryNameAlsoWithoutADot) {
    EXPECT_TRUE(Match("*.*", "Makefile"));
    EXPECT_TRUE(Match("*.*", "a.b.c"));
    EXPECT_TRUE(Match("*", "x"));
    EXPECT_TRUE(Match("**", "x"));
}

TEST(NameMask, EmptyMaskMatchesNothing) {
    EXPECT_FALSE(Match("", "a.txt"));
    EXPECT_FALSE(Match("", ""));
}

TEST(NameMask, LettersCompareWithoutRegardToCase) {
    EXPECT_TRUE(Match("*.TXT", "notes.txt"));
    EXPECT_TRUE(Match("*.txt", "NOTES.TxT"));
    EXPECT_TRUE(Match("ReadMe", "README"));
    // Only A-Z and a-z fold: other bytes compare exactly.
    EXPECT_FALSE(Match("*.\xC3\xA9", "x.\xC3\x89"));
}

TEST(NameMask, SuffixMasksNeedTheWholeSuffix) {
    EXPECT_TRUE(Match("*.h", "stdio.h"));
    EXPECT_FALSE(Match("*.h", "stdio.hpp"));
    EXPECT_FALSE(Match("*.txt", "txt"));
    EXPECT_TRUE(Match("*.txt", ".txt"));
}

TEST(NameMask, QuestionMarkIsExactlyOneCharacter) {
    EXPECT_TRUE(Match("a?c", "abc"));
    EXPECT_FALSE(Match("a?c", "ac"));
    EXPECT_FALSE(Match("a?c", "abbc"));
    // One character is one UTF-8 sequence, not one byte.
    EXPECT_TRUE(Match("caf?", "caf\xC3\xA9"));
    EXPECT_FALSE(Match("caf??", "caf\xC3\xA9"));
}

TEST(NameMask, StarsBacktrack) {
    EXPECT_TRUE(Match("a*b*c", "axxbyyc"));
    EXPECT_TRUE(Match("*ab", "aab"));
    EXPECT_TRUE(Match("*a*a*a*b", "aaaaaaaaaab"));
    EXPECT_FALSE(Match("*a*a*a*b", "aaaaaaaaaa"));
    EXPECT_TRUE(Match("file?.*", "file1.cpp"));
    EXPECT_FALSE(Match("file?.*", "file1"));
    EXPECT_TRUE(Match("*\xC3\xA9?", "\xC3\xA9\xC3\xA9"));
}

} // namespace
} // namespace mvf::platform
