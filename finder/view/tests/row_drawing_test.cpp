// How a row looks on screen, read from the list's own pixels: the highlight across a
// selected row, the type picture at the left edge, texts kept 2 pixels inside their
// columns (the size flush right), shortened texts that never cross their column, and the
// focus frame.
#include <QImage>
#include <QLineEdit>

#include "view_fixture.h"

namespace mvf::view {
namespace {

using testing::AddFile;

class RowDrawingTest : public testing::ViewFixture {
protected:
    void SetUp() override {
        list_.SetAutoSort(false);
        AddFile(list_, "/a/first.txt", 7);
        AddFile(list_, "/a/very/long/folder/name/that/cannot/fit/into/its/column/second.txt",
                123456);
        list_.AddItem("/a/third", "(unknown)", "(unknown)", 5, {});
        Show();
        view_.SetColumnWidths({120, 100, 100, 100, 100});
    }

    QImage Picture() {
        return List().viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }
    QRect Cell(int row, int column) { return List().visualRect(view_.Model().index(row, column)); }
    // In the colour group the list draws with (the window may or may not be active).
    QColor Colour(QPalette::ColorRole role) {
        return List().palette().color(
            List().isActiveWindow() ? QPalette::Active : QPalette::Inactive, role);
    }
    // The columns x in [from, to) of `rows` that hold a pixel other than `ground`.
    std::vector<int> InkColumns(const QImage& picture, const QRect& rows, int from, int to,
                                const QColor& ground) {
        std::vector<int> ink;
        for (int x = from; x < to; ++x)
            for (int y = rows.top(); y <= rows.bottom(); ++y)
                if (picture.pixelColor(x, y) != ground) {
                    ink.push_back(x);
                    break;
                }
        return ink;
    }
};

TEST_F(RowDrawingTest, ASelectedRowIsHighlightedAcrossItsColumnsAndOthersAreNot) {
    ClickRow(0);
    const QImage picture = Picture();
    const QRect row0 = Cell(0, 4), row1 = Cell(1, 4);
    // The far right of the last column holds no text (the focus frame runs along its
    // very edge).
    EXPECT_EQ(Colour(QPalette::Highlight), picture.pixelColor(row0.right() - 5, row0.center().y()));
    EXPECT_EQ(Colour(QPalette::Base), picture.pixelColor(row1.right() - 5, row1.center().y()));
    // The selected row's text is in the highlighted text colour.
    const std::vector<int> ink = InkColumns(picture, Cell(0, 2), Cell(0, 2).left(),
                                            Cell(0, 2).right() + 1, Colour(QPalette::Highlight));
    EXPECT_FALSE(ink.empty());
}

TEST_F(RowDrawingTest, ThePictureSitsAtTheLeftEdgeAndTheTextsInsideTheirColumns) {
    // The focus elsewhere: no frame around the focused row.
    QLineEdit elsewhere(&view_);
    elsewhere.show();
    elsewhere.setFocus();
    ASSERT_TRUE(view_.SelectedRows().empty());
    const QImage picture = Picture();
    const QColor base = Colour(QPalette::Base);

    // Row 0 has a type picture in its first 19 pixels; row 2 has none.
    EXPECT_FALSE(InkColumns(picture, Cell(0, 0), 0, 19, base).empty());
    const std::vector<int> untyped = InkColumns(picture, Cell(2, 0), 0, 19, base);
    EXPECT_TRUE(untyped.empty());
    // Names start 2 pixels right of the picture.
    const std::vector<int> name = InkColumns(picture, Cell(2, 0), 19, Cell(2, 0).right(), base);
    ASSERT_FALSE(name.empty());
    EXPECT_GE(name.front(), 21);
    EXPECT_LE(name.front(), 24);

    for (int row = 0; row < 3; ++row) {
        // The size ends 2 pixels left of its column's right edge.
        const QRect size = Cell(row, 2);
        const std::vector<int> digits =
            InkColumns(picture, size, size.left(), size.right() + 1, base);
        ASSERT_FALSE(digits.empty()) << row;
        EXPECT_LE(digits.back(), size.right() - 2) << row;
        EXPECT_GE(digits.back(), size.right() - 4) << row;
        // Every other text starts 2 pixels in and stays 2 pixels from the right edge, the
        // long folder shortened with "..." rather than cut. The creation date has four
        // spaces in front.
        for (int column : {1, 3, 4}) {
            const QRect cell = Cell(row, column);
            const std::vector<int> text =
                InkColumns(picture, cell, cell.left(), cell.right() + 1, base);
            ASSERT_FALSE(text.empty()) << row << "," << column;
            const int spaces =
                column == 3 ? List().fontMetrics().horizontalAdvance(QStringLiteral("    ")) : 0;
            EXPECT_GE(text.front(), cell.left() + 2 + spaces) << row << "," << column;
            EXPECT_LE(text.front(), cell.left() + 4 + spaces) << row << "," << column;
            EXPECT_LE(text.back(), cell.right() - 2) << row << "," << column;
        }
    }
    // The long folder fills its column up to the dots.
    const QRect folder = Cell(1, 1);
    EXPECT_GE(InkColumns(picture, folder, folder.left(), folder.right() + 1, base).back(),
              folder.right() - 2 - List().fontMetrics().horizontalAdvance(QStringLiteral(".")) - 2);
}

TEST_F(RowDrawingTest, TheFocusedRowHasAFrameWhileTheListHasTheFocus) {
    ClickRow(1);
    ClickRow(1, Qt::ControlModifier); // focused, not selected: the frame on the window colour
    ASSERT_TRUE(List().hasFocus());
    const QImage focused = Picture();
    QLineEdit elsewhere(&view_);
    elsewhere.show();
    elsewhere.setFocus();
    ASSERT_FALSE(List().hasFocus());
    const QImage unfocused = Picture();
    const QRect row = Cell(1, 0).united(Cell(1, 4));
    EXPECT_NE(focused.copy(row), unfocused.copy(row));
    // The frame starts right of the picture.
    EXPECT_EQ(focused.copy(QRect(row.left(), row.top(), 19, row.height())),
              unfocused.copy(QRect(row.left(), row.top(), 19, row.height())));
}

} // namespace
} // namespace mvf::view
