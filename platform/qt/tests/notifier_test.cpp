// The notifier: the scripted one tests rely on, and the Qt one the programs show.
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

#include "platform/qt/notifier.h"
#include "platform/qt/qt_notifier.h"
#include "platform/qt/scripted_notifier.h"

namespace mvf::platform {
namespace {

using Outcome = ScriptedNotifier::Outcome;

MessageBox Box(BoxButtons buttons, QString text = "text") {
    MessageBox box;
    box.caption = "Caption";
    box.text = std::move(text);
    box.buttons = buttons;
    return box;
}

TEST(ScriptedNotifierTest, RecordsEveryFieldAndAnswersInOrder) {
    ScriptedNotifier notifier;
    notifier.Expect(BoxAnswer::No);
    notifier.Expect(BoxAnswer::Ok);
    QWidget parent;
    MessageBox question;
    question.caption = "Error";
    question.text = "Vantor File Finder is doing a search!\rDo you want to cancel this search?";
    question.icon = BoxIcon::Warning;
    question.buttons = BoxButtons::YesNo;
    question.defaultButton = BoxAnswer::No;
    question.systemModal = true;
    question.parent = &parent;

    EXPECT_EQ(BoxAnswer::No, notifier.Show(question));
    EXPECT_EQ(BoxAnswer::Ok, notifier.Show(Box(BoxButtons::OkCancel)));

    const auto boxes = notifier.Boxes();
    ASSERT_EQ(2u, boxes.size());
    const MessageBox& seen = boxes[0].box;
    EXPECT_EQ(question.caption, seen.caption);
    EXPECT_EQ(question.text, seen.text); // the "\r" kept as given
    EXPECT_EQ(BoxIcon::Warning, seen.icon);
    EXPECT_EQ(BoxButtons::YesNo, seen.buttons);
    EXPECT_EQ(BoxAnswer::No, seen.defaultButton);
    EXPECT_TRUE(seen.systemModal);
    EXPECT_EQ(&parent, seen.parent);
    EXPECT_EQ(Outcome::Scripted, boxes[0].outcome);
    EXPECT_EQ(std::this_thread::get_id(), boxes[0].thread);
    EXPECT_EQ(BoxButtons::OkCancel, boxes[1].box.buttons);
    EXPECT_TRUE(notifier.AllAsExpected()) << notifier.Describe();
}

TEST(ScriptedNotifierTest, AnUnscriptedBoxGetsTheDismissAnswerAndIsFlagged) {
    const std::pair<BoxButtons, BoxAnswer> cases[] = {
        {BoxButtons::Ok, BoxAnswer::Ok},
        {BoxButtons::OkCancel, BoxAnswer::Cancel},
        {BoxButtons::YesNo, BoxAnswer::No},
        {BoxButtons::YesNoCancel, BoxAnswer::Cancel},
    };
    for (const auto& [buttons, expected] : cases) {
        ScriptedNotifier notifier;
        EXPECT_EQ(expected, notifier.Show(Box(buttons)));
        ASSERT_EQ(1u, notifier.Boxes().size());
        EXPECT_EQ(Outcome::Unscripted, notifier.Boxes()[0].outcome);
        EXPECT_FALSE(notifier.AllAsExpected());
        EXPECT_NE(std::string::npos, notifier.Describe().find("UNSCRIPTED"));
    }
}

TEST(ScriptedNotifierTest, MistakesOfTheScriptAreFlagged) {
    ScriptedNotifier wrongAnswer;
    wrongAnswer.Expect(BoxAnswer::Yes);
    EXPECT_EQ(BoxAnswer::Ok, wrongAnswer.Show(Box(BoxButtons::Ok)));
    EXPECT_EQ(Outcome::AnswerNotOffered, wrongAnswer.Boxes()[0].outcome);
    EXPECT_FALSE(wrongAnswer.AllAsExpected());

    ScriptedNotifier leftOver;
    leftOver.Expect(BoxAnswer::Ok);
    leftOver.Expect(BoxAnswer::Yes);
    leftOver.Show(Box(BoxButtons::Ok));
    EXPECT_EQ(1u, leftOver.PendingAnswers());
    EXPECT_FALSE(leftOver.AllAsExpected());
}

TEST(ScriptedNotifierTest, TheHookSeesTheBoxBeforeItIsAnswered) {
    ScriptedNotifier notifier;
    std::size_t recordedBefore = 99;
    notifier.OnShow([&](const MessageBox& box) {
        EXPECT_EQ("hooked", box.text);
        recordedBefore = notifier.Boxes().size();
    });
    notifier.Show(Box(BoxButtons::Ok, "hooked"));
    EXPECT_EQ(0u, recordedBefore);
}

TEST(NotifierRulesTest, TheDefaultButtonIsTheChosenOneWhenOfferedElseTheFirst) {
    MessageBox box = Box(BoxButtons::YesNoCancel);
    EXPECT_EQ(BoxAnswer::Yes, EffectiveDefault(box));
    box.defaultButton = BoxAnswer::Cancel;
    EXPECT_EQ(BoxAnswer::Cancel, EffectiveDefault(box));
    box.buttons = BoxButtons::OkCancel;
    EXPECT_EQ(BoxAnswer::Cancel, EffectiveDefault(box));
    box.defaultButton = BoxAnswer::No; // not on an OK/Cancel box
    EXPECT_EQ(BoxAnswer::Ok, EffectiveDefault(box));
}

TEST(QtNotifierTest, LineBreaksOfTheSystemsTextsBecomeLineBreaksForDisplay) {
    const QString running =
        "Morvel Vantor Finder is already running!\n\r\n\rPlease check the system tray for our "
        "icon.\n\r\n\rIf there is no icon then the machine with Morvel Vantor Finder on it "
        "will\n\rneed to be restarted in order to clear the user lock.";
    EXPECT_EQ("Morvel Vantor Finder is already running!\n\nPlease check the system tray for our "
              "icon.\n\nIf there is no icon then the machine with Morvel Vantor Finder on it "
              "will\nneed to be restarted in order to clear the user lock.",
              DisplayText(running));
    EXPECT_EQ("a\nb", DisplayText("a\rb"));
    EXPECT_EQ("a\nb", DisplayText("a\r\nb"));
    EXPECT_EQ("a\n\nb", DisplayText("a\r\rb"));
    EXPECT_EQ("a\n\nb", DisplayText("a\n\n\rb")); // "\n" then the pair "\n\r"
    EXPECT_EQ("end\n", DisplayText("end\r"));
}

TEST(QtNotifierTest, TheBuiltBoxCarriesEveryField) {
    MessageBox box = Box(BoxButtons::YesNoCancel, "<b>not markup</b>\rsecond line");
    box.icon = BoxIcon::Error;
    box.defaultButton = BoxAnswer::No;
    box.systemModal = true;
    const auto shown = BuildMessageBox(box);
    EXPECT_EQ("Caption", shown->windowTitle());
    EXPECT_EQ("<b>not markup</b>\nsecond line", shown->text());
    EXPECT_EQ(Qt::PlainText, shown->textFormat());
    EXPECT_EQ(QMessageBox::Critical, shown->icon());
    EXPECT_EQ(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, shown->standardButtons());
    EXPECT_EQ(shown->button(QMessageBox::No), shown->defaultButton());
    EXPECT_EQ(shown->button(QMessageBox::Cancel), shown->escapeButton());
    EXPECT_TRUE(shown->windowFlags() & Qt::WindowStaysOnTopHint);

    const std::pair<BoxIcon, QMessageBox::Icon> icons[] = {
        {BoxIcon::None, QMessageBox::NoIcon},
        {BoxIcon::Information, QMessageBox::Information},
        {BoxIcon::Warning, QMessageBox::Warning},
        {BoxIcon::Question, QMessageBox::Question},
    };
    for (const auto& [icon, expected] : icons) {
        MessageBox plain = Box(BoxButtons::Ok);
        plain.icon = icon;
        const auto built = BuildMessageBox(plain);
        EXPECT_EQ(expected, built->icon());
        EXPECT_EQ(QMessageBox::Ok, built->standardButtons());
        EXPECT_EQ(built->button(QMessageBox::Ok), built->escapeButton());
        EXPECT_FALSE(built->windowFlags() & Qt::WindowStaysOnTopHint);
    }
}

// Runs `act` on the box once the notifier has opened it.
void WhenTheBoxIsOpen(std::function<void(QMessageBox*)> act) {
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, act] {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            auto* box = qobject_cast<QMessageBox*>(widget);
            if (box && box->isVisible()) {
                poll->stop();
                poll->deleteLater();
                act(box);
                return;
            }
        }
    });
    poll->start(5);
}

