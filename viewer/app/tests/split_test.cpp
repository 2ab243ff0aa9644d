// The split view: two editors on one document, the bar between them and its drag.
#include <QMouseEvent>

#include "form_fixture.h"

namespace mvf::viewer {
namespace {

using testing::FormFixture;

using SplitTest = FormFixture;

TEST_F(SplitTest, BothEditorsShowAndChangeOneDocumentAndTheStatusFollowsTheFocus) {
    ASSERT_TRUE(form->LoadAFile(folder.File("doc.txt", "alpha\nbeta\ngamma\n")));
    TMDIChild* doc = Active();
    form->Split1Click();
    ASSERT_TRUE(doc->IsSplit());
    ASSERT_NE(doc->Editor2(), nullptr);
    EditorWidget& upper = doc->Editor1();
    EditorWidget& lower = *doc->Editor2();
    const int height = doc->height();
    EXPECT_EQ(doc->UpperHeight(), height / 2);
    EXPECT_EQ(upper.geometry(), QRect(0, 0, doc->width(), height / 2));
    EXPECT_EQ(lower.geometry().top(), height / 2 + 5);
    EXPECT_EQ(lower.geometry().bottom(), height - 1);

    // Typing below changes the text above; the status bar follows the editor with the focus.
    lower.setFocus();
    QApplication::processEvents();
    if (&doc->ActiveEditor() != &lower) emit lower.focusGained(); // no focus offscreen
    testing::Key(&lower, Qt::Key_Down);
    TypeInto(lower, "B");
    EXPECT_EQ(upper.Editor().Paragraphs().ParaText(2), "Bbeta");
    EXPECT_EQ(&doc->ActiveEditor(), &lower);
    EXPECT_EQ(Panel(2), "2:2");
    EXPECT_EQ(Panel(3), "Modified");
    EXPECT_EQ(upper.Editor().Caret(), (editor::ParaPos{1, 1})) << "each keeps its own caret";

    // Undo in the upper editor undoes what was typed below.
    upper.setFocus();
    QApplication::processEvents();
    if (&doc->ActiveEditor() != &upper) emit upper.focusGained();
    EXPECT_EQ(Panel(2), "1:1");
    form->Undo1Click();
    EXPECT_EQ(lower.Editor().Paragraphs().ParaText(2), "beta");
    EXPECT_EQ(Panel(3), "");

    // Options reach both.
    form->Action("Wordwrap1")->trigger();
    EXPECT_FALSE(lower.Editor().WordWrap());
    EXPECT_FALSE(upper.Editor().WordWrap());

    // Split off: the lower editor goes, the upper one fills the window and is active.
    form->Split1Click();
    EXPECT_FALSE(doc->IsSplit());
    EXPECT_EQ(doc->Editor2(), nullptr);
    EXPECT_EQ(&doc->ActiveEditor(), &doc->Editor1());
    EXPECT_EQ(doc->Editor1().geometry(), doc->rect());
    EXPECT_FALSE(form->Action("Split1")->isChecked());
}

TEST_F(SplitTest, TheBarLandsWhereItWasDroppedAndKeepsItsProportionOnResize) {
    form->New1Click();
    TMDIChild* doc = Active();
    doc->parentWidget()->resize(600, 420);
    QApplication::processEvents();
    form->Split1Click();
    QWidget* bar = doc->findChild<QWidget*>("SplitBar");
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->height(), 5);
    EXPECT_EQ(bar->cursor().shape(), Qt::SplitVCursor);
    const int before = doc->UpperHeight();

    // Dragged 60 pixels down.
    const QPointF press(10, 2);
    QMouseEvent down(QEvent::MouseButtonPress, press, bar->mapToGlobal(press), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &down);
    const QPointF moved(10, 62);
    QMouseEvent move(QEvent::MouseMove, moved, bar->mapToGlobal(moved), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &move);
    QMouseEvent up(QEvent::MouseButtonRelease, moved, bar->mapToGlobal(moved), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &up);
    EXPECT_EQ(doc->UpperHeight(), before + 60);
    EXPECT_EQ(doc->Editor1().height(), before + 60);
    EXPECT_EQ(bar->geometry().top(), before + 60);

    // Dragged far past the bottom: the line stops 3 pixels inside the window.
    QApplication::sendEvent(bar, &down);
    const QPointF far(10, 5000);
    QMouseEvent moveFar(QEvent::MouseMove, far, bar->mapToGlobal(far), Qt::NoButton, Qt::LeftButton,
                        Qt::NoModifier);
    QApplication::sendEvent(bar, &moveFar);
    QMouseEvent upFar(QEvent::MouseButtonRelease, far, bar->mapToGlobal(far), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(bar, &upFar);
    EXPECT_LE(doc->UpperHeight(), doc->height() - 5);
    EXPECT_GE(doc->Editor2()->height(), 0);

    // A resize keeps the proportion.
    form->Split1Click();
    form->Split1Click();
    const int half = doc->UpperHeight();
    const int oldHeight = doc->height();
    doc->parentWidget()->resize(600, doc->parentWidget()->height() + oldHeight);
    QApplication::processEvents();
    EXPECT_EQ(doc->UpperHeight(), half * doc->height() / oldHeight);
    EXPECT_EQ(doc->Editor2()->geometry().bottom(), doc->height() - 1);
}

} // namespace
} // namespace mvf::viewer
