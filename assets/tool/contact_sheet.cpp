#include "contact_sheet.h"

#include <QFont>
#include <QPainter>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace mvf::assets::art {
namespace {

const QColor lightGround(0xf2, 0xf2, 0xf2), darkGround(0x2b, 0x2d, 0x30);

class Sheet {
public:
    Sheet() : image_(1620, 6000, QImage::Format_ARGB32_Premultiplied) {
        image_.fill(QColor(0xdc, 0xdc, 0xdc));
        p_.begin(&image_);
        p_.setFont(QFont("DejaVu Sans", 9));
    }
    // One row of pictures at `scale`, on the given ground.
    void row(const QString& label, const std::vector<QImage>& pictures, int scale,
             const QColor& ground) {
        int height = 0, width = 0;
        for (const QImage& pic : pictures) {
            height = std::max(height, pic.height() * scale);
            width += pic.width() * scale + 8;
        }
        p_.fillRect(QRect(150, y_, width + 8, height + 8), ground);
        p_.setPen(Qt::black);
        p_.drawText(QRect(6, y_, 140, height + 8), Qt::AlignVCenter | Qt::TextWordWrap, label);
        int x = 158;
        for (const QImage& pic : pictures) {
            const QImage shown = scale == 1 ? pic : pic.scaled(pic.size() * scale);
            p_.drawImage(x, y_ + 4 + (height - shown.height()) / 2, shown);
            x += shown.width() + 8;
        }
        y_ += height + 14;
    }
    void both(const QString& label, const std::vector<QImage>& pictures, int scale) {
        row(label + " (light)", pictures, scale, lightGround);
        row(label + " (dark)", pictures, scale, darkGround);
    }
    void wave(const QByteArray& file) {
        const int samples = int((file.size() - 44) / 2);
        const int w = 1100, h = 120;
        p_.fillRect(QRect(150, y_, w, h), Qt::white);
        p_.drawText(QRect(6, y_, 140, h), Qt::AlignVCenter, "BARKSOUND.wav");
        p_.setPen(QColor(0x1a, 0x47, 0x8a));
        for (int i = 0; i < samples; ++i) {
            std::int16_t s;
            std::memcpy(&s, file.constData() + 44 + 2 * i, 2);
            const int x = 150 + i * w / samples;
            p_.drawLine(x, y_ + h / 2, x, y_ + h / 2 - s * (h / 2) / 32768);
        }
        y_ += h + 14;
    }
    QImage finish() {
        p_.end();
        return image_.copy(0, 0, image_.width(), y_);
    }

private:
    QImage image_;
    QPainter p_;
    int y_ = 8;
};

QImage decoded(const Bundle& b, const QString& name) {
    for (const Item& item : b.items)
        if (item.name == name) return QImage::fromData(item.bytes, "png");
    return {};
}

std::vector<QImage> pick(const Bundle& b, const std::function<bool(const QString&)>& wanted) {
    std::vector<QImage> out;
    for (const Item& item : b.items)
        if (wanted(item.name)) out.push_back(QImage::fromData(item.bytes, "png"));
    return out;
}

} // namespace

QImage contactSheet(const Bundle& library, const Bundle& icons) {
    Sheet sheet;
    const auto prefixed = [](const char* start) {
        return [start](const QString& n) { return n.startsWith(start) && n.endsWith(".png"); };
    };
    const std::vector<QImage> small = pick(library, prefixed("S_"));
    const std::vector<QImage> medium = pick(library, prefixed("M_"));
    sheet.both("toolbar S 24x22", small, 1);
    sheet.both("toolbar M 38x38", medium, 1);
    sheet.both("toolbar S x4", small, 4);
    sheet.both("toolbar M x4", medium, 4);
    for (int size : {16, 22, 24, 32}) {
        const QString tail = QString("_%1.png").arg(size);
        const auto tray = pick(
            icons, [&](const QString& n) { return n.startsWith("tray/") && n.endsWith(tail); });
        sheet.both(QString("tray %1: rest, greyed, A103-A111").arg(size), tray, 1);
        if (size <= 24) sheet.both(QString("tray %1 x4").arg(size), tray, 4);
    }
    sheet.both("finder app icon", pick(icons, prefixed("app/finder")), 1);
    sheet.both("viewer app icon", pick(icons, prefixed("app/viewer")), 1);
    sheet.both("finder app 16-48 x4",
               pick(icons,
                    [](const QString& n) {
                        return n.startsWith("app/") && !n.contains("_64") && !n.contains("_128") &&
                               !n.contains("_256");
                    }),
               4);
    const auto viewer16 = pick(
        icons, [](const QString& n) { return n.startsWith("viewer/") && n.endsWith("_16.png"); });
    const auto viewer32 = pick(
        icons, [](const QString& n) { return n.startsWith("viewer/") && n.endsWith("_32.png"); });
    sheet.both("viewer buttons 16", viewer16, 1);
    sheet.both("viewer buttons x4", viewer16, 4);
    sheet.both("viewer buttons 32", viewer32, 1);
    const QImage markers = decoded(library, "MARKERS.png");
    sheet.row("MARKERS", {markers}, 1, Qt::white);
    sheet.both("MARKERS x4", {markers}, 4);
    sheet.row("SPLASH", {decoded(library, "SPLASH.png")}, 1, lightGround);
    for (const Item& item : library.items)
        if (item.name == "BARKSOUND.wav") sheet.wave(item.bytes);
    return sheet.finish();
}

} // namespace mvf::assets::art
