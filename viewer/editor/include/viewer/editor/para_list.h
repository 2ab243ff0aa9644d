// The document: a chain of paragraphs with counts, limits, bookmarks and the undo history.
#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>
#include <vector>

#include "viewer/editor/para_node.h"
#include "viewer/editor/position_change.h"
#include "viewer/editor/text_position.h"
#include "viewer/editor/undo_buffer.h"

namespace mvf::editor {

inline constexpr int32_t kNoLimit = std::numeric_limits<int32_t>::max();
inline constexpr int32_t kMaxParaLength = 32767;
inline constexpr int32_t kBookmarkCount = 10;
inline constexpr int32_t kDefaultUndoBufferSize = 8192;

// An editor attached to a list; every attached editor hears of every change.
class TParaListClient {
public:
    virtual ~TParaListClient() = default;
    // A change moved text; carets and selections follow it (only while tracking is on).
    virtual void FollowPositions(const PositionChange& change) = 0;
    // Text changed (repaint), or the modified flag changed (status).
    virtual void TextChanged() = 0;
    virtual void ModifiedChanged() = 0;
    // The list was emptied: caret, selection, scroll position return to the start.
    virtual void ListCleared() = 0;
};

// A display line found by number.
struct LineRef {
    int32_t para = 1;
    int32_t lineInPara = 1;
    int32_t offset = 0; // of the line's first character inside its paragraph, from 0
    std::string_view text;
};

class TParaList final : public UndoTarget {
public:
    explicit TParaList(int32_t undoBufferSize = kDefaultUndoBufferSize);
    ~TParaList() override;
    TParaList(const TParaList&) = delete;
    TParaList& operator=(const TParaList&) = delete;

    // Limits and wrapping. Setting any wrap setting re-wraps every paragraph.
    int32_t ParaLimit() const { return paraLimit_; }
    int32_t ByteLimit() const { return byteLimit_; }
    int32_t ParaLengthLimit() const { return paraLengthLimit_; }
    void SetParaLimit(int32_t limit);
    void SetByteLimit(int32_t limit);
    void SetParaLengthLimit(int32_t limit); // 1 .. 32,767: lengths are 16-bit
    bool WordWrap() const { return wordWrap_; }
    int32_t WrapColumn() const { return wrapColumn_; }
    int32_t TabSize() const { return tabSize_; }
    void SetWrapping(bool wordWrap, int32_t wrapColumn, int32_t tabSize);

    // Counts. The byte count is the sum of length + 2 over the paragraphs, less the 2 of
    // the one paragraph an empty document has.
    int32_t ParaCount() const { return paraCount_; }
    int32_t LineCount() const { return lineCount_; }
    int64_t ByteCount() const { return byteCount_; }

    bool Modified() const { return modified_; }
    void SetModified(bool modified);
    bool IsModified() const override { return modified_; }

    // The line end written when saving: the loaded file's own, a line feed for a new text.
    const std::string& LineEnd() const { return lineEnd_; }
    void SetLineEnd(std::string_view lineEnd) { lineEnd_ = lineEnd; }

    // Lookups. Paragraph and line numbers outside the text raise EInvalidLineOrPara.
    std::string_view ParaText(int32_t para);
    int32_t ParaLength(int32_t para) { return static_cast<int32_t>(ParaText(para).size()); }
    int32_t ParaLineCount(int32_t para);
    int32_t FirstLineOfPara(int32_t para);
    LineRef FindLine(int32_t line);
    std::string_view LineText(int32_t line) { return FindLine(line).text; }
    // A paragraph beyond the count is taken as the last one.
    LineCol ParaToLine(ParaPos at);
    ParaPos LineToPara(LineCol at);

    // Limit check before adding `paras` paragraphs and `bytes` bytes, growing paragraph
    // `growing` (0 when none grows): 0 or the error code.
    int CheckLimits(int32_t paras, int64_t bytes, int32_t growing);

    // Editing primitives: each returns 0 or an error code, and changes nothing on an error.
    int InsertChars(ParaPos at, std::string_view text);
    int DeleteChars(ParaPos at, int32_t count);
    int ReplaceChars(ParaPos at, std::string_view text);
    // Overtypes `replaced` bytes at `at` (as many as the paragraph has there) with `text`:
    // one whole character by another of any length.
    int ReplaceChars(ParaPos at, std::string_view text, int32_t replaced);
    // A line break; `indentChars` receives the number of indentation characters made.
    int SplitPara(ParaPos at, bool trim, int32_t indentWidth, int32_t tabSize,
                  int32_t* indentChars = nullptr);
    int JoinPara(int32_t para, int32_t at);
    int DeleteRange(ParaPos from, ParaPos to);
    int DeletePara(int32_t para);
    int InsertPara(int32_t before, std::string_view text);
    // Pastes a text that may hold line breaks; `end` receives the position after it.
    int InsertText(ParaPos at, std::string_view text, ParaPos* end = nullptr);
    void Clear();

