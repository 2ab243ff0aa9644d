#include "row_painter.h"

#include <QPainter>
#include <QWidget>

#include "shortening.h"
#include "type_images.h"

namespace mvf::view {

namespace {

void PaintText(QPainter& painter, const QRect& column, int textLeft, const QString& text,
               bool alignRight, const QFontMetrics& metrics) {
    const int room = column.right() + 1 - kTextInset - textLeft;
    if (room <= 0) return;
    const QRect area(textLeft, column.top(), room, column.height());
    painter.save();
    painter.setClipRect(column, Qt::IntersectClip);
    painter.drawText(
        area, Qt::TextSingleLine | Qt::AlignVCenter | (alignRight ? Qt::AlignRight : Qt::AlignLeft),
        ShortenToWidth(text, metrics, room));
    painter.restore();
}

} // namespace

void PaintRow(QPainter& painter, const RowLook& row, const QWidget& widget,
              QPalette::ColorGroup group) {
    if (row.cells.empty()) return;
    const QPalette& palette = widget.palette();
    const QColor background =
        palette.color(group, row.selected ? QPalette::Highlight : QPalette::Base);
    const QColor foreground =
        palette.color(group, row.selected ? QPalette::HighlightedText : QPalette::Text);
    const QFontMetrics metrics = widget.fontMetrics();

    painter.save();
    painter.fillRect(row.rect, background);
    painter.setPen(foreground);

    const int imageWidth = TypeImageSize().width();
    for (std::size_t i = 0; i < row.cells.size(); ++i) {
        const RowCell& cell = row.cells[i];
        const QRect column(row.rect.left() + cell.left, row.rect.top(), cell.width,
                           row.rect.height());
        if (column.width() <= 0) continue;
        if (i == 0) {
            if (!row.typeImage.isNull()) {
                const QSize size = row.typeImage.deviceIndependentSize().toSize();
                painter.save();
                painter.setClipRect(column, Qt::IntersectClip);
                painter.drawPixmap(column.left(),
                                   column.top() + (column.height() - size.height()) / 2,
                                   row.typeImage);
                painter.restore();
            }
            PaintText(painter, column, column.left() + imageWidth + kTextInset, cell.text, false,
                      metrics);
        } else {
            PaintText(painter, column, column.left() + kTextInset, cell.text, cell.alignRight,
                      metrics);
        }
    }

    if (row.focused) {
        // A dotted frame in the text colour, the row's colours untouched inside it.
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(foreground, 1, Qt::DotLine));
        painter.drawRect(row.rect.adjusted(imageWidth, 0, -1, -1));
    }
    painter.restore();
}

} // namespace mvf::view
