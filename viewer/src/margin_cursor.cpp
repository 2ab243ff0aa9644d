#include "margin_cursor.h"

#include <QPainter>
#include <QPixmap>
#include <QPolygon>

namespace mvf::viewer {

QCursor MarginCursor() {
    constexpr int kSize = 32;
    // The usual arrow, mirrored: its tip at the top right.
    const QPolygon arrow({{12, 0}, {12, 17}, {8, 13}, {5, 20}, {2, 19}, {5, 12}, {0, 12}});
    QPixmap picture(kSize, kSize);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(Qt::white, 1));
    painter.setBrush(Qt::black);
    painter.drawPolygon(arrow.translated(1, 1));
    painter.end();
    return QCursor(picture, 13, 1);
}

} // namespace mvf::viewer
