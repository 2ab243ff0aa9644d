#include "viewer/editor/undo_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "viewer/editor/para_node.h"

namespace mvf::editor {
namespace {

constexpr int32_t kMaxSize = 65535;
constexpr uint8_t kModifiedBit = 0x80;
// An overtype record's data begins with the old text's 16-bit length (the two bytes a pair
// of separators would take), so neither text is cut at a byte of its own.
constexpr int32_t kReplaceLengthSize = 2;

bool HoldsParagraph(UndoKind kind) {
    return kind == ukParaBefore || kind == ukParaAfter || kind == ukParaDeleted;
}

// A record owns its paragraph exactly while that paragraph is out of the text: a deleted
// one until the deletion is undone, an inserted one once the insertion is undone.
bool OwnsParagraph(UndoKind kind, bool undoable) {
    return undoable ? kind == ukParaDeleted : (kind == ukParaBefore || kind == ukParaAfter);
}

template <typename T> T Load(const unsigned char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <typename T> void Store(unsigned char* at, T value) {
    std::memcpy(at, &value, sizeof value);
}

} // namespace

TUndoNode::Header TUndoNode::Read(const unsigned char* at) {
    Header h;
    h.backLength = Load<uint16_t>(at);
    h.kindBits = at[2];
    h.group = at[3];
    h.para = Load<int32_t>(at + 4);
    h.pos = Load<int32_t>(at + 8);
    h.dataLength = Load<uint16_t>(at + 12);
    return h;
}

void TUndoNode::Write(unsigned char* at, const Header& h) {
    Store(at, h.backLength);
    at[2] = h.kindBits;
    at[3] = h.group;
    Store(at + 4, h.para);
    Store(at + 8, h.pos);
    Store(at + 12, h.dataLength);
}

TUndoBuffer::TUndoBuffer(int32_t size) {
    size = std::clamp(size, 0, kMaxSize);
    while (size >= kUndoHeaderSize) {
        block_.reset(new (std::nothrow) unsigned char[size]);
        if (block_) break;
        size -= size / 2;
    }
    size_ = block_ ? size : 0;
}

TUndoBuffer::~TUndoBuffer() {
    Clear();
}

UndoRecord TUndoBuffer::ReadRecord(int32_t offset) const {
    const unsigned char* at = block_.get() + offset;
    const TUndoNode::Header h = TUndoNode::Read(at);
    UndoRecord r;
    r.kind = static_cast<UndoKind>(h.kindBits & 0x7F);
    r.modifiedBefore = (h.kindBits & kModifiedBit) != 0;
    r.group = h.group;
    r.para = h.para;
    r.pos = h.pos;
    const char* data = reinterpret_cast<const char*>(at + kUndoHeaderSize);
    if (HoldsParagraph(r.kind)) {
        r.node = Load<TParaNode*>(at + kUndoHeaderSize);
    } else if (r.kind == ukReplace) {
        // The old text's length, then both texts: either may hold any byte, NUL included.
        const int32_t oldLength = std::min<int32_t>(Load<uint16_t>(at + kUndoHeaderSize),
                                                    h.dataLength - kReplaceLengthSize);
        r.text = std::string_view(data + kReplaceLengthSize, oldLength);
        r.newText = std::string_view(data + kReplaceLengthSize + oldLength,
                                     h.dataLength - kReplaceLengthSize - oldLength);
    } else {
        r.text = std::string_view(data, h.dataLength);
    }
    return r;
}

void TUndoBuffer::SetNode(int32_t offset, TParaNode* node) {
    Store(block_.get() + offset + kUndoHeaderSize, node);
}

int32_t TUndoBuffer::EndOfCurrent() const {
    return undoCount_ > 0 ? current_ + TUndoNode::TotalLength(block_.get() + current_) : 0;
}

void TUndoBuffer::FreeOwnedParagraph(int32_t offset, bool undoable) {
    const UndoRecord r = ReadRecord(offset);
    if (r.node && OwnsParagraph(r.kind, undoable)) TParaNode::Destroy(r.node);
}

bool TUndoBuffer::BeginGroup() {
    const bool previous = inGroup_;
    if (!inGroup_) {
        NextGroupId();
        inGroup_ = true;
    }
    return previous;
}

void TUndoBuffer::EndGroup(bool previous) {
    inGroup_ = previous;
    if (!inGroup_) disabled_ = false;
}

void TUndoBuffer::NextGroupId() {
    ++groupId_;
    // After 256 groups the ids wrap; a new group must never continue the newest one.
    if (undoCount_ > 0 && ReadRecord(current_).group == groupId_) ++groupId_;
}

void TUndoBuffer::DiscardRedo() {
    if (redoCount_ == 0) return;
    for (int32_t at = EndOfCurrent(); at < end_; at += TUndoNode::TotalLength(block_.get() + at))
        FreeOwnedParagraph(at, false);
    end_ = EndOfCurrent();
    redoCount_ = 0;
}

void TUndoBuffer::Clear() {
    int32_t at = 0;
    for (int32_t n = 0; n < undoCount_ + redoCount_; ++n) {
        FreeOwnedParagraph(at, n < undoCount_);
        at += TUndoNode::TotalLength(block_.get() + at);
    }
    end_ = current_ = undoCount_ = redoCount_ = 0;
    groupId_ = 0;
    ++clears_;
}

bool TUndoBuffer::MakeRoom(int32_t need) {
    if (disabled_) return false;
    if (need > size_) {
        Clear();
        disabled_ = inGroup_;
        return false;
    }
    if (size_ - end_ >= need) return true;
    // Throw away whole groups from the oldest end; at least a sixteenth at a time keeps
    // the compaction below rare.
    const int32_t target = std::max(size_ / 16, need);
    int32_t cut = 0;
    int32_t thrown = 0;
    while (cut < end_ && size_ - (end_ - cut) < target) {
        const uint8_t group = TUndoNode::Read(block_.get() + cut).group;
        while (cut < end_ && TUndoNode::Read(block_.get() + cut).group == group) {
            cut += TUndoNode::TotalLength(block_.get() + cut);
            ++thrown;
        }
    }
    if (cut >= end_) {
        Clear();
        disabled_ = inGroup_;
        return !disabled_;
    }
    for (int32_t at = 0; at < cut; at += TUndoNode::TotalLength(block_.get() + at))
        FreeOwnedParagraph(at, true);
    std::memmove(block_.get(), block_.get() + cut, end_ - cut);
    end_ -= cut;
    current_ -= cut;
    TUndoNode::Header first = TUndoNode::Read(block_.get());
    first.backLength = 0;
    TUndoNode::Write(block_.get(), first);
    undoCount_ -= thrown;
    redoCount_ = 0;
    return true;
}

bool TUndoBuffer::TryMerge(UndoKind kind, int32_t para, int32_t pos, std::string_view text,
                           std::string_view newText) {
    if (inGroup_ || undoCount_ == 0 || redoCount_ != 0) return false;
    unsigned char* at = block_.get() + current_;
    TUndoNode::Header h = TUndoNode::Read(at);
    if ((h.kindBits & 0x7F) != kind || h.para != para) return false;
    const auto extra = static_cast<int32_t>(text.size() + newText.size());
    if (size_ - end_ < extra || h.dataLength + extra > kMaxSize - kUndoHeaderSize) return false;
    unsigned char* data = at + kUndoHeaderSize;
    if (kind == ukInsert && pos == h.pos + h.dataLength) {
        std::copy(text.begin(), text.end(), data + h.dataLength);
    } else if (kind == ukDelete && pos == h.pos) {
        std::copy(text.begin(), text.end(), data + h.dataLength);
    } else if (kind == ukDelete && pos + static_cast<int32_t>(text.size()) == h.pos) {
        std::memmove(data + text.size(), data, h.dataLength);
        std::copy(text.begin(), text.end(), data);
        h.pos = pos;
    } else if (kind == ukReplace) {
        const UndoRecord r = ReadRecord(current_);
        const auto oldLength = static_cast<int32_t>(r.text.size());
        // Only runs that replaced as many characters as they typed are contiguous.
        if (pos != h.pos + oldLength || r.newText.size() != r.text.size() ||
            newText.size() != text.size())
            return false;
        // length old new becomes length' old+text new+newText.
        const auto newLength = static_cast<int32_t>(r.newText.size());
        unsigned char* oldStart = data + kReplaceLengthSize;
        unsigned char* newStart = oldStart + oldLength;
        std::memmove(newStart + text.size(), newStart, newLength);
        std::copy(text.begin(), text.end(), oldStart + oldLength);
        newStart += text.size();
        std::copy(newText.begin(), newText.end(), newStart + newLength);
        Store(data, static_cast<uint16_t>(oldLength + text.size()));
    } else {
        return false;
    }
    h.dataLength = static_cast<uint16_t>(h.dataLength + extra);
    TUndoNode::Write(at, h);
    end_ += extra;
    return true;
}

bool TUndoBuffer::Write(UndoKind kind, bool modified, int32_t para, int32_t pos,
                        std::string_view first, std::string_view second, bool twoTexts) {
    DiscardRedo();
    if (size_ == 0) return false;
    if (TryMerge(kind, para, pos, first, second)) {
        ++recordsWritten_;
        return true;
    }
    if (!inGroup_) NextGroupId();
    const auto dataLength =
        static_cast<int32_t>(first.size() + second.size() + (twoTexts ? kReplaceLengthSize : 0));
    if (!MakeRoom(dataLength + kUndoHeaderSize)) return false;
    unsigned char* at = block_.get() + end_;
    TUndoNode::Header h;
    h.backLength = static_cast<uint16_t>(undoCount_ > 0 ? end_ - current_ : 0);
    h.kindBits = static_cast<uint8_t>(kind | (modified ? kModifiedBit : 0));
    h.group = groupId_;
    h.para = para;
    h.pos = pos;
    h.dataLength = static_cast<uint16_t>(dataLength);
    TUndoNode::Write(at, h);
    unsigned char* data = at + kUndoHeaderSize;
    if (twoTexts) {
        Store(data, static_cast<uint16_t>(first.size()));
        data += kReplaceLengthSize;
    }
    std::copy(first.begin(), first.end(), data);
    std::copy(second.begin(), second.end(), data + first.size());
    current_ = end_;
    end_ += kUndoHeaderSize + dataLength;
    ++undoCount_;
    ++recordsWritten_;
    return true;
}

bool TUndoBuffer::Record(UndoKind kind, bool modified, int32_t para, int32_t pos,
                         std::string_view text) {
    return Write(kind, modified, para, pos, text, {}, false);
}

bool TUndoBuffer::RecordParagraph(UndoKind kind, bool modified, int32_t para, TParaNode* node) {
    unsigned char pointer[sizeof node];
    std::memcpy(pointer, &node, sizeof node);
    // Never merged: the kinds that hold paragraphs are not among the merging ones.
    return Write(kind, modified, para, 1,
                 std::string_view(reinterpret_cast<const char*>(pointer), sizeof pointer), {},
                 false);
}

bool TUndoBuffer::RecordReplace(bool modified, int32_t para, int32_t pos, std::string_view oldText,
                                std::string_view newText) {
    return Write(ukReplace, modified, para, pos, oldText, newText, true);
}

bool TUndoBuffer::Undo(UndoTarget& target, bool& modified, ParaPos& caret) {
    if (undoCount_ == 0) return false;
    const uint8_t group = ReadRecord(current_).group;
    do {
        const int32_t offset = current_;
        const UndoRecord r = ReadRecord(offset);
        --undoCount_;
        ++redoCount_;
        current_ -= TUndoNode::Read(block_.get() + offset).backLength;
        TParaNode* taken = target.ReplayRecord(r, false, caret);
        if (r.kind == ukParaBefore || r.kind == ukParaAfter) SetNode(offset, taken);
        modified = r.modifiedBefore;
    } while (undoCount_ > 0 && ReadRecord(current_).group == group);
    if (undoCount_ == 0) current_ = 0;
    return true;
}

bool TUndoBuffer::Redo(UndoTarget& target, ParaPos& caret) {
    if (redoCount_ == 0) return false;
    int32_t next = EndOfCurrent();
    const uint8_t group = ReadRecord(next).group;
    do {
        TUndoNode::Header h = TUndoNode::Read(block_.get() + next);
        h.kindBits =
            static_cast<uint8_t>((h.kindBits & 0x7F) | (target.IsModified() ? kModifiedBit : 0));
        TUndoNode::Write(block_.get() + next, h);
        --redoCount_;
        ++undoCount_;
        current_ = next;
        const UndoRecord r = ReadRecord(next);
        TParaNode* taken = target.ReplayRecord(r, true, caret);
        if (r.kind == ukParaDeleted) SetNode(next, taken);
        next = EndOfCurrent();
    } while (redoCount_ > 0 && ReadRecord(next).group == group);
    return true;
}

void TUndoBuffer::MarkAllModifiedBefore() {
    for (int32_t at = 0; at < end_; at += TUndoNode::TotalLength(block_.get() + at))
        block_[at + 2] |= kModifiedBit;
}

} // namespace mvf::editor
