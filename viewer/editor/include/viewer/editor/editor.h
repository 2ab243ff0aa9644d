// The editor: caret, selection, scrolling and every command, over a shared paragraph list.
// Free of any toolkit: the window is reached through EditorView, the clipboard through
// EditorClipboard, so every command runs without a window.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "viewer/editor/controller.h"
#include "viewer/editor/para_list.h"

namespace mvf::editor {

class TextMatcher;

// What the editor needs of the window that shows it.
class EditorView {
public:
    virtual ~EditorView() = default;
    virtual int32_t VisibleLines() const = 0;
    virtual int32_t VisibleColumns() const = 0;
    virtual void Beep() {}
    // The text or the view changed: draw again (lines are the list's changed lines).
    virtual void Repaint() {}
};

class EditorClipboard {
public:
    virtual ~EditorClipboard() = default;
    virtual bool HasText() const = 0;
    virtual std::string Text() const = 0;
    // False when the clipboard could not take the text.
    virtual bool SetText(std::string_view text) = 0;
};

enum TTabType { ttReal = 0, ttFixed = 1, ttSmart = 2 };

// Search option bits.
inline constexpr uint8_t kSearchBackward = 0x02;
inline constexpr uint8_t kSearchMatchCase = 0x04;
inline constexpr uint8_t kSearchWholeText = 0x08;
inline constexpr uint8_t kSearchReplaceOne = 0x10;
inline constexpr uint8_t kSearchReplaceAll = 0x20;
inline constexpr uint8_t kSearchWholeWords = 0x40;
inline constexpr uint8_t kSearchSelection = 0x80;

class TOvcCustomEditor : public TParaListClient {
public:
    TOvcCustomEditor();
    ~TOvcCustomEditor() override;
    TOvcCustomEditor(const TOvcCustomEditor&) = delete;
    TOvcCustomEditor& operator=(const TOvcCustomEditor&) = delete;

    void SetView(EditorView* view) { view_ = view; }
    void SetClipboard(EditorClipboard* clipboard) { clipboard_ = clipboard; }
    void SetController(TOvcController* controller) { controller_ = controller; }

    TParaList& Paragraphs() { return *list_; }
    // Shares `other`'s paragraph list (the split view): text, history, bookmarks and the
    // modified flag are common from then on; caret and selection stay this editor's own.
    void AttachTo(TOvcCustomEditor& other);

    // Buffer properties (shared by all editors of the list).
    bool WordWrap() const { return list_->WordWrap(); }
    void SetWordWrap(bool on);
    int32_t WrapColumn() const { return list_->WrapColumn(); }
    void SetWrapColumn(int32_t column); // must be above 0
    int32_t TabSize() const { return list_->TabSize(); }
    void SetTabSize(int32_t size); // a byte: taken modulo 256, and 0 changes nothing
    void SetUndoBufferSize(int32_t size) { list_->SetUndoBufferSize(size); }

    // Editor properties.
    bool InsertMode() const { return insertMode_; }
    void SetInsertMode(bool on);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool on) { readOnly_ = on; }
    bool AutoIndent() const { return autoIndent_; }
    void SetAutoIndent(bool on) { autoIndent_ = on; }
    TTabType TabType() const { return tabType_; }
    void SetTabType(TTabType type) { tabType_ = type; }
    bool WrapAtLeft() const { return wrapAtLeft_; }
    void SetWrapAtLeft(bool on) { wrapAtLeft_ = on; }
    bool ScrollPastEnd() const { return scrollPastEnd_; }
    void SetScrollPastEnd(bool on) { scrollPastEnd_ = on; }
    bool WantTab() const { return wantTab_; }
    void SetWantTab(bool on) { wantTab_ = on; }
    bool WantEnter() const { return wantEnter_; }
    void SetWantEnter(bool on) { wantEnter_ = on; }
    static bool IsDelimiter(char c);

    // Caret and selection. The caret is the selection's moving end.
    ParaPos Caret() const { return caret_; }
    LineCol CaretLineCol();
    // The caret's column as shown: characters before it on its display line, plus one
    // (a column of LineCol counts bytes).
    int32_t CaretColumnShown();
    ParaPos Anchor() const { return anchor_; }
    bool HasSelection() const { return anchor_ != caret_; }
    ParaPos SelectionStart() const { return std::min(anchor_, caret_); }
    ParaPos SelectionEnd() const { return std::max(anchor_, caret_); }
    std::string SelectedText();
    void SetCaret(ParaPos at, bool extend = false);
    void SetCaretLineCol(LineCol at, bool extend = false);
    void SetSelection(ParaPos anchor, ParaPos end);
    void SelectAll();
    // Go to line: the caret to display line `line`, column 1, scrolled into view.
    void GotoLine(int32_t line);

    // The view.
    int32_t TopLine() const { return topLine_; }
    int32_t HorizontalOffset() const { return horizontalOffset_; }
    void SetTopLine(int32_t line);
    // Display columns scrolled out at the left (a scroll bar's thumb); 0 or more.
    void SetHorizontalOffset(int32_t columns);
    int32_t VisibleLines() const;
    int32_t VisibleColumns() const;

