#include "glyphs.h"

#include "parts.h"

#include <cmath>
#include <stdexcept>

namespace mvf::assets::art {
namespace {

void newSearch(QPainter& p, int u) {
    if (u == 1)
        magnifier(p, {{6, 8}, 5, 2, {13, 15}, 3});
    else
        magnifier(p, {{13, 15}, 11, 4, {29.5, 31.5}, 6});
    // The plus: a new search.
    const qreal a = 4 * u, t = u == 1 ? 4 : 6; // half its span, and its thickness
    const QPointF c = u == 1 ? QPointF(12, 4) : QPointF(26, 6);
    QPainterPath plus = box(c.x() - a, c.y() - t / 2, 2 * a, t);
    plus = plus.united(box(c.x() - t / 2, c.y() - a, t, 2 * a));
    body(p, plus, palette::green);
}

void openFiles(QPainter& p, int u) {
    sheet(p, QRectF(1 * u, 1 * u, 10 * u, 14 * u), 3 * u);
    textLines(p, QRect(3 * u, 5 * u, 6 * u, 8 * u), u == 1 ? 2 : 3);
    // An arrow leaving the sheet toward the top right: the file is opened.
    if (u == 1) {
        // At 16 pixels a stroked arrow keeps its shape where a filled one turns to a blob.
        QPainterPath head;
        head.moveTo(9.5, 6.5);
        head.lineTo(14, 6.5);
        head.lineTo(14, 11);
        thinBody(p, stroked(head, 2), palette::blue);
        thinBody(p, bar({7, 13.5}, {13.5, 7}, 2), palette::blue);
        return;
    }
    const QPainterPath arrow = arrowRight(10, 22, 30, 21, 6, 16);
    QTransform turn;
    turn.translate(21, 21);
    turn.rotate(-45);
    turn.translate(-21, -21);
    body(p, turn.map(arrow), palette::blue);
}

void deleteFiles(QPainter& p, int u) {
    // A waste bin.
    body(p, polygon({{3. * u, 4. * u}, {13. * u, 4. * u}, {12. * u, 15. * u}, {4. * u, 15. * u}}),
         palette::steel);
    for (int x : {6, 8, 10}) pixels(p, x * u, 6 * u, u, 7 * u, QColor(0x6e, 0x7b, 0x88));
    plainBody(p, box(6 * u, 1 * u, 4 * u, 2 * u), palette::steel);
    body(p, box(2 * u, 2 * u, 12 * u, 3 * u), palette::steel);
}

void clearList(QPainter& p, int u) {
    sheet(p, QRectF(1 * u, 1 * u, 11 * u, 14 * u), 0);
    listRows(p, QRect(3 * u, 3 * u, 7 * u, 11 * u), 3 * u, u);
    removeBadge(p, u == 1 ? QPointF(11.5, 11.5) : QPointF(23, 23), u == 1 ? 4.5 : 8.5, u);
}

void stop(QPainter& p, int u) {
    const qreal x0 = 1 * u, x1 = 15 * u, c = 4 * u;
    body(p,
         polygon({{x0 + c, x0},
                  {x1 - c, x0},
                  {x1, x0 + c},
                  {x1, x1 - c},
                  {x1 - c, x1},
                  {x0 + c, x1},
                  {x0, x1 - c},
                  {x0, x0 + c}}),
         palette::red);
    pixels(p, 4 * u, 7 * u, 8 * u, 2 * u, Qt::white);
}

void help(QPainter& p, int u) {
    body(p, disc(QPointF(8 * u, 8 * u), 7 * u), palette::blue);
    if (u == 1) {
        stamp(p, 5, 3,
              {".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..",
               "..##.."},
              Qt::white);
        return;
    }
    QPainterPath hook;
    hook.moveTo(11.5, 12.5);
    hook.cubicTo(11.5, 5.5, 20.5, 5.5, 20.5, 11);
    hook.cubicTo(20.5, 15, 16, 15.5, 16, 19.5);
    p.strokePath(hook, QPen(Qt::white, 3.5, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    p.fillPath(box(14, 21, 4, 4), Qt::white);
}

void cut(QPainter& p, int u) {
    // Scissors: two blades tapering to their points, crossing above two round handles.
    const auto blade = [&](QPointF root, QPointF point, qreal width) {
        const QPointF along = point - root;
        const qreal length = std::hypot(along.x(), along.y());
        const QPointF across(-along.y() / length, along.x() / length);
        const QPainterPath shape = polygon({root + across * width / 2, point + across * 0.4,
                                            point - across * 0.4, root - across * width / 2});
        if (u == 1)
            thinBody(p, shape, palette::steel.light, palette::steel.base);
        else
            body(p, shape, palette::steel);
    };
    if (u == 1) {
        blade({5.5, 10.5}, {11, 0.5}, 2.4);
        blade({10.5, 10.5}, {5, 0.5}, 2.4);
        for (qreal x : {5.0, 11.0}) thinBody(p, ringShape({x, 12.5}, 2.7, 1.2), palette::red);
    } else {
        blade({11, 21}, {22, 1}, 5);
        blade({21, 21}, {10, 1}, 5);
        for (qreal x : {10.0, 22.0}) body(p, ringShape({x, 25}, 5.5, 2.5), palette::red);
    }
    // The screw where the blades cross.
    p.fillPath(u == 1 ? disc({8, 6}, 0.9) : disc({16, 12}, 1.6), palette::steel.dark);
}

void copy(QPainter& p, int u) {
    sheet(p, QRectF(1 * u, 1 * u, 9 * u, 10 * u), 3 * u);
    textLines(p, QRect(3 * u, 5 * u, 4 * u, 4 * u), u == 1 ? 2 : 3);
    sheet(p, QRectF(6 * u, 5 * u, 9 * u, 10 * u), 3 * u);
    textLines(p, QRect(8 * u, 9 * u, 5 * u, 5 * u), u == 1 ? 2 : 3);
}

void paste(QPainter& p, int u) {
    body(p, roundBox(2 * u, 2 * u, 11 * u, 13 * u, u), palette::amber);
    body(p, box(5 * u, 1 * u, 5 * u, 3 * u), palette::steel);
    sheet(p, QRectF(7 * u, 6 * u, 8 * u, 10 * u), 3 * u);
    textLines(p, QRect(9 * u, 10 * u, 4 * u, 5 * u), u == 1 ? 2 : 3);
}

} // namespace

QImage glyph(Glyph g, int size) {
    if (size != 16 && size != 32) throw std::invalid_argument("glyphs are drawn at 16 and 32");
    const int u = size / 16;
    QImage image = canvas(size, size);
    QPainter p(&image);
    prepare(p);
    switch (g) {
    case Glyph::NewSearch: newSearch(p, u); break;
    case Glyph::OpenFiles: openFiles(p, u); break;
    case Glyph::DeleteFiles: deleteFiles(p, u); break;
    case Glyph::ClearList: clearList(p, u); break;
    case Glyph::LoadList: openFolder(p, u, true); break;
    case Glyph::Save: disk(p, u, u, u); break;
    case Glyph::Stop: stop(p, u); break;
    case Glyph::Help: help(p, u); break;
    case Glyph::Done: checkMark(p, u); break;
    case Glyph::Exit: doorOut(p, u); break;
    case Glyph::OpenFolder: openFolder(p, u, false); break;
    case Glyph::Cut: cut(p, u); break;
    case Glyph::Copy: copy(p, u); break;
    case Glyph::Paste: paste(p, u); break;
    }
    return image;
}

} // namespace mvf::assets::art
