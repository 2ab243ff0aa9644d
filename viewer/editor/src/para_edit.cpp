// The editing primitives: limit checks, undo records, then the raw change.
#include <algorithm>
#include <new>

#include "viewer/editor/editor_errors.h"
#include "viewer/editor/para_list.h"

namespace mvf::editor {
namespace {

// Indentation of display width `width`: tabs then spaces, or spaces only without a tab size.
std::string MakeIndent(int32_t width, int32_t tabSize) {
    if (width <= 0) return {};
    if (tabSize <= 0) return std::string(width, ' ');
    return std::string(width / tabSize, '\t') + std::string(width % tabSize, ' ');
}

// Keeps positions still while a compound change runs, then reports it as one change.
class PositionsHeld {
public:
    explicit PositionsHeld(bool& tracking) : tracking_(tracking), saved_(tracking) {
        tracking = false;
    }
    ~PositionsHeld() { tracking_ = saved_; }

private:
    bool& tracking_;
    bool saved_;
};

// An undo group for the lifetime of the object.
class Group {
public:
    explicit Group(TParaList& list) : list_(list), previous_(list.BeginGroup()) {}
    ~Group() { list_.EndGroup(previous_); }

private:
    TParaList& list_;
    bool previous_;
};

} // namespace

void TParaList::RecordText(UndoKind kind, int32_t para, int32_t pos, std::string_view text) {
    if (Recording()) undo_->Record(kind, modified_, para, pos, text);
}

bool TParaList::RecordNode(UndoKind kind, int32_t para, TParaNode* node) {
    return Recording() && undo_->RecordParagraph(kind, modified_, para, node);
}

int TParaList::InsertChars(ParaPos at, std::string_view text) {
    TParaNode* node = FindOrThrow(at.para);
    if (at.pos < 1) throw EInvalidLineOrCol();
    if (text.empty()) return 0;
    const int32_t length = node->Length();
    // Beyond the end the paragraph is first filled up with spaces, which count as inserted.
    const int32_t fill = std::max(0, at.pos - length - 1);
    if (int code = CheckLimits(0, fill + static_cast<int64_t>(text.size()), at.para)) return code;
    std::string filled;
    std::string_view insert = text;
    if (fill > 0) {
        filled.assign(fill, ' ');
        filled += text;
        insert = filled;
    }
    try {
        Grow(Find(at.para), length + static_cast<int32_t>(insert.size()));
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    const int32_t where = std::min(at.pos, length + 1);
    RecordText(ukInsert, at.para, where, insert);
    RawInsert(at.para, where, insert,
              {PositionChange::Inserted, at.para, at.pos, static_cast<int32_t>(text.size())});
    return 0;
}

int TParaList::DeleteChars(ParaPos at, int32_t count) {
    const TParaNode* node = FindOrThrow(at.para);
    if (at.pos < 1) throw EInvalidLineOrCol();
    count = std::min(count, node->Length() - at.pos + 1);
    if (count <= 0) return 0;
    RecordText(ukDelete, at.para, at.pos, node->Text().substr(at.pos - 1, count));
    RawErase(at.para, at.pos, count);
    return 0;
}

int TParaList::ReplaceChars(ParaPos at, std::string_view text) {
    return ReplaceChars(at, text, static_cast<int32_t>(text.size()));
}

int TParaList::ReplaceChars(ParaPos at, std::string_view text, int32_t replaced) {
    TParaNode* node = FindOrThrow(at.para);
    if (at.pos < 1) throw EInvalidLineOrCol();
    const int32_t length = node->Length();
    if (at.pos > length) return InsertChars(at, text);
    const auto newLength = static_cast<int32_t>(text.size());
    const int32_t oldLength = std::clamp(replaced, 0, length - at.pos + 1);
    if (newLength > oldLength) {
        if (int code = CheckLimits(0, newLength - oldLength, at.para)) return code;
    }
    try {
        node = Grow(Find(at.para), length - oldLength + newLength);
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    if (Recording())
        undo_->RecordReplace(modified_, at.para, at.pos, node->Text().substr(at.pos - 1, oldLength),
                             text);
    RawReplace(at.para, at.pos, oldLength, text);
    return 0;
}

int TParaList::InsertPara(int32_t before, std::string_view text) {
    if (before < 1 || before > paraCount_ + 1) throw EInvalidLineOrPara();
    if (int code = CheckLimits(1, static_cast<int64_t>(text.size()) + 2, 0)) return code;
    if (static_cast<int64_t>(text.size()) > paraLengthLimit_) return kErrParagraphTooLong;
    TParaNode* node;
    try {
        node = TParaNode::Create(text);
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    // The record never owns a paragraph that is in the text, so the result does not matter.
    if (before <= paraCount_) {
        RecordNode(ukParaBefore, before, node);
    } else {
        RecordNode(ukParaAfter, paraCount_, node);
    }
    RawInsertNode(before, node);
    return 0;
}

int TParaList::DeletePara(int32_t para) {
    TParaNode* node = FindOrThrow(para);
    if (paraCount_ == 1) return DeleteChars({1, 1}, node->Length());
    node->lineEndRule = LineEndRule::Deleted;
    const bool kept = RecordNode(ukParaDeleted, para, node);
    TParaNode* removed = RawRemoveNode(para);
    if (!kept) TParaNode::Destroy(removed);
    return 0;
}

int TParaList::SplitPara(ParaPos at, bool trim, int32_t indentWidth, int32_t tabSize,
                         int32_t* indentChars) {
    TParaNode* node = FindOrThrow(at.para);
    if (indentChars) *indentChars = 0;
    if (at.pos <= 1) return InsertPara(at.para, {});
    const std::string indent = MakeIndent(indentWidth, tabSize);
    const int32_t length = node->Length();
    const int32_t split = std::min(at.pos, length + 1);
    const std::string_view text = node->Text();
    int32_t cut = split;
    if (trim) {
        while (cut > 1 && IsBlank(text[cut - 2])) --cut;
    }
    const std::string_view tail = text.substr(split - 1);
    if (int code = CheckLimits(1, static_cast<int64_t>(indent.size()) + 2, 0)) return code;
    if (static_cast<int64_t>(indent.size() + tail.size()) > paraLengthLimit_)
        return kErrParagraphTooLong;
    TParaNode* fresh;
    try {
        fresh = TParaNode::Create(tail);
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    // The new paragraph takes over the old one's line end; the break ends the old one.
    fresh->lineEndRule = LineEndRule::Boundary;
    const auto indentLength = static_cast<int32_t>(indent.size());
    {
        Group group(*this);
        PositionsHeld held(trackPositions_);
        RecordText(ukCaret, at.para, at.pos, {});
        if (cut <= length) {
            RecordText(ukDelete, at.para, cut, Find(at.para)->Text().substr(cut - 1));
            RawErase(at.para, cut, length - cut + 1);
        }
        RecordNode(ukParaAfter, at.para, fresh);
        RawInsertNode(at.para + 1, fresh);
        if (indentLength > 0) {
            RecordText(ukInsert, at.para + 1, 1, indent);
            RawInsert(at.para + 1, 1, indent, {});
        }
        RecordText(ukCaret, at.para + 1, indentLength + 1, {});
    }
    Notify({PositionChange::Split, at.para, at.pos, indentLength});
    if (indentChars) *indentChars = indentLength;
    return 0;
}

int TParaList::JoinPara(int32_t para, int32_t at) {
    const TParaNode* node = FindOrThrow(para);
    if (para >= paraCount_) return 0;
    if (at <= 1 && node->Length() == 0) return DeletePara(para);
    const int32_t length = node->Length();
    const int32_t grow = node->next->Length() + std::max(0, at - length - 1);
    if (CheckLimits(0, grow, para) != 0) return kErrCannotJoin;
    return JoinUnchecked(para, at);
}

int TParaList::JoinUnchecked(int32_t para, int32_t at) {
    TParaNode* node = Find(para);
    const int32_t length = node->Length();
    const int32_t joinAt = std::max(at, length + 1);
    std::string joined(joinAt - length - 1, ' ');
    joined += node->next->Text();
    try {
        Grow(node, length + static_cast<int32_t>(joined.size()));
    } catch (const std::bad_alloc&) {
        return kErrOutOfMemory;
    }
    {
        Group group(*this);
        PositionsHeld held(trackPositions_);
        if (!joined.empty()) {
            RecordText(ukInsert, para, length + 1, joined);
            RawInsert(para, length + 1, joined, {});
        }
        // The joined paragraph ends as the next one did.
        Find(para + 1)->lineEndRule = LineEndRule::Boundary;
        const bool kept = RecordNode(ukParaDeleted, para + 1, Find(para + 1));
        TParaNode* removed = RawRemoveNode(para + 1);
        if (!kept) TParaNode::Destroy(removed);
        RecordText(ukCaret, para, at, {});
    }
    Notify({PositionChange::Joined, para, joinAt, 0});
    return 0;
}

int TParaList::DeleteRange(ParaPos from, ParaPos to) {
    if (to < from) std::swap(from, to);
    if (from.para == to.para) return DeleteChars(from, to.pos - from.pos);
    const int32_t fromLength = ParaLength(from.para);
    const int32_t toLength = ParaLength(to.para);
    Group group(*this);
    if (from.pos == 1 && to.pos == 1) {
        for (int32_t n = from.para; n < to.para; ++n) DeletePara(from.para);
        return 0;
    }
    const int32_t kept = std::min(from.pos - 1, fromLength) + std::max(0, toLength - to.pos + 1);
    if (kept > paraLengthLimit_) return kErrCannotJoin;
    DeleteChars(from, fromLength - from.pos + 1);
    DeleteChars({to.para, 1}, to.pos - 1);
    for (int32_t n = from.para + 1; n < to.para; ++n) DeletePara(from.para + 1);
    return JoinUnchecked(from.para, ParaLength(from.para) + 1);
}

int TParaList::PasteLimits(ParaPos at, std::string_view text) {
    const auto breaks = static_cast<int32_t>(std::count(text.begin(), text.end(), '\n'));
    int32_t length = ParaLength(at.para);
    int32_t pos = at.pos;
    const int64_t fill = std::max(0, pos - length - 1);
    if (int code = CheckLimits(breaks, static_cast<int64_t>(text.size()) + fill, 0)) return code;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        std::string_view line = text.substr(
            start, end == std::string_view::npos ? std::string_view::npos : end - start);
        if (end != std::string_view::npos) {
            while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        }
        const auto piece = static_cast<int32_t>(line.size());
        if (end == std::string_view::npos || pos > 1) {
            const int32_t joined = std::max(length, pos - 1) + piece;
            if (joined > paraLengthLimit_) return kErrParagraphTooLong;
            if (end == std::string_view::npos) return 0;
            length = joined - (pos - 1 + piece);
            pos = 1;
        } else if (piece > paraLengthLimit_) {
            return kErrParagraphTooLong;
        }
        start = end + 1;
    }
}

int TParaList::InsertText(ParaPos at, std::string_view text, ParaPos* end) {
    FindOrThrow(at.para);
    if (text.find('\n') == std::string_view::npos) {
        const int code = InsertChars(at, text);
        if (end) *end = code ? at : ParaPos{at.para, at.pos + static_cast<int32_t>(text.size())};
        return code;
    }
    if (int code = PasteLimits(at, text)) {
        if (end) *end = at;
        return code;
    }
    Group group(*this);
    size_t start = 0;
    for (;;) {
        const size_t lineFeed = text.find('\n', start);
        std::string_view piece =
            text.substr(start, lineFeed == std::string_view::npos ? std::string_view::npos
                                                                  : lineFeed - start + 1);
        if (lineFeed == std::string_view::npos) {
            InsertChars(at, piece);
            at.pos += static_cast<int32_t>(piece.size());
            break;
        }
        while (!piece.empty() && (piece.back() == '\r' || piece.back() == '\n'))
            piece.remove_suffix(1);
        if (at.pos == 1) {
            InsertPara(at.para, piece);
        } else {
            InsertChars(at, piece);
            SplitPara({at.para, at.pos + static_cast<int32_t>(piece.size())}, true, 0, 0);
        }
        at = {at.para + 1, 1};
        start = lineFeed + 1;
    }
    if (end) *end = at;
    return 0;
}

} // namespace mvf::editor
