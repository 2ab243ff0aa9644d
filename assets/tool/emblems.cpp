#include "emblems.h"

#include "parts.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>
#include <vector>

namespace mvf::assets::art {
namespace {

// Where the parts of an emblem lie at one size.
struct Layout {
    QRectF sheet;
    qreal fold;
    QRect lines;
    int lineStep;
    int lineThickness;
    Lens lens;
    qreal sweep; // radius of the magnifier's circle in the animation
    qreal outline;
};

Layout layoutFor(int size) {
    switch (size) {
    case 16:
        return {{1, 1, 10, 13}, 3, {3, 5, 6, 7}, 2, 1, {{9.5, 9.5}, 4.5, 2, {15, 15}, 2.6}, 2, 1};
    case 22:
        return {{2, 1, 13, 18}, 4, {4, 6, 8, 11}, 2, 1, {{13, 12}, 6, 2, {20.5, 20.5}, 3.2}, 3, 1};
    case 24:
        return {{2, 1, 14, 20},
                4,
                {4, 6, 9, 13},
                2,
                1,
                {{14.5, 13.5}, 6.5, 2, {22.5, 22.5}, 3.6},
                3,
                1};
    case 32:
        return {
            {3, 2, 19, 26}, 6, {6, 8, 12, 18}, 3, 1, {{19.5, 18.5}, 8.5, 3, {29.5, 29.5}, 5}, 4, 1};
    }
    // Larger sizes follow the 32-pixel layout; their strokes grow with them.
    const qreal k = size / 32.0;
    Layout l = layoutFor(32);
    const auto scaled = [k](QRectF r) {
        return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
    };
    l.sheet = scaled(l.sheet);
    l.fold *= k;
    l.lines = scaled(QRectF(l.lines)).toRect();
    l.lineThickness = std::max(1, int(std::lround(k)));
    l.lineStep = 3 * l.lineThickness;
    l.outline = std::max(1.0, std::round(k * 0.4));
    l.lens = {l.lens.centre * k,    l.lens.radius * k,      l.lens.rim * k,
              l.lens.handleEnd * k, l.lens.handleWidth * k, l.outline};
    l.sweep *= k;
    return l;
}

// A soft shadow below and to the right of what is drawn, for the large sizes.
QImage withShadow(const QImage& picture, qreal k) {
    const int w = picture.width(), h = picture.height();
    const int radius = std::max(1, int(std::lround(k)));
    const int dx = int(std::lround(k * 0.5)), dy = int(std::lround(k));
    std::vector<int> alpha(size_t(w) * h, 0), blurred(size_t(w) * h, 0);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int sx = x - dx, sy = y - dy;
            if (sx >= 0 && sy >= 0) alpha[size_t(y) * w + x] = qAlpha(picture.pixel(sx, sy));
        }
    // Two box-blur passes in each direction approximate a gentle Gaussian.
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int sum = 0, n = 0;
                for (int i = -radius; i <= radius; ++i)
                    if (x + i >= 0 && x + i < w) sum += alpha[size_t(y) * w + x + i], ++n;
                blurred[size_t(y) * w + x] = sum / n;
            }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                int sum = 0, n = 0;
                for (int i = -radius; i <= radius; ++i)
                    if (y + i >= 0 && y + i < h) sum += blurred[size_t(y + i) * w + x], ++n;
                alpha[size_t(y) * w + x] = sum / n;
            }
    }
    QImage out = canvas(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int a = alpha[size_t(y) * w + x] * 70 / 255;
            out.setPixel(x, y, qPremultiply(qRgba(16, 24, 40, a)));
        }
    QPainter p(&out);
    p.drawImage(0, 0, picture);
    return out;
}

QPointF sweepOffset(const Layout& l, int frame) {
    if (frame < 0) return {};
    const double turn = 2 * std::numbers::pi * frame / animationFrames - std::numbers::pi / 2;
    // The circle is centred up and left of the resting lens, so the handle stays (nearly)
    // inside the icon; whole-pixel steps keep the lens as crisp in every frame as at rest.
    const double back = l.sweep / 2;
    return {std::round(l.sweep * std::cos(turn) - back),
            std::round(l.sweep * std::sin(turn) - back)};
}

} // namespace

bool hasTrayLayout(int size) {
    return size == 16 || size == 22 || size == 24 || size == 32;
}

QImage finderEmblem(int size, int frame) {
    if (size < 16 || frame >= animationFrames) throw std::invalid_argument("no such emblem");
    const Layout l = layoutFor(size);
    QImage image = canvas(size, size);
    QPainter p(&image);
    prepare(p);
    sheet(p, l.sheet, l.fold, l.outline);
    textLines(p, l.lines, l.lineStep, l.lineThickness);
    Lens lens = l.lens;
    const QPointF shift = sweepOffset(l, frame);
    lens.centre += shift;
    lens.handleEnd += shift;
    // Through the glass the text runs on, enlarged, as if the sheet went on under it.
    QImage page = canvas(size, size);
    if (size >= 48) {
        page.fill(palette::paper.light);
        QPainter pp(&page);
        textLines(pp, QRect(l.lines.left(), l.lines.top(), size, size), l.lineStep,
                  l.lineThickness);
        lens.behind = &page;
    }
    magnifier(p, lens);
    p.end();
    return size >= 48 ? withShadow(image, size / 32.0) : image;
}

QImage viewerEmblem(int size) {
    if (size < 16) throw std::invalid_argument("no such emblem");
    const Layout l = layoutFor(size);
    const qreal k = size / 32.0;
    QImage image = canvas(size, size);
    QPainter p(&image);
    prepare(p);
    QRectF page = l.sheet;
    page.setWidth(page.width() + std::round(3 * k));
    sheet(p, page, l.fold, l.outline);
    QRect lines = l.lines;
    lines.setWidth(lines.width() + int(std::round(3 * k)));
    textLines(p, lines, l.lineStep, l.lineThickness);
    // The pencil, pointing down to the left, lying along the diagonal of the lower right.
    const qreal w = std::max(3.0, 6 * k), len = 20 * k, cone = 5 * k;
    const QPointF tip(std::round(14 * k), std::round(27 * k));
    QTransform t;
    t.translate(tip.x(), tip.y());
    t.rotate(-45);
    const auto part = [&](qreal from, qreal to) { return t.map(box(from, -w / 2, to - from, w)); };
    body(p, t.map(polygon({{0, 0}, {cone, -w / 2}, {cone, w / 2}})), palette::paper, l.outline);
    p.fillPath(t.map(polygon({{0, 0}, {cone * 0.4, -w / 5}, {cone * 0.4, w / 5}})),
               palette::ink.dark);
    body(p, part(cone, len - 4 * k), palette::amber, l.outline);
    plainBody(p, part(len - 4 * k, len - 2 * k), palette::steel, l.outline);
    body(p, part(len - 2 * k, len), palette::red, l.outline);
    p.end();
    return size >= 48 ? withShadow(image, k) : image;
}

} // namespace mvf::assets::art
