// The widget's life, its settings, and keeping the screen and the scroll bars in step with
// the model: only the rows a change touched are drawn again.
#include "viewer/editor_widget.h"

#include <algorithm>

#include <QApplication>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QResizeEvent>
#include <QScrollBar>

#include "line_layout.h"
#include "line_painter.h"
#include "margin_cursor.h"
#include "viewer/qt_clipboard.h"

namespace mvf::viewer {
namespace {

constexpr int kDefaultPointSize = 10;
constexpr int kAutoScrollMilliseconds = 50;

} // namespace

EditorWidget::EditorWidget(QWidget* parent)
    : QAbstractScrollArea(parent), clipboard_(std::make_unique<QtEditorClipboard>()),
      marginCursor_(MarginCursor()), painter_(std::make_unique<LinePainter>()) {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSize(kDefaultPointSize);
    setFont(font);
    UpdateMetrics();

    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setMouseTracking(true);

    editor_.SetView(this);
    editor_.SetClipboard(clipboard_.get());
    editor_.SetController(controller_);
    editor_.OnShowStatus = [this] { emit statusChanged(); };
    editor_.OnChange = [this] { emit textChanged(); };
    editor_.OnError = [this](int code) { emit errorReported(code); };

    connect(&blinkTimer_, &QTimer::timeout, this, &EditorWidget::BlinkCaret);
    autoScrollTimer_.setInterval(kAutoScrollMilliseconds);
    connect(&autoScrollTimer_, &QTimer::timeout, this, &EditorWidget::AutoScroll);
    seenTouches_ = editor_.Paragraphs().TouchCount();
    Sync();
}

EditorWidget::~EditorWidget() {
    // The editor outlives this body; it must not call back into a half-destroyed widget.
    editor_.SetView(nullptr);
    editor_.OnShowStatus = nullptr;
    editor_.OnChange = nullptr;
    editor_.OnError = nullptr;
}

void EditorWidget::SetController(editor::TOvcController* controller) {
    controller_ = controller ? controller : &ownController_;
    editor_.SetController(controller_);
}

void EditorWidget::ShareTextWith(EditorWidget& other) {
    editor_.AttachTo(other.editor_);
    Refresh();
}

void EditorWidget::SetMarkers(const QPixmap& markers) {
    markers_ = markers;
    viewport()->update();
}

void EditorWidget::SetHideSelection(bool on) {
    hideSelection_ = on;
    viewport()->update();
}

void EditorWidget::SetShowBookmarks(bool on) {
    showBookmarks_ = on;
    viewport()->update();
}

void EditorWidget::SetRightMargin(int pixels) {
    rightMargin_ = std::max(pixels, 0);
    Refresh();
}

void EditorWidget::SetCaretShapes(CaretShape insert, CaretShape overwrite) {
    insertCaret_ = insert;
    overwriteCaret_ = overwrite;
    viewport()->update();
}

void EditorWidget::Refresh() {
    widestSeen_ = 0;
    viewport()->update();
    Sync();
}

EditorStatus EditorWidget::Status() {
    editor::TParaList& list = editor_.Paragraphs();
    const editor::LineCol at = editor_.CaretLineCol();
    EditorStatus status;
    status.line = at.line;
    status.column = editor_.CaretColumnShown();
    status.insertMode = editor_.InsertMode();
    status.modified = list.Modified();
    status.lineCount = list.LineCount();
    status.topLine = editor_.TopLine();
    status.byteCount = list.ByteCount();
    return status;
}

void EditorWidget::UpdateMetrics() {
    const QFontMetrics metrics(font());
    charWidth_ = std::max(metrics.horizontalAdvance(QLatin1Char('M')), 1);
    lineHeight_ = std::max(metrics.height(), 1);
    ascent_ = metrics.ascent();
    painter_->SetFont(font(), charWidth_, lineHeight_, ascent_);
    widestSeen_ = 0;
}

int32_t EditorWidget::VisibleLines() const {
    return std::max(viewport()->height() / lineHeight_, 1);
}

int32_t EditorWidget::VisibleColumns() const {
    return std::max((viewport()->width() - editor_.LeftMargin() - rightMargin_) / charWidth_, 1);
}

void EditorWidget::Beep() {
    QApplication::beep();
}

void EditorWidget::Repaint() {
    // Called from inside the model's changes: note what changed and draw once it is done.
    const editor::TParaList& list = editor_.Paragraphs();
    if (list.TouchCount() != seenTouches_) {
        seenTouches_ = list.TouchCount();
        if (list.ChangedFirst() == 1 && list.ChangedLast() == editor::kNoLimit) widestSeen_ = 0;
        dirtyFirst_ =
            dirtyFirst_ == 0 ? list.ChangedFirst() : std::min(dirtyFirst_, list.ChangedFirst());
        dirtyLast_ = std::max(dirtyLast_, list.ChangedLast());
    }
    ScheduleSync();
}

void EditorWidget::ScheduleSync() {
    if (syncQueued_) return;
    syncQueued_ = true;
    QMetaObject::invokeMethod(this, &EditorWidget::Sync, Qt::QueuedConnection);
}

void EditorWidget::Sync() {
    syncQueued_ = false;
    UpdateScrollBars();
    editor::TParaList& list = editor_.Paragraphs();
    Shown now;
    now.top = editor_.TopLine();
    now.offset = editor_.HorizontalOffset();
    now.caret = editor_.Caret();
    now.anchor = editor_.Anchor();
    now.caretLine = editor_.CaretLineCol().line;
    now.insertMode = editor_.InsertMode();
    for (int32_t n = 0; n < editor::kBookmarkCount; ++n) now.bookmarks[n] = list.Bookmark(n);
    const bool textChanged = dirtyFirst_ != 0;
    if (now.anchor == now.caret) {
        now.anchorLine = now.caretLine;
    } else if (!textChanged && now.anchor == shown_.anchor && shown_.anchorLine != 0) {
        now.anchorLine = shown_.anchorLine; // a far anchor is not looked up on every key
    } else {
        now.anchorLine = list.ParaToLine(now.anchor).line;
    }

    if (now.top != shown_.top || now.offset != shown_.offset || now.bookmarks != shown_.bookmarks) {
        viewport()->update();
    } else {
        if (textChanged) UpdateRows(dirtyFirst_, dirtyLast_);
        UpdateRows(shown_.caretLine, shown_.caretLine);
        UpdateRows(now.caretLine, now.caretLine);
        if (shown_.anchor != shown_.caret || now.anchor != now.caret) {
            // What changed of the selection lies between the old and the new ends.
            UpdateRows(std::min(shown_.caretLine, now.caretLine),
                       std::max(shown_.caretLine, now.caretLine));
            UpdateRows(std::min(shown_.anchorLine, now.anchorLine),
                       std::max(shown_.anchorLine, now.anchorLine));
        }
    }
    dirtyFirst_ = dirtyLast_ = 0;
    shown_ = now;
    if (hasFocus()) RestartBlink();
}

void EditorWidget::UpdateRows(int32_t firstLine, int32_t lastLine) {
    const int32_t top = editor_.TopLine();
    const int32_t rows = viewport()->height() / lineHeight_ + 1;
    const int64_t first = std::max<int64_t>(int64_t{firstLine} - top, 0);
    const int64_t last = std::min<int64_t>(int64_t{lastLine} - top, rows);
    if (first > last) return;
    viewport()->update(0, static_cast<int>(first) * lineHeight_, viewport()->width(),
                       static_cast<int>(last - first + 1) * lineHeight_);
}

void EditorWidget::UpdateScrollBars() {
    syncingBars_ = true;
    editor::TParaList& list = editor_.Paragraphs();
    const int32_t top = editor_.TopLine();
    const int32_t visible = VisibleLines();
    QScrollBar* vertical = verticalScrollBar();
    vertical->setRange(1, std::max({list.LineCount() - visible + 1, 1, top}));
    vertical->setPageStep(visible);
    vertical->setSingleStep(1);
    vertical->setValue(top);
    const int32_t offset = editor_.HorizontalOffset();
    const int32_t columns = VisibleColumns();
    QScrollBar* horizontal = horizontalScrollBar();
    horizontal->setRange(0, std::max({widestSeen_ + 1 - columns, 0, offset}));
    horizontal->setPageStep(columns);
    horizontal->setSingleStep(1);
    horizontal->setValue(offset);
    syncingBars_ = false;
}

void EditorWidget::scrollContentsBy(int, int) {
    if (syncingBars_) return;
    // A scroll bar moved (line, page, thumb or wheel): the model's view follows it.
    const int top = verticalScrollBar()->value();
    if (top != editor_.TopLine()) editor_.SetTopLine(top);
    const int offset = horizontalScrollBar()->value();
    if (offset != editor_.HorizontalOffset()) editor_.SetHorizontalOffset(offset);
    Sync();
}

void EditorWidget::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    // Showing or hiding a scroll bar resizes the viewport again; settle once it is done.
    ScheduleSync();
}

