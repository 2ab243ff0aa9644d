// Keys, input methods, the mouse and the focus, handed to the model.
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>

#include "key_translation.h"
#include "viewer/editor_widget.h"

namespace mvf::viewer {
namespace {

bool HasX11ScanCodes() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

KeyStroke Translate(const QKeyEvent& event) {
    return TranslateKey(event.key(), event.modifiers(), event.nativeScanCode(), event.text(),
                        HasX11ScanCodes());
}

} // namespace

bool EditorWidget::event(QEvent* event) {
    if (event->type() == QEvent::ShortcutOverride && WantsKey(*static_cast<QKeyEvent*>(event))) {
        // The key tables come before the window's shortcuts.
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

bool EditorWidget::WantsKey(const QKeyEvent& event) const {
    const KeyStroke stroke = Translate(event);
    const editor::TOvcCommandProcessor& keys = controller_->EntryCommands;
    if (keys.SequenceState() != editor::TOvcCommandProcessor::Idle) return true;
    const int command = keys.Peek(stroke.key, stroke.shift);
    if (command != editor::ccNoCmd && command != editor::ccSeqBroken) return true;
    if (stroke.key == editor::vkTab && editor_.WantTab()) return true;
    if (stroke.key == editor::vkReturn && editor_.WantEnter()) return true;
    return !stroke.typed.isEmpty();
}

bool EditorWidget::focusNextPrevChild(bool next) {
    // Tab is the editor's own key while it wants tabs; focus does not move on it.
    if (editor_.WantTab()) return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

void EditorWidget::keyPressEvent(QKeyEvent* event) {
    const KeyStroke stroke = Translate(*event);
    caretOn_ = true;
    // A key-down, then the characters it types, as the model expects them.
    editor_.KeyDown(stroke.key, stroke.shift);
    if (!stroke.typed.isEmpty()) TypeText(stroke.typed, true);
    event->accept();
    Sync();
}

void EditorWidget::TypeText(const QString& text, bool asKeyPress) {
    for (const char32_t code : text.toUcs4()) {
        const QByteArray utf8 = QString::fromUcs4(&code, 1).toUtf8();
        const std::string_view character(utf8.constData(), static_cast<size_t>(utf8.size()));
        if (asKeyPress) {
            editor_.KeyPress(character);
        } else {
            editor_.ProcessChar(character);
        }
    }
}

void EditorWidget::inputMethodEvent(QInputMethodEvent* event) {
    // Composed text (an input method, a dead key) arrives as typed characters; it was
    // not keyed here, so no key-down's suppression applies to it.
    if (!event->commitString().isEmpty()) TypeText(event->commitString(), false);
    if (preedit_ != event->preeditString()) {
        preedit_ = event->preeditString();
        viewport()->update();
    }
    event->accept();
    Sync();
}

QVariant EditorWidget::inputMethodQuery(Qt::InputMethodQuery query) const {
    auto* self = const_cast<EditorWidget*>(this);
    switch (query) {
    case Qt::ImEnabled: return !editor_.ReadOnly();
    case Qt::ImCursorRectangle: {
        QRect caret = self->CaretRect();
        if (caret.isEmpty()) return QRect();
        caret.setWidth(1);
        return caret.translated(viewport()->pos());
    }
    case Qt::ImFont: return font();
    case Qt::ImHints: return static_cast<int>(Qt::ImhMultiLine | Qt::ImhNoPredictiveText);
    default: return QAbstractScrollArea::inputMethodQuery(query);
    }
}

int32_t EditorWidget::RowAt(int y) const {
    // Rows above the text are negative; the model only asks whether it is above or below.
    return y >= 0 ? y / lineHeight_ : -1 - (-y - 1) / lineHeight_;
}

bool EditorWidget::OutsideText(QPoint at) const {
    return at.y() < 0 || at.y() >= VisibleLines() * lineHeight_ || at.x() >= viewport()->width();
}

void EditorWidget::UpdateMouseCursor(QPoint at) {
    if (at.x() < editor_.LeftMargin()) {
        viewport()->setCursor(marginCursor_);
    } else {
        viewport()->setCursor(Qt::IBeamCursor);
    }
}

void EditorWidget::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    setFocus(Qt::MouseFocusReason);
    leftButtonDown_ = true;
    dragPoint_ = event->position().toPoint();
    caretOn_ = true;
    editor_.MouseDown(RowAt(dragPoint_.y()), dragPoint_.x(), charWidth_,
                      event->modifiers() & Qt::ShiftModifier);
    Sync();
}

void EditorWidget::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    UpdateMouseCursor(at);
    if (!leftButtonDown_ || !(event->buttons() & Qt::LeftButton)) return;
    dragPoint_ = at;
    editor_.MouseMove(RowAt(at.y()), at.x(), charWidth_);
    // Past an edge the drag goes on by itself, one line per tick, until the pointer
    // comes back or the button is let go.
    if (OutsideText(at)) {
        if (!autoScrollTimer_.isActive()) autoScrollTimer_.start();
    } else {
        autoScrollTimer_.stop();
    }
    Sync();
}

void EditorWidget::AutoScroll() {
    if (!leftButtonDown_ || !OutsideText(dragPoint_)) {
        autoScrollTimer_.stop();
        return;
    }
    editor_.MouseMove(RowAt(dragPoint_.y()), dragPoint_.x(), charWidth_);
    Sync();
}

void EditorWidget::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    leftButtonDown_ = false;
    autoScrollTimer_.stop();
    editor_.MouseUp();
    Sync();
}

void EditorWidget::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const QPoint at = event->position().toPoint();
    leftButtonDown_ = false;
    editor_.MouseUp();
    editor_.DoubleClick(RowAt(at.y()), at.x(), charWidth_, event->modifiers() & Qt::ShiftModifier);
    Sync();
}

void EditorWidget::focusInEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusInEvent(event);
    RestartBlink();
    viewport()->update();
    emit focusGained();
}

void EditorWidget::focusOutEvent(QFocusEvent* event) {
    QAbstractScrollArea::focusOutEvent(event);
    blinkTimer_.stop();
    leftButtonDown_ = false;
    autoScrollTimer_.stop();
    viewport()->update();
}

} // namespace mvf::viewer
