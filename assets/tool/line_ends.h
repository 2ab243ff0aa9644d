// The four small pictures of the results list's type column: how a found file's lines end
// (DOS, MAC, UNIX) or that it is binary. A sheet of paper with a coloured tag that carries
// the kind's letter, drawn for 19 × 16 pixels and for twice that on dense screens.
#pragma once

#include <QImage>

namespace mvf::assets::art {

enum class LineEndKind { Dos, Mac, Unix, Binary };

// The picture of `kind` at `scale` 1 (19 × 16) or 2 (38 × 32).
QImage lineEndPicture(LineEndKind kind, int scale);

} // namespace mvf::assets::art