void EditorWidget::changeEvent(QEvent* event) {
    QAbstractScrollArea::changeEvent(event);
    switch (event->type()) {
    case QEvent::FontChange:
        UpdateMetrics();
        viewport()->update();
        ScheduleSync();
        break;
    case QEvent::EnabledChange:
    case QEvent::PaletteChange: viewport()->update(); break;
    default: break;
    }
}

void EditorWidget::RestartBlink() {
    caretOn_ = true;
    const int flash = QApplication::cursorFlashTime();
    if (flash > 0) {
        blinkTimer_.start(flash / 2);
    } else {
        blinkTimer_.stop(); // blinking switched off: a steady caret
    }
}

void EditorWidget::BlinkCaret() {
    if (!hasFocus()) {
        blinkTimer_.stop();
        return;
    }
    caretOn_ = !caretOn_;
    const QRect caret = CaretRect();
    if (!caret.isEmpty()) viewport()->update(caret);
}

QRect EditorWidget::CaretRect() {
    const editor::LineCol at = editor_.CaretLineCol();
    const int32_t row = at.line - editor_.TopLine();
    if (row < 0 || row > VisibleLines()) return {};
    const std::string_view text = editor_.Paragraphs().LineText(at.line);
    const int32_t cell = CellOfOffset(text, at.col - 1, editor_.TabSize());
    const int x = editor_.LeftMargin() + (cell - editor_.HorizontalOffset()) * charWidth_;
    if (x < editor_.LeftMargin() || x > viewport()->width()) return {};
    // Wide enough for a block over a wide character or a tab.
    return {x, row * lineHeight_, charWidth_ * std::max(editor_.TabSize(), 2), lineHeight_};
}

bool EditorWidget::SelectionVisible() const {
    return !(hideSelection_ && !hasFocus());
}

} // namespace mvf::viewer
