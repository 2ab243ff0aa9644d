// The reader the help file's tests rest on: it must report what the help window would
// misread, or the checks of the help file would pass on a broken file.
#include <string>

#include <gtest/gtest.h>

#include "html_reader.h"

namespace {

using mvf::testing::ReadHtml;

std::string Faults(const std::string& html) {
    std::string all;
    for (const std::string& fault : ReadHtml(html).faults) all += fault + "\n";
    return all;
}

TEST(HtmlReaderTest, AcceptsWellFormedHtmlAndDecodesIt) {
    const std::string html = "<!DOCTYPE HTML>\n<html><head><style>p { color: red; }</style>"
                             "</head>\n<body><!-- <b> in a comment -->"
                             "<p class=\"a b\">x &lt;/sp&gt; &amp; &rarr;&#65;&#x42;<br>"
                             "y<br/></p><img src='p.png'></body></html>";
    const auto doc = ReadHtml(html);
    EXPECT_TRUE(doc.faults.empty()) << Faults(html);
    const auto elements = mvf::testing::Elements(doc.root);
    const mvf::testing::HtmlNode* p = nullptr;
    for (const auto& v : elements)
        if (v.element->name == "p") p = v.element;
    ASSERT_NE(nullptr, p);
    EXPECT_TRUE(p->HasClass("b"));
    EXPECT_FALSE(p->HasClass("a b"));
    EXPECT_EQ("x </sp> & \xE2\x86\x92"
              "AB\ny\n",
              mvf::testing::TextOf(*p));
    EXPECT_EQ(3, p->line);
}

TEST(HtmlReaderTest, ReportsElementsLeftOpenOrClosedOutOfOrder) {
    EXPECT_NE("", Faults("<html><body><p>text</body></html>")); // <p> never closed
    EXPECT_NE("", Faults("<html><body><b><i>x</b></i></body></html>"));
    EXPECT_NE("", Faults("<html><body></div></body></html>")); // closes nothing
    EXPECT_NE("", Faults("<html><body><p>x</p>"));             // body and html left open
    EXPECT_NE("", Faults("<html><p/></html>"));                // only empty elements self-close
    EXPECT_NE("", Faults("<html><!-- never closed </html>"));
    // The line of the element left open is named.
    EXPECT_NE(std::string::npos, Faults("<html>\n\n<ul>\n</html>").find("line 3"));
}

TEST(HtmlReaderTest, ReportsWhatTheWindowWouldMisread) {
    EXPECT_NE("", Faults("<html>a < b</html>"));             // bare <
    EXPECT_NE("", Faults("<html>fish & chips</html>"));      // bare &
    EXPECT_NE("", Faults("<html>&nosuch;</html>"));          // unknown entity
    EXPECT_NE("", Faults("<html>&#xZZ;</html>"));            // bad reference
    EXPECT_NE("", Faults("<html><a href=#x>x</a></html>"));  // unquoted value
    EXPECT_NE("", Faults("<html><td nowrap>x</td></html>")); // value missing
    EXPECT_NE("", Faults("<html><a name=\"x\" name=\"y\">x</a></html>"));
    EXPECT_NE("", Faults("<html><script>x</script></html>")); // not shown by the window
    EXPECT_NE("", Faults("<html><bR>x</html>"));              // capitals
    EXPECT_NE("", Faults("<html>caf\xC3\xA9</html>"));        // not ASCII
}

} // namespace
