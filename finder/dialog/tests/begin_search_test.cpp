// "Begin Search": the checks in their order, each fault as a "Notice" with its field
// focused on its page, and the search handed over with every choice of the dialog.
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>

#include "date_field.h"
#include "dialog_test_support.h"
#include "mvfindgrep.h"
#include "platform/qt/engine_notices.h"

namespace mvf::dialog {
namespace {

using platform::BoxAnswer;
using platform::BoxButtons;
using platform::BoxIcon;

class BeginSearchTest : public testing::DialogTest {
protected:
    // Clicks "Begin Search" and expects one notice with `text`, the dialog still open,
    // and nothing started.
    void ExpectNotice(const QString& text, int page, const char* field) {
        const std::size_t before = notifier_.Boxes().size();
        notifier_.Expect(BoxAnswer::Ok);
        Click("Beginsearch");
        const auto boxes = notifier_.Boxes();
        ASSERT_EQ(before + 1, boxes.size()) << notifier_.Describe();
        const platform::MessageBox& box = boxes.back().box;
        EXPECT_EQ("Notice", box.caption);
        EXPECT_EQ(text, box.text);
        EXPECT_EQ(BoxIcon::None, box.icon);
        EXPECT_EQ(BoxButtons::Ok, box.buttons);
        EXPECT_EQ(dialog_.get(), box.parent);
        EXPECT_EQ(page, Page());
        EXPECT_TRUE(Focused(field)) << field;
        EXPECT_TRUE(dialog_->isVisible());
        EXPECT_TRUE(starter_.started.empty());
        EXPECT_FALSE(flags_.SearchRunning);
    }
};

constexpr int kFindWhat = 0;
constexpr int kLookWhere = 1;

TEST_F(BeginSearchTest, EachFaultIsANoticeWithItsFieldFocusedOnItsPage) {
    Show();
    EnterSoundSearch();
    Find<QTabWidget>("OvcNotebook1")->setCurrentIndex(3);

    Type("Directory", "");
    ExpectNotice("You must provide a drive or directory to search!", kLookWhere, "Directory");
    // Two commas and a space: one word, the space, which trims to nothing.
    Type("Directory", ",, ");
    ExpectNotice("Could not find directory: ", kLookWhere, "Directory");
    // Each folder in turn; the missing one named as typed (paths keep their case).
    Type("Directory", tree_.Root() + ", " + tree_.Root() + "/Missing");
    Find<QTabWidget>("OvcNotebook1")->setCurrentIndex(kFindWhat);
    ExpectNotice(QString::fromStdString("Could not find directory: " + tree_.Root() + "/Missing"),
                 kLookWhere, "Directory");

    Type("Directory", tree_.Root());
    Type("Filemask", "");
    ExpectNotice("You must provide a file mask. For Instance: *.*", kFindWhat, "Filemask");

    Type("Filemask", "*.txt");
    Type("FindBox", "a| |b");
    Find<QTabWidget>("OvcNotebook1")->setCurrentIndex(kLookWhere);
    ExpectNotice("Search Key can't be empty", kFindWhat, "FindBox");
    EXPECT_TRUE(notifier_.AllAsExpected()) << notifier_.Describe();
}

TEST_F(BeginSearchTest, AnInvalidExpressionShowsTheEnginesBoxFirst) {
    LibMain(nullptr, 0, 0, nullptr); // the engine's captions, as the program loads them
    const platform::EngineNoticeRoute route(notifier_);
    Show();
    EnterSoundSearch();
    Type("FindBox", "ab\\(cd");
    notifier_.Expect(BoxAnswer::Ok);
    notifier_.Expect(BoxAnswer::Ok);
    Click("Beginsearch");
    const auto boxes = notifier_.Boxes();
    ASSERT_EQ(2u, boxes.size()) << notifier_.Describe();
    EXPECT_EQ("Regular Expression Error", boxes[0].box.caption) << notifier_.Describe();
    EXPECT_EQ(BoxIcon::Warning, boxes[0].box.icon);
    EXPECT_EQ("Notice", boxes[1].box.caption);
    EXPECT_EQ("Invalid regular expression", boxes[1].box.text);
    EXPECT_TRUE(notifier_.AllAsExpected()) << notifier_.Describe();
    EXPECT_EQ(kFindWhat, Page());
    EXPECT_TRUE(Focused("FindBox"));
    EXPECT_TRUE(starter_.started.empty());
    // A refused text is remembered all the same.
    EXPECT_EQ("ab\\(cd", Box("FindBox")->itemText(0));
}

TEST_F(BeginSearchTest, SoundEntriesAreHandedOverWithEveryChoiceAndTheDialogCloses) {
    Show();
    flags_.StopRequested = true;
    flags_.SearchCancelled = true;
    flags_.ResultsPending = true;
    Type("Directory", tree_.Root() + "," + tree_.Root());
    Type("Filemask", "   ");     // spaces pass the mask check
    Type("FindBox", "one||two"); // the empty run is skipped
    Click("BoolOR");
    Click("MatchCase");
    Find<QCheckBox>("SubDirCheck")->setChecked(true);
    Click("SearchBG");
    Find<QCheckBox>("Bark")->setChecked(false);
    Click("dontwarn");
    Click("BetSizes");
    Find<QLineEdit>("BetLow")->setText("5");
    Find<QLineEdit>("BetHigh")->setText("2");
    Click("DBefore");
    Find<DateEdit>("DSooner")->setDate(QDate(2001, 2, 3));
    Box("DType")->setCurrentText("Created");

    Click("Beginsearch");
    EXPECT_TRUE(notifier_.Boxes().empty()) << notifier_.Describe();
    ASSERT_EQ(1u, starter_.started.size());
    const search::SearchCriteria& c = starter_.started[0];
    EXPECT_EQ(tree_.Root() + "," + tree_.Root(), c.DirectoryText);
    EXPECT_EQ((std::vector<std::string>{tree_.Root(), tree_.Root()}), c.Directories);
    EXPECT_EQ("   ", c.FileMaskText);
    EXPECT_EQ((std::vector<std::string>{""}), c.Masks);
    EXPECT_EQ("one||two", c.FindText);
    EXPECT_EQ((std::vector<std::string>{"one", "two"}), c.Expressions);
    EXPECT_TRUE(c.BoolOR);
    EXPECT_FALSE(c.BoolAND);
    EXPECT_TRUE(c.MatchCase);
    EXPECT_TRUE(c.SearchSubfolders);
    EXPECT_TRUE(c.Background);
    EXPECT_FALSE(c.Bark);
    EXPECT_TRUE(c.SkipBinaries);
    EXPECT_EQ(search::ErrorHandlingMode::DontWarn, c.ErrorHandling);
    EXPECT_EQ(search::SizeFilterKind::BetSizes, c.SizeFilter);
    EXPECT_EQ("5", c.BetLow);
    EXPECT_EQ("2", c.BetHigh);
    EXPECT_EQ(search::DateFilterKind::DBefore, c.DateFilter);
    EXPECT_EQ("02/03/2001", c.DSooner);
    EXPECT_EQ("Created", c.DType);

    EXPECT_FALSE(dialog_->isVisible());
    EXPECT_EQ(QDialog::Accepted, dialog_->result());
    EXPECT_TRUE(flags_.SearchRunning);
    EXPECT_FALSE(flags_.StopRequested);
    EXPECT_FALSE(flags_.SearchCancelled);
    EXPECT_FALSE(flags_.ResultsPending);
}

TEST_F(BeginSearchTest, AllDatesWinsWhateverTheOtherDateChoiceShows) {
    Show();
    EnterSoundSearch();
    Click("DAfter");
    Click("AllDates");
    Click("Beginsearch");
    ASSERT_EQ(1u, starter_.started.size());
    EXPECT_EQ(search::DateFilterKind::AllDates, starter_.started[0].DateFilter);

    // "Find Files:" again: the "After" choice is still there and applies.
    Show();
    Click("TheseDates");
    Click("Beginsearch");
    ASSERT_EQ(2u, starter_.started.size());
    EXPECT_EQ(search::DateFilterKind::DAfter, starter_.started[1].DateFilter);
}

} // namespace
} // namespace mvf::dialog
