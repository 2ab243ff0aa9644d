// The chain, its cursor, counts, settings and lookups.
#include "viewer/editor/para_list.h"

#include <algorithm>
#include <cstdlib>

#include "viewer/editor/editor_errors.h"

namespace mvf::editor {

TParaList::TParaList(int32_t undoBufferSize)
    : undo_(std::make_unique<TUndoBuffer>(undoBufferSize)) {
    ResetToEmpty();
}

TParaList::~TParaList() {
    // Records hold paragraphs that are out of the chain; free those first.
    undo_.reset();
    FreeAll();
}

void TParaList::FreeAll() {
    for (TParaNode* node = first_; node;) {
        TParaNode* next = node->next;
        TParaNode::Destroy(node);
        node = next;
    }
    first_ = last_ = nullptr;
}

void TParaList::ResetToEmpty() {
    first_ = last_ = TParaNode::Create({});
    cursor_ = {first_, 1, 1};
    paraCount_ = lineCount_ = 1;
    byteCount_ = 0;
    bookmarks_.fill({0, 0});
    Touched(1, kNoLimit);
}

void TParaList::Clear() {
    undo_->Clear();
    FreeAll();
    ResetToEmpty();
    const bool wasModified = modified_;
    modified_ = false;
    for (TParaListClient* client : clients_) {
        client->ListCleared();
        if (wasModified) client->ModifiedChanged();
    }
}

void TParaList::Attach(TParaListClient* client) {
    if (std::find(clients_.begin(), clients_.end(), client) == clients_.end())
        clients_.push_back(client);
}

void TParaList::Detach(TParaListClient* client) {
    std::erase(clients_, client);
}

void TParaList::SetParaLimit(int32_t limit) {
    paraLimit_ = std::max(limit, 1);
}
void TParaList::SetByteLimit(int32_t limit) {
    byteLimit_ = std::max(limit, 1);
}
void TParaList::SetParaLengthLimit(int32_t limit) {
    paraLengthLimit_ = std::clamp(limit, 1, kMaxParaLength);
}

WrapRule TParaList::Rule() const {
    // With wrapping off no paragraph ever has more than one line.
    return {wordWrap_ ? wrapColumn_ : 0, tabSize_};
}

void TParaList::SetWrapping(bool wordWrap, int32_t wrapColumn, int32_t tabSize) {
    if (wrapColumn < 1 || tabSize < 1) return;
    const bool rewrap =
        wordWrap != wordWrap_ || (wordWrap && (wrapColumn != wrapColumn_ || tabSize != tabSize_));
    const bool retab = tabSize != tabSize_;
    wordWrap_ = wordWrap;
    wrapColumn_ = wrapColumn;
    tabSize_ = tabSize;
    if (!rewrap) {
        // Unwrapped text keeps its lines, but every tab is drawn anew.
        if (retab) {
            Touched(1, kNoLimit);
            for (TParaListClient* client : clients_) client->TextChanged();
        }
        return;
    }
    const WrapRule rule = Rule();
    lineCount_ = 0;
    for (TParaNode* node = first_; node; node = node->next) {
        node->Wrap(rule);
        lineCount_ += node->LineCount();
    }
    cursor_ = {first_, 1, 1};
    Touched(1, kNoLimit);
    for (TParaListClient* client : clients_) client->TextChanged();
}

void TParaList::SetUndoBufferSize(int32_t size) {
    undo_ = std::make_unique<TUndoBuffer>(size);
}

void TParaList::SetModified(bool modified) {
    // Once clean, undoing or redoing back across this point leaves the text modified.
    if (!modified) undo_->MarkAllModifiedBefore();
    if (modified == modified_) return;
    modified_ = modified;
    for (TParaListClient* client : clients_) client->ModifiedChanged();
}

void TParaList::MarkChanged() {
    if (!modified_) SetModified(true);
}

// Moves the cursor to `para`, walking from whichever of the first paragraph, the cursor
// and the last paragraph is nearest; neighbours of the cursor cost one step.
void TParaList::MoveCursorTo(int32_t para) {
    Cursor c = cursor_;
    const int32_t fromCursor = std::abs(para - c.para);
    if (para - 1 < fromCursor) {
        c = {first_, 1, 1};
    } else if (paraCount_ - para < fromCursor) {
        c = {last_, paraCount_, lineCount_ - last_->LineCount() + 1};
    }
    while (c.para < para) {
        c.firstLine += c.node->LineCount();
        c.node = c.node->next;
        ++c.para;
    }
    while (c.para > para) {
        c.node = c.node->prev;
        --c.para;
        c.firstLine -= c.node->LineCount();
    }
    cursor_ = c;
}

void TParaList::MoveCursorToLine(int32_t line) {
    Cursor c = cursor_;
    const int32_t fromCursor = std::abs(line - c.firstLine);
    const int32_t lastFirst = lineCount_ - last_->LineCount() + 1;
    if (line - 1 < fromCursor) {
        c = {first_, 1, 1};
    } else if (std::abs(lastFirst - line) < fromCursor) {
        c = {last_, paraCount_, lastFirst};
    }
    while (line >= c.firstLine + c.node->LineCount() && c.node->next) {
        c.firstLine += c.node->LineCount();
        c.node = c.node->next;
        ++c.para;
    }
    while (line < c.firstLine && c.node->prev) {
        c.node = c.node->prev;
        --c.para;
        c.firstLine -= c.node->LineCount();
    }
    cursor_ = c;
}

TParaNode* TParaList::Find(int32_t para) {
    if (para < 1 || para > paraCount_) return nullptr;
    MoveCursorTo(para);
    return cursor_.node;
}

TParaNode* TParaList::FindOrThrow(int32_t para) {
    TParaNode* node = Find(para);
    if (!node) throw EInvalidLineOrPara();
    return node;
}

std::string_view TParaList::ParaText(int32_t para) {
    return FindOrThrow(para)->Text();
}

int32_t TParaList::ParaLineCount(int32_t para) {
    return FindOrThrow(para)->LineCount();
}

int32_t TParaList::FirstLineOfPara(int32_t para) {
    FindOrThrow(para);
    return cursor_.firstLine;
}

LineRef TParaList::FindLine(int32_t line) {
    if (line < 1 || line > lineCount_) throw EInvalidLineOrPara();
    MoveCursorToLine(line);
    const TParaNode* node = cursor_.node;
    LineRef ref;
    ref.para = cursor_.para;
    ref.lineInPara = line - cursor_.firstLine + 1;
    ref.offset = node->LineStart(ref.lineInPara);
    ref.text = node->Text().substr(ref.offset, node->LineLength(ref.lineInPara));
    return ref;
}

LineCol TParaList::ParaToLine(ParaPos at) {
    const TParaNode* node = Find(std::clamp(at.para, 1, paraCount_));
    const int32_t line = node->LineOfPosition(at.pos);
    return {cursor_.firstLine + line - 1, at.pos - node->LineStart(line)};
}

ParaPos TParaList::LineToPara(LineCol at) {
    const LineRef ref = FindLine(at.line);
    return {ref.para, ref.offset + at.col};
}

int TParaList::CheckLimits(int32_t paras, int64_t bytes, int32_t growing) {
    if (paras > 0 || paraLimit_ < growing) {
        int64_t allowed = paraLimit_;
        if (last_->Length() == 0 && paraLimit_ != kNoLimit) ++allowed;
        if (int64_t{paraCount_} + paras > allowed) return kErrTooManyParagraphs;
    }
    if (byteCount_ + bytes > byteLimit_) return kErrTextTooLarge;
    if (growing != 0 && paras == 0 && Find(growing) &&
        int64_t{cursor_.node->Length()} + bytes > paraLengthLimit_)
        return kErrParagraphTooLong;
    return 0;
}

void TParaList::Touched(int32_t firstLine, int32_t lastLine) {
    changedFirst_ = firstLine;
    changedLast_ = lastLine;
    ++touchCount_;
}

void TParaList::Notify(const PositionChange& change) {
    if (!trackPositions_) return;
    for (ParaPos& mark : bookmarks_) {
        if (mark.para == 0) continue;
        if (!FollowChange(change, mark)) mark = {0, 0};
    }
    for (TParaListClient* client : clients_) client->FollowPositions(change);
}

} // namespace mvf::editor
