// The widget the main window embeds: its status texts and signals, and the speed search
// as the user meets it (a letter opens the box, Enter finds, Escape closes).
#include <QLineEdit>
#include <QSignalSpy>

#include "view_fixture.h"

namespace mvf::view {
namespace {

using platform::BoxIcon;
using testing::AddFile;
using testing::AddFiles;

class ResultsViewTest : public testing::ViewFixture {
protected:
    QWidget* Panel() { return view_.findChild<QWidget*>(QStringLiteral("VFSSPanel")); }
    QLineEdit* Box() { return view_.findChild<QLineEdit*>(QStringLiteral("VFSS")); }
};

TEST_F(ResultsViewTest, PanelTextsFollowTheSelectionTheRowsAndTheSummary) {
    AddFiles(list_, {"/x/one", "/x/two", "/x/three"});
    Show();
    QSignalSpy changed(&view_, &ResultsView::listChanged);
    QSignalSpy summary(&view_, &ResultsView::summaryChanged);
    EXPECT_EQ("", view_.SelectionText());
    EXPECT_EQ("Files With Hits: 3", view_.HitsText());

    ClickRow(0);
    EXPECT_EQ("one", view_.SelectionText());
    EXPECT_GE(changed.size(), 1);
    QTest::keyClick(&List(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ("3 Files Selected", view_.SelectionText());

    const int before = int(changed.size());
    AddFile(list_, "/x/four");
    EXPECT_GT(changed.size(), before);
    EXPECT_EQ("Files With Hits: 4", view_.HitsText());

    list_.SetSearchSummary("Filemask:  *.txt");
    ASSERT_EQ(1, summary.size());
    EXPECT_EQ("Filemask:  *.txt", summary[0][0].toString());
    EXPECT_EQ("Filemask:  *.txt", view_.SummaryText());

    list_.SetSort(results::kNoSort, true);
    EXPECT_EQ("", view_.SortText());
}

TEST_F(ResultsViewTest, ALetterOpensTheSpeedSearchAndEnterFindsFromTheSelectedEntry) {
    list_.SetAutoSort(false);
    AddFiles(list_, {"/a/report", "/a/zebra", "/a/Recipe", "/a/alpha"});
    Show();
    ASSERT_FALSE(Panel()->isVisible());
    ClickRow(1); // zebra
    QTest::keyClick(&List(), Qt::Key_R);
    ASSERT_TRUE(Panel()->isVisible());
    EXPECT_EQ(QSize(185, 32), Panel()->size());
    EXPECT_EQ("r", Box()->text());
    EXPECT_EQ(1, Box()->cursorPosition());
    EXPECT_TRUE(Box()->hasFocus());

    QTest::keyClicks(Box(), "E");
    QTest::keyClick(Box(), Qt::Key_Return);
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_EQ("", Box()->text());
    EXPECT_EQ((std::vector<std::size_t>{2}), view_.SelectedRows()) << "Recipe, after zebra";
    EXPECT_EQ(2, List().currentIndex().row());
    EXPECT_TRUE(List().hasFocus());

    // From Recipe on, "rep" is found only after wrapping round to the top: report.
    QTest::keyClick(&List(), Qt::Key_R);
    QTest::keyClicks(Box(), "ep");
    QTest::keyClick(Box(), Qt::Key_Enter);
    EXPECT_EQ((std::vector<std::size_t>{0}), view_.SelectedRows());
    EXPECT_TRUE(notifier_.Boxes().empty());
}

TEST_F(ResultsViewTest, NoMatchIsToldAndEscapeClosesTheBox) {
    AddFiles(list_, {"/a/one", "/a/two"});
    Show();
    ClickRow(1);
    QTest::keyClick(&List(), Qt::Key_Q);
    QTest::keyClick(Box(), Qt::Key_Return);
    ASSERT_EQ(1u, notifier_.Boxes().size());
    const platform::MessageBox box = notifier_.Boxes()[0].box;
    EXPECT_EQ("Speed Search", box.caption);
    EXPECT_EQ("No Match Found!", box.text);
    EXPECT_EQ(BoxIcon::Information, box.icon);
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_EQ((std::vector<std::size_t>{1}), view_.SelectedRows()) << "the selection stays";

    QTest::keyClick(&List(), Qt::Key_O);
    ASSERT_TRUE(Panel()->isVisible());
    QTest::keyClick(Box(), Qt::Key_Escape);
    EXPECT_FALSE(Panel()->isVisible());
    EXPECT_EQ("", Box()->text());
    EXPECT_TRUE(List().hasFocus());
    EXPECT_EQ((std::vector<std::size_t>{1}), view_.SelectedRows());
    EXPECT_EQ(1u, notifier_.Boxes().size());
}

TEST_F(ResultsViewTest, OnlyLettersOpenTheBoxAndNotWhileASearchRunsOrTheListIsHeld) {
    AddFiles(list_, {"/a/one", "/a/2two"});
    Show();
    QTest::keyClick(&List(), Qt::Key_2);
    QTest::keyClick(&List(), Qt::Key_O, Qt::ControlModifier);
    EXPECT_FALSE(Panel()->isVisible());

    view_.SetSearchRunning(true);
    QTest::keyClick(&List(), Qt::Key_O);
    EXPECT_FALSE(Panel()->isVisible());
    view_.SetSearchRunning(false);
    QTest::keyClick(&List(), Qt::Key_O);
    EXPECT_TRUE(Panel()->isVisible());
    // A search starting closes an open box.
    view_.SetSearchRunning(true);
    EXPECT_FALSE(Panel()->isVisible());
    view_.SetSearchRunning(false);

    view_.SetListHeld(true);
    QTest::keyClick(&List(), Qt::Key_O);
    EXPECT_FALSE(Panel()->isVisible());
}

} // namespace
} // namespace mvf::view
