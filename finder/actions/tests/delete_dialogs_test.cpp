// The two delete dialogs: their captions and choices, which group shows, what is chosen
// each time they open, and the prompts that run them modally.
#include "finder/actions/delete_dialogs.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <algorithm>

#include <gtest/gtest.h>

#include "testsupport/qt_print.h"

namespace mvf::actions {
namespace {

// Once the modal dialog is up: `choose` picks a choice, then OK (or Cancel) is clicked.
void AnswerModalDialog(std::function<void(QDialog&)> choose, bool ok) {
    QTimer::singleShot(0, [choose, ok] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(nullptr, dialog);
        choose(*dialog);
        auto* buttons = dialog->findChild<QDialogButtonBox*>();
        QTest::mouseClick(buttons->button(ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel),
                          Qt::LeftButton);
    });
}

TEST(TVFDelDlg, ShowsTheTrashChoicesWhenThereIsATrashAndTheOthersWhenNot) {
    TVFDelDlg dialog;
    EXPECT_EQ("Multiple File Deletions", dialog.windowTitle());
    EXPECT_EQ("&Ask to recycle or delete each file", dialog.Askall->text());
    EXPECT_EQ("Send them all to the &Recycle bin (No confirmations)", dialog.Recycleall->text());
    EXPECT_EQ("&Delete them all from disk (No confirmation - Use Caution!)",
              dialog.DeleteAll->text());
    EXPECT_EQ("&Confirm each deletion", dialog.Confirm->text());
    EXPECT_EQ("&Delete them all from disk (No confirmation - Use Caution!)", dialog.DelAll->text());

    dialog.Prepare(3, false);
    EXPECT_TRUE(dialog.Group95->isVisibleTo(&dialog));
    EXPECT_FALSE(dialog.Group351->isVisibleTo(&dialog));
    EXPECT_EQ("You have selected 3 files for deletion!", dialog.Label1->text());
    EXPECT_EQ(Qt::AlignCenter, dialog.Label1->alignment() & Qt::AlignCenter);
    const QList<QLabel*> lines = dialog.Group95->findChildren<QLabel*>();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](QLabel* line) {
        return line->text() == "How do you want to handle them?";
    }));
    EXPECT_EQ(DeleteMode::AskEach, dialog.Chosen());
    dialog.Recycleall->setChecked(true);
    EXPECT_EQ(DeleteMode::RecycleAll, dialog.Chosen());
    dialog.DeleteAll->setChecked(true);
    EXPECT_EQ(DeleteMode::DeleteAll, dialog.Chosen());

    // Shown again: Askall is chosen once more.
    dialog.Prepare(1, false);
    EXPECT_TRUE(dialog.Askall->isChecked());
    EXPECT_EQ("You have selected 1 files for deletion!", dialog.Label1->text());

    dialog.Prepare(7, true);
    EXPECT_FALSE(dialog.Group95->isVisibleTo(&dialog));
    EXPECT_TRUE(dialog.Group351->isVisibleTo(&dialog));
    EXPECT_EQ("You have selected 7 files for deletion!", dialog.Label3->text());
    EXPECT_EQ(DeleteMode::ConfirmEach, dialog.Chosen());
    dialog.DelAll->setChecked(true);
    EXPECT_EQ(DeleteMode::DeleteAll, dialog.Chosen());
    dialog.Prepare(7, true);
    EXPECT_EQ(DeleteMode::ConfirmEach, dialog.Chosen())
        << "a deletion without questions is never chosen in advance";
}

TEST(TDelFileDlg, ShowsThePathAndKeepsItsChoiceFromFileToFile) {
    TDelFileDlg dialog;
    EXPECT_EQ("File Delete Options", dialog.windowTitle());
    EXPECT_EQ("Move file to &recycle bin", dialog.RecBtn->text());
    EXPECT_EQ("&Delete file from disk", dialog.DelBtn->text());
    EXPECT_NE(QFrame::NoFrame, dialog.DName->frameShape());

    dialog.Prepare("/home/ann/a \xff.txt");
    EXPECT_EQ(QString::fromUtf8("/home/ann/a \xef\xbf\xbd.txt"), dialog.DName->text());
    EXPECT_EQ(FileDisposal::Trash, dialog.Chosen());
    dialog.DelBtn->setChecked(true);
    dialog.Prepare("/home/ann/b.txt");
    EXPECT_EQ(FileDisposal::DeleteFromDisk, dialog.Chosen()) << "the choice is kept";
    EXPECT_EQ("/home/ann/b.txt", dialog.DName->text());

    // A very long path keeps its start and its name in the line, all of it in the tip.
    const std::string longPath = "/home/ann/" + std::string(300, 'x') + "/the name.txt";
    dialog.Prepare(longPath);
    EXPECT_TRUE(dialog.DName->text().startsWith("/home/ann/"));
    EXPECT_TRUE(dialog.DName->text().endsWith("the name.txt"));
    EXPECT_LT(dialog.DName->text().size(), qsizetype(longPath.size()));
    EXPECT_EQ(QString::fromStdString(longPath), dialog.DName->toolTip());
}

TEST(QtDeletePrompts, RunTheDialogsModallyAndReadTheirChoices) {
    QtDeletePrompts prompts(nullptr);
    AnswerModalDialog(
        [](QDialog& dialog) {
            EXPECT_EQ("Multiple File Deletions", dialog.windowTitle());
            dialog.findChild<QRadioButton*>("Recycleall")->setChecked(true);
        },
        true);
    EXPECT_EQ(DeleteMode::RecycleAll, prompts.ChooseMode(2, false));

    AnswerModalDialog([](QDialog&) {}, false);
    EXPECT_EQ(std::nullopt, prompts.ChooseMode(2, false));

    // Alt and a choice's letter, then Enter at once: that choice, not the one before.
    QTimer::singleShot(0, [] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(nullptr, dialog);
        QTest::keyClick(dialog, Qt::Key_D, Qt::AltModifier);
        QTest::keyClick(dialog->focusWidget(), Qt::Key_Return);
    });
    EXPECT_EQ(DeleteMode::DeleteAll, prompts.ChooseMode(2, false));

    AnswerModalDialog(
        [](QDialog& dialog) {
            EXPECT_EQ("File Delete Options", dialog.windowTitle());
            EXPECT_EQ("/x/y.txt", dialog.findChild<QLabel*>("DName")->text());
        },
        true);
    EXPECT_EQ(FileDisposal::Trash, prompts.ChooseDisposal("/x/y.txt"));
    AnswerModalDialog([](QDialog&) {}, false);
    EXPECT_EQ(std::nullopt, prompts.ChooseDisposal("/x/z.txt"));
}

} // namespace
} // namespace mvf::actions
