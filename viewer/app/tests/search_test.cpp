// Find, find next, replace and go to line through the dialogs.
#include <QCheckBox>
#include <QPushButton>

#include "form_fixture.h"
#include "viewer/app/find_dialogs.h"

namespace mvf::viewer {
namespace {

using testing::FormFixture;

class SearchTest : public FormFixture {
protected:
    void Open(const std::string& text) {
        ASSERT_TRUE(form->LoadAFile(folder.File("doc.txt", text)));
    }
    editor::TOvcTextFileEditor& Ed() { return Active()->ActiveEditor().Editor(); }
    std::string Selected() { return Ed().SelectedText(); }
    editor::ParaPos Caret() { return Ed().Caret(); }
    QStringList BoxTexts() const {
        QStringList texts;
        for (const auto& shown : boxes.Boxes()) texts << shown.box.text;
        return texts;
    }
};

TEST_F(SearchTest, FindSelectsTheNextMatchAndFindNextKeepsTheDirection) {
    Open("one Two two\ntwo (two) twofold\n");
    FindDialog* find = form->FindDialog1();
    form->Find1Click();
    EXPECT_TRUE(find->isVisible());
    EXPECT_EQ(find->pos(), QPoint(150, 150));
    find->SetFindText("two");
    find->FindNextButton()->click();
    EXPECT_FALSE(find->isVisible()) << "the find dialog closes on Find Next";
    EXPECT_EQ(Selected(), "Two") << "without match case";
    EXPECT_EQ(Caret(), (editor::ParaPos{1, 8}));

    form->FindNext1Click();
    EXPECT_EQ(Caret(), (editor::ParaPos{1, 12}));
    form->FindNext1Click();
    EXPECT_EQ(Caret(), (editor::ParaPos{2, 4}));

    // Upward, with match case and whole words: "(two)" counts, "twofold" never does.
    find->SetUp(true);
    find->SetMatchCase(true);
    find->SetWholeWord(true);
    Ed().SetCaret({2, 18});
    find->FindNextButton()->click();
    EXPECT_EQ(Caret(), (editor::ParaPos{2, 6})) << "caret at the start going up";
    form->FindNext1Click();
    EXPECT_EQ(Caret(), (editor::ParaPos{2, 1}));
    form->FindNext1Click();
    EXPECT_EQ(Caret(), (editor::ParaPos{1, 9}));
    form->FindNext1Click();
    EXPECT_EQ(BoxTexts(), QStringList{"Search string 'two' not found"});
    EXPECT_EQ(boxes.Boxes()[0].box.icon, platform::BoxIcon::Information);

    find->SetFindText("absent");
    find->FindNextButton()->click();
    EXPECT_EQ(BoxTexts().back(), "Search string 'absent' not found");
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

TEST_F(SearchTest, ReplaceReplacesTheSelectedMatchAndReplaceAllFromTheCaretOn) {
    Open("cat dog cat\ncat bird\nconcat cat\n");
    ReplaceDialog* replace = form->ReplaceDialog1();
    form->Replace1Click();
    EXPECT_TRUE(replace->isVisible());
    EXPECT_EQ(replace->pos(), QPoint(150, 150));
    replace->SetFindText("cat");
    replace->SetReplaceText("cow");

    // Find Next from the replace dialog: forward; its text becomes the find text.
    replace->FindNextButton()->click();
    EXPECT_TRUE(replace->isVisible()) << "the replace dialog stays up";
    EXPECT_EQ(Selected(), "cat");
    EXPECT_EQ(form->FindDialog1()->FindText(), "cat");
    EXPECT_TRUE(form->Action("FindNext1")->isEnabled());

    // Replace: the selected match is replaced and the next one selected.
    replace->ReplaceButton()->click();
    EXPECT_EQ(Text(*Active()), "cow dog cat\ncat bird\nconcat cat\n");
    EXPECT_EQ(Caret(), (editor::ParaPos{1, 12}));
    EXPECT_EQ(Selected(), "cat");

    // Whole words ticked while the dialog is up count for Replace All, which works from
    // the caret to the end: "concat" stays.
    Ed().SetCaret({2, 1});
    replace->SetWholeWord(true);
    replace->ReplaceAllButton()->click();
    EXPECT_EQ(Text(*Active()), "cow dog cat\ncow bird\nconcat cow\n");
    EXPECT_TRUE(boxes.Boxes().empty());

    // Nothing left to replace after the caret: the not-found box.
    Ed().SetCaret({3, 1});
    replace->ReplaceAllButton()->click();
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].box.text, "Search string 'cat' not found");

    // Match case ticked: "Cow" is not "cow".
    Ed().SetCaret({1, 1});
    replace->SetFindText("COW");
    replace->SetMatchCase(true);
    replace->ReplaceAllButton()->click();
    EXPECT_EQ(Text(*Active()), "cow dog cat\ncow bird\nconcat cow\n");
    EXPECT_EQ(boxes.Boxes().size(), 2u);

    // Undo takes a replacement back.
    form->Undo1Click();
    EXPECT_EQ(Ed().Paragraphs().ParaText(3), "concat cat");
}

TEST_F(SearchTest, GoToLineMovesTheCaretAndIgnoresWhatIsNoLineOfTheText) {
    Open("1\n2\n3\n4\n5\n");
    dialogs.AnswerInput("4");
    form->GoToLine1Click();
    ASSERT_EQ(dialogs.Requests().size(), 1u);
    EXPECT_EQ(dialogs.Requests()[0].title, "Go to Line Number");
    EXPECT_EQ(dialogs.Requests()[0].prompt, "Enter Line Number (1 to 6)");
    EXPECT_EQ(dialogs.Requests()[0].initial, "1");
    EXPECT_EQ(Caret(), (editor::ParaPos{4, 1}));
    EXPECT_EQ(Panel(2), "4:1");
    for (const char* ignored : {"0", "7", "x", "2.5", ""}) {
        dialogs.AnswerInput(QString(ignored));
        form->GoToLine1Click();
        EXPECT_EQ(Caret(), (editor::ParaPos{4, 1})) << ignored;
    }
    dialogs.AnswerInput(std::nullopt); // Cancel
    form->GoToLine1Click();
    EXPECT_EQ(Caret(), (editor::ParaPos{4, 1}));
    dialogs.AnswerInput(" 6 ");
    form->GoToLine1Click();
    EXPECT_EQ(Caret(), (editor::ParaPos{6, 1}));
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(dialogs.AllAsExpected()) << dialogs.Describe();
}

} // namespace
} // namespace mvf::viewer
