// The editor on screen: draws a document model in a fixed-pitch font and turns Qt's keys,
// mouse and clipboard into the model's commands. Every rule of editing lives in the model
// (viewer/editor); this widget only draws and translates.
//
// Use: create one per editor pane, set the shared key controller, give it the MARKERS
// picture, then load through Editor() (for example Editor().LoadFromFile(name)). The
// widget owns its editor's OnChange, OnShowStatus and OnError; listen to the signals
// below instead. For a split view, ShareTextWith joins another widget's document.
//
// Keys that the active key tables bind (and Tab/Enter while WantTab/WantEnter are on, and
// every key while a two-key sequence is pending) go to the editor before any shortcut of
// the window, so a table's binding wins over a menu shortcut of the same key.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include <QAbstractScrollArea>
#include <QCursor>
#include <QPixmap>
#include <QTimer>

#include "viewer/editor/controller.h"
#include "viewer/editor/text_file_editor.h"

namespace mvf::viewer {

class QtEditorClipboard;
class LinePainter;

// What a status bar shows of an editor.
struct EditorStatus {
    int32_t line = 1;   // the caret's display line
    int32_t column = 1; // the caret's column in characters
    bool insertMode = true;
    bool modified = false;
    int32_t lineCount = 1; // display lines
    int32_t topLine = 1;   // the first visible display line
    int64_t byteCount = 0;
};

enum class CaretShape { Bar, Block, Underline };

class EditorWidget : public QAbstractScrollArea, private editor::EditorView {
    Q_OBJECT

public:
    explicit EditorWidget(QWidget* parent = nullptr);
    ~EditorWidget() override;

    editor::TOvcTextFileEditor& Editor() { return editor_; }
    const editor::TOvcTextFileEditor& Editor() const { return editor_; }

    // The key controller shared by the window's editors (a two-key sequence begun in one
    // ends in the other). Until one is set the widget uses its own, default tables.
    void SetController(editor::TOvcController* controller);
    editor::TOvcController& Controller() { return *controller_; }

    // The split view: this widget shows and edits `other`'s document from now on, with its
    // own caret, selection and scroll position.
    void ShareTextWith(EditorWidget& other);

    // Drawing settings. The font is the widget's font (setFont); by default the system's
    // fixed-pitch font at 10 points.
    void SetMarkers(const QPixmap& markers); // ten bookmark glyphs side by side
    void SetHideSelection(bool on);          // hide the selection while unfocused
    bool HideSelection() const { return hideSelection_; }
    void SetShowBookmarks(bool on);
    bool ShowBookmarks() const { return showBookmarks_; }
    // Blank pixels kept between the text and the right edge (the left margin, which the
    // mouse rules use, is the model's: Editor().SetLeftMargin).
    void SetRightMargin(int pixels);
    int RightMargin() const { return rightMargin_; }
    void SetCaretShapes(CaretShape insert, CaretShape overwrite);
    CaretShape InsertCaret() const { return insertCaret_; }
    CaretShape OverwriteCaret() const { return overwriteCaret_; }

    // Draws everything again; after settings changed directly on Editor() (left margin,
    // read-only, ...), which the model does not report.
    void Refresh();

    int CharWidth() const { return charWidth_; }
    int LineHeight() const { return lineHeight_; }
    // The caret's rectangle in viewport coordinates (empty when it is out of view).
    QRect CaretRect();

    EditorStatus Status();

    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;

signals:
    // The caret, the top line, the insert mode or the modified flag may have changed.
    void statusChanged();
    // A command changed the text.
    void textChanged();
    // The editor got the keyboard focus (the window's active editor).
    void focusGained();
    // A buffer fault (codes 263-268); nothing was changed.
    void errorReported(int code);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    // EditorView
    int32_t VisibleLines() const override;
    int32_t VisibleColumns() const override;
    void Beep() override;
    void Repaint() override;

    // What was last drawn, to repaint only what a change touched.
    struct Shown {
        int32_t top = 0;
        int32_t offset = 0;
        editor::ParaPos caret{0, 0};
        editor::ParaPos anchor{0, 0};
        int32_t caretLine = 0;
        int32_t anchorLine = 0;
        bool insertMode = true;
        std::array<editor::ParaPos, editor::kBookmarkCount> bookmarks{};
    };

    void UpdateMetrics();
    void ScheduleSync();
    void Sync();
    void UpdateScrollBars();
    void UpdateRows(int32_t firstLine, int32_t lastLine);
    void RestartBlink();
    void BlinkCaret();
    void AutoScroll();
    void TypeText(const QString& text, bool asKeyPress);
    bool WantsKey(const QKeyEvent& event) const;
    bool OutsideText(QPoint at) const;
    int32_t RowAt(int y) const;
    void UpdateMouseCursor(QPoint at);
    bool SelectionVisible() const;

    std::unique_ptr<QtEditorClipboard> clipboard_;
    editor::TOvcController ownController_;
    editor::TOvcController* controller_ = &ownController_;
    editor::TOvcTextFileEditor editor_;

    QPixmap markers_;
    bool hideSelection_ = true;
    bool showBookmarks_ = true;
    int rightMargin_ = 0;
    CaretShape insertCaret_ = CaretShape::Bar;
    CaretShape overwriteCaret_ = CaretShape::Block;
    QCursor marginCursor_;

    int charWidth_ = 8;
    int lineHeight_ = 16;
    int ascent_ = 12;
    std::unique_ptr<LinePainter> painter_;

    QTimer blinkTimer_;
    bool caretOn_ = true;
    QTimer autoScrollTimer_;
    QPoint dragPoint_;
    bool leftButtonDown_ = false;
    QString preedit_;

    Shown shown_;
    uint64_t seenTouches_ = 0;
    int32_t dirtyFirst_ = 0; // display lines changed since the last sync; 0: none
    int32_t dirtyLast_ = 0;
    bool syncQueued_ = false;
    bool syncingBars_ = false;
    int32_t widestSeen_ = 0; // the widest line drawn so far, in cells (the horizontal range)
};

} // namespace mvf::viewer
