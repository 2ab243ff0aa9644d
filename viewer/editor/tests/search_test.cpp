// Search and replace: the matcher against a plain scan, and the editor's operations.
#include <gtest/gtest.h>

#include <cctype>
#include <random>

#include "editor_test_support.h"
#include "text_search.h"
#include "viewer/editor/editor_errors.h"

namespace mvf::editor {
namespace {

using testing::EditorFixture;
using testing::Paras;
using Text = std::vector<std::string>;

// Every position where the pattern counts, found the slow way.
std::vector<size_t> PlainMatches(const std::string& text, const std::string& pattern,
                                 bool matchCase, bool wholeWords) {
    std::vector<size_t> out;
    auto up = [&](char c) { return matchCase ? c : static_cast<char>(std::toupper(c)); };
    for (size_t at = 0; at + pattern.size() <= text.size(); ++at) {
        bool same = true;
        for (size_t i = 0; i < pattern.size() && same; ++i)
            same = up(text[at + i]) == up(pattern[i]);
        if (!same) continue;
        const size_t end = at + pattern.size();
        if (wholeWords && !((at == 0 || TOvcCustomEditor::IsDelimiter(text[at - 1])) &&
                            (end == text.size() || TOvcCustomEditor::IsDelimiter(text[end]))))
            continue;
        out.push_back(at);
    }
    return out;
}

TEST(TextMatcher, AgreesWithAPlainScanForwardAndBackward) {
    std::mt19937 rng(7);
    auto word = [&](int max, const char* alphabet) {
        std::string s(rng() % max + 1, ' ');
        for (char& c : s) c = alphabet[rng() % 5];
        return s;
    };
    for (int n = 0; n < 20000; ++n) {
        const std::string text = word(30, "abA ,");
        const std::string pattern = word(4, "aBb a");
        const bool matchCase = rng() % 2, whole = rng() % 2;
        const TextMatcher m(pattern, matchCase, whole, TOvcCustomEditor::IsDelimiter);
        const auto all = PlainMatches(text, pattern, matchCase, whole);
        const size_t from = rng() % (text.size() + 1);
        const size_t end = from + rng() % (text.size() - from + 1);
        size_t first = TextMatcher::npos, last = TextMatcher::npos;
        for (size_t at : all) {
            if (at < from || at + pattern.size() > end) continue;
            if (first == TextMatcher::npos) first = at;
            last = at;
        }
        ASSERT_EQ(m.FindFirst(text, from, end), first) << "'" << pattern << "' in '" << text << "'";
        ASSERT_EQ(m.FindLast(text, from, end), last) << "'" << pattern << "' in '" << text << "'";
    }
}

TEST(TextMatcher, CutsPatternsTo255Characters) {
    const std::string text(300, 'x');
    const TextMatcher m(std::string(300, 'x'), true, false, TOvcCustomEditor::IsDelimiter);
    EXPECT_EQ(m.Length(), 255u);
    EXPECT_EQ(m.FindFirst(text, 0, text.size()), 0u);
    EXPECT_EQ(m.FindLast(text, 0, text.size()), 45u);
}

using EditorSearch = EditorFixture;

TEST_F(EditorSearch, FindsForwardOnAndBackwardBeforeTheCaret) {
    Load({"word and Word", "a word, words"});
    EXPECT_TRUE(ed.Search("word", kSearchMatchCase));
    EXPECT_EQ(ed.Anchor(), (ParaPos{1, 1}));
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 5}));
    EXPECT_TRUE(ed.Search("word", kSearchMatchCase));
    EXPECT_EQ(ed.Caret(), (ParaPos{2, 7}));
    EXPECT_TRUE(ed.Search("word", 0)); // case-blind
    EXPECT_EQ(ed.SelectionStart(), (ParaPos{2, 9}));
    EXPECT_FALSE(ed.Search("word", kSearchWholeWords)); // "words" is not a whole word
    // Backward from a line's end: the nearest earlier one, then earlier lines.
    ed.SetCaret({1, 14});
    EXPECT_TRUE(ed.Search("word", kSearchBackward));
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 10}));
    EXPECT_EQ(ed.Anchor(), (ParaPos{1, 14}));
    EXPECT_TRUE(ed.Search("word", kSearchBackward | kSearchMatchCase));
    EXPECT_EQ(ed.Caret(), (ParaPos{1, 1}));
    EXPECT_FALSE(ed.Search("word", kSearchBackward | kSearchMatchCase));
    EXPECT_TRUE(ed.Search("word", kSearchBackward | kSearchWholeText | kSearchWholeWords));
    EXPECT_EQ(ed.Caret(), (ParaPos{2, 3}));
    // Whole words: before a comma or between blanks, never at the start of a longer word.
    Load({"an answer (an), an"});
    EXPECT_TRUE(ed.Search("an", kSearchWholeWords));
    EXPECT_TRUE(ed.Search("an", kSearchWholeWords));
    EXPECT_EQ(ed.SelectionStart(), (ParaPos{1, 12}));
    EXPECT_TRUE(ed.Search("an", kSearchWholeWords));
    EXPECT_EQ(ed.SelectionStart(), (ParaPos{1, 17}));
}

