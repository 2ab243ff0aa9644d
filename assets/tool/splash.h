// The finder's splash picture: its emblem, name and version.
#pragma once

#include <QImage>

namespace mvf::assets::art {

inline constexpr int splashWidth = 510;
inline constexpr int splashHeight = 263;

// Needs the DejaVu Sans faces of the build machine; throws when they are missing.
QImage splashPicture();

} // namespace mvf::assets::art
