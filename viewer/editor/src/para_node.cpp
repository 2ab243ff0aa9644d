#include "viewer/editor/para_node.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "viewer/editor/utf8.h"

namespace mvf::editor {
namespace {

// A new paragraph's storage: the smallest multiple of 8 above its length.
int32_t InitialCapacity(int32_t length) {
    return length == 0 ? 0 : (length + 8) & ~7;
}

// Growing storage goes in steps of 16 bytes; one byte is kept for the terminating NUL.
int32_t GrownCapacity(int32_t capacity, int32_t length) {
    while (capacity < length + 1) capacity += 16;
    return capacity;
}

TParaNode* Allocate(int32_t capacity) {
    return static_cast<TParaNode*>(::operator new(sizeof(TParaNode) + capacity));
}

// Index of the first character (from `start`) that does not fit into `width` cells. Plain
// text (ASCII without tabs) has one cell per byte; otherwise characters are walked, a tab
// to its stop and a wide character over two cells. A line holds at least one character.
int32_t FirstCharacterPast(std::string_view text, int32_t start, int32_t width, int32_t tabSize,
                           bool plain) {
    const auto length = static_cast<int32_t>(text.size());
    if (plain) return std::min(length, start + width);
    int32_t column = 0;
    int32_t i = start;
    while (i < length) {
        int32_t bytes = 1;
        const int32_t next = column + CellsAt(text, i, column, tabSize, &bytes);
        if (next > width) break;
        column = next;
        i += bytes;
    }
    return std::max(i, NextCharStart(text, start));
}

int32_t SkipBlanks(std::string_view text, int32_t i) {
    while (i < static_cast<int32_t>(text.size()) && IsBlank(text[i])) ++i;
    return i;
}

} // namespace

int32_t DisplayColumnAfter(std::string_view text, int32_t column, int32_t tabSize) {
    const auto size = static_cast<int32_t>(text.size());
    for (int32_t i = 0; i < size;) {
        int32_t bytes = 1;
        column += CellsAt(text, i, column, tabSize, &bytes);
        i += bytes;
    }
    return column;
}

TParaNode* TParaNode::Create(std::string_view text) {
    const auto length = static_cast<int32_t>(text.size());
    const int32_t capacity = InitialCapacity(length);
    auto* node = new (Allocate(capacity)) TParaNode();
    node->capacity_ = static_cast<uint16_t>(capacity);
    node->length_ = static_cast<uint16_t>(length);
    if (capacity > 0) {
        std::copy(text.begin(), text.end(), node->Storage());
        node->Storage()[length] = '\0';
    }
    return node;
}

void TParaNode::Destroy(TParaNode* node) noexcept {
    if (!node) return;
    node->~TParaNode();
    ::operator delete(node);
}

TParaNode::~TParaNode() {
    delete[] lineStarts_;
}

TParaNode* TParaNode::Reserve(TParaNode* node, int32_t length) {
    if (length < node->capacity_) return node;
    const int32_t capacity = GrownCapacity(node->capacity_, length);
    auto* grown = new (Allocate(capacity)) TParaNode();
    grown->next = node->next;
    grown->prev = node->prev;
    grown->lineStarts_ = node->lineStarts_;
    grown->lineCount_ = node->lineCount_;
    grown->capacity_ = static_cast<uint16_t>(capacity);
    grown->length_ = node->length_;
    grown->continuesLine = node->continuesLine;
    grown->lineEndRule = node->lineEndRule;
    grown->previousContinued = node->previousContinued;
    std::memcpy(grown->Storage(), node->Storage(), node->length_);
    grown->Storage()[node->length_] = '\0';
    node->lineStarts_ = nullptr;
    Destroy(node);
    return grown;
}

int32_t TParaNode::LineLength(int32_t line) const {
    const int32_t end = line < lineCount_ ? LineStart(line + 1) : length_;
    return end - LineStart(line);
}

int32_t TParaNode::LineOfPosition(int32_t pos) const {
    if (lineCount_ == 1) return 1;
    // Long paragraphs start from the middle when the answer lies below it.
    int32_t line = lineCount_;
    if (lineCount_ > 20 && LineStart(lineCount_ / 2) >= pos) line = lineCount_ / 2;
    while (line > 1 && LineStart(line) >= pos) --line;
    return line;
}

void TParaNode::InsertText(int32_t at, std::string_view text) {
    char* s = Storage();
    std::memmove(s + at + text.size(), s + at, length_ - at);
    std::copy(text.begin(), text.end(), s + at);
    length_ = static_cast<uint16_t>(length_ + text.size());
    s[length_] = '\0';
}

void TParaNode::EraseText(int32_t at, int32_t count) {
    if (count <= 0) return;
    char* s = Storage();
    std::memmove(s + at, s + at + count, length_ - at - count);
    length_ = static_cast<uint16_t>(length_ - count);
    s[length_] = '\0';
}

void TParaNode::OverwriteText(int32_t at, std::string_view text) {
    std::copy(text.begin(), text.end(), Storage() + at);
}

void TParaNode::SetLineStart(int32_t line, int32_t offset) {
    const int32_t capacity = lineStarts_ ? lineStarts_[0] : 0;
    if (line - 1 >= capacity) {
        const int32_t grown = (line + 8) & ~7;
        auto* table = new uint16_t[grown];
        if (lineStarts_) std::memcpy(table + 1, lineStarts_ + 1, (capacity - 1) * sizeof(uint16_t));
        table[0] = static_cast<uint16_t>(grown);
        delete[] lineStarts_;
        lineStarts_ = table;
    }
    lineStarts_[line - 1] = static_cast<uint16_t>(offset);
}

int32_t TParaNode::Wrap(const WrapRule& rule) {
    const int32_t before = lineCount_;
    const std::string_view text = Text();
    const bool plain = text.find('\t') == std::string_view::npos && IsAscii(text);
    int32_t lines = 1;
    if (rule.width > 0 && (!plain || length_ > rule.width)) {
        const int32_t tabSize = std::max(rule.tabSize, 1);
        int32_t start = 0;
        for (;;) {
            const int32_t past = FirstCharacterPast(text, start, rule.width, tabSize, plain);
            if (past >= length_) break;
            int32_t next = past;
            // Back to a blank (which may hang past the width) or a hyphen that still fits.
            for (int32_t j = past; j > start; --j) {
                if (IsBlank(text[j]) || (text[j] == '-' && j < past)) {
                    next = SkipBlanks(text, j + 1);
                    break;
                }
            }
            if (next >= length_) break;
            SetLineStart(++lines, next);
            start = next;
        }
    }
    lineCount_ = lines;
    if (lines == 1 && lineStarts_) {
        delete[] lineStarts_;
        lineStarts_ = nullptr;
    }
    return lines - before;
}

} // namespace mvf::editor
