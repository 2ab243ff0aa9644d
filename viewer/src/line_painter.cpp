#include "line_painter.h"

#include <algorithm>
#include <array>
#include <vector>

#include <QGlyphRun>
#include <QPainter>

#include "line_layout.h"

namespace mvf::viewer {
namespace {

// The glyphs of one colour, placed cell by cell.
struct GlyphBatch {
    QList<quint32> indexes;
    QList<QPointF> positions;
};

} // namespace

void LinePainter::SetFont(const QFont& font, int charWidth, int lineHeight, int ascent) {
    font_ = font;
    raw_ = QRawFont::fromFont(font);
    glyphs_.clear();
    charWidth_ = charWidth;
    lineHeight_ = lineHeight;
    ascent_ = ascent;
}

quint32 LinePainter::Glyph(char32_t c) {
    const auto cached = glyphs_.constFind(c);
    if (cached != glyphs_.constEnd()) return *cached;
    quint32 glyph = 0;
    if (raw_.isValid() && raw_.supportsCharacter(static_cast<uint>(c))) {
        const QList<quint32> found = raw_.glyphIndexesForString(QString::fromUcs4(&c, 1));
        if (found.size() == 1) glyph = found.front();
    }
    glyphs_.insert(c, glyph);
    return glyph;
}

int32_t LinePainter::Paint(QPainter& painter, const Row& row, const Colours& colours) {
    const LaidLine laid =
        LayOutLine(row.text, row.tabSize, row.firstCell, row.firstCell + row.cellCount);
    const auto length = static_cast<int64_t>(row.text.size());
    const auto cellOf = [&](int64_t offset) {
        if (offset <= length) {
            return CellOfOffset(row.text, static_cast<int32_t>(offset), row.tabSize);
        }
        return static_cast<int32_t>(laid.cells + (offset - length));
    };
    const auto xOf = [&](int32_t cell) { return row.x + (cell - row.firstCell) * charWidth_; };

    if (row.selectFrom < row.selectTo) {
        const int32_t from = cellOf(row.selectFrom);
        const int32_t to = cellOf(row.selectTo);
        painter.fillRect(xOf(from), row.top, (to - from) * charWidth_, lineHeight_,
                         colours.highlight);
    }

    int32_t caretCell = 0;
    int32_t caretCells = 1;
    if (row.caretOffset >= 0) {
        caretCell = cellOf(row.caretOffset);
        if (row.caretOffset < length) {
            int32_t bytes = 1;
            caretCells = editor::CellsAt(row.text, row.caretOffset, caretCell,
                                         std::max(row.tabSize, 1), &bytes);
        }
        if (row.caretShape == CaretShape::Block) {
            painter.fillRect(xOf(caretCell), row.top, caretCells * charWidth_, lineHeight_,
                             colours.text);
        }
    }

    // Plain, selected, and under a block caret.
    std::array<GlyphBatch, 3> batches;
    const std::array<QColor, 3> pens = {colours.text, colours.highlightedText, colours.base};
    const qreal baseline = row.top + ascent_;
    for (const LaidChar& c : laid.chars) {
        if (c.shown == 0) continue;
        const bool underCaret = row.caretOffset >= 0 && row.caretShape == CaretShape::Block &&
                                row.caretOffset >= c.offset &&
                                row.caretOffset < c.offset + c.length;
        const bool selected = c.offset >= row.selectFrom && c.offset < row.selectTo;
        const size_t kind = underCaret ? 2 : selected ? 1 : 0;
        const QPointF at(xOf(c.cell), baseline);
        const quint32 glyph = Glyph(c.shown);
        if (glyph != 0) {
            batches[kind].indexes.append(glyph);
            batches[kind].positions.append(at);
        } else {
            // Characters the fixed font lacks come from whichever font has them.
            painter.setFont(font_);
            painter.setPen(pens[kind]);
            painter.drawText(at, QString::fromUcs4(&c.shown, 1));
        }
    }
    for (size_t kind = 0; kind < batches.size(); ++kind) {
        if (batches[kind].indexes.isEmpty()) continue;
        QGlyphRun run;
        run.setRawFont(raw_);
        run.setGlyphIndexes(batches[kind].indexes);
        run.setPositions(batches[kind].positions);
        painter.setPen(pens[kind]);
        painter.drawGlyphRun(QPointF(0, 0), run);
    }

    if (row.caretOffset >= 0) {
        const int thickness = std::max(charWidth_ / 6, 2);
        if (row.caretShape == CaretShape::Bar) {
            painter.fillRect(xOf(caretCell), row.top, thickness, lineHeight_, colours.text);
        } else if (row.caretShape == CaretShape::Underline) {
            painter.fillRect(xOf(caretCell), row.top + lineHeight_ - thickness,
                             caretCells * charWidth_, thickness, colours.text);
        }
    }
    return laid.cells;
}

} // namespace mvf::viewer
