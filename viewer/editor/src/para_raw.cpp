// The raw changes under every primitive and every undo replay: text, wrapping, counts,
// the cursor and the positions that follow. No limit check and no undo record here.
#include <utility>

#include "viewer/editor/para_list.h"

namespace mvf::editor {

TParaNode* TParaList::Grow(TParaNode* node, int32_t length) {
    TParaNode* grown = TParaNode::Reserve(node, length);
    if (grown == node) return node;
    (grown->prev ? grown->prev->next : first_) = grown;
    (grown->next ? grown->next->prev : last_) = grown;
    if (cursor_.node == node) cursor_.node = grown;
    return grown;
}

void TParaList::Rewrap(TParaNode* node) {
    const int32_t delta = node->Wrap(Rule());
    lineCount_ += delta;
    Touched(cursor_.firstLine, delta != 0 ? kNoLimit : cursor_.firstLine + node->LineCount() - 1);
}

void TParaList::RawInsert(int32_t para, int32_t pos, std::string_view text,
                          const PositionChange& change) {
    TParaNode* node = Grow(Find(para), Find(para)->Length() + static_cast<int32_t>(text.size()));
    node->InsertText(pos - 1, text);
    byteCount_ += static_cast<int64_t>(text.size());
    Rewrap(node);
    MarkChanged();
    ++changeCount_;
    Notify(change);
    for (TParaListClient* client : clients_) client->TextChanged();
}

void TParaList::RawErase(int32_t para, int32_t pos, int32_t count) {
    TParaNode* node = Find(para);
    node->EraseText(pos - 1, count);
    byteCount_ -= count;
    Rewrap(node);
    MarkChanged();
    ++changeCount_;
    Notify({PositionChange::Deleted, para, pos, count});
    for (TParaListClient* client : clients_) client->TextChanged();
}

void TParaList::RawReplace(int32_t para, int32_t pos, int32_t oldLength, std::string_view text) {
    const auto newLength = static_cast<int32_t>(text.size());
    TParaNode* node = Find(para);
    node = Grow(node, node->Length() - oldLength + newLength);
    const int32_t common = std::min(oldLength, newLength);
    node->OverwriteText(pos - 1, text.substr(0, common));
    if (newLength > oldLength) node->InsertText(pos - 1 + common, text.substr(common));
    if (oldLength > newLength) node->EraseText(pos - 1 + common, oldLength - common);
    byteCount_ += newLength - oldLength;
    Rewrap(node);
    MarkChanged();
    ++changeCount_;
    if (newLength > oldLength)
        Notify({PositionChange::Inserted, para, pos + common, newLength - common});
    if (oldLength > newLength)
        Notify({PositionChange::Deleted, para, pos + common, oldLength - common});
    for (TParaListClient* client : clients_) client->TextChanged();
}

namespace {

// The line end between `previous` and a paragraph that comes or goes next to it.
void MoveLineEnds(TParaNode* previous, TParaNode* node, bool arriving) {
    if (!previous) return;
    switch (node->lineEndRule) {
    case LineEndRule::Own: break;
    case LineEndRule::Boundary: std::swap(previous->continuesLine, node->continuesLine); break;
    case LineEndRule::Deleted:
        if (arriving) {
            previous->continuesLine = node->previousContinued;
        } else {
            node->previousContinued = previous->continuesLine;
            previous->continuesLine = previous->continuesLine && node->continuesLine;
        }
        break;
    }
}

} // namespace

void TParaList::RawInsertNode(int32_t before, TParaNode* node) {
    node->Wrap(Rule());
    if (before <= paraCount_) {
        TParaNode* at = Find(before);
        node->prev = at->prev;
        node->next = at;
        (at->prev ? at->prev->next : first_) = node;
        at->prev = node;
        cursor_.node = node;
    } else {
        node->prev = last_;
        node->next = nullptr;
        last_->next = node;
        last_ = node;
        cursor_ = {node, paraCount_ + 1, lineCount_ + 1};
    }
    MoveLineEnds(node->prev, node, true);
    ++paraCount_;
    lineCount_ += node->LineCount();
    byteCount_ += node->Length() + 2;
    Touched(cursor_.firstLine, kNoLimit);
    MarkChanged();
    ++changeCount_;
    Notify({PositionChange::ParaInserted, before, 1, 0});
    for (TParaListClient* client : clients_) client->TextChanged();
}

TParaNode* TParaList::RawRemoveNode(int32_t para) {
    TParaNode* node = Find(para);
    const int32_t firstLine = cursor_.firstLine;
    MoveLineEnds(node->prev, node, false);
    (node->prev ? node->prev->next : first_) = node->next;
    (node->next ? node->next->prev : last_) = node->prev;
    if (node->next) {
        cursor_ = {node->next, para, firstLine};
    } else {
        cursor_ = {node->prev, para - 1, firstLine - node->prev->LineCount()};
    }
    node->next = node->prev = nullptr;
    --paraCount_;
    lineCount_ -= node->LineCount();
    byteCount_ -= node->Length() + 2;
    Touched(firstLine, kNoLimit);
    MarkChanged();
    ++changeCount_;
    Notify({PositionChange::ParaDeleted, para, 1, 0});
    for (TParaListClient* client : clients_) client->TextChanged();
    return node;
}

} // namespace mvf::editor
