// Draws one display line into a row of the editor: selection, characters, caret.
#pragma once

#include <cstdint>
#include <string_view>

#include <QColor>
#include <QFont>
#include <QHash>
#include <QRawFont>

#include "viewer/editor_widget.h"

class QPainter;

namespace mvf::viewer {

class LinePainter {
public:
    struct Row {
        std::string_view text; // the display line's bytes
        int32_t tabSize = 8;
        int32_t firstCell = 0; // the first visible cell (the horizontal offset)
        int32_t cellCount = 0; // cells that fit, the partly visible one included
        int x = 0;             // pixel of the first visible cell
        int top = 0;
        // Selected bytes [selectFrom, selectTo) of the line; past the end each position is
        // one blank cell (the line break, or blank space the caret went into).
        int64_t selectFrom = 0;
        int64_t selectTo = 0;
        int32_t caretOffset = -1; // -1: the caret is not on this row, or hidden
        CaretShape caretShape = CaretShape::Bar;
    };
    struct Colours {
        QColor text;
        QColor base;
        QColor highlight;
        QColor highlightedText;
    };

    void SetFont(const QFont& font, int charWidth, int lineHeight, int ascent);

    // Draws the row and returns the whole line's width in cells.
    int32_t Paint(QPainter& painter, const Row& row, const Colours& colours);

private:
    // The glyph of `c` in the font itself; 0 when another font must draw it.
    quint32 Glyph(char32_t c);

    QFont font_;
    QRawFont raw_;
    QHash<char32_t, quint32> glyphs_;
    int charWidth_ = 8;
    int lineHeight_ = 16;
    int ascent_ = 12;
};

} // namespace mvf::viewer