TEST_F(EditorSearch, ReplaceOneReplacesTheSelectedMatchAndSelectsTheNext) {
    Load({"cat cat", "cat"});
    EXPECT_EQ(ed.Replace("cat", "dog", kSearchReplaceOne), 0); // nothing selected: find only
    EXPECT_EQ(ed.SelectedText(), "cat");
    EXPECT_EQ(ed.Replace("CAT", "dog", kSearchReplaceOne), 1);
    EXPECT_EQ(list().ParaText(1), "dog cat");
    EXPECT_EQ(ed.SelectionStart(), (ParaPos{1, 5}));
    EXPECT_EQ(ed.Replace("cat", "dog", kSearchReplaceOne), 1);
    EXPECT_EQ(ed.Replace("cat", "dog", kSearchReplaceOne), 1);
    EXPECT_EQ(Paras(list()), (Text{"dog dog", "dog", ""}));
    EXPECT_EQ(ed.Replace("cat", "dog", kSearchReplaceOne), -1);
    // Each replacement is its own undo group.
    Do(ccUndo);
    EXPECT_EQ(list().ParaText(2), "cat");
    EXPECT_EQ(list().ParaText(1), "dog dog");
}

TEST_F(EditorSearch, ReplaceAllWorksFromTheCaretAndMovesTheRangeEnd) {
    Load({"aa aa", "aa x aa", "aa"});
    ed.SetCaret({2, 2});
    EXPECT_EQ(ed.Replace("aa", "bbbb", kSearchReplaceAll), 2);
    EXPECT_EQ(Paras(list()), (Text{"aa aa", "aa x bbbb", "bbbb", ""}));
    EXPECT_FALSE(ed.HasSelection());
    ed.SetSelection({1, 1}, {1, 6});
    EXPECT_EQ(ed.Replace("a", "", kSearchReplaceAll | kSearchSelection), 4);
    EXPECT_EQ(list().ParaText(1), " ");
    ed.SetCaret({4, 1});
    EXPECT_EQ(ed.Replace("b", "c", kSearchReplaceAll | kSearchBackward), 8);
    EXPECT_EQ(ed.Replace("zz", "c", kSearchReplaceAll | kSearchWholeText), -1);
}

TEST_F(EditorSearch, ALimitStopsReplaceAllWithItsCode) {
    Load({"ab ab ab"});
    list().SetParaLengthLimit(12);
    EXPECT_EQ(ed.Replace("ab", "abcd", kSearchReplaceAll | kSearchWholeText), kErrParagraphTooLong);
    EXPECT_EQ(errors, (std::vector<int>{kErrParagraphTooLong}));
    EXPECT_EQ(list().ParaText(1), "abcd abcd ab");
}

} // namespace
} // namespace mvf::editor
