// The emblems of the two programs: the finder's (a magnifier over a sheet of text, also
// its tray icon and the frames of its search animation) and the viewer's (a sheet with a
// pencil). Each is laid out for its own pixel size.
#pragma once

#include <QImage>

namespace mvf::assets::art {

inline constexpr int animationFrames = 9;

// Sizes with a layout of their own; the others are drawn from the 32-pixel layout.
bool hasTrayLayout(int size);

// The finder's emblem at rest, or the magnifier at step `frame` (0 … 8) of its sweep.
QImage finderEmblem(int size, int frame = -1);
QImage viewerEmblem(int size);

} // namespace mvf::assets::art
