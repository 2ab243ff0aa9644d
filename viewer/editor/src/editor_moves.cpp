// Caret movement, selection extension and scrolling.
#include <algorithm>

#include "viewer/editor/editor.h"
#include "viewer/editor/utf8.h"

namespace mvf::editor {
namespace {

int32_t PageLines(int32_t visible) {
    return std::max(visible - 1, 1);
}

} // namespace

bool TOvcCustomEditor::MoveCommand(int command) {
    switch (command) {
    case ccLeft: MoveLeft(false); break;
    case ccExtendLeft: MoveLeft(true); break;
    case ccRight: MoveRight(false); break;
    case ccExtendRight: MoveRight(true); break;
    case ccWordLeft: MoveWordLeft(false); break;
    case ccExtWordLeft: MoveWordLeft(true); break;
    case ccWordRight: MoveWordRight(false); break;
    case ccExtWordRight: MoveWordRight(true); break;
    case ccHome: MoveTo({CaretLineCol().line, 1}, false, false); break;
    case ccExtendHome: MoveTo({CaretLineCol().line, 1}, true, false); break;
    case ccEnd: MoveEnd(false); break;
    case ccExtendEnd: MoveEnd(true); break;
    case ccUp: MoveLines(-1, false, false); break;
    case ccExtendUp: MoveLines(-1, true, false); break;
    case ccDown: MoveLines(1, false, false); break;
    case ccExtendDown: MoveLines(1, true, false); break;
    case ccPrevPage: MoveLines(-PageLines(VisibleLines()), false, true); break;
    case ccExtendPgUp: MoveLines(-PageLines(VisibleLines()), true, true); break;
    case ccNextPage: MoveLines(PageLines(VisibleLines()), false, true); break;
    case ccExtendPgDn: MoveLines(PageLines(VisibleLines()), true, true); break;
    case ccTopOfPage: TopOrBottomOfPage(true, false); break;
    case ccExtTopOfPage: TopOrBottomOfPage(true, true); break;
    case ccBotOfPage: TopOrBottomOfPage(false, false); break;
    case ccExtBotOfPage: TopOrBottomOfPage(false, true); break;
    case ccFirstPage: MoveTo({1, 1}, false, false); break;
    case ccExtFirstPage: MoveTo({1, 1}, true, false); break;
    case ccLastPage:
    case ccExtLastPage: {
        const int32_t last = list_->LineCount();
        MoveTo({last, static_cast<int32_t>(list_->LineText(last).size()) + 1},
               command == ccExtLastPage, true);
        break;
    }
    case ccScrollUp: Scroll(-1); break;
    case ccScrollDown: Scroll(1); break;
    default:
        if (command >= ccGotoMarker0 && command <= ccGotoMarker9) {
            const ParaPos mark = list_->Bookmark(command - ccGotoMarker0);
            if (mark.para != 0 && mark.para <= list_->ParaCount()) MoveToPos(mark, false);
            return true;
        }
        if (command >= ccSetMarker0 && command <= ccSetMarker9) {
            list_->SetBookmark(command - ccSetMarker0, caret_);
            if (view_) view_->Repaint();
            return true;
        }
        return false;
    }
    return true;
}

void TOvcCustomEditor::MoveTo(LineCol at, bool extend, bool downward) {
    SetCaretLineCol(at, extend);
    ScrollIntoView(downward);
}

void TOvcCustomEditor::MoveToPos(ParaPos at, bool extend) {
    const int32_t oldLine = CaretLineCol().line;
    SetCaret(at, extend);
    ScrollIntoView(CaretLineCol().line > oldLine);
}

// Positions step over whole characters; in the blank space past a paragraph's end every
// position is one blank.
int32_t TOvcCustomEditor::PositionBefore(ParaPos at) {
    const std::string_view text = list_->ParaText(at.para);
    if (at.pos - 1 > static_cast<int32_t>(text.size())) return at.pos - 1;
    return PrevCharStart(text, at.pos - 1) + 1;
}

int32_t TOvcCustomEditor::PositionAfter(ParaPos at) {
    const std::string_view text = list_->ParaText(at.para);
    if (at.pos - 1 >= static_cast<int32_t>(text.size())) return at.pos + 1;
    return NextCharStart(text, at.pos - 1) + 1;
}

void TOvcCustomEditor::MoveLeft(bool extend) {
    if (caret_.pos > 1) {
        MoveToPos({caret_.para, PositionBefore(caret_)}, extend);
        return;
    }
    const int32_t line = CaretLineCol().line;
    if (wrapAtLeft_ && line > 1) {
        MoveTo({line - 1, static_cast<int32_t>(list_->LineText(line - 1).size()) + 1}, extend,
               false);
    } else if (!extend) {
        SetCaret(caret_);
    }
}

void TOvcCustomEditor::MoveRight(bool extend) {
    const int32_t length = list_->ParaLength(caret_.para);
    if (caret_.pos <= length || (scrollPastEnd_ && caret_.pos < list_->ParaLengthLimit())) {
        MoveToPos({caret_.para, PositionAfter(caret_)}, extend);
    } else if (caret_.para < list_->ParaCount()) {
        MoveToPos({caret_.para + 1, 1}, extend);
    } else if (!extend) {
        SetCaret(caret_);
    }
}

void TOvcCustomEditor::MoveWordLeft(bool extend) {
    if (caret_.pos == 1) {
        const int32_t line = CaretLineCol().line;
        if (line > 1) {
            MoveTo({line - 1, static_cast<int32_t>(list_->LineText(line - 1).size()) + 1}, extend,
                   false);
        }
        return;
    }
    const std::string_view text = list_->ParaText(caret_.para);
    int32_t i = std::min(caret_.pos - 1, static_cast<int32_t>(text.size()));
    while (i > 0 && IsDelimiter(text[i - 1])) --i;
    while (i > 0 && !IsDelimiter(text[i - 1])) --i;
    MoveToPos({caret_.para, i + 1}, extend);
}

void TOvcCustomEditor::MoveWordRight(bool extend) {
    const std::string_view text = list_->ParaText(caret_.para);
    const auto length = static_cast<int32_t>(text.size());
    if (caret_.pos > length) {
        const int32_t line = CaretLineCol().line;
        if (line < list_->LineCount()) MoveTo({line + 1, 1}, extend, true);
        return;
    }
    int32_t i = caret_.pos - 1;
    while (i < length && !IsDelimiter(text[i])) ++i;
    while (i < length && IsDelimiter(text[i])) ++i;
    MoveToPos({caret_.para, i + 1}, extend);
}

void TOvcCustomEditor::MoveEnd(bool extend) {
    const int32_t line = CaretLineCol().line;
    const LineRef ref = list_->FindLine(line);
    const auto length = static_cast<int32_t>(ref.text.size());
    // On a wrapped line that is not the paragraph's last, "after the last character" would
    // be the next line's start: stay on this line's last character instead.
    const bool lastOfPara = ref.lineInPara == list_->ParaLineCount(ref.para);
    const int32_t last = length > 0 ? PrevCharStart(ref.text, length) + 1 : 1;
    MoveTo({line, lastOfPara ? length + 1 : last}, extend, false);
}

int32_t TOvcCustomEditor::CaretDisplayColumn() {
    const LineCol at = CaretLineCol();
    const std::string_view text = list_->LineText(at.line);
    const auto length = static_cast<int32_t>(text.size());
    if (at.col - 1 <= length) return DisplayColumnAfter(text.substr(0, at.col - 1), 0, TabSize());
    return DisplayColumnAfter(text, 0, TabSize()) + at.col - 1 - length;
}

int32_t TOvcCustomEditor::ColumnForDisplay(std::string_view line, int32_t displayColumn) const {
    const int32_t tabSize = list_->TabSize();
    int32_t i = 0;
    int32_t column = 0;
    const auto length = static_cast<int32_t>(line.size());
    while (i < length && column < displayColumn) {
        int32_t bytes = 1;
        column += CellsAt(line, i, column, tabSize, &bytes);
        i += bytes;
    }
    if (column < displayColumn) i += displayColumn - column;
    return i + 1;
}

int32_t TOvcCustomEditor::MaxColumn(std::string_view line) const {
    return scrollPastEnd_ ? list_->ParaLengthLimit() : static_cast<int32_t>(line.size()) + 1;
}

void TOvcCustomEditor::MoveLines(int32_t lines, bool extend, bool keepRow) {
    const LineCol from = CaretLineCol();
    const int32_t target = std::clamp(from.line + lines, 1, list_->LineCount());
    if (target == from.line && !keepRow) {
        if (!extend) SetCaret(caret_);
        return;
    }
    const int32_t display = CaretDisplayColumn();
    const std::string_view text = list_->LineText(target);
    const int32_t col = std::clamp(ColumnForDisplay(text, display), 1, MaxColumn(text));
    if (keepRow) {
        // The caret keeps its screen row: the view scrolls by the lines the caret moved.
        const int32_t maxTop = std::max(list_->LineCount() - VisibleLines() + 1, 1);
        topLine_ = std::clamp(topLine_ + target - from.line, 1, maxTop);
    }
    MoveTo({target, col}, extend, target > from.line);
}

void TOvcCustomEditor::TopOrBottomOfPage(bool top, bool extend) {
    const int32_t line = CaretLineCol().line;
    const int32_t visible = VisibleLines();
    const bool shown = line >= topLine_ && line < topLine_ + visible;
    if (!shown) {
        // The caret stays; the view brings its line to the top or the bottom.
        topLine_ = top ? line : std::max(line - visible + 1, 1);
        if (view_) view_->Repaint();
        return;
    }
    const int32_t target = top ? topLine_ : std::min(topLine_ + visible - 1, list_->LineCount());
    MoveLines(target - line, extend, false);
}

void TOvcCustomEditor::Scroll(int32_t lines) {
    topLine_ = std::clamp(topLine_ + lines, 1, list_->LineCount());
    if (view_) view_->Repaint();
}

void TOvcCustomEditor::ScrollIntoView(bool downward) {
    const LineCol at = CaretLineCol();
    const int32_t visible = VisibleLines();
    if (at.line < topLine_) {
        topLine_ = at.line;
    } else if (at.line > topLine_ + visible - 1) {
        topLine_ = at.line - visible + 1;
    }
    const int32_t column = CaretDisplayColumn() + 1;
    const int32_t columns = VisibleColumns();
    const bool left = column <= horizontalOffset_;
    const bool right = column > horizontalOffset_ + columns;
    if ((left || right) && downward) {
        horizontalOffset_ = 0;
    } else if (left) {
        horizontalOffset_ = column <= 2 ? 0 : column - 1;
    } else if (right) {
        horizontalOffset_ = column - columns;
    }
}

} // namespace mvf::editor
