// A contact sheet of every picture the build makes, at its own size and magnified four
// times, on a light and on a dark ground, with the bark's waveform: for looking at them.
#pragma once

#include "catalogue.h"

#include <QImage>

namespace mvf::assets::art {

QImage contactSheet(const Bundle& library, const Bundle& icons);

} // namespace mvf::assets::art
