// Commands that change the text: typing, tabs, line breaks, deletions, clipboard, undo.
#include <algorithm>

#include "viewer/editor/editor.h"
#include "viewer/editor/editor_errors.h"
#include "viewer/editor/utf8.h"

namespace mvf::editor {

bool TOvcCustomEditor::EditCommand(int command) {
    switch (command) {
    case ccBack: Backspace(); break;
    case ccDel: Delete(); break;
    case ccDelLine: DeleteLine(); break;
    case ccDelBol: DeleteToLineStart(); break;
    case ccDelEol: DeleteToLineEnd(); break;
    case ccDelWord: DeleteWord(); break;
    case ccIns: SetInsertMode(!insertMode_); break;
    case ccCopy: Copy(); break;
    case ccCut: Cut(); break;
    case ccPaste: Paste(); break;
    case ccUndo: UndoRedo(false); break;
    case ccRedo: UndoRedo(true); break;
    case ccTab: Tab(); break;
    case ccNewLine: LineBreak(); break;
    default: return false; // ccRestore, the page-left/right and grid commands
    }
    return true;
}

void TOvcCustomEditor::Finish(int code) {
    if (code != 0) ReportError(code);
    ScrollIntoView();
}

int TOvcCustomEditor::DeleteSelection() {
    const ParaPos from = SelectionStart();
    const int code = list_->DeleteRange(from, SelectionEnd());
    if (code == 0) SetCaret(from);
    return code;
}

void TOvcCustomEditor::TypeChar(std::string_view typed) {
    if (readOnly_) return;
    const int32_t oldLine = CaretLineCol().line;
    const ParaPos anchor = anchor_;
    const ParaPos caret = caret_;
    auto type = [&](bool overtype) {
        const ParaPos at = caret_;
        // Overtyping replaces one whole character, whatever the lengths of the two.
        const std::string_view text = list_->ParaText(at.para);
        const int code = !overtype || at.pos > static_cast<int32_t>(text.size())
                             ? list_->InsertChars(at, typed)
                             : list_->ReplaceChars(at, typed, CharLength(text, at.pos - 1));
        if (code == 0) SetCaret({at.para, at.pos + static_cast<int32_t>(typed.size())});
        return code;
    };
    // A selection gives way to the character whatever the mode: overtyping after it would
    // destroy a character that was not selected. Plain typing stays outside any group, so
    // that a run of it merges into one record.
    const int code = HasSelection() ? list_->Transaction([&] {
        const int deleted = DeleteSelection();
        return deleted != 0 ? deleted : type(false);
    })
                                    : type(!insertMode_);
    if (code != 0) {
        SetSelection(anchor, caret);
        ReportError(code);
        return;
    }
    ScrollIntoView(CaretLineCol().line > oldLine);
}

// The spaces a fixed or smart tab makes at the caret. Tab stops are counted in display
// columns (tabs expanded), so that they line up on screen.
int32_t TOvcCustomEditor::TabSpaces() {
    const int32_t tabSize = TabSize();
    const int32_t column = CaretDisplayColumn() + 1;
    int32_t count = tabSize * ((column - 1) / tabSize + 1) - column + 1;
    if (tabType_ == ttSmart && caret_.para > 1) {
        const int32_t target = SmartTabTarget(CaretLineCol().line, column);
        if (target > column) count = target - column;
    }
    return count;
}

void TOvcCustomEditor::Tab() {
    if (readOnly_) return;
    if (tabType_ == ttReal) {
        TypeChar("\t");
        return;
    }
    const ParaPos anchor = anchor_;
    const ParaPos caret = caret_;
    // Over a selection the spaces take its place, as a typed character does; only
    // without one does overwrite mode cover the characters after the caret.
    const bool replacing = HasSelection();
    const int code = list_->Transaction([&] {
        if (replacing) {
            if (const int deleted = DeleteSelection()) return deleted;
        }
        const int32_t count = TabSpaces();
        const ParaPos at = caret_;
        if (!insertMode_ && !replacing) list_->DeleteChars(at, BytesOfChars(at, count));
        const int inserted = list_->InsertChars(at, std::string(count, ' '));
        if (inserted == 0) SetCaret({at.para, at.pos + count});
        return inserted;
    });
    if (code != 0) SetSelection(anchor, caret);
    Finish(code);
}

// The column a smart tab reaches: the start of the next word on the line above (or below),
// 0 when neither line gives one.
int32_t TOvcCustomEditor::SmartTabTarget(int32_t line, int32_t column) {
    auto targetFrom = [&](int32_t other) -> int32_t {
        // One byte a display cell: a blank for the cells of blanks (tabs expanded), a
        // letter for those of every other character (two for a wide one).
        const std::string_view raw = list_->LineText(other);
        std::string text;
        for (int32_t i = 0; i < static_cast<int32_t>(raw.size());) {
            int32_t bytes = 1;
            const int32_t cells =
                CellsAt(raw, i, static_cast<int32_t>(text.size()), TabSize(), &bytes);
            text.append(cells, IsBlank(raw[i]) ? ' ' : 'x');
            i += bytes;
        }
        const auto length = static_cast<int32_t>(text.size());
        if (length == 0) return 0;
        if (length < column) return column;
        int32_t i = column - 1;
        if (!IsBlank(text[i])) {
            while (i < length && !IsBlank(text[i])) ++i;
        }
        while (i < length && IsBlank(text[i])) ++i;
        return i + 1;
    };
    const int32_t above = targetFrom(line - 1);
    if (above != 0) return above;
    return line < list_->LineCount() ? targetFrom(line + 1) : 0;
}

void TOvcCustomEditor::LineBreak() {
    if (!insertMode_ || readOnly_) {
        if (caret_.para < list_->ParaCount()) {
            MoveToPos({caret_.para + 1, 1}, false);
        } else {
            const int32_t last = list_->LineCount();
            MoveTo({last, static_cast<int32_t>(list_->LineText(last).size()) + 1}, false, true);
        }
        return;
    }
    if (HasSelection()) {
        if (int code = list_->Transaction([&] { return DeleteSelection(); })) {
            ReportError(code);
            return;
        }
    }
    int32_t width = 0;
    if (autoIndent_) {
        const LineCol at = CaretLineCol();
        const std::string_view text = list_->LineText(at.line);
        int32_t blanks = 0;
        while (blanks < at.col - 1 && blanks < static_cast<int32_t>(text.size()) &&
               IsBlank(text[blanks]))
            ++blanks;
        width = DisplayColumnAfter(text.substr(0, blanks), 0, TabSize());
    }
    if (int code = list_->CheckLimits(1, width + 2, 0)) {
        ReportError(code);
        return;
    }
    int32_t indent = 0;
    const ParaPos at = caret_;
    const int code = list_->SplitPara(at, true, width, tabType_ == ttReal ? TabSize() : 0, &indent);
    if (code == 0) SetCaret({at.para + 1, indent + 1});
    Finish(code);
}

void TOvcCustomEditor::Backspace() {
    if (HasSelection() && !readOnly_) {
        Finish(list_->Transaction([&] { return DeleteSelection(); }));
        return;
    }
    const LineCol at = CaretLineCol();
    if (at.line == 1 && at.col == 1) return;
    const ParaPos before = caret_;
    MoveLeft(false);
    if (readOnly_ || caret_ == before) return;
    // Moving left inside the blank space past a paragraph's end deletes nothing.
    if (caret_.para == before.para && caret_.pos > list_->ParaLength(caret_.para)) return;
    Delete();
}

void TOvcCustomEditor::Delete() {
    if (readOnly_) return;
    if (HasSelection()) {
        Finish(list_->Transaction([&] { return DeleteSelection(); }));
        return;
    }
    if (caret_.pos > list_->ParaLength(caret_.para)) {
        if (caret_.para < list_->ParaCount()) Finish(list_->JoinPara(caret_.para, caret_.pos));
        return;
    }
    Finish(list_->DeleteChars(caret_, CharLength(list_->ParaText(caret_.para), caret_.pos - 1)));
}

// Bytes of the `count` characters from `at` (fewer where the paragraph ends).
int32_t TOvcCustomEditor::BytesOfChars(ParaPos at, int32_t count) {
    const std::string_view text = list_->ParaText(at.para);
    int32_t end = at.pos - 1;
    for (int32_t n = 0; n < count && end < static_cast<int32_t>(text.size()); ++n)
        end = NextCharStart(text, end);
    return std::max(end - (at.pos - 1), 0);
}

void TOvcCustomEditor::DeleteLine() {
    if (readOnly_) return;
    const int32_t line = CaretLineCol().line;
    const LineRef ref = list_->FindLine(line);
    const ParaPos start{ref.para, ref.offset + 1};
    ParaPos end{ref.para, ref.offset + static_cast<int32_t>(ref.text.size()) + 1};
    if (line < list_->LineCount()) {
        const LineRef next = list_->FindLine(line + 1);
        end = {next.para, next.offset + 1};
    }
    DeleteSpan(start, end);
}

void TOvcCustomEditor::DeleteToLineStart() {
    if (readOnly_) return;
    const LineRef ref = list_->FindLine(CaretLineCol().line);
    DeleteSpan({ref.para, ref.offset + 1}, caret_);
}

void TOvcCustomEditor::DeleteSpan(ParaPos start, ParaPos end) {
    const int code = list_->DeleteRange(start, end);
    if (code == 0) SetCaret(start);
    Finish(code);
}

void TOvcCustomEditor::DeleteToLineEnd() {
    if (readOnly_) return;
    const LineRef ref = list_->FindLine(CaretLineCol().line);
    const int32_t end = ref.offset + static_cast<int32_t>(ref.text.size()) + 1;
    if (caret_.pos < end) Finish(list_->DeleteChars(caret_, end - caret_.pos));
    SetCaret(caret_);
}

void TOvcCustomEditor::DeleteWord() {
    if (readOnly_) return;
    if (HasSelection()) {
        Finish(list_->Transaction([&] { return DeleteSelection(); }));
        return;
    }
    const std::string_view text = list_->ParaText(caret_.para);
    const auto length = static_cast<int32_t>(text.size());
    int32_t i = caret_.pos - 1;
    while (i < length && !IsDelimiter(text[i])) ++i;
    while (i < length && IsBlank(text[i])) ++i;
    if (i > caret_.pos - 1) Finish(list_->DeleteChars(caret_, i - caret_.pos + 1));
}

bool TOvcCustomEditor::Copy() {
    if (!HasSelection()) return false;
    if (!clipboard_ || !clipboard_->SetText(SelectedText())) {
        ReportError(kErrOutOfMemory);
        return false;
    }
    return true;
}

void TOvcCustomEditor::Cut() {
    // Nothing is deleted unless the clipboard took the text.
    if (readOnly_ || !HasSelection() || !Copy()) return;
    Finish(list_->Transaction([&] { return DeleteSelection(); }));
}

void TOvcCustomEditor::Paste() {
    if (readOnly_ || !clipboard_ || !clipboard_->HasText()) return;
    const std::string text = clipboard_->Text();
    const ParaPos anchor = anchor_;
    const ParaPos caret = caret_;
    ParaPos end = caret_;
    const int code = list_->Transaction([&] {
        if (HasSelection()) {
            if (int deleted = DeleteSelection()) return deleted;
        }
        return list_->InsertText(caret_, text, &end);
    });
    // A paste that fails changes nothing, the selection included.
    SetSelection(code == 0 ? end : anchor, code == 0 ? end : caret);
    Finish(code);
}

void TOvcCustomEditor::UndoRedo(bool redo) {
    ParaPos at;
    const bool done = !readOnly_ && (redo ? list_->RedoGroup(at) : list_->UndoGroup(at));
    if (!done) {
        if (view_) view_->Beep();
        return;
    }
    ClampToText(at);
    SetCaret(at);
    ScrollIntoView();
}

} // namespace mvf::editor
