#include "splash.h"

#include "emblems.h"
#include "paint_kit.h"

#include <QFont>
#include <QFontDatabase>
#include <QLinearGradient>
#include <QRadialGradient>

#include <stdexcept>

namespace mvf::assets::art {
namespace {

const char* const fontFolder = "/usr/share/fonts/truetype/dejavu/";

// The face is loaded from its file so the picture does not depend on what fontconfig
// would pick for a family name.
QString loadFace(const char* file) {
    const int id = QFontDatabase::addApplicationFont(QString(fontFolder) + file);
    const QStringList families = QFontDatabase::applicationFontFamilies(id);
    if (families.isEmpty())
        throw std::runtime_error(std::string("font missing: ") + fontFolder + file);
    return families.first();
}

// Text as outlines: the same shapes whatever hinting the machine is set up for.
void text(QPainter& p, const QString& family, bool bold, int pixels, qreal letterSpacing,
          QPointF baseline, const QString& s, const QColor& c) {
    QFont font(family);
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setLetterSpacing(QFont::AbsoluteSpacing, letterSpacing);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath path;
    path.addText(baseline, font, s);
    p.fillPath(path, c);
}

} // namespace

QImage splashPicture() {
    const QString regular = loadFace("DejaVuSans.ttf");
    const QString bold = loadFace("DejaVuSans-Bold.ttf");
    QImage image(splashWidth, splashHeight, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&image);
    prepare(p);
    // A deep blue field, lit from the top left.
    QLinearGradient field(0, 0, splashWidth, splashHeight);
    field.setColorAt(0, QColor(0x2f, 0x6e, 0xc4));
    field.setColorAt(1, QColor(0x10, 0x2c, 0x5a));
    p.fillRect(image.rect(), field);
    // Two faint rings echo the lens.
    p.setPen(QPen(QColor(255, 255, 255, 22), 26));
    p.drawEllipse(QPointF(455, 40), 150, 150);
    p.setPen(QPen(QColor(255, 255, 255, 14), 10));
    p.drawEllipse(QPointF(455, 40), 205, 205);
    // A soft light behind the emblem.
    QRadialGradient glow(QPointF(106, 126), 110);
    glow.setColorAt(0, QColor(255, 255, 255, 60));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(image.rect(), glow);
    p.drawImage(42, 62, finderEmblem(128));

    const QColor white(255, 255, 255), pale(0xc6, 0xdc, 0xf7);
    text(p, regular, false, 24, 0.5, {196, 104}, "Morvel Vantor", pale);
    text(p, bold, true, 56, 0, {193, 160}, "Finder", white);
    p.fillRect(QRectF(196, 178, 250, 2), QColor(255, 255, 255, 90));
    text(p, regular, false, 16, 1, {196, 206}, "Version 2.1", pale);
    p.end();
    return image;
}

} // namespace mvf::assets::art
