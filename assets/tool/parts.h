// The recurring parts of the pictures (sheets of paper, folders, the magnifier, arrows),
// so that every picture shows them the same way. Coordinates are pixels of the picture
// being drawn; `u` is its pixels per unit of the 16-pixel design grid (1 at 16, 2 at 32).
#pragma once

#include "paint_kit.h"

namespace mvf::assets::art {

// A sheet of paper with its top-right corner folded over by `fold` pixels.
void sheet(QPainter& p, QRectF r, qreal fold, qreal outline = 1);
// Grey text lines inside `r`, one every `step` pixels, lengths varying like real text.
void textLines(QPainter& p, QRect r, int step, int thickness = 1);
// List rows: a blue bullet and a line each, one every `step` pixels.
void listRows(QPainter& p, QRect r, int step, int u);
// An open folder showing the top of a sheet; `rows` puts list rows on the sheet instead
// of text lines.
void openFolder(QPainter& p, int u, bool rows);
// A magnifier: lens centre, outer radius, rim width, handle end and handle width.
struct Lens {
    QPointF centre;
    qreal radius;
    qreal rim;
    QPointF handleEnd;
    qreal handleWidth;
    qreal outline = 1;
    // What lies under the lens, shown enlarged through the glass; none at small sizes,
    // where it would only be noise.
    const QImage* behind = nullptr;
};
void magnifier(QPainter& p, const Lens& lens);
// A fat arrow pointing right, its shaft `shaft` pixels thick, head from x = headX to tip.
QPainterPath arrowRight(qreal tailX, qreal headX, qreal tipX, qreal midY, qreal shaft, qreal head);
// A round badge with a white cross (remove) in it.
void removeBadge(QPainter& p, QPointF centre, qreal radius, int u);
// A floppy disk filling the square (x, y, 14u, 14u).
void disk(QPainter& p, int x, int y, int u);
// A door, open, with an arrow leaving through it.
void doorOut(QPainter& p, int u);
// A tick: done.
void checkMark(QPainter& p, int u);

} // namespace mvf::assets::art
