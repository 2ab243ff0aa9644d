// The four type pictures of the results list (image indexes 0-3: DOS, MAC, UNIX, BINARY).
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

namespace mvf::view {

// The picture's size in the row (it is drawn sharper on a dense screen).
QSize TypeImageSize();

// The picture of a row's type; a null icon for a row without one.
const QIcon& TypeIcon(int type);

// The picture for a row at `devicePixelRatio`; selected rows get it blended with the
// highlight colour. A null pixmap for a row without a type.
QPixmap TypePixmap(int type, qreal devicePixelRatio, const QColor* highlight);

} // namespace mvf::view
