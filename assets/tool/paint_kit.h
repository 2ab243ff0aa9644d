// The one drawing style of every picture: one palette, one outline weight, light from the
// top left. Integer coordinates are pixel edges, so a rectangle from whole numbers fills
// whole pixels.
#pragma once

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>

#include <initializer_list>

namespace mvf::assets::art {

// One hue in three shades: the lit top of a face, its body, and its outline.
struct Tone {
    QColor light;
    QColor base;
    QColor dark;
};

namespace palette {
inline const Tone blue{QColor(0x9c, 0xc8, 0xf7), QColor(0x3a, 0x7d, 0xd6),
                       QColor(0x1a, 0x47, 0x8a)};
inline const Tone amber{QColor(0xff, 0xe2, 0x9a), QColor(0xf1, 0xb1, 0x3b),
                        QColor(0x9e, 0x68, 0x10)};
inline const Tone red{QColor(0xff, 0x9e, 0x90), QColor(0xdb, 0x3e, 0x31), QColor(0x8a, 0x1c, 0x15)};
inline const Tone green{QColor(0xb8, 0xe6, 0x9c), QColor(0x56, 0xa9, 0x3b),
                        QColor(0x2a, 0x66, 0x1b)};
inline const Tone paper{QColor(0xff, 0xff, 0xff), QColor(0xe6, 0xec, 0xf2),
                        QColor(0x6a, 0x78, 0x86)};
inline const Tone steel{QColor(0xe4, 0xe9, 0xee), QColor(0x9a, 0xa7, 0xb4),
                        QColor(0x45, 0x51, 0x5e)};
inline const Tone ink{QColor(0xaa, 0xb4, 0xbf), QColor(0x56, 0x61, 0x6d), QColor(0x2a, 0x31, 0x39)};
// Text lines on paper, and the glass of a lens (lit top left, shaded bottom right).
inline const QColor line(0x9f, 0xac, 0xb9);
inline const QColor glassLit(0xf0, 0xf7, 0xff, 0xe6);
inline const QColor glassShade(0xb2, 0xd3, 0xf5, 0xe6);
} // namespace palette

// A transparent picture of w × h pixels.
QImage canvas(int w, int h);
// A painter on a canvas, antialiased.
void prepare(QPainter& p);

// A lit body: the face shaded from light (top) to base (bottom), a one-pixel highlight just
// inside its top-left edges, and an outline of `outline` pixels inside the shape.
void body(QPainter& p, const QPainterPath& shape, const Tone& tone, qreal outline = 1);
// The same body without the highlight, for small parts where it would only blur.
void plainBody(QPainter& p, const QPainterPath& shape, const Tone& tone, qreal outline = 1);
// A part too thin for an outline on both sides: shaded from `from` (top left) to `to`.
void thinBody(QPainter& p, const QPainterPath& shape, const QColor& from, const QColor& to);
inline void thinBody(QPainter& p, const QPainterPath& shape, const Tone& tone) {
    thinBody(p, shape, tone.base, tone.dark);
}

QPainterPath box(qreal x, qreal y, qreal w, qreal h);
QPainterPath roundBox(qreal x, qreal y, qreal w, qreal h, qreal radius);
QPainterPath disc(QPointF centre, qreal radius);
QPainterPath ringShape(QPointF centre, qreal outer, qreal inner);
QPainterPath polygon(std::initializer_list<QPointF> points);
// A straight bar of the given width between two points, with round ends.
QPainterPath bar(QPointF from, QPointF to, qreal width);
// The outline of a line drawn `width` wide with round ends and sharp corners.
QPainterPath stroked(const QPainterPath& line, qreal width);

// Whole-pixel rectangles in a flat colour: the crisp strokes of lines and details.
void pixels(QPainter& p, int x, int y, int w, int h, const QColor& c);
// Pixel art: every '#' of `rows` sets one pixel at (x + column, y + row).
void stamp(QPainter& p, int x, int y, std::initializer_list<const char*> rows, const QColor& c);

// The greyed form: grey shades of less contrast, partly transparent.
QImage greyed(const QImage& picture);
// `picture` centred on a transparent canvas of w × h pixels (whole-pixel offsets).
QImage centred(const QImage& picture, int w, int h);

} // namespace mvf::assets::art
