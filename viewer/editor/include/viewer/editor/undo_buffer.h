// The undo history: records packed end to end in one fixed block of memory.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>

#include "viewer/editor/text_position.h"

namespace mvf::editor {

class TParaNode;

enum UndoKind : uint8_t {
    ukCaret = 0,       // before and after a split: only places the caret
    ukInsert = 1,      // characters inserted at (paragraph, position)
    ukParaBefore = 2,  // a paragraph inserted before paragraph p
    ukParaAfter = 3,   // a paragraph inserted after paragraph p
    ukDelete = 4,      // characters deleted at (paragraph, position)
    ukParaDeleted = 5, // paragraph p deleted
    ukReplace = 6,     // characters overtyped: old text and new text, carried by length
};

inline constexpr int32_t kUndoHeaderSize = 14;

// One record as read from the block.
struct UndoRecord {
    UndoKind kind = ukCaret;
    bool modifiedBefore = false;
    uint8_t group = 0;
    int32_t para = 0;
    int32_t pos = 0;
    std::string_view text;     // kinds 1 and 4: the characters; kind 6: the old text
    std::string_view newText;  // kind 6: the new text
    TParaNode* node = nullptr; // kinds 2, 3 and 5: the paragraph object
};

// Reads and writes the 14-byte record headers.
class TUndoNode {
public:
    struct Header {
        uint16_t backLength = 0;
        uint8_t kindBits = 0; // kind in bits 0-6, bit 7: modified before the change
        uint8_t group = 0;
        int32_t para = 0;
        int32_t pos = 0;
        uint16_t dataLength = 0;
    };
    static Header Read(const unsigned char* at);
    static void Write(unsigned char* at, const Header& header);
    static int32_t TotalLength(const unsigned char* at) {
        return kUndoHeaderSize + Read(at).dataLength;
    }
};

// What replays the records: the paragraph list.
class UndoTarget {
public:
    virtual ~UndoTarget() = default;
    // Applies the undo or the redo action of `record` and sets `caret`. Returns the
    // paragraph the action took out of the text, which the record holds from then on.
    virtual TParaNode* ReplayRecord(const UndoRecord& record, bool redo, ParaPos& caret) = 0;
    virtual bool IsModified() const = 0;
};

class TUndoBuffer {
public:
    // Sizes are limited to 65,535 bytes (the headers' lengths are 16-bit); when the block
    // cannot be had the size is halved, and below one header the buffer records nothing.
    explicit TUndoBuffer(int32_t size);
    ~TUndoBuffer();
    TUndoBuffer(const TUndoBuffer&) = delete;
    TUndoBuffer& operator=(const TUndoBuffer&) = delete;

    int32_t Size() const { return size_; }
    int32_t FreeBytes() const { return size_ - end_; }
    int32_t UndoCount() const { return undoCount_; }
    int32_t RedoCount() const { return redoCount_; }
    bool CanUndo() const { return undoCount_ > 0; }
    bool CanRedo() const { return redoCount_ > 0; }
    bool InGroup() const { return inGroup_; }
    bool Disabled() const { return disabled_; }

    // Returns the previous "in group" state, to be handed back to EndGroup.
    bool BeginGroup();
    void EndGroup(bool previous);

    // Each returns whether the change was recorded. A paragraph handed to RecordParagraph
    // belongs to the buffer while it is out of the text; when false is returned the
    // caller keeps it.
    bool Record(UndoKind kind, bool modified, int32_t para, int32_t pos, std::string_view text);
    bool RecordParagraph(UndoKind kind, bool modified, int32_t para, TParaNode* node);
    bool RecordReplace(bool modified, int32_t para, int32_t pos, std::string_view oldText,
                       std::string_view newText);
    // Every change, recorded or not, makes what could be redone meaningless.
    void DiscardRedo();

    // Replay one group. Undo reports the modified flag to restore; both set the caret.
    // False when there is nothing to replay.
    bool Undo(UndoTarget& target, bool& modified, ParaPos& caret);
    bool Redo(UndoTarget& target, ParaPos& caret);

    void MarkAllModifiedBefore();
    void Clear();

    // Monotonic counters: records written (or merged) and clearings of the history.
    uint64_t RecordsWritten() const { return recordsWritten_; }
    uint64_t Clears() const { return clears_; }

    // Read access for tests and diagnostics: the newest undoable record.
    UndoRecord Current() const { return ReadRecord(current_); }

private:
    UndoRecord ReadRecord(int32_t offset) const;
    bool Write(UndoKind kind, bool modified, int32_t para, int32_t pos, std::string_view first,
               std::string_view second, bool twoTexts);
    bool TryMerge(UndoKind kind, int32_t para, int32_t pos, std::string_view text,
                  std::string_view newText);
    bool MakeRoom(int32_t need);
    void NextGroupId();
    void FreeOwnedParagraph(int32_t offset, bool undoable);
    void SetNode(int32_t offset, TParaNode* node);
    int32_t EndOfCurrent() const;

    std::unique_ptr<unsigned char[]> block_;
    int32_t size_ = 0;
    int32_t end_ = 0;     // bytes in use: undoable records, then redoable ones
    int32_t current_ = 0; // offset of the newest undoable record
    int32_t undoCount_ = 0;
    int32_t redoCount_ = 0;
    uint8_t groupId_ = 0;
    bool inGroup_ = false;
    bool disabled_ = false;
    uint64_t recordsWritten_ = 0;
    uint64_t clears_ = 0;
};

} // namespace mvf::editor
