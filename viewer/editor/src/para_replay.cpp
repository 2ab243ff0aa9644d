// Replaying undo records, and filling a list from a file's lines.
#include <algorithm>

#include "viewer/editor/para_list.h"
#include "viewer/editor/utf8.h"

namespace mvf::editor {

TParaNode* TParaList::ReplayRecord(const UndoRecord& r, bool redo, ParaPos& caret) {
    const auto length = static_cast<int32_t>(r.text.size());
    TParaNode* taken = nullptr;
    caret = {r.para, r.pos};
    switch (r.kind) {
    case ukCaret: break;
    case ukInsert:
    case ukDelete:
        if (redo == (r.kind == ukInsert)) {
            RawInsert(r.para, r.pos, r.text, {PositionChange::Inserted, r.para, r.pos, length});
            if (redo) caret.pos += length;
        } else {
            RawErase(r.para, r.pos, length);
        }
        break;
    case ukReplace:
        if (redo) {
            RawReplace(r.para, r.pos, length, r.newText);
            caret.pos += static_cast<int32_t>(r.newText.size());
        } else {
            RawReplace(r.para, r.pos, static_cast<int32_t>(r.newText.size()), r.text);
        }
        break;
    case ukParaBefore:
    case ukParaAfter: {
        const int32_t at = r.kind == ukParaBefore ? r.para : r.para + 1;
        if (redo) {
            RawInsertNode(at, r.node);
            caret = {r.para + 1, 1};
        } else {
            taken = RawRemoveNode(at);
            caret = {r.para, 1};
        }
        break;
    }
    case ukParaDeleted:
        if (redo) {
            taken = RawRemoveNode(r.para);
        } else {
            RawInsertNode(r.para, r.node);
        }
        caret = {r.para, 1};
        break;
    }
    caret.para = std::min(caret.para, paraCount_);
    return taken;
}

bool TParaList::UndoGroup(ParaPos& caret) {
    bool modified = modified_;
    undoing_ = true;
    const bool done = undo_->Undo(*this, modified, caret);
    undoing_ = false;
    if (done && modified != modified_) {
        modified_ = modified;
        for (TParaListClient* client : clients_) client->ModifiedChanged();
    }
    return done;
}

bool TParaList::RedoGroup(ParaPos& caret) {
    undoing_ = true;
    const bool done = undo_->Redo(*this, caret);
    undoing_ = false;
    return done;
}

// Where a line without a blank is cut at the length limit: not inside a UTF-8 sequence,
// unless the bytes there are no such sequence at all.
int TParaList::AppendLine(std::string_view line, bool trimWhiteSpace, size_t* kept) {
    const WrapRule rule = Rule();
    for (;;) {
        std::string_view piece = line;
        const bool last = static_cast<int32_t>(line.size()) <= paraLengthLimit_;
        if (last && kept) {
            *kept = line.size();
            return 0;
        }
        if (!last) {
            // Too long for one paragraph: cut after the last blank before the limit, so
            // that nothing is lost; only the line's real end counts as trailing blanks.
            // Without a blank the cut comes before the character that passes the limit (a
            // character is never split, unless one alone is longer than the limit).
            const size_t blank = line.find_last_of(" \t", paraLengthLimit_ - 1);
            const int32_t boundary = CharBoundaryAtOrBefore(line, paraLengthLimit_);
            const int32_t cut = boundary > 0 ? boundary : paraLengthLimit_;
            piece = line.substr(0, blank == std::string_view::npos ? cut : blank + 1);
        } else if (trimWhiteSpace) {
            while (!piece.empty() && (piece.back() == ' ' || piece.back() == '\t'))
                piece.remove_suffix(1);
        }
        if (int code = CheckLimits(1, static_cast<int64_t>(piece.size()) + 2, 0)) return code;
        TParaNode* node = TParaNode::Create(piece);
        node->continuesLine = !last;
        node->Wrap(rule);
        node->next = last_;
        node->prev = last_->prev;
        (last_->prev ? last_->prev->next : first_) = node;
        last_->prev = node;
        ++paraCount_;
        lineCount_ += node->LineCount();
        byteCount_ += static_cast<int64_t>(piece.size()) + 2;
        if (last) return 0;
        line.remove_prefix(piece.size());
    }
}

void TParaList::LoadFinished() {
    cursor_ = {first_, 1, 1};
    Touched(1, kNoLimit);
    SetModified(false);
    for (TParaListClient* client : clients_) client->TextChanged();
}

} // namespace mvf::editor
