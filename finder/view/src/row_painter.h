// Draws one row of the results list as a whole, the way the list's rows look: the
// highlight or window colours across the row, the type picture at its left edge, the name
// beside it, the other columns 2 pixels in from their edges (the size flush right, 2
// pixels from the right edge), each text shortened with "..." to its column less 4
// pixels, and the focus frame around the row right of the picture.
#pragma once

#include <QPalette>
#include <QPixmap>
#include <QString>
#include <vector>

class QPainter;
class QWidget;

namespace mvf::view {

struct RowCell {
    QString text;
    int left = 0; // the column's left edge and width, in the row's coordinates
    int width = 0;
    bool alignRight = false;
};

struct RowLook {
    QRect rect;                 // the row, from the first column's left edge to the last's right
    QPixmap typeImage;          // drawn at the left edge of the first cell; may be null
    std::vector<RowCell> cells; // in the order shown; the first is the name
    bool selected = false;
    bool focused = false;
};

// The gap between the picture and the name, and between a text and its column's edges.
inline constexpr int kTextInset = 2;

// `widget` gives the palette and the font; `group` the palette's colour group (active or
// inactive window).
void PaintRow(QPainter& painter, const RowLook& row, const QWidget& widget,
              QPalette::ColorGroup group);

} // namespace mvf::view
