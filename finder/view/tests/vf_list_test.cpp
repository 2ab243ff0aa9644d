// The list's gestures: header clicks with their rules and the sort texts, Enter, Delete
// and a double-click, single or multiple selection, the first entry selected, widths.
#include <QSignalSpy>

#include "view_fixture.h"

namespace mvf::view {
namespace {

using testing::AddFile;
using testing::Names;

class VFListTest : public testing::ViewFixture {
protected:
    void SetUp() override {
        AddFile(list_, "/d/b.txt", 30, "01/02/2000 10:00:00 AM", "01/05/2000 10:00:00 AM");
        AddFile(list_, "/c/a.txt", 200, "01/03/2000 10:00:00 AM", "01/04/2000 10:00:00 AM");
        AddFile(list_, "/e/c.txt", 1000, "01/01/2000 10:00:00 AM", "01/06/2000 10:00:00 AM");
        Show();
    }
};

TEST_F(VFListTest, HeaderClicksSortAndTellTheSortText) {
    QSignalSpy told(&view_, &ResultsView::sortChanged);
    ASSERT_EQ("a.txt b.txt c.txt", Names(list_));
    EXPECT_EQ("Sort: Name - (A-Z)", view_.SortText());

    ClickHeader(0); // the sort column again: Z-A
    EXPECT_EQ("c.txt b.txt a.txt", Names(list_));
    ClickHeader(1); // another column always starts ascending
    EXPECT_EQ("a.txt b.txt c.txt", Names(list_)) << "/c /d /e";
    ClickHeader(1);
    EXPECT_EQ("c.txt b.txt a.txt", Names(list_));
    ClickHeader(2);
    EXPECT_EQ("b.txt a.txt c.txt", Names(list_)) << "sizes by value: 30 200 1000";
    ClickHeader(2);
    ClickHeader(3);
    EXPECT_EQ("c.txt b.txt a.txt", Names(list_));
    ClickHeader(3);
    ClickHeader(4);
    EXPECT_EQ("a.txt b.txt c.txt", Names(list_));
    ClickHeader(4);
    EXPECT_EQ("c.txt b.txt a.txt", Names(list_));

    const char* texts[] = {
        "Sort: Name - (Z-A)",          "Sort: Path - (A-Z)",        "Sort: Path - (Z-A)",
        "Sort: Size - (0-9)",          "Sort: Size - (9-0)",        "Sort: Creation Date - (0-9)",
        "Sort: Creation Date - (9-0)", "Sort: Edited Date - (0-9)", "Sort: Edited Date - (9-0)"};
    ASSERT_EQ(9, told.size());
    for (int i = 0; i < 9; ++i) EXPECT_EQ(texts[i], told[i][0].toString()) << i;
    EXPECT_EQ(4, List().header()->sortIndicatorSection());
    EXPECT_EQ(Qt::DescendingOrder, List().header()->sortIndicatorOrder());

    // Two quick clicks (the second comes as a double-click) sort twice: largest first.
    DoubleClickHeader(2);
    EXPECT_EQ("c.txt a.txt b.txt", Names(list_));
    EXPECT_EQ("Sort: Size - (9-0)", view_.SortText());
}

TEST_F(VFListTest, HeaderClicksDoNothingWhileAutomaticSortingIsOffOrTheListIsHeld) {
    QSignalSpy told(&view_, &ResultsView::sortChanged);
    list_.SetAutoSort(false); // a search runs
    ClickHeader(2);
    ClickHeader(0);
    EXPECT_EQ("a.txt b.txt c.txt", Names(list_));
    EXPECT_EQ(0, list_.SortColumn());
    EXPECT_TRUE(list_.SortAscending());
    // The header's arrow shows the list's order, not the click.
    EXPECT_EQ(0, List().header()->sortIndicatorSection());
    EXPECT_EQ(Qt::AscendingOrder, List().header()->sortIndicatorOrder());

    list_.SetAutoSort(true); // the search ended: sorted once, and told
    ASSERT_EQ(1, told.size());
    EXPECT_EQ("Sort: Name - (A-Z)", told[0][0].toString());

    view_.SetListHeld(true); // a results file is being saved
    ClickHeader(2);
    EXPECT_EQ("a.txt b.txt c.txt", Names(list_));
    EXPECT_EQ(0, list_.SortColumn());
    view_.SetListHeld(false);
    ClickHeader(2);
    EXPECT_EQ("b.txt a.txt c.txt", Names(list_));
}

TEST_F(VFListTest, EnterDeleteAndADoubleClickAskOnlyWhenAnEntryIsSelected) {
    QSignalSpy open(&view_, &ResultsView::openRequested);
    QSignalSpy remove(&view_, &ResultsView::deleteRequested);
    QTest::keyClick(&List(), Qt::Key_Return);
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(0, open.size());
    EXPECT_EQ(0, remove.size());

    ClickRow(1);
    QTest::keyClick(&List(), Qt::Key_Return);
    QTest::keyClick(&List(), Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(&List(), Qt::Key_Delete);
    EXPECT_EQ(2, open.size());
    EXPECT_EQ(1, remove.size());
    DoubleClickAt(RowPoint(2));
    EXPECT_EQ(3, open.size());
    EXPECT_EQ((std::vector<std::size_t>{2}), view_.SelectedRows());
    // Below the last row there is nothing to open.
    DoubleClickAt(QPoint(10, List().viewport()->height() - 2));
    EXPECT_TRUE(view_.SelectedRows().empty());
    EXPECT_EQ(3, open.size());
}

TEST_F(VFListTest, MultipleSelectionUnlessSwitchedOff) {
    ClickRow(0);
    ClickRow(2, Qt::ControlModifier);
    EXPECT_EQ((std::vector<std::size_t>{0, 2}), view_.SelectedRows());
    ClickRow(1, Qt::ShiftModifier);
    EXPECT_EQ(3u, view_.SelectedCount());

    // Switched off with three selected, the focused one stays.
    view_.SetMultiSelection(false);
    EXPECT_EQ((std::vector<std::size_t>{1}), view_.SelectedRows());
    ClickRow(0);
    ClickRow(2, Qt::ControlModifier);
    EXPECT_EQ((std::vector<std::size_t>{2}), view_.SelectedRows());
    QTest::keyClick(&List(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(1u, view_.SelectedCount());

    view_.SetMultiSelection(true);
    QTest::keyClick(&List(), Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ((std::vector<std::size_t>{0, 1, 2}), view_.SelectedRows());
}

TEST_F(VFListTest, TheFirstEntryIsSelectedOnlyWhenNoneIsSelectedOrFocused) {
    EXPECT_TRUE(view_.SelectFirstIfNone());
    EXPECT_EQ((std::vector<std::size_t>{0}), view_.SelectedRows());
    EXPECT_EQ(0, List().currentIndex().row());

    ClickRow(2);
    EXPECT_FALSE(view_.SelectFirstIfNone());
    EXPECT_EQ((std::vector<std::size_t>{2}), view_.SelectedRows());
    // Focused but not selected (a ctrl-click took the selection away) still counts.
    ClickRow(2, Qt::ControlModifier);
    EXPECT_TRUE(view_.SelectedRows().empty());
    EXPECT_FALSE(view_.SelectFirstIfNone());

    list_.Clear();
    EXPECT_FALSE(view_.SelectFirstIfNone()) << "an empty list selects nothing";
}

TEST_F(VFListTest, ColumnWidthsComeFromTheSettingsAndGoBack) {
    view_.SetColumnWidths({150, 9999, 0, 80, 120});
    EXPECT_EQ((std::array<int, 5>{150, 100, 100, 80, 120}), view_.ColumnWidths());
    List().header()->resizeSection(1, 240);
    EXPECT_EQ(240, view_.ColumnWidths()[1]);
}

} // namespace
} // namespace mvf::view
