// The button glyphs of both programs, drawn for the 16-pixel and the 32-pixel grid.
#pragma once

#include <QImage>

namespace mvf::assets::art {

enum class Glyph {
    NewSearch,
    OpenFiles,
    DeleteFiles,
    ClearList,
    LoadList,
    Save,
    Stop,
    Help,
    Done,
    Exit,
    OpenFolder,
    Cut,
    Copy,
    Paste,
};

// The glyph on a transparent square of `size` pixels (16 or 32).
QImage glyph(Glyph g, int size);

} // namespace mvf::assets::art
