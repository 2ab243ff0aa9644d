// The editor's state, properties, events and the dispatch of commands and keys.
#include "viewer/editor/editor.h"

#include <algorithm>

#include "viewer/editor/editor_errors.h"
#include "viewer/editor/utf8.h"

namespace mvf::editor {
namespace {

constexpr int32_t kDefaultVisibleLines = 25;
constexpr int32_t kDefaultVisibleColumns = 80;

} // namespace

TOvcCustomEditor::TOvcCustomEditor() : list_(std::make_shared<TParaList>()) {
    list_->Attach(this);
}

TOvcCustomEditor::~TOvcCustomEditor() {
    list_->Detach(this);
}

void TOvcCustomEditor::AttachTo(TOvcCustomEditor& other) {
    if (other.list_ == list_) return;
    list_->Detach(this);
    list_ = other.list_;
    list_->Attach(this);
    ListCleared();
}

bool TOvcCustomEditor::IsDelimiter(char c) {
    switch (c) {
    case '\t':
    case '\r':
    case '\n':
    case ' ':
    case '\'':
    case ',':
    case '.':
    case '/':
    case '?':
    case ';':
    case ':':
    case '`':
    case '"':
    case '<':
    case '>':
    case '[':
    case ']':
    case '{':
    case '}':
    case '-':
    case '=':
    case '\\':
    case '+':
    case '|':
    case '(':
    case ')':
    case '%':
    case '&':
    case '^':
    case '$':
    case '#':
    case '!':
    case '~':
    case '*':
    case '@': return true;
    default: return false;
    }
}

void TOvcCustomEditor::SetWordWrap(bool on) {
    if (on) {
        wrapAtLeft_ = true;
        scrollPastEnd_ = false;
    }
    list_->SetWrapping(on, list_->WrapColumn(), list_->TabSize());
}

void TOvcCustomEditor::SetWrapColumn(int32_t column) {
    if (column > 0) list_->SetWrapping(list_->WordWrap(), column, list_->TabSize());
}

void TOvcCustomEditor::SetTabSize(int32_t size) {
    const int32_t byte = size & 0xFF;
    if (byte != 0) list_->SetWrapping(list_->WordWrap(), list_->WrapColumn(), byte);
}

void TOvcCustomEditor::SetInsertMode(bool on) {
    insertMode_ = on;
    ShowStatus();
}

int32_t TOvcCustomEditor::VisibleLines() const {
    return std::max(view_ ? view_->VisibleLines() : kDefaultVisibleLines, 1);
}

int32_t TOvcCustomEditor::VisibleColumns() const {
    return std::max(view_ ? view_->VisibleColumns() : kDefaultVisibleColumns, 1);
}

void TOvcCustomEditor::SetTopLine(int32_t line) {
    topLine_ = std::clamp(line, 1, list_->LineCount());
    // The top line is part of the status.
    ShowStatus();
}

void TOvcCustomEditor::SetHorizontalOffset(int32_t columns) {
    horizontalOffset_ = std::max(columns, 0);
    if (view_) view_->Repaint();
}

LineCol TOvcCustomEditor::CaretLineCol() {
    if (lineColStale_) {
        caretLineCol_ = list_->ParaToLine(caret_);
        lineColStale_ = false;
    }
    return caretLineCol_;
}

int32_t TOvcCustomEditor::CaretColumnShown() {
    const LineCol at = CaretLineCol();
    const std::string_view text = list_->LineText(at.line);
    const auto length = static_cast<int32_t>(text.size());
    const int32_t before = std::min(at.col - 1, length);
    return CharCount(text.substr(0, before)) + (at.col - 1 - before) + 1;
}

void TOvcCustomEditor::ClampToText(ParaPos& at) {
    at.para = std::clamp(at.para, 1, list_->ParaCount());
    at.pos = std::max(at.pos, 1);
}

void TOvcCustomEditor::SetCaret(ParaPos at, bool extend) {
    if (at.para < 1 || at.para > list_->ParaCount()) throw EInvalidLineOrPara();
    if (at.pos < 1) throw EInvalidLineOrCol();
    caret_ = at;
    lineColStale_ = true;
    if (!extend) anchor_ = caret_;
}

void TOvcCustomEditor::SetCaretLineCol(LineCol at, bool extend) {
    if (at.col < 1) throw EInvalidLineOrCol();
    caret_ = list_->LineToPara(at);
    caretLineCol_ = at;
    lineColStale_ = false;
    if (!extend) anchor_ = caret_;
}

void TOvcCustomEditor::SetSelection(ParaPos anchor, ParaPos end) {
    SetCaret(anchor);
    SetCaret(end, true);
}

void TOvcCustomEditor::SelectAll() {
    const int32_t last = list_->ParaCount();
    SetSelection({1, 1}, {last, list_->ParaLength(last) + 1});
    ShowStatus();
}

void TOvcCustomEditor::GotoLine(int32_t line) {
    SetCaretLineCol({line, 1});
    ScrollIntoView();
    ShowStatus();
}

std::string TOvcCustomEditor::SelectedText() {
    const ParaPos from = SelectionStart();
    const ParaPos to = SelectionEnd();
    std::string text;
    for (int32_t p = from.para; p <= to.para; ++p) {
        const std::string_view para = list_->ParaText(p);
        const auto length = static_cast<int32_t>(para.size());
        const int32_t start = p == from.para ? std::min(from.pos - 1, length) : 0;
        const int32_t end = p == to.para ? std::min(to.pos - 1, length) : length;
        if (p != from.para) text += "\r\n";
        if (end > start) text.append(para.substr(start, end - start));
    }
    return text;
}

void TOvcCustomEditor::ReportError(int code) {
    if (OnError) {
        OnError(code);
        return;
    }
    throw EEditorError(code);
}

void TOvcCustomEditor::ShowStatus() {
    if (view_) view_->Repaint();
    if (OnShowStatus) OnShowStatus();
}

void TOvcCustomEditor::Changed(uint64_t before) {
    if (list_->ChangeCount() != before && OnChange) OnChange();
}

bool TOvcCustomEditor::ProcessCommand(int command, char ch) {
    return Dispatch(command, std::string_view(&ch, 1));
}

bool TOvcCustomEditor::ProcessChar(std::string_view character) {
    return Dispatch(ccChar, character);
}

bool TOvcCustomEditor::Dispatch(int command, std::string_view character) {
    const uint64_t before = list_->ChangeCount();
    bool handled = true;
    if (command >= ccUserFirst) {
        if (OnUserCommand) OnUserCommand(command);
    } else if (command == ccChar) {
        TypeChar(character);
    } else if (command == ccCtrlChar) {
        // The processor takes the next key literally; nothing to do here.
    } else {
        handled = MoveCommand(command) || EditCommand(command);
    }
    if (handled) {
        Changed(before);
        ShowStatus();
    }
    return handled;
}

void TOvcCustomEditor::KeyDown(uint8_t key, uint8_t shift) {
    const int command = controller_ ? controller_->EntryCommands.Translate(key, shift) : ccNoCmd;
    const bool isCommand = command != ccNoCmd && command != ccSeqBroken && command != ccPartial;
    if (isCommand && ProcessCommand(command)) return;
    if (key == vkTab && wantTab_) {
        ProcessCommand(ccTab);
    } else if (key == vkReturn && wantEnter_) {
        const uint64_t before = list_->ChangeCount();
        LineBreak();
        Changed(before);
        ShowStatus();
    }
    suppressChar_ = command == ccPartial || key == vkBack;
}

void TOvcCustomEditor::KeyPress(std::string_view character) {
    if (suppressChar_ || character.empty() || static_cast<unsigned char>(character[0]) < 32) return;
    ProcessChar(character);
}

void TOvcCustomEditor::FollowPositions(const PositionChange& change) {
    FollowChange(change, caret_);
    FollowChange(change, anchor_);
    ClampToText(caret_);
    ClampToText(anchor_);
    lineColStale_ = true;
}

void TOvcCustomEditor::TextChanged() {
    lineColStale_ = true;
    topLine_ = std::min(topLine_, list_->LineCount());
    if (view_) view_->Repaint();
}

void TOvcCustomEditor::ModifiedChanged() {
    ShowStatus();
}

void TOvcCustomEditor::ListCleared() {
    caret_ = anchor_ = {1, 1};
    lineColStale_ = true;
    topLine_ = 1;
    horizontalOffset_ = 0;
    if (view_) view_->Repaint();
}

} // namespace mvf::editor
