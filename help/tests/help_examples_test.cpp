// Every example of the content-expression tables in the help, run through the finder's own
// search (mvfind, as a real process on a real file): each must be found, not found or
// refused exactly as its row says.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "help_test_support.h"
#include "testsupport/run_program.h"

namespace {

using mvf::testing::HtmlNode;

struct Example {
    int line = 0;
    std::string find;
    std::vector<std::string> arguments; // mvfind options for the row's options
    std::string fileText;
    std::string expected; // "yes", "no" or "refused"
    std::string message;  // for "refused": what the refusal must say
};

std::string Trim(std::string text) {
    const auto first = text.find_first_not_of(" \n");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \n") - first + 1);
}

void ReplaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
}

// The file an example's third cell shows: a line per row of the cell, an arrow for a tab,
// no-break spaces for leading spaces.
std::string FileText(const HtmlNode& cell) {
    std::string text = mvf::testing::TextOf(cell);
    ReplaceAll(text, "\xE2\x86\x92", "\t");
    ReplaceAll(text, "\xC2\xA0", " ");
    return text + "\n";
}

std::vector<std::string> OptionArguments(const std::string& options, int line) {
    std::vector<std::string> arguments;
    std::size_t at = 0;
    while (at < options.size()) {
        std::size_t end = options.find(',', at);
        if (end == std::string::npos) end = options.size();
        const std::string option = Trim(options.substr(at, end - at));
        if (option == "Match case")
            arguments.push_back("--match-case");
        else if (option == "Boolean AND")
            arguments.push_back("--and");
        else if (option == "Boolean OR")
            arguments.push_back("--or");
        else if (!option.empty())
            ADD_FAILURE() << "line " << line << ": unknown option " << option;
        at = end + 1;
    }
    return arguments;
}

std::string MessageOf(const HtmlNode& cell) {
    for (const auto& v : mvf::testing::Elements(cell))
        if (v.element->HasClass("message")) return mvf::testing::TextOf(*v.element);
    return {};
}

void ReadRows(const HtmlNode& node, std::vector<Example>& examples) {
    for (const HtmlNode& row : node.children) {
        if (!row.element) continue;
        if (row.name == "thead" || row.name == "tbody") ReadRows(row, examples);
        if (row.name != "tr") continue;
        std::vector<const HtmlNode*> cells;
        for (const HtmlNode& cell : row.children)
            if (cell.element && cell.name == "td") cells.push_back(&cell);
        if (cells.empty()) continue; // the heading row
        if (cells.size() != 5) {
            ADD_FAILURE() << "line " << row.line << ": an example row needs five cells";
            continue;
        }
        Example e;
        e.line = row.line;
        e.find = mvf::testing::TextOf(*cells[0]);
        e.arguments = OptionArguments(mvf::testing::TextOf(*cells[1]), row.line);
        e.fileText = FileText(*cells[2]);
        e.expected = Trim(mvf::testing::TextOf(*cells[3]));
        e.message = MessageOf(*cells[4]);
        examples.push_back(std::move(e));
    }
}

std::vector<Example> Examples(int& tables) {
    std::vector<Example> examples;
    tables = 0;
    for (const auto& v : mvf::testing::Elements(mvf::testing::HelpDocument().root)) {
        if (v.element->name != "table" || !v.element->HasClass("examples")) continue;
        ++tables;
        const std::size_t before = examples.size();
        ReadRows(*v.element, examples);
        EXPECT_GT(examples.size(), before)
            << "line " << v.element->line << ": a table of no examples";
    }
    return examples;
}

TEST(HelpExamplesTest, EveryExampleBehavesInTheSearchAsTheHelpSays) {
    int tables = 0;
    const std::vector<Example> examples = Examples(tables);
    EXPECT_GE(tables, 10) << "one table per part of the expression language";
    EXPECT_GE(examples.size(), 60u);

    for (const Example& e : examples) {
        SCOPED_TRACE("help line " + std::to_string(e.line) + ": find text \"" + e.find + "\"");
        mvf::testing::TempFolder folder;
        folder.File("example.txt", e.fileText);
        std::vector<std::string> args = {"--quiet", "--find", e.find};
        args.insert(args.end(), e.arguments.begin(), e.arguments.end());
        args.push_back(folder.Root());
        const mvf::testing::ProgramRun run =
            mvf::testing::RunProgram(MVFIND_PATH, args, folder.Root());
        if (e.expected == "yes") {
            EXPECT_EQ(0, run.status) << "should be found in:\n" << e.fileText << run.err;
        } else if (e.expected == "no") {
            EXPECT_EQ(1, run.status) << "should not be found in:\n" << e.fileText << run.err;
        } else if (e.expected == "refused") {
            EXPECT_EQ(2, run.status) << "should be refused";
            ASSERT_FALSE(e.message.empty()) << "a refused example names its message";
            EXPECT_NE(std::string::npos, run.err.find(e.message)) << "the refusal says:\n"
                                                                  << run.err;
        } else {
            ADD_FAILURE() << "the Found cell says \"" << e.expected
                          << "\"; yes, no or refused expected";
        }
    }
}

} // namespace
