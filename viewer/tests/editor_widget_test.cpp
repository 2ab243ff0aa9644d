// The widget driven by synthesized Qt events: keys, input methods, the mouse, scrolling,
// the clipboard and the signals a document window listens to.
#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalSpy>
#include <QWheelEvent>

#include "viewer/editor/editor_errors.h"
#include "viewer/qt_clipboard.h"
#include "widget_test_support.h"

namespace mvf::viewer {
namespace {

using editor::LineCol;
using editor::ParaPos;
using Widget = testing::WidgetFixture;

void SendMouse(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons buttons,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, target->mapToGlobal(at), button, buttons, modifiers);
    QApplication::sendEvent(target, &event);
}

TEST_F(Widget, TypedTextArrivesAsCharactersOfAnyLength) {
    Load({""});
    QSignalSpy changes(widget, &EditorWidget::textChanged);
    testing::Type(widget, QString::fromUtf8("ab\xC3\xA9\xE2\x82\xAC"));
    testing::Key(widget, Qt::Key_Space, Qt::NoModifier, " ");
    EXPECT_EQ(list().ParaText(1), "ab\xC3\xA9\xE2\x82\xAC ");
    EXPECT_EQ(ed().Caret(), (ParaPos{1, 9}));
    EXPECT_GE(changes.count(), 5);
    // Keys with Ctrl or Alt type nothing; Delete's DEL is no character.
    testing::Key(widget, Qt::Key_Q, Qt::AltModifier, "q");
    testing::Key(widget, Qt::Key_Delete, Qt::NoModifier, "\x7f");
    EXPECT_EQ(list().ParaText(1), "ab\xC3\xA9\xE2\x82\xAC ");
}

TEST_F(Widget, AnInputMethodsCommittedTextIsTypedAndItsPreeditIsNot) {
    Load({"x"});
    ed().SetCaret({1, 2});
    QInputMethodEvent compose(QString::fromUtf8("\xE3\x81\xAB"), {});
    QApplication::sendEvent(widget, &compose);
    EXPECT_EQ(list().ParaText(1), "x");
    QInputMethodEvent commit;
    commit.setCommitString(QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC"));
    QApplication::sendEvent(widget, &commit);
    EXPECT_EQ(list().ParaText(1), "x\xE6\x97\xA5\xE6\x9C\xAC");
    // A dead key composes the same way: its result is committed as a character.
    QInputMethodEvent dead;
    dead.setCommitString(QString::fromUtf8("\xC3\xAA"));
    QApplication::sendEvent(widget, &dead);
    EXPECT_EQ(list().ParaText(1), "x\xE6\x97\xA5\xE6\x9C\xAC\xC3\xAA");
    EXPECT_TRUE(widget->inputMethodQuery(Qt::ImEnabled).toBool());
    EXPECT_FALSE(widget->inputMethodQuery(Qt::ImCursorRectangle).toRect().isEmpty());
    ed().SetReadOnly(true);
    EXPECT_FALSE(widget->inputMethodQuery(Qt::ImEnabled).toBool());
}

TEST_F(Widget, WordStarSequencesSuppressTheSecondKeysCharacter) {
    Load({"abc def"});
    widget->Controller().LoadTables(editor::TOvcController::ViewerTables());
    widget->Controller().EntryCommands.Table("WordStar")->SetActive(true);
    ed().SetCaret({1, 5});
    testing::Key(widget, Qt::Key_Q, Qt::ControlModifier);
    testing::Key(widget, Qt::Key_S, Qt::NoModifier, "s");
    EXPECT_EQ(ed().Caret(), (ParaPos{1, 1}));
    EXPECT_EQ(list().ParaText(1), "abc def");
    testing::Key(widget, Qt::Key_Q, Qt::ControlModifier);
    testing::Key(widget, Qt::Key_D, Qt::ControlModifier);
    EXPECT_EQ(ed().Caret(), (ParaPos{1, 8}));
    testing::Key(widget, Qt::Key_Q, Qt::ControlModifier);
    testing::Key(widget, Qt::Key_X, Qt::NoModifier, "x"); // no such pair: typed
    EXPECT_EQ(list().ParaText(1), "abc defx");
    testing::Key(widget, Qt::Key_P, Qt::ControlModifier);
    testing::Key(widget, Qt::Key_S, Qt::NoModifier, "s"); // taken literally: typed
    EXPECT_EQ(list().ParaText(1), "abc defxs");
    testing::Key(widget, Qt::Key_A, Qt::ControlModifier); // word left
    EXPECT_EQ(ed().Caret(), (ParaPos{1, 5}));
    // Backspace's own character never arrives as text.
    testing::Key(widget, Qt::Key_Backspace);
    EXPECT_EQ(list().ParaText(1), "abcdefxs");
}

TEST_F(Widget, TabStaysInTheEditorWhileItWantsTabsAndEnterFollowsWantEnter) {
    auto* next = new QLineEdit(&window);
    next->setGeometry(0, 280, 100, 20);
    next->show();
    Load({"ab"});
    ed().SetCaret({1, 2});
    ed().SetWantTab(true);
    testing::Key(widget, Qt::Key_Tab);
    EXPECT_TRUE(widget->hasFocus());
    EXPECT_EQ(list().ParaText(1), "a\tb");
    ed().SetWantEnter(false);
    testing::Key(widget, Qt::Key_Return);
    EXPECT_EQ(list().ParaCount(), 2);
    ed().SetWantEnter(true);
    testing::Key(widget, Qt::Key_Return);
    EXPECT_EQ(list().ParaCount(), 3);
    // Ctrl+Tab is a table key (ccTab) and types a tab even without WantTab.
    ed().SetWantTab(false);
    testing::Key(widget, Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(list().ParaText(2), "\tb");
    testing::Key(widget, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_TRUE(next->hasFocus()); // without WantTab, Tab moves on as in any form
}

TEST_F(Widget, TheTablesKeysWinOverTheWindowsShortcutsOthersReachThem) {
    Load({"abc"});
    int copies = 0, saves = 0;
    auto* copy = new QAction(&window);
    copy->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
    QObject::connect(copy, &QAction::triggered, [&] { ++copies; });
    auto* save = new QAction(&window);
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    QObject::connect(save, &QAction::triggered, [&] { ++saves; });
    window.addAction(copy);
    window.addAction(save);
    ed().SetSelection({1, 1}, {1, 3});
    testing::Key(widget, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(copies, 0);
    EXPECT_EQ(QtEditorClipboard().Text(), "ab");
    testing::Key(widget, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    // With WordStar on, Ctrl+S is the editor's (left).
    widget->Controller().EntryCommands.Tables().emplace_back("WordStar", true,
                                                             editor::WordStarKeyTable());
    testing::Key(widget, Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(saves, 1);
    EXPECT_EQ(ed().Caret(), (ParaPos{1, 2}));
}

TEST_F(Widget, ClickDragShiftClickAndDoubleClickSelect) {
    Load({"alpha beta gamma", "second line here", "third"});
    QWidget* view = widget->viewport();
    const int cw = widget->CharWidth();
    const int lh = widget->LineHeight();
    const int left = ed().LeftMargin();
    auto at = [&](int row, int column) {
        return QPoint(left + column * cw + 1, row * lh + lh / 2);
    };
    SendMouse(view, QEvent::MouseButtonPress, at(0, 2), Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, at(1, 4), Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, at(1, 6), Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, at(1, 6), Qt::NoButton);
    EXPECT_EQ(ed().SelectedText(), "pha beta gamma\r\nsecond");
    SendMouse(view, QEvent::MouseMove, at(2, 3), Qt::NoButton); // released: no drag
    EXPECT_EQ(ed().Caret(), (ParaPos{2, 7}));
    SendMouse(view, QEvent::MouseButtonPress, at(2, 3), Qt::LeftButton, Qt::ShiftModifier);
    SendMouse(view, QEvent::MouseButtonRelease, at(2, 3), Qt::NoButton, Qt::ShiftModifier);
    EXPECT_EQ(ed().Anchor(), (ParaPos{1, 3}));
    EXPECT_EQ(ed().Caret(), (ParaPos{3, 4}));
    // A double-click selects the word and the blanks after it.
    SendMouse(view, QEvent::MouseButtonPress, at(0, 7), Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, at(0, 7), Qt::NoButton);
    SendMouse(view, QEvent::MouseButtonDblClick, at(0, 7), Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, at(0, 7), Qt::NoButton);
    EXPECT_EQ(ed().SelectedText(), "beta ");
    // In the left margin: whole lines, and a double-click the whole paragraph.
    SendMouse(view, QEvent::MouseButtonPress, QPoint(3, lh / 2), Qt::LeftButton);
    SendMouse(view, QEvent::MouseMove, QPoint(3, lh + lh / 2), Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, QPoint(3, lh + lh / 2), Qt::NoButton);
    EXPECT_EQ(ed().SelectedText(), "alpha beta gamma\r\nsecond line here\r\n");
    EXPECT_EQ(view->cursor().shape(), Qt::BitmapCursor); // the margin's own pointer
    SendMouse(view, QEvent::MouseMove, at(0, 3), Qt::NoButton);
    EXPECT_EQ(view->cursor().shape(), Qt::IBeamCursor);
    // Pressing focuses the editor.
    auto* other = new QLineEdit(&window);
    other->show();
    other->setFocus();
    SendMouse(view, QEvent::MouseButtonPress, at(2, 1), Qt::LeftButton);
    SendMouse(view, QEvent::MouseButtonRelease, at(2, 1), Qt::NoButton);
    EXPECT_TRUE(widget->hasFocus());
}

TEST_F(Widget, DraggingPastTheTopEdgeKeepsScrollingUntilReleased) {
    std::vector<std::string> lines(100, "some text");
    Load(lines);
    ed().SetTopLine(50);
    QWidget* view = widget->viewport();
    const int lh = widget->LineHeight();
    SendMouse(view, QEvent::MouseButtonPress, QPoint(40, 2 * lh + 2), Qt::LeftButton);
    ASSERT_EQ(ed().Caret().para, 52);
    SendMouse(view, QEvent::MouseMove, QPoint(40, -20), Qt::LeftButton);
    QTest::qWait(400);
    const int32_t top = ed().TopLine();
    EXPECT_LT(top, 46); // a line per tick while the pointer stays outside
    EXPECT_EQ(ed().Caret().para, top);
    EXPECT_EQ(ed().Anchor().para, 52);
    EXPECT_EQ(widget->verticalScrollBar()->value(), top);
    SendMouse(view, QEvent::MouseButtonRelease, QPoint(40, -20), Qt::NoButton);
    QTest::qWait(200);
    EXPECT_EQ(ed().TopLine(), top);
}

TEST_F(Widget, ScrollBarsFollowPagesAndTheEndAndTheViewFollowsThem) {
    std::vector<std::string> lines;
    for (int i = 0; i < 300; ++i) lines.push_back(std::string(i == 5 ? 200 : 10, 'x'));
    Load(lines);
    QScrollBar* v = widget->verticalScrollBar();
    QScrollBar* h = widget->horizontalScrollBar();
    const int visible = v->pageStep();
    ASSERT_GT(visible, 5);
    testing::Key(widget, Qt::Key_PageDown);
    EXPECT_EQ(ed().TopLine(), visible);
    EXPECT_EQ(v->value(), ed().TopLine());
    testing::Key(widget, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(ed().TopLine(), list().LineCount() - visible + 1);
    EXPECT_EQ(v->value(), ed().TopLine());
    EXPECT_EQ(v->maximum(), ed().TopLine());
    // The thumb, a page step and the wheel move the model's view.
    QSignalSpy status(widget, &EditorWidget::statusChanged);
    v->setValue(100);
    EXPECT_EQ(ed().TopLine(), 100);
    EXPECT_GT(status.count(), 0);
    v->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(ed().TopLine(), 100 + visible);
    QWheelEvent wheel(QPointF(50, 50), widget->viewport()->mapToGlobal(QPointF(50, 50)), QPoint(),
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget->viewport(), &wheel);
    EXPECT_EQ(ed().TopLine(), 100 + visible + QApplication::wheelScrollLines());
    // Sideways: End on the long line scrolls, and the bar shows it.
    ed().GotoLine(6);
    QApplication::processEvents();
    testing::Key(widget, Qt::Key_End);
    EXPECT_GT(ed().HorizontalOffset(), 0);
    EXPECT_EQ(h->value(), ed().HorizontalOffset());
    h->setValue(3);
    EXPECT_EQ(ed().HorizontalOffset(), 3);
}

TEST_F(Widget, VisibleLinesAndColumnsComeFromTheSizeAndTheFont) {
    Load({"x"});
    const QSize size = widget->viewport()->size();
    EXPECT_EQ(widget->verticalScrollBar()->pageStep(), size.height() / widget->LineHeight());
    EXPECT_EQ(widget->horizontalScrollBar()->pageStep(),
              (size.width() - ed().LeftMargin()) / widget->CharWidth());
    // The model pages by them.
    std::vector<std::string> lines(100, "y");
    Load(lines);
    testing::Key(widget, Qt::Key_PageDown);
    EXPECT_EQ(ed().CaretLineCol().line, size.height() / widget->LineHeight());
}

TEST_F(Widget, TheClipboardKeepsEveryByteBetweenEditorsAndTakesOtherProgramsText) {
    Load({"a\xFF\xC3\xA9z", "second"});
    ed().SetSelection({1, 2}, {2, 3});
    testing::Key(widget, Qt::Key_C, Qt::ControlModifier);
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QString::fromUtf8("\xEF\xBF\xBD\xC3\xA9z\r\nse")); // for others
    ed().SetCaret({2, 7});
    testing::Key(widget, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(list().ParaText(2), "second\xFF\xC3\xA9z");
    EXPECT_EQ(list().ParaText(3), "se");
    // Text another program put there arrives as UTF-8.
    QGuiApplication::clipboard()->setText(QString::fromUtf8("\xC4\x89u"));
    QtEditorClipboard clipboard;
    EXPECT_TRUE(clipboard.HasText());
    testing::Key(widget, Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(list().ParaText(3), "se\xC4\x89u");
    QGuiApplication::clipboard()->clear();
    EXPECT_FALSE(clipboard.HasText());
}

TEST_F(Widget, SignalsTellTheWindowAboutStatusTextFocusAndErrors) {
    Load({"abc"});
    QSignalSpy status(widget, &EditorWidget::statusChanged);
    QSignalSpy text(widget, &EditorWidget::textChanged);
    QSignalSpy focus(widget, &EditorWidget::focusGained);
    testing::Key(widget, Qt::Key_Right);
    EXPECT_GT(status.count(), 0);
    EXPECT_EQ(text.count(), 0);
    EXPECT_EQ(widget->Status().column, 2);
    ed().SetCaret({1, 4});
    EXPECT_EQ(widget->Status().column, 4);
    ed().SetCaret({1, 2});
    testing::Key(widget, Qt::Key_Insert);
    EXPECT_FALSE(widget->Status().insertMode);
    testing::Key(widget, Qt::Key_X, Qt::NoModifier, "x");
    EXPECT_EQ(text.count(), 1);
    EXPECT_TRUE(widget->Status().modified);
    EXPECT_EQ(widget->Status().byteCount, 5);
    auto* other = new QLineEdit(&window);
    other->show();
    other->setFocus();
    widget->setFocus();
    EXPECT_EQ(focus.count(), 1);
    list().SetParaLengthLimit(3);
    testing::Key(widget, Qt::Key_End);
    testing::Key(widget, Qt::Key_Y, Qt::NoModifier, "y");
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], editor::kErrParagraphTooLong);
    EXPECT_EQ(list().ParaText(1), "axc");
}

TEST_F(Widget, ASplitViewShowsTheSameTextWithItsOwnCaret) {
    Load({"shared text"});
    auto* lower = new EditorWidget(&window);
    lower->setGeometry(0, 150, 420, 150);
    lower->show();
    lower->ShareTextWith(*widget);
    lower->SetController(&widget->Controller());
    EXPECT_EQ(lower->Editor().Paragraphs().ParaText(1), "shared text");
    lower->setFocus();
    testing::Key(lower, Qt::Key_End);
    testing::Type(lower, "!");
    EXPECT_EQ(list().ParaText(1), "shared text!");
    EXPECT_EQ(ed().Caret(), (ParaPos{1, 1}));
}

} // namespace
} // namespace mvf::viewer
