// The model over the results list: what each cell shows, and how the list's changes
// reach the views (one by one, or in batches during a bulk change), checked against Qt's
// own model tester, which stops the test at the first inconsistent signal.
#include "finder/view/results_model.h"

#include <QAbstractItemModelTester>
#include <QItemSelectionModel>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include "view_test_support.h"

namespace mvf::view {
namespace {

using testing::AddFile;
using testing::Names;

QString Cell(const ResultsModel& model, int row, int column, int role = Qt::DisplayRole) {
    return model.data(model.index(row, column), role).toString();
}

class ResultsModelTest : public ::testing::Test {
protected:
    results::ResultsList list_;
    ResultsModel model_{list_};
    QAbstractItemModelTester tester_{&model_,
                                     QAbstractItemModelTester::FailureReportingMode::Fatal};
};

TEST_F(ResultsModelTest, CellsShowTheRowsTextsWithNamesAndFoldersInTheirOwnCase) {
    list_.AddItem("/Home/Ann/Read Me.TXT", "07/04/1999 03:15:42 PM", "(unknown)", 1234,
                  {.IsUnix = true});
    list_.AddItem("/bad\xff/name\xfe.c", "(unknown)", "12/31/2001 11:59:59 AM", 0, {});

    ASSERT_EQ(2, model_.rowCount());
    EXPECT_EQ(5, model_.columnCount());
    // Sorted by name: "Read Me.TXT" comes after "bad..." only in a C collation, so look
    // the rows up by their folder.
    const int ann = Cell(model_, 0, 1) == "/Home/Ann" ? 0 : 1;
    const int bad = 1 - ann;
    EXPECT_EQ("Read Me.TXT", Cell(model_, ann, 0));
    EXPECT_EQ("/Home/Ann", Cell(model_, ann, 1));
    EXPECT_EQ("1234", Cell(model_, ann, 2));
    // The time texts are shown in lower case, the created one with its leading spaces.
    EXPECT_EQ("    07/04/1999 03:15:42 pm", Cell(model_, ann, 3));
    EXPECT_EQ("(unknown)", Cell(model_, ann, 4));
    EXPECT_EQ("12/31/2001 11:59:59 am", Cell(model_, bad, 4));
    // A byte that is not UTF-8 shows as one replacement mark; the row keeps the byte.
    EXPECT_EQ(QString::fromUtf8("name\xef\xbf\xbd.c"), Cell(model_, bad, 0));
    EXPECT_EQ(QString::fromUtf8("/bad\xef\xbf\xbd"), Cell(model_, bad, 1));
    EXPECT_EQ("name\xfe.c", list_[std::size_t(bad)].name());
    // The whole text is the tool tip, for a cell shortened on screen.
    EXPECT_EQ("/Home/Ann", Cell(model_, ann, 1, Qt::ToolTipRole));

    EXPECT_EQ(int(results::ResultType::UNIX),
              model_.data(model_.index(ann, 0), ResultsModel::kTypeRole).toInt());
    EXPECT_FALSE(model_.data(model_.index(ann, 0), Qt::DecorationRole).value<QIcon>().isNull());
    EXPECT_FALSE(model_.data(model_.index(bad, 0), Qt::DecorationRole).isValid())
        << "a row without a type has no picture";
    EXPECT_FALSE(model_.data(model_.index(ann, 1), Qt::DecorationRole).isValid());

    for (int column = 0; column < 5; ++column) {
        const int align = model_.data(model_.index(0, column), Qt::TextAlignmentRole).toInt();
        EXPECT_EQ(column == 2 ? int(Qt::AlignRight) : int(Qt::AlignLeft),
                  align & int(Qt::AlignHorizontal_Mask))
            << column;
    }
    EXPECT_FALSE(model_.index(2, 0).isValid());
}

TEST_F(ResultsModelTest, HeadersHaveTheirTitlesAndAlignments) {
    const char* titles[] = {"Filename", "Path", "Size on Disk", "Creation Date", "Last Edited"};
    const int aligned[] = {Qt::AlignLeft, Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignHCenter,
                           Qt::AlignHCenter};
    for (int column = 0; column < 5; ++column) {
        EXPECT_EQ(titles[column], model_.headerData(column, Qt::Horizontal).toString());
        EXPECT_EQ(aligned[column],
                  model_.headerData(column, Qt::Horizontal, Qt::TextAlignmentRole).toInt() &
                      int(Qt::AlignHorizontal_Mask));
    }
    EXPECT_FALSE(model_.headerData(5, Qt::Horizontal).isValid());
    EXPECT_FALSE(model_.headerData(0, Qt::Vertical).isValid());
}

TEST_F(ResultsModelTest, EachAddedOrRemovedRowIsAnnouncedWhereItGoes) {
    QSignalSpy inserted(&model_, &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(&model_, &QAbstractItemModel::rowsRemoved);
    AddFile(list_, "/f/b");
    AddFile(list_, "/f/a"); // sorted by name: goes before b
    ASSERT_EQ(2, inserted.size());
    EXPECT_EQ(0, inserted[1][1].toInt());
    EXPECT_EQ("a", Cell(model_, 0, 0));

    ASSERT_TRUE(list_.DeleteItem("/f/b"));
    ASSERT_EQ(1, removed.size());
    EXPECT_EQ(1, removed[0][1].toInt());
    EXPECT_EQ(1, model_.rowCount());
}

TEST_F(ResultsModelTest, TheSelectionFollowsItsRowsThroughASort) {
    for (const char* name : {"/f/c", "/f/a", "/f/d", "/f/b"}) AddFile(list_, name);
    QItemSelectionModel selection(&model_);
    // Select b and c (rows 1 and 2 by name), focus c.
    selection.select(model_.index(1, 0), QItemSelectionModel::Select | QItemSelectionModel::Rows);
    selection.setCurrentIndex(model_.index(2, 0),
                              QItemSelectionModel::Select | QItemSelectionModel::Rows);

    list_.HeaderClick(results::kNameColumn); // Z-A: d c b a
    ASSERT_EQ("d c b a", Names(list_));
    EXPECT_EQ(1, selection.currentIndex().row()) << "c is now the second row";
    EXPECT_TRUE(selection.isRowSelected(1, {}));
    EXPECT_TRUE(selection.isRowSelected(2, {}));
    EXPECT_FALSE(selection.isRowSelected(0, {}));
    EXPECT_FALSE(selection.isRowSelected(3, {}));
}

TEST_F(ResultsModelTest, ABulkChangeAnnouncesAppendedRowsInBatches) {
    list_.SetAutoSort(false);
    QSignalSpy inserted(&model_, &QAbstractItemModel::rowsInserted);
    model_.BeginBulkChange();
    for (int i = 0; i < 1000; ++i) AddFile(list_, "/many/file" + std::to_string(i));
    EXPECT_EQ(0, model_.rowCount()) << "nothing announced row by row";
    EXPECT_EQ(0, inserted.size());

    // The next batch comes by itself while the change lasts.
    ASSERT_TRUE(inserted.wait(5 * ResultsModel::kBulkAnnounceMilliseconds));
    EXPECT_EQ(1, inserted.size());
    EXPECT_EQ(1000, model_.rowCount());
    for (int i = 1000; i < 1500; ++i) AddFile(list_, "/many/file" + std::to_string(i));
    model_.EndBulkChange();
    EXPECT_EQ(1500, model_.rowCount()) << "the end shows every row at once";
    EXPECT_EQ(2, inserted.size());
    EXPECT_EQ(1000, inserted[1][1].toInt());
    EXPECT_EQ(1499, inserted[1][2].toInt());
}

TEST_F(ResultsModelTest, ABulkChangeStaysConsistentWhenRowsGoElsewhere) {
    AddFile(list_, "/f/m");
    list_.SetAutoSort(false);
    model_.BeginBulkChange();
    model_.BeginBulkChange(); // changes nest
    AddFile(list_, "/f/x");
    AddFile(list_, "/f/y");
    EXPECT_EQ(1, model_.rowCount());
    // A removal among the known rows, and one in the unannounced tail.
    ASSERT_TRUE(list_.DeleteItem("/f/y"));
    ASSERT_TRUE(list_.DeleteItem("/f/m"));
    EXPECT_EQ(0, model_.rowCount());
    // Sorted on again, a row goes into the middle: the tail is announced first.
    list_.SetAutoSort(true);
    AddFile(list_, "/f/a");
    EXPECT_EQ(2, model_.rowCount());
    model_.EndBulkChange();
    EXPECT_TRUE(model_.InBulkChange());
    model_.EndBulkChange();
    EXPECT_FALSE(model_.InBulkChange());
    EXPECT_EQ("a x", Names(list_));
    EXPECT_EQ("a", Cell(model_, 0, 0));
    EXPECT_EQ("x", Cell(model_, 1, 0));

    // Clearing during a bulk change shows the empty list at once.
    model_.BeginBulkChange();
    AddFile(list_, "/f/z");
    list_.Clear();
    EXPECT_EQ(0, model_.rowCount());
    model_.EndBulkChange();
    EXPECT_EQ(0, model_.rowCount());
}

TEST_F(ResultsModelTest, ReplacingTheListResetsTheViewsAndTheSummaryIsTold) {
    AddFile(list_, "/f/old");
    QSignalSpy reset(&model_, &QAbstractItemModel::modelReset);
    QSignalSpy summary(&model_, &ResultsModel::summaryChanged);
    results::ResultsList loaded;
    AddFile(loaded, "/g/new1");
    AddFile(loaded, "/g/new2");
    loaded.SetSearchSummary("Filemask:  *.txt");
    list_.ReplaceWith(std::move(loaded));
    EXPECT_EQ(1, reset.size());
    EXPECT_EQ(1, summary.size());
    EXPECT_EQ(2, model_.rowCount());
    EXPECT_EQ("new2", Cell(model_, 1, 0));
}

} // namespace
} // namespace mvf::view
