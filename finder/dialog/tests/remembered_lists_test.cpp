// The three remembered lists through "Begin Search", and what the dialog keeps across a
// run: its values and lists are saved only when it was shown.
#include <QCheckBox>

#include "dialog_test_support.h"
#include "platform/qt/settings_store.h"

namespace mvf::dialog {
namespace {

std::vector<std::string> Items(QComboBox* box) {
    std::vector<std::string> items;
    for (int i = 0; i < box->count(); ++i) items.push_back(box->itemText(i).toStdString());
    return items;
}

class RememberedListsTest : public testing::DialogTest {};

TEST_F(RememberedListsTest, NewestFirstAtMost51AndAKnownTextKeepsItsPlace) {
    Show();
    EnterSoundSearch();
    for (int i = 0; i < 52; ++i) {
        Type("FindBox", "text" + std::to_string(i));
        Click("Beginsearch");
    }
    ASSERT_EQ(52u, starter_.started.size());
    std::vector<std::string> expected;
    for (int i = 51; i >= 1; --i) expected.push_back("text" + std::to_string(i));
    EXPECT_EQ(expected, dialog_->Lists().FindTexts);
    EXPECT_EQ(expected, Items(Box("FindBox")));
    EXPECT_EQ("text51", Box("FindBox")->currentText()) << "the box keeps its text";

    // An older text does not move; the list stays at 51 (its last entry is dropped first).
    Type("FindBox", "text10");
    Click("Beginsearch");
    EXPECT_EQ(50u, dialog_->Lists().FindTexts.size());
    EXPECT_EQ("text51", dialog_->Lists().FindTexts.front());
    EXPECT_EQ("text10", dialog_->Lists().FindTexts[41]);

    // The same mask and folder every time: remembered once, exactly (case counts).
    EXPECT_EQ((std::vector<std::string>{"*.txt"}), dialog_->Lists().Masks);
    EXPECT_EQ((std::vector<std::string>{tree_.Root()}), dialog_->Lists().Folders);
    Type("Filemask", "*.TXT");
    Click("Beginsearch");
    EXPECT_EQ((std::vector<std::string>{"*.TXT", "*.txt"}), Items(Box("Filemask")));
}

TEST_F(RememberedListsTest, ValuesAndListsAreSavedOnlyWhenTheDialogWasShown) {
    const std::string ini = tree_.Path("config/finder.ini");
    {
        // A run that shows the dialog and searches.
        platform::SettingsStore store(ini);
        settings_.Lists.FindTexts = {"older"};
        Show();
        EnterSoundSearch();
        Type("FindBox", "needle");
        Find<QCheckBox>("MatchCase")->setChecked(true);
        Click("Beginsearch");
        ASSERT_EQ(1u, starter_.started.size());
        dialog_->WriteSettings(settings_);
        ASSERT_TRUE(settings::SaveFinderSettings(store, settings_, dialog_->Shown(), notifier_));
    }
    {
        // The next run loads them and its dialog shows them.
        platform::SettingsStore store(ini);
        settings_ = {};
        settings::LoadFinderSettings(store, "/opt/MVFinder", settings_, notifier_);
        EXPECT_EQ("needle", settings_.VFindString);
        MakeDialog();
        Show();
        EXPECT_EQ("needle", Box("FindBox")->currentText());
        EXPECT_EQ((std::vector<std::string>{"needle", "older"}), Items(Box("FindBox")));
        EXPECT_EQ(tree_.Root(), Box("Directory")->currentText().toStdString());
        EXPECT_TRUE(Find<QCheckBox>("MatchCase")->isChecked());
    }
    {
        // A run that never shows the dialog writes nothing of it, even with changed values.
        platform::SettingsStore store(ini);
        settings_ = {};
        settings::LoadFinderSettings(store, "/opt/MVFinder", settings_, notifier_);
        MakeDialog();
        settings_.VFindString = "changed elsewhere";
        settings_.Lists.FindTexts.clear();
        dialog_->WriteSettings(settings_);
        EXPECT_FALSE(dialog_->Shown());
        EXPECT_EQ("changed elsewhere", settings_.VFindString) << "nothing written by the dialog";
        ASSERT_TRUE(settings::SaveFinderSettings(store, settings_, dialog_->Shown(), notifier_));
    }
    platform::SettingsStore store(ini);
    settings::FinderSettings last;
    settings::LoadFinderSettings(store, "/opt/MVFinder", last, notifier_);
    EXPECT_EQ("needle", last.VFindString);
    EXPECT_EQ((std::vector<std::string>{"needle", "older"}), last.Lists.FindTexts);
    EXPECT_TRUE(notifier_.Boxes().empty()) << notifier_.Describe();
}

TEST_F(RememberedListsTest, LaterShowingsChangeNothing) {
    settings_.VFindString = "first";
    Show();
    Type("FindBox", "typed");
    dialog_->hide();
    settings_.VFindString = "other";
    Show();
    EXPECT_EQ("typed", Box("FindBox")->currentText());
}

} // namespace
} // namespace mvf::dialog
