// Printing into PDF files, read back with pdftotext: the text, the page breaks, long lines
// going on in the next row, and the selection alone.
#include <cstdio>
#include <map>
#include <regex>

#include "form_fixture.h"
#include "viewer/app/print_lines.h"

namespace mvf::viewer {
namespace {

using testing::FormFixture;

class PrintTest : public FormFixture {
protected:
    void SetUp() override {
        if (std::string(PDFTOTEXT_PATH).empty())
            GTEST_SKIP() << "pdftotext (poppler-utils) is not installed; make test installs it";
        FormFixture::SetUp();
    }
    // The PDF's text, page after page (pages end in form feeds), blanks as printed.
    std::string PdfText(const std::string& pdf) {
        const std::string command = std::string(PDFTOTEXT_PATH) + " -layout '" + pdf + "' -";
        std::string text;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char chunk[4096];
            size_t got;
            while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) text.append(chunk, got);
            ::pclose(pipe);
        }
        return text;
    }
    static std::vector<std::string> Pages(const std::string& text) {
        std::vector<std::string> pages;
        size_t start = 0;
        for (size_t feed; (feed = text.find('\f', start)) != std::string::npos; start = feed + 1)
            pages.push_back(text.substr(start, feed - start));
        return pages;
    }
    static std::vector<std::string> Lines(const std::string& page) {
        std::vector<std::string> lines;
        size_t start = 0;
        for (size_t end; (end = page.find('\n', start)) != std::string::npos; start = end + 1)
            lines.push_back(page.substr(start, end - start));
        return lines;
    }
    // The words of the PDF's first page with their left and right edges, in points.
    struct Word {
        double left;
        double right;
        std::string text;
    };
    std::vector<Word> Words(const std::string& pdf) {
        const std::string command =
            std::string(PDFTOTEXT_PATH) + " -bbox -f 1 -l 1 '" + pdf + "' -";
        std::string html;
        if (FILE* pipe = ::popen(command.c_str(), "r")) {
            char chunk[4096];
            size_t got;
            while ((got = std::fread(chunk, 1, sizeof chunk, pipe)) > 0) html.append(chunk, got);
            ::pclose(pipe);
        }
        std::vector<Word> words;
        const std::regex word(
            R"re(<word xMin="([0-9.]+)" yMin="[0-9.]+" xMax="([0-9.]+)" yMax="[0-9.]+">([^<]*)</word>)re");
        for (auto it = std::sregex_iterator(html.begin(), html.end(), word);
             it != std::sregex_iterator(); ++it)
            words.push_back({std::stod((*it)[1]), std::stod((*it)[2]), (*it)[3]});
        return words;
    }
    std::string Print(bool selection) {
        const std::string pdf = folder.Path(selection ? "selection.pdf" : "all.pdf");
        dialogs.AnswerPrint(PrintChoice{selection}, QString::fromStdString(pdf));
        form->Print1Click();
        return PdfText(pdf);
    }
};

TEST_F(PrintTest, EveryLineIsPrintedInOrderAcrossPagesWithTabsExpanded) {
    std::string text;
    for (int n = 1; n <= 150; ++n) text += "line " + std::to_string(n) + "\tend\n";
    ASSERT_TRUE(form->LoadAFile(folder.File("doc.txt", text)));
    const std::vector<std::string> pages = Pages(Print(false));
    ASSERT_GE(pages.size(), 2u) << "150 lines need more than one page";
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_FALSE(dialogs.Requests()[0].selectionAllowed) << "no selection to offer";

    // Every line once, in order, and each page full but the last.
    std::vector<std::string> printed;
    size_t firstPageRows = 0;
    for (size_t p = 0; p < pages.size(); ++p) {
        size_t rows = 0;
        for (const std::string& line : Lines(pages[p])) {
            if (line.find("line") == std::string::npos) continue;
            printed.push_back(line.substr(line.find("line")));
            ++rows;
        }
        if (p == 0) firstPageRows = rows;
        if (p + 1 < pages.size()) {
            EXPECT_EQ(rows, firstPageRows) << "page " << p + 1;
        }
    }
    ASSERT_EQ(printed.size(), 150u);
    for (size_t i = 0; i < printed.size(); ++i)
        EXPECT_EQ(printed[i].rfind("line " + std::to_string(i + 1) + " ", 0), 0u) << printed[i];
}

