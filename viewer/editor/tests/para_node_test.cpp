// Paragraph storage and wrapping.
#include <gtest/gtest.h>

#include <memory>

#include "viewer/editor/para_node.h"

namespace mvf::editor {
namespace {

struct NodeDeleter {
    void operator()(TParaNode* n) const { TParaNode::Destroy(n); }
};
using Node = std::unique_ptr<TParaNode, NodeDeleter>;

std::vector<std::string> Lines(const TParaNode& n) {
    std::vector<std::string> out;
    for (int32_t l = 1; l <= n.LineCount(); ++l)
        out.emplace_back(n.Text().substr(n.LineStart(l), n.LineLength(l)));
    return out;
}

Node Wrapped(std::string_view text, int32_t width, int32_t tabSize = 8) {
    Node n(TParaNode::Create(text));
    n->Wrap({width, tabSize});
    return n;
}

TEST(ParaNodeWrap, BreaksAfterBlanksAndHyphensOrCutsAtTheWidth) {
    EXPECT_EQ(Lines(*Wrapped("abcd efgh ijkl", 10)),
              (std::vector<std::string>{"abcd efgh ", "ijkl"}));
    EXPECT_EQ(Lines(*Wrapped("abcdefghijklmno", 10)),
              (std::vector<std::string>{"abcdefghij", "klmno"}));
    EXPECT_EQ(Lines(*Wrapped("abcd-efghijkl", 10)),
              (std::vector<std::string>{"abcd-", "efghijkl"}));
    // Blanks at a break hang at the end of the upper line.
    EXPECT_EQ(Lines(*Wrapped("abcdefghij   klm", 10)),
              (std::vector<std::string>{"abcdefghij   ", "klm"}));
    // Text that fits, empty text and "never wrap" give one line.
    EXPECT_EQ(Wrapped("abcdefghij", 10)->LineCount(), 1);
    EXPECT_EQ(Wrapped("", 10)->LineCount(), 1);
    EXPECT_EQ(Wrapped(std::string(500, 'x'), 0)->LineCount(), 1);
}

TEST(ParaNodeWrap, AHyphenBreaksOnlyWhereItStillFitsTheWidth) {
    // At column 10 it fits and the line breaks after it.
    EXPECT_EQ(Lines(*Wrapped("abcdefghi-jklm", 10)),
              (std::vector<std::string>{"abcdefghi-", "jklm"}));
    // At column 11 it would hang past the wrap column, visible where "Wrap to Window" puts
    // the window's edge (a blank may hang there, showing nothing): no break at it.
    EXPECT_EQ(Lines(*Wrapped("abcdefghij-klm", 10)),
              (std::vector<std::string>{"abcdefghij", "-klm"}));
    EXPECT_EQ(Lines(*Wrapped("abc defghij-klm", 10)),
              (std::vector<std::string>{"abc ", "defghij-", "klm"}));
}

TEST(ParaNodeWrap, CountsTabsInDisplayColumns) {
    // "\tab" is 10 columns wide with tab size 8: the break comes after "a".
    EXPECT_EQ(Lines(*Wrapped("\tabc", 9)), (std::vector<std::string>{"\ta", "bc"}));
    EXPECT_EQ(Lines(*Wrapped("\tx\ty", 4)), (std::vector<std::string>{"\t", "x\t", "y"}));
    // A tab wider than the whole line still makes progress.
    EXPECT_EQ(Lines(*Wrapped("\tab", 2)), (std::vector<std::string>{"\t", "ab"}));
}

TEST(ParaNodeWrap, LongParagraphsMapPositionsToLines) {
    const Node n = Wrapped(std::string(1000, 'x'), 10);
    ASSERT_EQ(n->LineCount(), 100);
    EXPECT_EQ(n->LineOfPosition(1), 1);
    EXPECT_EQ(n->LineOfPosition(10), 1);
    EXPECT_EQ(n->LineOfPosition(11), 2); // a line's start belongs to that line
    EXPECT_EQ(n->LineOfPosition(500), 50);
    EXPECT_EQ(n->LineOfPosition(501), 51);
    EXPECT_EQ(n->LineOfPosition(1001), 100);
    // Re-wrapping wider drops the table and reports the change in lines.
    EXPECT_EQ(n->Wrap({0, 8}), -99);
}

TEST(ParaNodeStorage, CapacityFollowsTheGrowthRule) {
    Node n(TParaNode::Create("abc"));
    EXPECT_EQ(n->Capacity(), 8);
    EXPECT_EQ(Node(TParaNode::Create(""))->Capacity(), 0);
    EXPECT_EQ(Node(TParaNode::Create("12345678"))->Capacity(), 16);
    TParaNode* grown = TParaNode::Reserve(n.release(), 9);
    n.reset(grown);
    EXPECT_EQ(n->Capacity(), 24); // steps of 16, room kept for the terminator
    n->InsertText(3, "defghi");
    n->EraseText(0, 2);
    EXPECT_EQ(n->Text(), "cdefghi");
}

} // namespace
} // namespace mvf::editor
