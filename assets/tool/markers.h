// The editor's ten bookmark glyphs, digits 0 to 9, side by side in one strip.
#pragma once

#include <QImage>

namespace mvf::assets::art {

inline constexpr int markerSize = 12;

// 120 × 12 pixels: glyph n is the n-th twelve-pixel column.
QImage markerStrip();

} // namespace mvf::assets::art
