#include "paint_kit.h"

#include <QLinearGradient>
#include <QPainterPathStroker>

namespace mvf::assets::art {

QImage canvas(int w, int h) {
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void prepare(QPainter& p) {
    p.setRenderHint(QPainter::Antialiasing, true);
}

namespace {

// Parts are drawn on a layer of their own and then cut to their shape, so the outline
// lies inside the shape however it is curved and never spills onto what is beside it.
void drawBody(QPainter& p, const QPainterPath& shape, const Tone& tone, qreal outline,
              bool highlight) {
    QImage layer = canvas(p.device()->width(), p.device()->height());
    QPainter lp(&layer);
    prepare(lp);
    const QRectF bounds = shape.boundingRect();
    QLinearGradient face(bounds.topLeft(), bounds.bottomLeft());
    face.setColorAt(0, tone.light);
    face.setColorAt(0.65, tone.base);
    face.setColorAt(1, tone.base);
    lp.fillPath(shape, face);
    if (highlight) {
        const qreal o = outline;
        const QPainterPath band =
            shape.translated(o, o).subtracted(shape.translated(o + 1, o + 1)).intersected(shape);
        lp.fillPath(band, QColor(255, 255, 255, 150));
    }
    lp.strokePath(shape, QPen(tone.dark, 2 * outline, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    // Cut to the shape: the mask covers the whole layer, so the half of the outline that
    // fell outside the shape is removed too.
    QImage mask = canvas(layer.width(), layer.height());
    QPainter mp(&mask);
    prepare(mp);
    mp.fillPath(shape, Qt::black);
    mp.end();
    lp.setCompositionMode(QPainter::CompositionMode_DestinationIn);
    lp.drawImage(0, 0, mask);
    lp.end();
    p.drawImage(0, 0, layer);
}

} // namespace

void body(QPainter& p, const QPainterPath& shape, const Tone& tone, qreal outline) {
    drawBody(p, shape, tone, outline, true);
}

void plainBody(QPainter& p, const QPainterPath& shape, const Tone& tone, qreal outline) {
    drawBody(p, shape, tone, outline, false);
}

void thinBody(QPainter& p, const QPainterPath& shape, const QColor& from, const QColor& to) {
    const QRectF r = shape.boundingRect();
    QLinearGradient shade(r.topLeft(), r.bottomRight());
    shade.setColorAt(0, from);
    shade.setColorAt(1, to);
    p.fillPath(shape, shade);
}

QPainterPath box(qreal x, qreal y, qreal w, qreal h) {
    QPainterPath path;
    path.addRect(x, y, w, h);
    return path;
}

QPainterPath roundBox(qreal x, qreal y, qreal w, qreal h, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(x, y, w, h, radius, radius);
    return path;
}

QPainterPath disc(QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath ringShape(QPointF centre, qreal outer, qreal inner) {
    QPainterPath path;
    path.addEllipse(centre, outer, outer);
    path.addEllipse(centre, inner, inner);
    return path; // odd-even fill leaves the inner disc open
}

QPainterPath polygon(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(QList<QPointF>(points)));
    path.closeSubpath();
    return path;
}

QPainterPath bar(QPointF from, QPointF to, qreal width) {
    QPainterPath line(from);
    line.lineTo(to);
    return stroked(line, width);
}

QPainterPath stroked(const QPainterPath& line, qreal width) {
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::MiterJoin);
    return stroker.createStroke(line).simplified();
}

void pixels(QPainter& p, int x, int y, int w, int h, const QColor& c) {
    p.fillRect(QRect(x, y, w, h), c);
}

void stamp(QPainter& p, int x, int y, std::initializer_list<const char*> rows, const QColor& c) {
    int r = 0;
    for (const char* row : rows) {
        for (int col = 0; row[col]; ++col)
            if (row[col] == '#') p.fillRect(QRect(x + col, y + r, 1, 1), c);
        ++r;
    }
}

QImage greyed(const QImage& picture) {
    QImage out = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            const int grey = qGray(c);
            // Pulled toward a middle grey so no part keeps its full contrast.
            const int soft = 96 + grey * 112 / 255;
            // Rounded up, so no pixel of the outline vanishes.
            line[x] = qRgba(soft, soft, soft, (qAlpha(c) * 150 + 254) / 255);
        }
    }
    return out.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

QImage centred(const QImage& picture, int w, int h) {
    QImage out = canvas(w, h);
    QPainter p(&out);
    p.drawImage((w - picture.width()) / 2, (h - picture.height()) / 2, picture);
    return out;
}

} // namespace mvf::assets::art
