#include "parts.h"

#include <algorithm>
#include <cmath>

namespace mvf::assets::art {

void sheet(QPainter& p, QRectF r, qreal fold, qreal outline) {
    const qreal x0 = r.left(), y0 = r.top(), x1 = r.right(), y1 = r.bottom();
    if (fold <= 0) {
        body(p, box(x0, y0, r.width(), r.height()), palette::paper, outline);
        return;
    }
    body(p, polygon({{x0, y0}, {x1 - fold, y0}, {x1, y0 + fold}, {x1, y1}, {x0, y1}}),
         palette::paper, outline);
    plainBody(p, polygon({{x1 - fold, y0}, {x1, y0 + fold}, {x1 - fold, y0 + fold}}),
              palette::paper, outline);
}

void textLines(QPainter& p, QRect r, int step, int thickness) {
    // Line lengths of a paragraph: long lines, one shorter, a short last line.
    static constexpr int lengths[] = {100, 80, 100, 60, 90, 100, 70};
    int i = 0;
    for (int y = r.top(); y + thickness <= r.top() + r.height(); y += step, ++i) {
        const int w = std::max(1, r.width() * lengths[i % 7] / 100);
        pixels(p, r.left(), y, w, thickness, palette::line);
    }
}

void listRows(QPainter& p, QRect r, int step, int u) {
    for (int y = r.top(); y + 2 * u <= r.top() + r.height(); y += step) {
        pixels(p, r.left(), y, 2 * u, 2 * u, palette::blue.base);
        pixels(p, r.left() + 3 * u, y + u / 2, r.width() - 3 * u, u, palette::line);
    }
}

void openFolder(QPainter& p, int u, bool rows) {
    body(p,
         polygon({{1. * u, 2. * u},
                  {6. * u, 2. * u},
                  {7. * u, 3. * u},
                  {15. * u, 3. * u},
                  {15. * u, 14. * u},
                  {1. * u, 14. * u}}),
         palette::amber);
    sheet(p, QRectF(3 * u, 4 * u, 10 * u, 8 * u), 0);
    if (rows)
        listRows(p, QRect(5 * u - u / 2, 5 * u + u / 2, 7 * u, 2 * u), 3 * u, u);
    else
        textLines(p, QRect(5 * u, 6 * u, 6 * u, 2 * u), u == 1 ? 2 : 3);
    body(p, polygon({{0. * u, 14. * u}, {3. * u, 7. * u}, {16. * u, 7. * u}, {13. * u, 14. * u}}),
         palette::amber);
}

void magnifier(QPainter& p, const Lens& lens) {
    const qreal diagonal = std::sqrt(0.5);
    const qreal inner = lens.radius - lens.rim;
    // The handle's round end stops at the glass, so it never shows through it.
    const QPointF start =
        lens.centre + QPointF(diagonal, diagonal) * (inner + lens.handleWidth / 2);
    body(p, bar(start, lens.handleEnd, lens.handleWidth), palette::ink, lens.outline);
    if (lens.behind) {
        p.save();
        p.setClipPath(disc(lens.centre, inner));
        p.translate(lens.centre);
        p.scale(1.6, 1.6);
        p.translate(-lens.centre);
        p.drawImage(0, 0, *lens.behind);
        p.restore();
        QColor lit = palette::glassLit, shade = palette::glassShade;
        lit.setAlpha(90);
        shade.setAlpha(150);
        thinBody(p, disc(lens.centre, inner), lit, shade);
    } else {
        thinBody(p, disc(lens.centre, inner), palette::glassLit, palette::glassShade);
    }
    if (inner >= 3) {
        // The glint: a short arc in the lit top-left part of the glass.
        QPainterPath glint;
        const qreal g = inner * 0.62;
        glint.arcMoveTo(QRectF(lens.centre - QPointF(g, g), QSizeF(2 * g, 2 * g)), 100);
        glint.arcTo(QRectF(lens.centre - QPointF(g, g), QSizeF(2 * g, 2 * g)), 100, 70);
        p.strokePath(glint, QPen(QColor(255, 255, 255, 230), std::max(1.0, inner * 0.28),
                                 Qt::SolidLine, Qt::RoundCap));
    }
    const QPainterPath rim = ringShape(lens.centre, lens.radius, inner);
    if (lens.rim < 2 * lens.outline + 1) {
        thinBody(p, rim, palette::blue);
    } else {
        body(p, rim, palette::blue, lens.outline);
    }
}

QPainterPath arrowRight(qreal tailX, qreal headX, qreal tipX, qreal midY, qreal shaft, qreal head) {
    return polygon({{tailX, midY - shaft / 2},
                    {headX, midY - shaft / 2},
                    {headX, midY - head / 2},
                    {tipX, midY},
                    {headX, midY + head / 2},
                    {headX, midY + shaft / 2},
                    {tailX, midY + shaft / 2}});
}

void removeBadge(QPainter& p, QPointF centre, qreal radius, int u) {
    body(p, disc(centre, radius), palette::red);
    // The cross runs through pixel centres, so its diagonals stay as sharp as they can.
    const qreal d = u == 1 ? 2 : radius * 0.4, w = u == 1 ? 1.5 : 2.6;
    p.fillPath(bar(centre - QPointF(d, d), centre + QPointF(d, d), w), Qt::white);
    p.fillPath(bar(centre + QPointF(-d, d), centre + QPointF(d, -d), w), Qt::white);
}

void disk(QPainter& p, int x, int y, int u) {
    const qreal s = 14 * u, cut = 2 * u;
    body(p,
         polygon({{1. * x, 1. * y},
                  {x + s - cut, 1. * y},
                  {x + s, y + cut},
                  {x + s, y + s},
                  {1. * x, y + s}}),
         palette::blue);
    plainBody(p, box(x + 3 * u, y, 8 * u, 5 * u), palette::steel);
    pixels(p, x + 8 * u, y + u, 2 * u, 3 * u, palette::steel.dark);
    body(p, box(x + 2 * u, y + 7 * u, 10 * u, 6 * u), palette::paper);
    textLines(p, QRect(x + 4 * u, y + 9 * u, 6 * u, 3 * u), 2 * u);
}

void doorOut(QPainter& p, int u) {
    body(p, box(1 * u, 1 * u, 10 * u, 15 * u), palette::steel);
    pixels(p, 3 * u, 3 * u, 6 * u, 13 * u, palette::ink.base);
    // The door stands open into the room, hinged on the left.
    body(p, polygon({{3. * u, 3. * u}, {6. * u, 4. * u}, {6. * u, 16. * u}, {3. * u, 16. * u}}),
         palette::amber);
    if (u == 1)
        body(p, arrowRight(7, 11, 15.5, 9.5, 3, 9), palette::blue);
    else
        body(p, arrowRight(14, 22, 31, 19, 6, 18), palette::blue);
}

void checkMark(QPainter& p, int u) {
    QPainterPath tick;
    if (u == 1) {
        tick.moveTo(2.5, 8.5);
        tick.lineTo(6, 12);
        tick.lineTo(13.5, 4.5);
        body(p, stroked(tick, 4), palette::green);
    } else {
        tick.moveTo(5, 16.5);
        tick.lineTo(12.5, 24);
        tick.lineTo(27.5, 9);
        body(p, stroked(tick, 7), palette::green);
    }
}

} // namespace mvf::assets::art
