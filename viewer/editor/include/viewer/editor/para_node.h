// One paragraph: its text (stored in the same allocation as the node) and its display lines.
#pragma once

#include <cstdint>
#include <string_view>

namespace mvf::editor {

// How paragraphs are cut into display lines; a width of 0 means "never wrap".
struct WrapRule {
    int32_t width = 0;
    int32_t tabSize = 8;
};

// Blanks are spaces and tabs: they hang at a wrap, are trimmed and make indentation.
inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

// How taking a paragraph out of the text, or putting it back, moves the line ends around
// it. Only a paragraph that continues a long line of the file has no line end of its own.
enum class LineEndRule : uint8_t {
    Own,      // a whole paragraph with its own line end: the others keep theirs
    Boundary, // a line break made or removed (split, join): it trades ends with the one before
    Deleted,  // deleted whole: the one before keeps a line end when either of them had one
};

// Display width of `text` starting at display column `column` (0-based): a tab reaches the
// next stop, a wide East Asian character takes two cells, every other character one.
int32_t DisplayColumnAfter(std::string_view text, int32_t column, int32_t tabSize);

class TParaNode {
public:
    // Allocates a paragraph holding `text`; throws std::bad_alloc.
    static TParaNode* Create(std::string_view text);
    static void Destroy(TParaNode* node) noexcept;
    // Makes room for `length` characters. The node may move: the caller relinks the chain.
    // Throws std::bad_alloc and leaves the node untouched then.
    static TParaNode* Reserve(TParaNode* node, int32_t length);

    TParaNode(const TParaNode&) = delete;
    TParaNode& operator=(const TParaNode&) = delete;

    std::string_view Text() const { return {Storage(), length_}; }
    int32_t Length() const { return length_; }
    int32_t Capacity() const { return capacity_; }
    int32_t LineCount() const { return lineCount_; }
    // 0-based offset of display line `line` (1-based); line 1 starts at 0.
    int32_t LineStart(int32_t line) const { return line <= 1 ? 0 : lineStarts_[line - 1]; }
    int32_t LineLength(int32_t line) const;
    // The display line (1-based) holding 1-based position `pos`: the last line whose start
    // offset lies below pos.
    int32_t LineOfPosition(int32_t pos) const;

    // Text changes at 0-based offsets; the caller has reserved the room.
    void InsertText(int32_t at, std::string_view text);
    void EraseText(int32_t at, int32_t count);
    void OverwriteText(int32_t at, std::string_view text);

    // Recomputes the display lines; returns the change in their number.
    int32_t Wrap(const WrapRule& rule);

    TParaNode* next = nullptr;
    TParaNode* prev = nullptr;

    // The paragraph goes on in the next one without a line end between them: a line of the
    // file longer than a paragraph was cut into several on loading, and is written back
    // whole.
    bool continuesLine = false;
    // While the paragraph is out of the text (held by an undo record): how it left, and
    // whether the paragraph before it continued into it then, so putting it back restores
    // the line ends as they were.
    LineEndRule lineEndRule = LineEndRule::Own;
    bool previousContinued = false;

private:
    TParaNode() = default;
    ~TParaNode();
    char* Storage() { return reinterpret_cast<char*>(this + 1); }
    const char* Storage() const { return reinterpret_cast<const char*>(this + 1); }
    void SetLineStart(int32_t line, int32_t offset);

    // Entry 0 holds the table's capacity; entry k holds the start of line k + 1. Absent
    // while the paragraph has a single line, which is nearly always.
    uint16_t* lineStarts_ = nullptr;
    int32_t lineCount_ = 1;
    uint16_t capacity_ = 0;
    uint16_t length_ = 0;
};

} // namespace mvf::editor
