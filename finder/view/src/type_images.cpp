#include "type_images.h"

#include <QPainter>
#include <array>

#include "assets/icons.h"

namespace mvf::view {

QSize TypeImageSize() {
    return {assets::lineEndIconWidth, assets::lineEndIconHeight};
}

const QIcon& TypeIcon(int type) {
    static const std::array<QIcon, 4> icons{
        assets::lineEndIcon(assets::LineEnds::Dos), assets::lineEndIcon(assets::LineEnds::Mac),
        assets::lineEndIcon(assets::LineEnds::Unix), assets::lineEndIcon(assets::LineEnds::Binary)};
    static const QIcon none;
    return type >= 0 && type < int(icons.size()) ? icons[std::size_t(type)] : none;
}

QPixmap TypePixmap(int type, qreal devicePixelRatio, const QColor* highlight) {
    const QIcon& icon = TypeIcon(type);
    if (icon.isNull()) return {};
    QPixmap picture = icon.pixmap(TypeImageSize(), devicePixelRatio);
    if (highlight) {
        // Half the highlight over the picture's own pixels, as a selected row shows it.
        QPainter blend(&picture);
        blend.setCompositionMode(QPainter::CompositionMode_SourceAtop);
        QColor veil = *highlight;
        veil.setAlpha(128);
        blend.fillRect(QRect(QPoint(0, 0), picture.deviceIndependentSize().toSize()), veil);
    }
    return picture;
}

} // namespace mvf::view
