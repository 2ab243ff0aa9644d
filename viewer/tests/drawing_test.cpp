// What the widget draws, read back from pictures of it.
#include <gtest/gtest.h>

#include <random>

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPaintEvent>
#include <QRegion>

#include "widget_test_support.h"

namespace mvf::viewer {
namespace {

using testing::kBase;
using testing::kDisabledText;
using testing::kHighlight;
using testing::kHighlightedText;
using testing::kText;
using testing::MarkerColour;
using Drawing = testing::WidgetFixture;

// Most of a cell's pixels are the highlight (a glyph takes the rest).
bool Highlighted(const QImage& image, const QRect& cell) {
    return Drawing::Count(image, cell, kHighlight) * 2 > cell.width() * cell.height();
}

TEST_F(Drawing, TheCaretBlinksOnlyWhileTheEditorHasTheFocus) {
    Load({"a  b"});
    ed().SetCaret({1, 2});
    const QRect caret = Cell(0, 1);
    QApplication::setCursorFlashTime(100);
    widget->clearFocus();
    widget->setFocus(); // the blinking starts with the focus
    bool on = false, off = false;
    QElapsedTimer clock;
    clock.start();
    while (!(on && off) && clock.elapsed() < 3000) {
        QTest::qWait(10);
        (Count(Render(), caret, kText) > 0 ? on : off) = true;
    }
    EXPECT_TRUE(on);
    EXPECT_TRUE(off);
    widget->clearFocus();
    clock.restart();
    while (clock.elapsed() < 300) {
        QTest::qWait(20);
        EXPECT_EQ(Count(Render(), caret, kText), 0);
    }
}

TEST_F(Drawing, TheSelectionIsInTheHighlightColoursOverTheSelectedCellsOnly) {
    Load({"abcdefgh", "ij\tkl", "mnop"});
    ed().SetSelection({1, 3}, {2, 4}); // "cdefgh", the line break, "ij" and the tab
    const QImage image = Render();
    for (int cell = 0; cell < 12; ++cell) {
        // Row 0: c..h and one cell for the line break; row 1: i, j and the tab's 6 cells.
        EXPECT_EQ(Highlighted(image, Cell(0, cell)), cell >= 2 && cell <= 8)
            << "row 0 cell " << cell;
        EXPECT_EQ(Highlighted(image, Cell(1, cell)), cell <= 7) << "row 1 cell " << cell;
        EXPECT_FALSE(Highlighted(image, Cell(2, cell))) << "row 2 cell " << cell;
    }
    // Selected characters in the highlighted text colour, the others in the text colour.
    EXPECT_EQ(Count(image, Cell(0, 2, 6), kText), 0);
    EXPECT_GT(Count(image, Cell(0, 2, 6), kHighlightedText), 0);
    EXPECT_GT(Count(image, Cell(0, 0, 2), kText), 0);
    EXPECT_EQ(Count(image, Cell(0, 0, 2), kHighlightedText), 0);
    EXPECT_GT(Count(image, Cell(1, 8, 2), kText), 0);
    EXPECT_EQ(Count(image, Cell(1, 8, 2), kHighlight), 0);
}

TEST_F(Drawing, TheCaretIsABarInInsertModeAndABlockInOverwriteMode) {
    Load({"a  bc"});
    ed().SetCaret({1, 2}); // on a blank: only the caret inks the cell
    const QRect cell = Cell(0, 1);
    const QImage bar = Render();
    const int barInk = Count(bar, cell, kText);
    EXPECT_GT(barInk, 0);
    EXPECT_LE(barInk, cell.width() * cell.height() / 2);
    EXPECT_EQ(Count(bar, QRect(cell.x(), cell.y(), 2, cell.height()), kText), 2 * cell.height());
    ed().ProcessCommand(editor::ccIns);
    const QImage block = Render();
    EXPECT_EQ(Count(block, cell, kText), cell.width() * cell.height());
    // Over a character, the block shows the character in the background colour.
    ed().SetCaret({1, 4});
    const QImage overB = Render();
    EXPECT_GT(Count(overB, Cell(0, 3), kText), Cell(0, 3).width() * Cell(0, 3).height() / 2);
    EXPECT_GT(Count(overB, Cell(0, 3), kBase), 0);
    // The other shapes on request.
    widget->SetCaretShapes(CaretShape::Bar, CaretShape::Underline);
    ed().SetCaret({1, 2});
    const QImage underline = Render();
    const QRect bottom(cell.x(), cell.bottom() - 1, cell.width(), 2);
    EXPECT_EQ(Count(underline, bottom, kText), 2 * cell.width());
    EXPECT_EQ(Count(underline, cell, kText), 2 * cell.width());
}

TEST_F(Drawing, NoCaretAndNoHiddenSelectionWithoutTheFocus) {
    auto* other = new QLineEdit(&window);
    other->setGeometry(0, 280, 100, 20);
    other->show();
    Load({"hello world"});
    ed().SetSelection({1, 1}, {1, 6});
    const QRect caret = Cell(0, 5);
    EXPECT_GT(Count(Render(), caret, kText), 0);
    other->setFocus();
    QApplication::processEvents();
    ASSERT_FALSE(widget->hasFocus());
    EXPECT_TRUE(widget->HideSelection()); // the control's default
    QImage unfocused = Render();
    EXPECT_EQ(Count(unfocused, caret, kText), 0);
    EXPECT_EQ(Count(unfocused, Cell(0, 0, 5), kHighlight), 0);
    widget->SetHideSelection(false); // the viewer's setting
    unfocused = Render();
    EXPECT_TRUE(Highlighted(unfocused, Cell(0, 0)));
    EXPECT_EQ(Count(unfocused, caret, kText), 0);
}

TEST_F(Drawing, EachLineShowsItsLowestNumberedBookmarkInTheMargin) {
    Load({"one", "two two", "three", "four"});
    list().SetBookmark(7, {2, 1});
    list().SetBookmark(3, {2, 5});
    list().SetBookmark(5, {4, 3});
    widget->Refresh();
    const QImage image = Render();
    const int lh = widget->LineHeight();
    const int y = lh >= 14 ? (lh - 12) / 2 : 0;
    // Glyph 3 on the second line, drawn 1 pixel from the left edge, centred.
    EXPECT_EQ(Count(image, QRect(1, lh + y, 12, 12), MarkerColour(3)), 144);
    EXPECT_EQ(Count(image, QRect(0, lh, 15, lh), MarkerColour(7)), 0);
    EXPECT_EQ(Count(image, QRect(1, 3 * lh + y, 12, 12), MarkerColour(5)), 144);
    EXPECT_EQ(Ink(image, QRect(0, 0, 15, lh)), 0);
    EXPECT_EQ(Ink(image, QRect(0, 2 * lh, 15, lh)), 0);
    EXPECT_EQ(Ink(image, QRect(0, 4 * lh, 15, lh)), 0);
    // Off, or wider than the margin: no glyphs.
    widget->SetShowBookmarks(false);
    EXPECT_EQ(Ink(Render(), QRect(0, 0, 15, 5 * lh)), 0);
    widget->SetShowBookmarks(true);
    ed().SetLeftMargin(10);
    widget->Refresh();
    EXPECT_EQ(Ink(Render(), QRect(0, 0, 10, 5 * lh)), 0);
}

TEST_F(Drawing, AWrappedParagraphDrawsOnTwoLinesWithItsBookmarkOnTheRightOne) {
    ed().SetWrapColumn(10);
    ed().SetWordWrap(true);
    Load({"aaaa bbbb cccc", "z"});
    ASSERT_EQ(list().LineCount(), 4);
    list().SetBookmark(0, {1, 12}); // in "cccc"
    widget->Refresh();
    const QImage image = Render();
    for (int cell = 0; cell < 16; ++cell) {
        const bool letter0 = cell <= 3 || (cell >= 5 && cell <= 8);
        EXPECT_EQ(Ink(image, Cell(0, cell)) > 0, letter0) << "row 0 cell " << cell;
        EXPECT_EQ(Ink(image, Cell(1, cell)) > 0, cell <= 3) << "row 1 cell " << cell;
    }
    EXPECT_GT(Ink(image, Cell(2, 0)), 0); // "z"
    const int lh = widget->LineHeight();
    EXPECT_EQ(Count(image, QRect(0, 0, 15, lh), MarkerColour(0)), 0);
    EXPECT_GT(Count(image, QRect(0, lh, 15, lh), MarkerColour(0)), 0);
}

TEST_F(Drawing, TabsInvalidBytesAndWideCharactersTakeTheirCells) {
    Load({"a\tb", "x\xFFy", "\xE6\x97\xA5z", "\x01q", "\xC3\xA9\xC3\xA9w"});
    widget->clearFocus(); // no caret in the pictures
    const QImage image = Render();
    auto inkedCells = [&](int row) {
        std::vector<int> cells;
        for (int cell = 0; cell < 12; ++cell)
            if (Ink(image, Cell(row, cell)) > 0) cells.push_back(cell);
        return cells;
    };
    EXPECT_EQ(inkedCells(0), (std::vector<int>{0, 8}));
    EXPECT_EQ(inkedCells(1), (std::vector<int>{0, 1, 2})); // one replacement mark
    EXPECT_EQ(inkedCells(2).back(), 2);                    // the ideograph takes two cells
    EXPECT_EQ(inkedCells(3), (std::vector<int>{0, 1}));
    EXPECT_EQ(inkedCells(4), (std::vector<int>{0, 1, 2}));
}

TEST_F(Drawing, TheViewScrolledSidewaysStartsAtItsOffsetRightOfTheMargin) {
    Load({"0123456789ABCDEFGHIJ"});
    widget->clearFocus();
    const QImage before = Render();
    ed().SetHorizontalOffset(5);
    const QImage after = Render();
    EXPECT_EQ(after.copy(Cell(0, 0, 4)), before.copy(Cell(0, 5, 4)));
    // Nothing of the text leaks into the margins.
    EXPECT_EQ(Ink(after, QRect(0, 0, ed().LeftMargin(), widget->LineHeight())), 0);
    Load({std::string(200, 'W')});
    widget->SetRightMargin(5 + widget->CharWidth());
    EXPECT_EQ(ed().VisibleColumns(),
              (widget->viewport()->width() - ed().LeftMargin() - widget->RightMargin()) /
                  widget->CharWidth());
    const QImage image = Render();
    const int right = image.width() - widget->RightMargin();
    EXPECT_GT(Ink(image, QRect(right - 5, 0, 5, widget->LineHeight())), 0);
    EXPECT_EQ(Ink(image, QRect(right, 0, widget->RightMargin(), widget->LineHeight())), 0);
}

TEST_F(Drawing, ADisabledEditorDrawsItsTextInTheGreyTextColour) {
    Load({"text"});
    widget->setEnabled(false);
    const QImage image = Render();
    EXPECT_GT(Count(image, Cell(0, 0, 4), kDisabledText), 0);
    EXPECT_EQ(Count(image, Cell(0, 0, 4), kText), 0);
}

TEST_F(Drawing, ALargerFontMakesLargerCellsAndFewerVisibleLines) {
    Load({"x"});
    const int lines = widget->Status().lineCount;
    const int height = widget->LineHeight();
    QFont font = widget->font();
    font.setPointSize(20);
    widget->setFont(font);
    QApplication::processEvents();
    EXPECT_GT(widget->LineHeight(), height);
    EXPECT_GT(Ink(Render(), Cell(0, 0)), 0);
    EXPECT_EQ(widget->Status().lineCount, lines);
}

// Records what the viewport was asked to paint, outside pictures taken by the test.
class PaintRecorder : public QObject {
public:
    QRegion painted;
    bool recording = true;
    bool eventFilter(QObject*, QEvent* event) override {
        if (recording && event->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent*>(event)->region();
        return false;
    }
};

TEST_F(Drawing, OnlyChangedRowsAreRepaintedAndNothingChangedIsLeftUnpainted) {
    std::vector<std::string> lines;
    for (int i = 0; i < 60; ++i) lines.push_back("line " + std::to_string(i) + " with\ttab");
    Load(lines);
    PaintRecorder recorder;
    widget->viewport()->installEventFilter(&recorder);
    auto picture = [&] {
        recorder.recording = false;
        const QImage image = Render();
        recorder.recording = true;
        return image;
    };
    const std::vector<std::pair<int, Qt::KeyboardModifiers>> keys = {
        {Qt::Key_Right, Qt::NoModifier},
        {Qt::Key_Down, Qt::NoModifier},
        {Qt::Key_Down, Qt::ShiftModifier},
        {Qt::Key_Right, Qt::ShiftModifier},
        {Qt::Key_Up, Qt::ShiftModifier},
        {Qt::Key_Left, Qt::NoModifier},
        {Qt::Key_End, Qt::NoModifier},
        {Qt::Key_Home, Qt::ShiftModifier},
        {Qt::Key_Backspace, Qt::NoModifier},
        {Qt::Key_Delete, Qt::NoModifier},
        {Qt::Key_Return, Qt::NoModifier},
        {Qt::Key_PageDown, Qt::NoModifier},
        {Qt::Key_Insert, Qt::NoModifier},
        {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_3, Qt::ControlModifier | Qt::ShiftModifier}};
    std::mt19937 rng(11);
    int partial = 0;
    QImage before = picture();
    for (int step = 0; step < 150 && !HasFailure(); ++step) {
        recorder.painted = QRegion();
        const int pick = static_cast<int>(rng() % (keys.size() + 2));
        if (pick == static_cast<int>(keys.size())) {
            testing::Type(widget, "ab");
        } else if (pick == static_cast<int>(keys.size()) + 1) {
            QTest::mouseClick(
                widget->viewport(), Qt::LeftButton, Qt::NoModifier,
                QPoint(20 + static_cast<int>(rng() % 300), static_cast<int>(rng() % 250)));
        } else {
            testing::Key(widget, keys[pick].first, keys[pick].second);
        }
        QApplication::processEvents();
        const QImage after = picture();
        int unpainted = 0;
        for (int y = 0; y < after.height(); ++y) {
            for (int x = 0; x < after.width(); ++x) {
                if (after.pixel(x, y) != before.pixel(x, y) &&
                    !recorder.painted.contains(QPoint(x, y)))
                    ++unpainted;
            }
        }
        EXPECT_EQ(unpainted, 0) << "step " << step;
        if (!(QRegion(widget->viewport()->rect()) - recorder.painted).isEmpty()) ++partial;
        before = after;
    }
    EXPECT_GT(partial, 50); // most steps repaint only part of the view
}

} // namespace
} // namespace mvf::viewer