    // Commands and keys.
    bool ProcessCommand(int command, char ch = 0);
    // Command 249 with one whole typed character, which may take several bytes (UTF-8).
    bool ProcessChar(std::string_view character);
    void KeyDown(uint8_t key, uint8_t shift);
    void KeyPress(char ch) { KeyPress(std::string_view(&ch, 1)); }
    // A character message: one typed character, unless the last key-down suppressed it.
    void KeyPress(std::string_view character);

    // Search and replace: found or not; replacements made, -1, or an error code.
    bool Search(std::string_view pattern, uint8_t options);
    int Replace(std::string_view pattern, std::string_view replacement, uint8_t options);

    // The mouse. `row` is the pointer's text row relative to the top visible line (negative
    // above the text), `x` its distance from the text area's left edge (left margin
    // included) in pixels.
    int32_t LeftMargin() const { return leftMargin_; }
    void SetLeftMargin(int32_t pixels) { leftMargin_ = pixels; }
    LineCol PointToLineCol(int32_t row, int32_t x, int32_t charWidth);
    void MouseDown(int32_t row, int32_t x, int32_t charWidth, bool shift);
    void MouseMove(int32_t row, int32_t x, int32_t charWidth);
    void MouseUp() { dragging_ = false; }
    void DoubleClick(int32_t row, int32_t x, int32_t charWidth, bool shift);

    std::function<void()> OnChange;
    std::function<void()> OnShowStatus;
    std::function<void(int)> OnUserCommand;
    std::function<void(int)> OnError;

protected:
    // Reports an error code: OnError, or EEditorError when nothing handles it.
    void ReportError(int code);

private:
    // TParaListClient
    void FollowPositions(const PositionChange& change) override;
    void TextChanged() override;
    void ModifiedChanged() override;
    void ListCleared() override;

    // Moves (editor_moves.cpp).
    bool MoveCommand(int command);
    void MoveTo(LineCol at, bool extend, bool downward);
    void MoveToPos(ParaPos at, bool extend);
    void MoveLines(int32_t lines, bool extend, bool keepRow);
    int32_t PositionBefore(ParaPos at);
    int32_t PositionAfter(ParaPos at);
    void MoveLeft(bool extend);
    void MoveRight(bool extend);
    void MoveWordLeft(bool extend);
    void MoveWordRight(bool extend);
    void MoveEnd(bool extend);
    void TopOrBottomOfPage(bool top, bool extend);
    void Scroll(int32_t lines);
    void ScrollIntoView(bool downward = false);
    int32_t CaretDisplayColumn();
    int32_t ColumnForDisplay(std::string_view line, int32_t displayColumn) const;
    int32_t MaxColumn(std::string_view line) const;

    // Edits (editor_edits.cpp).
    bool EditCommand(int command);
    void TypeChar(std::string_view typed);
    int32_t BytesOfChars(ParaPos at, int32_t count);
    void Tab();
    int32_t SmartTabTarget(int32_t line, int32_t column);
    int32_t TabSpaces();
    void LineBreak();
    void Backspace();
    void Delete();
    void DeleteLine();
    void DeleteToLineStart();
    void DeleteSpan(ParaPos start, ParaPos end);
    void DeleteToLineEnd();
    void DeleteWord();
    int DeleteSelection();
    bool Copy();
    void Cut();
    void Paste();
    void UndoRedo(bool redo);
    void Finish(int code);

    // Search (editor_search.cpp).
    void SearchRange(uint8_t options, ParaPos& from, ParaPos& to);
    bool FindMatch(const TextMatcher& matcher, bool backward, ParaPos from, ParaPos to,
                   ParaPos& start);
    void SelectMatch(ParaPos start, int32_t length, bool backward);
    int ReplaceAt(ParaPos start, int32_t length, std::string_view replacement);

    bool Dispatch(int command, std::string_view character);
    void ShowStatus();
    void Changed(uint64_t before);
    void ClampToText(ParaPos& at);

    std::shared_ptr<TParaList> list_;
    EditorView* view_ = nullptr;
    EditorClipboard* clipboard_ = nullptr;
    TOvcController* controller_ = nullptr;

    ParaPos caret_;
    ParaPos anchor_;
    LineCol caretLineCol_;
    bool lineColStale_ = false;
    int32_t topLine_ = 1;
    int32_t horizontalOffset_ = 0;

    bool insertMode_ = true;
    bool readOnly_ = false;
    bool autoIndent_ = false;
    TTabType tabType_ = ttReal;
    bool wrapAtLeft_ = true;
    bool scrollPastEnd_ = false;
    bool wantTab_ = false;
    bool wantEnter_ = true;
    bool suppressChar_ = false;

    int32_t leftMargin_ = 15;
    bool dragging_ = false;
    bool marginDrag_ = false;
    int32_t marginLine_ = 0;
};

} // namespace mvf::editor