void PressKey(QMessageBox* box, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(box, &press);
}

TEST(QtNotifierTest, ShowReturnsTheButtonTheUserChose) {
    QtNotifier notifier;
    WhenTheBoxIsOpen([](QMessageBox* box) { box->button(QMessageBox::No)->click(); });
    EXPECT_EQ(BoxAnswer::No, notifier.Show(Box(BoxButtons::YesNoCancel)));

    WhenTheBoxIsOpen([](QMessageBox* box) { box->button(QMessageBox::Cancel)->click(); });
    EXPECT_EQ(BoxAnswer::Cancel, notifier.Show(Box(BoxButtons::OkCancel)));

    MessageBox withDefault = Box(BoxButtons::YesNo);
    withDefault.defaultButton = BoxAnswer::No;
    WhenTheBoxIsOpen([](QMessageBox* box) { PressKey(box, Qt::Key_Return); });
    EXPECT_EQ(BoxAnswer::No, notifier.Show(withDefault));

    WhenTheBoxIsOpen([](QMessageBox* box) { PressKey(box, Qt::Key_Escape); });
    EXPECT_EQ(BoxAnswer::No, notifier.Show(Box(BoxButtons::YesNo)));

    WhenTheBoxIsOpen([](QMessageBox* box) { box->close(); });
    EXPECT_EQ(BoxAnswer::Ok, notifier.Show(Box(BoxButtons::Ok)));
}

} // namespace
} // namespace mvf::platform
