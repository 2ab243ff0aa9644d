// Mouse positioning: the pointer's place as a caret, drags, and double-click selections.
#include <algorithm>

#include "viewer/editor/editor.h"

namespace mvf::editor {

LineCol TOvcCustomEditor::PointToLineCol(int32_t row, int32_t x, int32_t charWidth) {
    const int32_t visible = VisibleLines();
    int32_t line = topLine_ + row;
    if (row < 0) line = topLine_ - 1;
    if (row >= visible) line = topLine_ + visible;
    line = std::clamp(line, 1, list_->LineCount());
    charWidth = std::max(charWidth, 1);
    // The nearest character boundary.
    const int32_t display =
        std::max((x - leftMargin_ + charWidth / 2) / charWidth, 0) + horizontalOffset_;
    const std::string_view text = list_->LineText(line);
    return {line, std::clamp(ColumnForDisplay(text, display), 1, MaxColumn(text))};
}

void TOvcCustomEditor::MouseDown(int32_t row, int32_t x, int32_t charWidth, bool shift) {
    if (list_->ByteCount() == 0) return;
    const LineCol at = PointToLineCol(row, x, charWidth);
    dragging_ = true;
    marginDrag_ = x < leftMargin_;
    if (marginDrag_) {
        // Whole display lines from the pressed one (with Shift, from the selection's far end).
        marginLine_ = shift && HasSelection() ? list_->ParaToLine(anchor_).line : at.line;
        MouseMove(row, x, charWidth);
        return;
    }
    SetCaretLineCol(at, shift);
    ScrollIntoView();
    ShowStatus();
}

void TOvcCustomEditor::MouseMove(int32_t row, int32_t x, int32_t charWidth) {
    if (!dragging_) return;
    const LineCol at = PointToLineCol(row, x, charWidth);
    if (marginDrag_) {
        const int32_t first = std::min(marginLine_, at.line);
        const int32_t last = std::max(marginLine_, at.line);
        ParaPos start = list_->LineToPara({first, 1});
        ParaPos end;
        if (last < list_->LineCount()) {
            end = list_->LineToPara({last + 1, 1});
        } else {
            end = list_->LineToPara({last, static_cast<int32_t>(list_->LineText(last).size()) + 1});
        }
        if (at.line < marginLine_) std::swap(end, start);
        SetSelection(start, end);
    } else {
        SetCaretLineCol(at, true);
    }
    ScrollIntoView();
    ShowStatus();
}

void TOvcCustomEditor::DoubleClick(int32_t row, int32_t x, int32_t charWidth, bool shift) {
    if (list_->ByteCount() == 0) return;
    const LineCol at = PointToLineCol(row, x, charWidth);
    const ParaPos pos = list_->LineToPara(at);
    if (x < leftMargin_) {
        // The whole paragraph, or with Shift the selection extended by paragraphs.
        const int32_t last = list_->ParaCount();
        const ParaPos end =
            pos.para < last ? ParaPos{pos.para + 1, 1} : ParaPos{last, list_->ParaLength(last) + 1};
        const ParaPos start{pos.para, 1};
        if (shift && HasSelection()) {
            SetCaret(start < anchor_ ? start : end, true);
        } else {
            SetSelection(start, end);
        }
        ShowStatus();
        return;
    }
    const std::string_view text = list_->ParaText(pos.para);
    const auto length = static_cast<int32_t>(text.size());
    int32_t begin = std::min(pos.pos - 1, length);
    while (begin > 0 && !IsDelimiter(text[begin - 1])) --begin;
    int32_t end = std::min(pos.pos - 1, length);
    while (end < length && !IsDelimiter(text[end])) ++end;
    while (end < length && IsBlank(text[end])) ++end;
    if (shift && HasSelection()) {
        SetCaret(ParaPos{pos.para, begin + 1} < anchor_ ? ParaPos{pos.para, begin + 1}
                                                        : ParaPos{pos.para, end + 1},
                 true);
    } else {
        SetSelection({pos.para, begin + 1}, {pos.para, end + 1});
    }
    ScrollIntoView();
    ShowStatus();
}

} // namespace mvf::editor
