// Reads the help file as the strict, XML-like HTML the help window is given: every element
// closed in order (except the few empty ones), attribute values quoted, only the elements
// and character entities the window knows, plain ASCII. What does not follow these rules is
// reported as a fault with its line, and the tree is built from what could be read.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace mvf::testing {

struct HtmlNode {
    bool element = false;                          // otherwise a run of text
    std::string name;                              // the element's name, lower case
    std::map<std::string, std::string> attributes; // values with entities decoded
    std::string text;                              // a text run, entities decoded to UTF-8
    std::vector<HtmlNode> children;
    int line = 0; // where it begins in the file

    std::string Attribute(std::string_view key) const;
    bool HasClass(std::string_view cls) const;
};

struct HtmlDocument {
    HtmlNode root; // an element without a name, holding the top-level nodes
    std::vector<std::string> faults;
};

HtmlDocument ReadHtml(std::string_view source);

// The text under a node, entities decoded; a <br> becomes a line feed.
std::string TextOf(const HtmlNode& node);

// Every element under `node` (itself included) in document order, with its parent.
struct ElementVisit {
    const HtmlNode* element;
    const HtmlNode* parent;
};
std::vector<ElementVisit> Elements(const HtmlNode& node);

} // namespace mvf::testing
