// The help file as the help window needs it: well formed, every topic the programs open
// present once at its heading, every link landing on an anchor, nothing from outside but
// pictures beside it, a contents list that reaches every topic.
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "help_test_support.h"

namespace {

using mvf::testing::ElementVisit;
using mvf::testing::HelpDocument;
using mvf::testing::HelpFilePath;
using mvf::testing::HtmlNode;

// The topic ids and context numbers at which the finder opens its help.
const std::vector<std::string> kProgramAnchors = {
    "context-1000",
    "context-1008",
    "IDX_search_results_window",
    "IDX_operating_the_morvel_vantor_finder",
    "IDX_what_to_look_for_tab",
    "IDX_look_where_tab",
    "IDX_how_to_search_tab",
    "IDX_results_handling_tab",
};

bool IsHeading(const HtmlNode& node) {
    return node.element && node.name.size() == 2 && node.name[0] == 'h' && node.name[1] >= '1' &&
           node.name[1] <= '6';
}

// Every <a name="..."> with the element it sits in, by name.
std::map<std::string, std::vector<ElementVisit>> Anchors(const HtmlNode& root) {
    std::map<std::string, std::vector<ElementVisit>> anchors;
    for (const ElementVisit& v : mvf::testing::Elements(root))
        if (v.element->name == "a" && v.element->attributes.count("name"))
            anchors[v.element->Attribute("name")].push_back(v);
    return anchors;
}

const HtmlNode* FindElement(const HtmlNode& root, const std::string& name) {
    for (const ElementVisit& v : mvf::testing::Elements(root))
        if (v.element->name == name) return v.element;
    return nullptr;
}

// The anchor name a heading carries, or an empty text.
std::string HeadingAnchor(const HtmlNode& heading) {
    for (const ElementVisit& v : mvf::testing::Elements(heading))
        if (v.element->name == "a" && v.element->attributes.count("name"))
            return v.element->Attribute("name");
    return {};
}

TEST(HelpFileTest, ReadsAsWellFormedHtml) {
    const std::string source = mvf::testing::ReadAll(HelpFilePath());
    ASSERT_FALSE(source.empty()) << "no help file at " << HelpFilePath();
    std::string faults;
    for (const std::string& fault : HelpDocument().faults) faults += fault + "\n";
    EXPECT_EQ("", faults);

    // One html element holding a head with a title and a body: what the window expects.
    const HtmlNode* html = FindElement(HelpDocument().root, "html");
    ASSERT_NE(nullptr, html);
    ASSERT_NE(nullptr, FindElement(*html, "head"));
    EXPECT_NE(nullptr, FindElement(*FindElement(*html, "head"), "title"));
    EXPECT_NE(nullptr, FindElement(*html, "body"));
    int topLevel = 0;
    for (const HtmlNode& node : HelpDocument().root.children) topLevel += node.element ? 1 : 0;
    EXPECT_EQ(1, topLevel) << "everything belongs inside <html>";
}

TEST(HelpFileTest, EveryTopicTheProgramsOpenIsThereOnceAtItsHeading) {
    const auto anchors = Anchors(HelpDocument().root);
    for (const std::string& name : kProgramAnchors) {
        SCOPED_TRACE(name);
        const auto found = anchors.find(name);
        ASSERT_NE(found, anchors.end()) << "missing anchor";
        ASSERT_EQ(1u, found->second.size()) << "anchor given more than once";
        const ElementVisit& place = found->second.front();
        EXPECT_TRUE(IsHeading(*place.parent))
            << "anchor sits in <" << place.parent->name << "> on line " << place.element->line;
        EXPECT_NE("", mvf::testing::TextOf(*place.parent)) << "heading without a title";
    }
}

TEST(HelpFileTest, EveryAnchorNameIsUsedOnce) {
    for (const auto& [name, places] : Anchors(HelpDocument().root)) {
        EXPECT_FALSE(name.empty()) << "an empty anchor name on line " << places[0].element->line;
        EXPECT_EQ(1u, places.size()) << name << " is given on lines " << places[0].element->line
                                     << " and " << places.back().element->line;
    }
}

TEST(HelpFileTest, EveryLinkLandsOnAnAnchorOfThisFile) {
    const auto anchors = Anchors(HelpDocument().root);
    int links = 0;
    for (const ElementVisit& v : mvf::testing::Elements(HelpDocument().root)) {
        for (const auto& [key, value] : v.element->attributes)
            EXPECT_FALSE(key.size() > 2 && key.compare(0, 2, "on") == 0)
                << "script handler " << key << " on line " << v.element->line;
        if (v.element->name != "a" || !v.element->attributes.count("href")) continue;
        ++links;
        const std::string href = v.element->Attribute("href");
        if (href.empty() || href[0] != '#') {
            ADD_FAILURE() << "line " << v.element->line << ": " << href << " leaves the help file";
            continue;
        }
        EXPECT_TRUE(anchors.count(href.substr(1)))
            << "line " << v.element->line << ": no anchor " << href;
    }
    EXPECT_GT(links, 0);
}

TEST(HelpFileTest, PicturesLieBesideTheFile) {
    const std::filesystem::path folder = std::filesystem::path(HelpFilePath()).parent_path();
    for (const ElementVisit& v : mvf::testing::Elements(HelpDocument().root)) {
        if (v.element->name != "img") continue;
        const std::string src = v.element->Attribute("src");
        EXPECT_TRUE(!src.empty() && src.find('/') == std::string::npos &&
                    src.find(':') == std::string::npos)
            << "line " << v.element->line << ": picture " << src << " is not a file beside it";
        EXPECT_TRUE(std::filesystem::is_regular_file(folder / src))
            << "line " << v.element->line << ": no picture " << src << " in " << folder;
    }
}

TEST(HelpFileTest, TheContentsAtTheTopLinkEveryTopic) {
    const HtmlNode* body = FindElement(HelpDocument().root, "body");
    ASSERT_NE(nullptr, body);
    const HtmlNode* contents = nullptr;
    for (const HtmlNode& node : body->children) {
        if (node.element && node.name == "h2") break; // the contents come before any topic
        if (node.element && node.HasClass("contents")) contents = &node;
    }
    ASSERT_NE(nullptr, contents) << "no <div class=\"contents\"> before the first topic";
    std::set<std::string> listed;
    for (const ElementVisit& v : mvf::testing::Elements(*contents))
        if (v.element->name == "a" && v.element->attributes.count("href"))
            listed.insert(v.element->Attribute("href").substr(1));

    int topics = 0;
    for (const ElementVisit& v : mvf::testing::Elements(*body)) {
        if (!IsHeading(*v.element) || v.element->name == "h1") continue;
        const std::string anchor = HeadingAnchor(*v.element);
        if (anchor.empty()) continue; // a heading inside a topic, not a topic of its own
        ++topics;
        EXPECT_TRUE(listed.count(anchor)) << "topic " << anchor << " (line " << v.element->line
                                          << ") is missing from the contents";
    }
    EXPECT_GE(topics, static_cast<int>(kProgramAnchors.size()) - 1);
    for (const std::string& name : kProgramAnchors) {
        if (name != "context-1000") {
            EXPECT_TRUE(listed.count(name)) << name;
        }
    }
}

// The special-character map shows its topic in a small secondary window: the topic must
// wrap to any width, so it holds no table and no preformatted block.
TEST(HelpFileTest, TheSpecialCharacterTopicReadsInANarrowWindow) {
    const HtmlNode* body = FindElement(HelpDocument().root, "body");
    ASSERT_NE(nullptr, body);
    bool inTopic = false;
    int paragraphs = 0;
    for (const HtmlNode& node : body->children) {
        if (!node.element) continue;
        if (node.name == "h2") {
            if (inTopic) break;
            inTopic = HeadingAnchor(node) == "context-1008";
            continue;
        }
        if (!inTopic) continue;
        for (const ElementVisit& v : mvf::testing::Elements(node)) {
            EXPECT_NE("table", v.element->name) << "line " << v.element->line;
            EXPECT_NE("pre", v.element->name) << "line " << v.element->line;
        }
        paragraphs += node.name == "p" ? 1 : 0;
    }
    EXPECT_GE(paragraphs, 5) << "the topic should tell every control of the window";
}

} // namespace