TEST_F(PrintTest, LinesWiderThanThePageGoOnInTheNextRowAndStopAt1024Characters) {
    std::string wide;
    for (int n = 0; n < 40; ++n) wide += "word" + std::to_string(n % 10) + "-";
    std::string huge(3000, 'h');
    ASSERT_TRUE(form->LoadAFile(folder.File("wide.txt", wide + "\n" + huge + "\n")));
    form->Action("Wordwrap1")->trigger(); // one display line per line
    std::string all;
    for (const std::string& page : Pages(Print(false))) all += page;
    std::string rows;
    for (const std::string& line : Lines(all)) {
        const size_t first = line.find_first_not_of(' ');
        if (first != std::string::npos) rows += line.substr(first) + "|";
    }
    // The wide line comes back whole over several rows.
    std::string joined;
    for (char c : rows)
        if (c != '|') joined += c;
    EXPECT_NE(joined.find(wide), std::string::npos);
    EXPECT_GT(std::count(rows.begin(), rows.end(), '|'), 3);
    // The 3,000-character line is cut to 1,024.
    EXPECT_EQ(std::count(joined.begin(), joined.end(), 'h'), 1024);
}

TEST_F(PrintTest, TheSelectionAloneKeepsItsPlaceOnTheLine) {
    ASSERT_TRUE(form->LoadAFile(folder.File("doc.txt", "abcdefgh\n0123456789\nqwertyuiop\n")));
    editor::TOvcTextFileEditor& ed = Active()->Editor1().Editor();
    ed.SetSelection({2, 5}, {3, 4});
    const std::vector<std::string> pages = Pages(Print(true));
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_TRUE(dialogs.Requests()[0].selectionAllowed);
    ASSERT_EQ(pages.size(), 1u);
    std::vector<std::string> lines;
    for (const std::string& line : Lines(pages[0]))
        if (line.find_first_not_of(' ') != std::string::npos) lines.push_back(line);
    ASSERT_EQ(lines.size(), 2u) << pages[0];
    EXPECT_NE(lines[0].find("456789"), std::string::npos);
    EXPECT_EQ(lines[0].find("0123"), std::string::npos);
    EXPECT_EQ(lines[1].substr(lines[1].find("qwe")), "qwe");
    // Four blanks stand where "0123" was: the selected text starts four characters in.
    std::map<std::string, Word> words;
    for (const Word& word : Words(folder.Path("selection.pdf"))) words[word.text] = word;
    ASSERT_EQ(words.size(), 2u);
    ASSERT_TRUE(words.count("456789") && words.count("qwe"));
    const double charWidth = (words["qwe"].right - words["qwe"].left) / 3;
    EXPECT_NEAR(words["456789"].left - words["qwe"].left, 4 * charWidth, charWidth / 4);

    // Cancelled: nothing printed.
    dialogs.AnswerPrint(std::nullopt);
    form->Print1Click();
    EXPECT_TRUE(dialogs.AllAsExpected()) << dialogs.Describe();
}

TEST(PrintLines, TabsExpandBlanksReplaceTheTextBeforeTheSelectionAndRowsFillPages) {
    editor::TOvcTextFileEditor ed;
    ASSERT_EQ(ed.Paragraphs().InsertText({1, 1}, "a\tb\n\xC3\xA9t\xC3\xA9 done\nlast"), 0);
    ed.SetTabSize(4);
    EXPECT_EQ(AllPrintLines(ed.Paragraphs()),
              (std::vector<std::string>{"a   b", "\xC3\xA9t\xC3\xA9 done", "last"}));
    // From the "done" of line 2 (after three characters of five bytes and a blank) to
    // the "l" of "last".
    ed.SetSelection({2, 7}, {3, 2});
    EXPECT_EQ(SelectionPrintLines(ed), (std::vector<std::string>{"    done", "l"}));
    // A selection that ends at the start of a line does not print that line.
    ed.SetSelection({1, 3}, {2, 1});
    EXPECT_EQ(SelectionPrintLines(ed), (std::vector<std::string>{"    b"}));

    const auto pages = PrintPages({"abcdefg", "", "\xC3\xA9\xC3\xA9\xC3\xA9"}, 3, 2);
    EXPECT_EQ(pages, (std::vector<std::vector<std::string>>{
                         {"abc", "def"}, {"g", ""}, {"\xC3\xA9\xC3\xA9\xC3\xA9"}}));
}

} // namespace
} // namespace mvf::viewer