    // Loading: appends a line before the trailing empty paragraph, cut into paragraphs at
    // the length limit. Returns 0 or the limit's error code. With `kept`, the line goes on
    // later: only the paragraphs that are certain are appended and `kept` receives the
    // number of characters left over.
    int AppendLine(std::string_view line, bool trimWhiteSpace, size_t* kept = nullptr);
    void LoadFinished();

    // Bookmarks 0-9; (0, 0) means unset.
    ParaPos Bookmark(int32_t n) const { return bookmarks_[n]; }
    void SetBookmark(int32_t n, ParaPos at) { bookmarks_[n] = at; }

    // The undo history.
    TUndoBuffer& Undo() { return *undo_; }
    bool BeginGroup() { return undo_->BeginGroup(); }
    void EndGroup(bool previous) { undo_->EndGroup(previous); }
    void SetUndoBufferSize(int32_t size);
    int32_t UndoBufferSize() const { return undo_->Size(); }
    // Replays one group; false when there was nothing to replay.
    bool UndoGroup(ParaPos& caret);
    bool RedoGroup(ParaPos& caret);

    bool TrackPositions() const { return trackPositions_; }

    // Runs `steps` as one undo group; when they fail part-way, what they did is undone
    // (as long as the history could hold it), so a failed compound change changes nothing.
    template <typename Steps> int Transaction(Steps&& steps) {
        const bool previous = BeginGroup();
        const uint64_t written = undo_->RecordsWritten();
        const uint64_t cleared = undo_->Clears();
        int code = steps();
        EndGroup(previous);
        if (code != 0 && !previous && undo_->RecordsWritten() != written &&
            undo_->Clears() == cleared) {
            ParaPos ignored;
            UndoGroup(ignored);
            undo_->DiscardRedo();
        }
        return code;
    }

    // Counts every change to the text; tells callers whether a command changed anything.
    uint64_t ChangeCount() const { return changeCount_; }
    const TParaNode* FirstNode() const { return first_; }

    // First and last display lines touched by the last change (kNoLimit: to the end).
    int32_t ChangedFirst() const { return changedFirst_; }
    int32_t ChangedLast() const { return changedLast_; }
    // Counts the changes of display lines (edits, re-wrapping, loading, clearing), so a
    // view can tell whether ChangedFirst and ChangedLast describe a change it has not seen.
    uint64_t TouchCount() const { return touchCount_; }

    void Attach(TParaListClient* client);
    void Detach(TParaListClient* client);
    size_t ClientCount() const { return clients_.size(); }

private:
    struct Cursor {
        TParaNode* node = nullptr;
        int32_t para = 1;
        int32_t firstLine = 1;
    };

    TParaNode* ReplayRecord(const UndoRecord& record, bool redo, ParaPos& caret) override;

    WrapRule Rule() const;
    TParaNode* Find(int32_t para);
    TParaNode* FindOrThrow(int32_t para);
    void MoveCursorTo(int32_t para);
    void MoveCursorToLine(int32_t line);
    TParaNode* Grow(TParaNode* node, int32_t length);
    void Rewrap(TParaNode* node);
    void Touched(int32_t firstLine, int32_t lastLine);
    void MarkChanged();
    void Notify(const PositionChange& change);
    void FreeAll();
    void ResetToEmpty();

    // The raw changes: no limit check, no record; counts, wrapping, positions.
    void RawInsert(int32_t para, int32_t pos, std::string_view text, const PositionChange& change);
    void RawErase(int32_t para, int32_t pos, int32_t count);
    void RawReplace(int32_t para, int32_t pos, int32_t oldLength, std::string_view text);
    // Both move the line ends around the paragraph by its lineEndRule.
    void RawInsertNode(int32_t before, TParaNode* node);
    TParaNode* RawRemoveNode(int32_t para);

    bool Recording() const { return !undoing_; }
    void RecordText(UndoKind kind, int32_t para, int32_t pos, std::string_view text);
    bool RecordNode(UndoKind kind, int32_t para, TParaNode* node);
    int PasteLimits(ParaPos at, std::string_view text);
    int JoinUnchecked(int32_t para, int32_t at);

    TParaNode* first_ = nullptr;
    TParaNode* last_ = nullptr;
    Cursor cursor_;
    int32_t paraCount_ = 1;
    int32_t lineCount_ = 1;
    int64_t byteCount_ = 0;
    int32_t paraLimit_ = kNoLimit;
    int32_t byteLimit_ = kNoLimit;
    int32_t paraLengthLimit_ = kMaxParaLength;
    bool wordWrap_ = false;
    int32_t wrapColumn_ = 80;
    int32_t tabSize_ = 8;
    bool modified_ = false;
    bool trackPositions_ = true;
    bool undoing_ = false;
    std::array<ParaPos, kBookmarkCount> bookmarks_{};
    std::unique_ptr<TUndoBuffer> undo_;
    int32_t changedFirst_ = 1;
    int32_t changedLast_ = kNoLimit;
    uint64_t touchCount_ = 0;
    std::string lineEnd_ = "\n";
    uint64_t changeCount_ = 0;
    std::vector<TParaListClient*> clients_;
};

} // namespace mvf::editor
