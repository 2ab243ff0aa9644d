// Drawing: the rows a paint event asks for, the bookmark margin, the input method's text.
#include <algorithm>
#include <limits>

#include <QPaintEvent>
#include <QPainter>

#include "line_layout.h"
#include "line_painter.h"
#include "viewer/editor_widget.h"

namespace mvf::viewer {
namespace {

constexpr int64_t kBeyond = std::numeric_limits<int32_t>::max();

// The lowest-numbered bookmark on a display line: the line holds the positions from its
// start offset up to the next line's (to any position, for a paragraph's last line).
int LowestBookmarkOn(editor::TParaList& list, const editor::LineRef& line, bool lastOfPara) {
    const int32_t end = lastOfPara ? std::numeric_limits<int32_t>::max()
                                   : line.offset + static_cast<int32_t>(line.text.size());
    for (int n = 0; n < editor::kBookmarkCount; ++n) {
        const editor::ParaPos mark = list.Bookmark(n);
        if (mark.para == line.para && mark.pos - 1 >= line.offset && mark.pos - 1 < end) return n;
    }
    return -1;
}

} // namespace

void EditorWidget::paintEvent(QPaintEvent* event) {
    editor::TParaList& list = editor_.Paragraphs();
    QPainter painter(viewport());
    const QPalette& colours = palette();
    LinePainter::Colours rowColours;
    rowColours.base = colours.color(QPalette::Base);
    rowColours.text = isEnabled() ? colours.color(QPalette::Text)
                                  : colours.color(QPalette::Disabled, QPalette::Text);
    rowColours.highlight = colours.color(QPalette::Highlight);
    rowColours.highlightedText = colours.color(QPalette::HighlightedText);

    const QRect area = event->rect();
    painter.fillRect(area, rowColours.base);
    const int margin = editor_.LeftMargin();
    const int width = viewport()->width();
    const int32_t top = editor_.TopLine();
    const int32_t offset = editor_.HorizontalOffset();
    const int32_t tabSize = editor_.TabSize();
    const int firstRow = std::max(area.top() / lineHeight_, 0);
    const int lastRow = area.bottom() / lineHeight_;

    const bool selection = editor_.HasSelection() && SelectionVisible();
    const editor::ParaPos selStart = editor_.SelectionStart();
    const editor::ParaPos selEnd = editor_.SelectionEnd();
    const editor::LineCol caret = editor_.CaretLineCol();
    const bool caretShown = hasFocus() && caretOn_ && preedit_.isEmpty();
    const int glyphWidth = markers_.isNull() ? 0 : markers_.width() / editor::kBookmarkCount;

    LinePainter::Row row;
    row.tabSize = tabSize;
    row.firstCell = offset;
    row.cellCount = (width - margin) / charWidth_ + 2;
    row.x = margin;
    row.caretShape = editor_.InsertMode() ? insertCaret_ : overwriteCaret_;
    int32_t widest = widestSeen_;
    for (int r = firstRow; r <= lastRow; ++r) {
        const int32_t line = top + r;
        if (line > list.LineCount()) break;
        const editor::LineRef ref = list.FindLine(line);
        const bool lastOfPara = ref.lineInPara == list.ParaLineCount(ref.para);
        const auto length = static_cast<int64_t>(ref.text.size());
        row.text = ref.text;
        row.top = r * lineHeight_;
        row.selectFrom = row.selectTo = 0;
        if (selection && selStart.para <= ref.para && selEnd.para >= ref.para) {
            // The selection in this line's bytes; past a paragraph's end it takes the
            // line break's cell too, when it goes on into the next paragraph.
            const int64_t from = selStart.para == ref.para ? selStart.pos - 1 - ref.offset : 0;
            int64_t to = selEnd.para == ref.para ? selEnd.pos - 1 - ref.offset : kBeyond;
            if (!lastOfPara) to = std::min(to, length);
            row.selectFrom = std::max<int64_t>(from, 0);
            row.selectTo = to == kBeyond ? std::max(row.selectFrom, length) + 1 : to;
        }
        row.caretOffset = caretShown && caret.line == line ? caret.col - 1 : -1;
        painter.setClipRect(margin, row.top, width - margin - rightMargin_, lineHeight_);
        widest = std::max(widest, painter_->Paint(painter, row, rowColours));
        painter.setClipping(false);

        if (showBookmarks_ && glyphWidth > 0 && glyphWidth <= margin) {
            const int n = LowestBookmarkOn(list, ref, lastOfPara);
            if (n >= 0) {
                const int glyphHeight = markers_.height();
                const int y =
                    row.top +
                    (lineHeight_ >= glyphHeight + 2 ? (lineHeight_ - glyphHeight) / 2 : 0);
                painter.drawPixmap(1, y, markers_, n * glyphWidth, 0, glyphWidth, glyphHeight);
            }
        }
    }

    if (!preedit_.isEmpty() && hasFocus()) {
        // The input method's text being composed, underlined at the caret; it is not in
        // the document until committed.
        const QRect at = CaretRect();
        if (!at.isEmpty()) {
            const int textWidth = painter.fontMetrics().horizontalAdvance(preedit_);
            painter.fillRect(at.x(), at.y(), textWidth, lineHeight_, rowColours.base);
            painter.setPen(rowColours.text);
            painter.drawText(at.x(), at.y() + ascent_, preedit_);
            painter.drawLine(at.x(), at.y() + lineHeight_ - 1, at.x() + textWidth,
                             at.y() + lineHeight_ - 1);
        }
    }

    if (widest > widestSeen_) {
        widestSeen_ = widest;
        ScheduleSync(); // a wider line was seen: the horizontal scroll bar grows
    }
}

} // namespace mvf::viewer
