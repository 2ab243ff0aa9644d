// The help windows over a help file written by the test (offscreen).
#include <QAbstractTextDocumentLayout>
#include <QPushButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextBrowser>

#include <gtest/gtest.h>

#include "platform/qt/help_viewer.h"
#include "testsupport/qt_print.h"
#include "testsupport/temp_folder.h"

namespace mvf::platform {
namespace {

using testing::TempFolder;

const char* const kTopics[] = {"IDX_search_results_window",
                               "IDX_operating_the_morvel_vantor_finder",
                               "IDX_what_to_look_for_tab",
                               "IDX_look_where_tab",
                               "IDX_how_to_search_tab",
                               "IDX_results_handling_tab",
                               "context-1000",
                               "context-1008"};

// A help file in which every topic is a heading with a long text below it.
std::string HelpFile(const TempFolder& folder) {
    std::string html = "<html><head><title>Help</title></head><body>";
    for (const char* topic : kTopics) {
        html += std::string("<h2 id=\"") + topic + "\">Topic " + topic + "</h2>";
        for (int i = 0; i < 40; ++i) html += "<p>Text of " + std::string(topic) + ".</p>";
    }
    html += "<p><a name=\"last-words\"></a>The end.</p></body></html>";
    return folder.File("mfinder.html", html);
}

// The top of the anchor's block in document coordinates; -1 when there is none.
int AnchorTop(QTextBrowser* browser, const QString& anchor) {
    QTextDocument* document = browser->document();
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        bool here = block.charFormat().anchorNames().contains(anchor);
        for (auto it = block.begin(); !it.atEnd(); ++it)
            here = here || it.fragment().charFormat().anchorNames().contains(anchor);
        if (here)
            return static_cast<int>(document->documentLayout()->blockBoundingRect(block).top());
    }
    return -1;
}

QPushButton* Button(QWidget* window, const QString& text) {
    for (QPushButton* button : window->findChildren<QPushButton*>())
        if (button->text() == text) return button;
    return nullptr;
}

void ExpectAtAnchor(QTextBrowser* browser, const QString& anchor) {
    ASSERT_NE(nullptr, browser);
    EXPECT_EQ(anchor, browser->source().fragment());
    const int top = AnchorTop(browser, anchor);
    ASSERT_GT(top, 0) << anchor.toStdString();
    const int shown = browser->verticalScrollBar()->value();
    EXPECT_LE(shown, top) << anchor.toStdString();
    EXPECT_GT(shown + browser->viewport()->height(), top) << anchor.toStdString();
}

TEST(HelpViewerTest, TopicsAndContextsScrollToTheirAnchors) {
    TempFolder folder;
    const std::string file = HelpFile(folder);
    TempFolder empty;
    HelpViewer help({empty.Root(), folder.Root()});
    EXPECT_EQ(file, help.FindFile());
    EXPECT_EQ(nullptr, help.Window(HelpPane::Main));

    for (const char* topic : {"IDX_look_where_tab", "IDX_results_handling_tab",
                              "IDX_search_results_window", "IDX_how_to_search_tab"}) {
        help.ShowTopic(topic);
        ASSERT_NE(nullptr, help.Window(HelpPane::Main));
        EXPECT_TRUE(help.Window(HelpPane::Main)->isVisible());
        ExpectAtAnchor(help.Browser(HelpPane::Main), topic);
    }
    help.ShowContext(1000);
    ExpectAtAnchor(help.Browser(HelpPane::Main), "context-1000");
    EXPECT_EQ("context-1008", ContextAnchor(1008));
    EXPECT_EQ(nullptr, help.Window(HelpPane::Graphics)); // not opened by the main topics
}

TEST(HelpViewerTest, TheGraphicsWindowIsASecondSmallerWindowAndEachIsOneInstance) {
    TempFolder folder;
    HelpFile(folder);
    HelpViewer help({folder.Root()});
    help.ShowContext(1000);
    help.ShowContext(1008, HelpPane::Graphics);
    QWidget* main = help.Window(HelpPane::Main);
    QWidget* graphics = help.Window(HelpPane::Graphics);
    ASSERT_NE(nullptr, graphics);
    EXPECT_NE(main, graphics);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(graphics->isVisible());
    EXPECT_LT(graphics->width() * graphics->height(), main->width() * main->height());
    ExpectAtAnchor(help.Browser(HelpPane::Graphics), "context-1008");
    ExpectAtAnchor(help.Browser(HelpPane::Main), "context-1000");

    // Closed with its button, it opens again as the same window.
    QPushButton* close = Button(graphics, "&Close");
    ASSERT_NE(nullptr, close);
    close->click();
    EXPECT_FALSE(graphics->isVisible());
    help.ShowContext(1008, HelpPane::Graphics);
    EXPECT_EQ(graphics, help.Window(HelpPane::Graphics));
    EXPECT_TRUE(graphics->isVisible());
    help.ShowTopic("IDX_look_where_tab");
    EXPECT_EQ(main, help.Window(HelpPane::Main));
    ExpectAtAnchor(help.Browser(HelpPane::Main), "IDX_look_where_tab");
}

TEST(HelpViewerTest, BackAndForwardRetraceTheTopicsShown) {
    TempFolder folder;
    HelpFile(folder);
    HelpViewer help({folder.Root()});
    help.ShowTopic("IDX_what_to_look_for_tab");
    QWidget* window = help.Window(HelpPane::Main);
    QPushButton* back = Button(window, "&Back");
    QPushButton* forward = Button(window, "&Forward");
    ASSERT_TRUE(back && forward);
    EXPECT_FALSE(back->isEnabled());
    help.ShowTopic("IDX_results_handling_tab");
    EXPECT_TRUE(back->isEnabled());
    back->click();
    ExpectAtAnchor(help.Browser(HelpPane::Main), "IDX_what_to_look_for_tab");
    EXPECT_TRUE(forward->isEnabled());
    forward->click();
    ExpectAtAnchor(help.Browser(HelpPane::Main), "IDX_results_handling_tab");
}

TEST(HelpViewerTest, AMissingFileOrTopicShowsAPageSayingSo) {
    TempFolder folder;
    HelpViewer help({folder.Root()});
    EXPECT_EQ("", help.FindFile());
    help.ShowContext(1000);
    QTextBrowser* browser = help.Browser(HelpPane::Main);
    ASSERT_NE(nullptr, browser);
    EXPECT_TRUE(help.Window(HelpPane::Main)->isVisible());
    QString text = browser->toPlainText();
    EXPECT_TRUE(text.contains("Help could not be found")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString(folder.Path("mfinder.html"))))
        << text.toStdString();

    const std::string file = HelpFile(folder);
    help.ShowTopic("IDX_no_such_topic");
    text = browser->toPlainText();
    EXPECT_TRUE(text.contains("Help could not be found")) << text.toStdString();
    EXPECT_TRUE(text.contains("IDX_no_such_topic")) << text.toStdString();

    // The file's own text comes back for a topic it has.
    help.ShowTopic("IDX_how_to_search_tab");
    ExpectAtAnchor(browser, "IDX_how_to_search_tab");
    EXPECT_FALSE(browser->toPlainText().contains("could not be found"));
    help.ShowTopic("last-words"); // an <a name> anchor is a topic too
    EXPECT_FALSE(browser->toPlainText().contains("could not be found"));

    // Back passes over the page that said so, to the topics around it.
    help.ShowTopic("IDX_not_there_either");
    EXPECT_TRUE(browser->toPlainText().contains("IDX_not_there_either"));
    help.ShowTopic("IDX_look_where_tab");
    browser->backward();
    EXPECT_TRUE(browser->toPlainText().contains("IDX_not_there_either"));
    browser->backward(); // the file at the missing topic's address
    browser->backward();
    ExpectAtAnchor(browser, "last-words");
}

} // namespace
} // namespace mvf::platform
