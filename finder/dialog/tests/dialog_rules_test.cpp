// The dialog's enabling rules, spinners, date fields with their calendar, the folder list
// buttons and the help of each page, on the real widgets (offscreen).
#include <QCheckBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTextBrowser>
#include <QToolButton>
#include <QTreeView>

#include "arrow_spinner.h"
#include "calendar_popup.h"
#include "date_field.h"
#include "dialog_test_support.h"

namespace mvf::dialog {
namespace {

class DialogRulesTest : public testing::DialogTest {
protected:
    bool Enabled(const char* name) const { return Find(name)->isEnabled(); }
    void Step(const char* spinner, Qt::ArrowType arrow) {
        Find<ArrowSpinner>(spinner)->Button(arrow)->click();
    }
    QString Text(const char* edit) const { return Find<QLineEdit>(edit)->text(); }
};

TEST_F(DialogRulesTest, EveryControlHasItsCaptionAndDefault) {
    EXPECT_EQ("Morvel Vantor Finder 2.1", dialog_->windowTitle());
    EXPECT_GE(dialog_->minimumWidth(), TVantorFinder::kClientWidth);
    EXPECT_GE(dialog_->minimumHeight(), TVantorFinder::kClientHeight);
    auto* tabs = Find<QTabWidget>("OvcNotebook1");
    const QStringList pages = {"Find &What", "&Look Where", "&How to Search", "&Results Handling"};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(pages[i], tabs->tabText(i));
    auto* inner = Find<QTabWidget>("OvcNotebook2");
    EXPECT_EQ("&Size Filters", inner->tabText(0));
    EXPECT_EQ("&Date Filters", inner->tabText(1));
    const std::pair<const char*, const char*> captions[] = {
        {"BoolAND", "Boolean &AND (Must match all)"},
        {"BoolOR", "Boolean &OR (Match any)"},
        {"MatchCase", "&Match case"},
        {"SpecCharBtn", "&Insert special character"},
        {"AllSizes", "All Sizes"},
        {"BetSizes", "Between"},
        {"Smallsize", "Smaller than"},
        {"LargeSize", "Larger than"},
        {"AllDates", "All Dates"},
        {"TheseDates", "Find Files:"},
        {"DBetDates", "Between"},
        {"DBefore", "Before"},
        {"DAfter", "After"},
        {"SubDirCheck", "&Search subdirectories"},
        {"Button1", "&Add to drive/directory list"},
        {"Button2", "C&lear drive/directory list"},
        {"SearchBG", "Search in back&ground thread"},
        {"SkipBin", "&Skip binary files"},
        {"Bark", "&Bark when finished searching"},
        {"Suppress", "Suppress file &open errors (but log them)"},
        {"Warn", "&Warn about file open errors when done (and log them)"},
        {"dontwarn", "&Don't warn about or log file open errors"},
        {"ShowResults", "&Show results list window when finished"},
        {"Openfiles", "&Open up to"},
        {"Beginsearch", "Begin Search"},
        {"CloseBtn", "&Close"},
        {"HelpBtn", "Help"},
    };
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(caption, Find<QAbstractButton>(name)->text()) << name;
    EXPECT_EQ("files with hits", Find<QLabel>("Label4")->text());
    EXPECT_EQ(255, Box("FindBox")->lineEdit()->maxLength());
    EXPECT_EQ((QStringList{"Created", "Modified"}),
              (QStringList{Box("DType")->itemText(0), Box("DType")->itemText(1)}));

    // The defaults of a first run.
    Show();
    EXPECT_TRUE(Find<QRadioButton>("AllSizes")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("AllDates")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("DBetDates")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("SkipBin")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>("Bark")->isChecked());
    EXPECT_TRUE(Find<QRadioButton>("Warn")->isChecked());
    EXPECT_EQ("Modified", Box("DType")->currentText());
    EXPECT_EQ(20, Find<QSpinBox>("OpenFirst")->value());
    for (const char* box : {"BetLow", "BetHigh", "Smaller", "Larger"}) EXPECT_EQ("0", Text(box));
    EXPECT_EQ(QDate::currentDate(), Find<DateEdit>("DLater")->date());
    EXPECT_TRUE(dialog_->WarnChosen());
}

TEST_F(DialogRulesTest, BooleanAndAndOrExcludeEachOtherAndMayBothBeOff) {
    Show();
    Click("BoolAND");
    EXPECT_TRUE(Find<QCheckBox>("BoolAND")->isChecked());
    Click("BoolOR");
    EXPECT_TRUE(Find<QCheckBox>("BoolOR")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("BoolAND")->isChecked());
    Click("BoolAND");
    EXPECT_FALSE(Find<QCheckBox>("BoolOR")->isChecked());
    Click("BoolAND");
    EXPECT_FALSE(Find<QCheckBox>("BoolAND")->isChecked());
    EXPECT_FALSE(Find<QCheckBox>("BoolOR")->isChecked());
}

TEST_F(DialogRulesTest, SizeChoicesEnableTheirBoxesAndFocusTheFirst) {
    settings_.VFBetLow = "12";
    settings_.VFSmaller = "7";
    Show();
    // The first showing restores the values but leaves every box disabled.
    EXPECT_EQ("12", Text("BetLow"));
    EXPECT_EQ("7", Text("Smaller"));
    for (const char* box : {"BetLow", "BetHigh", "Smaller", "Larger"}) EXPECT_FALSE(Enabled(box));
    EXPECT_FALSE(Enabled("UpDown1"));

    Click("BetSizes");
    EXPECT_TRUE(Enabled("BetLow"));
    EXPECT_TRUE(Enabled("BetHigh"));
    EXPECT_TRUE(Enabled("UpDown1"));
    EXPECT_FALSE(Enabled("Smaller"));
    EXPECT_FALSE(Enabled("Larger"));
    EXPECT_TRUE(Focused("BetLow"));
    Click("Smallsize");
    EXPECT_TRUE(Enabled("Smaller"));
    EXPECT_FALSE(Enabled("BetLow"));
    EXPECT_FALSE(Enabled("BetHigh"));
    EXPECT_TRUE(Focused("Smaller"));
    Click("LargeSize");
    EXPECT_TRUE(Enabled("Larger"));
    EXPECT_FALSE(Enabled("Smaller"));
    EXPECT_TRUE(Focused("Larger"));
    Click("AllSizes");
    for (const char* box : {"BetLow", "BetHigh", "Smaller", "Larger"}) EXPECT_FALSE(Enabled(box));
}

TEST_F(DialogRulesTest, SizeSpinnersWritePlainNumbersFromZeroTo9999) {
    Show();
    Click("BetSizes");
    Find<QLineEdit>("BetLow")->setText("12");
    Step("UpDown1", Qt::UpArrow);
    EXPECT_EQ("13", Text("BetLow"));
    Find<QLineEdit>("BetLow")->setText("abc"); // the boxes take any typing
    Step("UpDown1", Qt::UpArrow);
    EXPECT_EQ("1", Text("BetLow"));
    Find<QLineEdit>("BetHigh")->setText("9999");
    Step("UpDown2", Qt::UpArrow);
    EXPECT_EQ("9999", Text("BetHigh"));
    Find<QLineEdit>("BetHigh")->setText("12345");
    Step("UpDown2", Qt::DownArrow);
    EXPECT_EQ("9998", Text("BetHigh")) << "no thousands separator, within the range";
    Find<QLineEdit>("BetHigh")->setText("0");
    Step("UpDown2", Qt::DownArrow);
    EXPECT_EQ("0", Text("BetHigh"));
}

TEST_F(DialogRulesTest, DateChoicesEnableTheirFieldsAndSelectFindFiles) {
    Show();
    for (const char* field : {"DBetLow", "DBetHigh", "DSooner", "DLater"})
        EXPECT_FALSE(Enabled(field));
    // "Between" is preselected; clicking it again changes nothing.
    EXPECT_TRUE(Find<QRadioButton>("DBetDates")->isChecked());
    Click("DBetDates");
    EXPECT_FALSE(Enabled("DBetLow"));

    Click("DBefore");
    EXPECT_TRUE(Enabled("DSooner"));
    EXPECT_TRUE(Enabled("DSoonerSpinner"));
    EXPECT_FALSE(Enabled("DBetLow"));
    EXPECT_FALSE(Enabled("DLater"));
    EXPECT_TRUE(Find<QRadioButton>("TheseDates")->isChecked());
    EXPECT_TRUE(Focused("DSooner"));
    Click("DBetDates");
    EXPECT_TRUE(Enabled("DBetLow"));
    EXPECT_TRUE(Enabled("DBetHigh"));
    EXPECT_FALSE(Enabled("DSooner"));
    EXPECT_TRUE(Focused("DBetLow"));
    Click("AllDates");
    for (const char* field : {"DBetLow", "DBetHigh", "DSooner", "DLater"})
        EXPECT_FALSE(Enabled(field));
    Click("DAfter");
    EXPECT_TRUE(Enabled("DLater"));
    EXPECT_TRUE(Find<QRadioButton>("TheseDates")->isChecked());
}

TEST_F(DialogRulesTest, OpeningFilesExistsOnlyForBackgroundSearches) {
    settings_.VFShowResults = false; // "Open up to" stored
    settings_.VFOpenFirst = 35;
    Show();
    EXPECT_EQ(35, Find<QSpinBox>("OpenFirst")->value());
    // Without a background search "show results" is the choice.
    EXPECT_TRUE(Find<QRadioButton>("ShowResults")->isChecked());
    for (const char* w : {"Openfiles", "OpenFirst", "Label4"}) EXPECT_FALSE(Enabled(w));
    EXPECT_TRUE(Enabled("ShowResults"));
    EXPECT_FALSE(dialog_->OpenFilesChosen());

    Click("SearchBG");
    for (const char* w : {"Openfiles", "OpenFirst", "Label4", "ShowResults"})
        EXPECT_TRUE(Enabled(w));
    Click("Openfiles");
    EXPECT_TRUE(dialog_->OpenFilesChosen());
    auto* openFirst = Find<QSpinBox>("OpenFirst");
    EXPECT_EQ(5, openFirst->minimum());
    EXPECT_EQ(100, openFirst->maximum());
    EXPECT_EQ(5, openFirst->singleStep());
    openFirst->setValue(95);
    openFirst->stepUp();
    openFirst->stepUp();
    EXPECT_EQ(100, dialog_->OpenFirstCount());

    // Unchecked again, then a click on a page tab applies the rule too.
    Find<QCheckBox>("SearchBG")->setChecked(false);
    EXPECT_TRUE(dialog_->OpenFilesChosen());
    auto* tabs = Find<QTabWidget>("OvcNotebook1");
    QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {}, tabs->tabBar()->tabRect(3).center());
    EXPECT_FALSE(dialog_->OpenFilesChosen());
    EXPECT_FALSE(Enabled("OpenFirst"));
}

TEST_F(DialogRulesTest, DateFieldsTakeValidDatesStepWithTheirSpinnerAndOpenTheCalendar) {
    settings_.VFDBetLow = "02/29/2000";
    settings_.VFDBetHigh = "02/30/2000"; // no such day: today instead
    settings_.VFDSooner = "01/01/1599";  // before the first year: today
    Show();
    auto* low = Find<DateEdit>("DBetLow");
    EXPECT_EQ("02/29/2000", low->text());
    EXPECT_EQ(QDate::currentDate(), Find<DateEdit>("DBetHigh")->date());
    EXPECT_EQ(QDate::currentDate(), Find<DateEdit>("DSooner")->date());
    EXPECT_EQ(QDate(1600, 1, 1), low->minimumDate());
    EXPECT_EQ(QDate(3999, 12, 31), low->maximumDate());
    EXPECT_EQ("Double click for calendar", low->toolTip());

    Click("DBetDates"); // preselected: still disabled
    Click("DBefore");
    Click("DBetDates");
    // Up and down step the part under the caret; left and right move between parts.
    low->setCurrentSection(QDateTimeEdit::MonthSection);
    Step("DBetLowSpinner", Qt::UpArrow);
    EXPECT_EQ("03/29/2000", low->text());
    Step("DBetLowSpinner", Qt::RightArrow);
    Step("DBetLowSpinner", Qt::DownArrow);
    EXPECT_EQ("03/28/2000", low->text());
    Step("DBetLowSpinner", Qt::RightArrow);
    Step("DBetLowSpinner", Qt::UpArrow);
    EXPECT_EQ("03/28/2001", low->text());
    Step("DBetLowSpinner", Qt::LeftArrow);
    Step("DBetLowSpinner", Qt::LeftArrow);
    Step("DBetLowSpinner", Qt::DownArrow);
    EXPECT_EQ("02/28/2001", low->text());

    // A double click asks for a date starting from the field's; OK writes it, Cancel not.
    prompts_.dates = {QDate(1999, 12, 31), std::nullopt};
    QLineEdit* edit = low->findChild<QLineEdit*>();
    QTest::mouseDClick(edit, Qt::LeftButton);
    ASSERT_EQ(1u, prompts_.datesShown.size());
    EXPECT_EQ(QDate(2001, 2, 28), prompts_.datesShown[0]);
    EXPECT_EQ("12/31/1999", low->text());
    QTest::mouseDClick(edit, Qt::LeftButton);
    EXPECT_EQ("12/31/1999", low->text());
}

TEST(CalendarPopup, SpinnersPageByMonthAndYearAndOkGivesTheChosenDay) {
    CalendarPopup popup(QDate(2020, 1, 15));
    EXPECT_EQ("Calendar", popup.windowTitle());
    EXPECT_EQ("Change the displayed month", popup.MonthSpinner()->toolTip());
    EXPECT_EQ("Change the displayed year", popup.YearSpinner()->toolTip());
    EXPECT_EQ(QDate(2020, 1, 15), popup.SelectedDate());
    EXPECT_EQ(popup.Calendar()->locale().toString(QDate(2020, 1, 1), "MMMM yyyy"),
              popup.Heading()->text());
    popup.MonthSpinner()->Button(Qt::DownArrow)->click();
    EXPECT_EQ(12, popup.Calendar()->monthShown());
    EXPECT_EQ(2019, popup.Calendar()->yearShown());
    popup.YearSpinner()->Button(Qt::UpArrow)->click();
    popup.YearSpinner()->Button(Qt::UpArrow)->click();
    EXPECT_EQ(2021, popup.Calendar()->yearShown());
    EXPECT_EQ(12, popup.Calendar()->monthShown());
    EXPECT_EQ(popup.Calendar()->locale().toString(QDate(2021, 12, 1), "MMMM yyyy"),
              popup.Heading()->text());
    EXPECT_EQ(QDate(2020, 1, 15), popup.SelectedDate()) << "paging selects nothing";
    // No valid date to show: today.
    EXPECT_EQ(QDate::currentDate(), CalendarPopup(QDate()).SelectedDate());
}

TEST_F(DialogRulesTest, TheCalendarWritesTheChosenDateIntoTheField) {
    // The real calendar this time, answered while it is open.
    QtPrompts real;
    dialog_.reset();
    dialog_ = std::make_unique<TVantorFinder>(TVantorFinder::Services{.settings = settings_,
                                                                      .notifier = notifier_,
                                                                      .starter = &starter_,
                                                                      .prompts = &real,
                                                                      .flags = &flags_});
    settings_.VFDLater = "06/15/2010";
    Show();
    Click("DAfter");
    testing::WhenModalOpens([](QWidget* modal) {
        auto* popup = qobject_cast<CalendarPopup*>(modal);
        ASSERT_NE(nullptr, popup);
        popup->MonthSpinner()->Button(Qt::UpArrow)->click(); // July 2010
        popup->Calendar()->setSelectedDate(QDate(2010, 7, 4));
        popup->OkButton()->click();
    });
    QTest::mouseDClick(Find<DateEdit>("DLater")->findChild<QLineEdit*>(), Qt::LeftButton);
    EXPECT_EQ("07/04/2010", Find<DateEdit>("DLater")->text());
}

TEST_F(DialogRulesTest, FolderButtonsAddTheChosenFolderAndClearTheList) {
    Show();
    const QString folder = QString::fromStdString(tree_.Folder("Chosen Folder"));
    auto* tree = Find<QTreeView>("DirectoryListBox1");
    auto* model = qobject_cast<QFileSystemModel*>(tree->model());
    ASSERT_NE(nullptr, model);
    tree->setCurrentIndex(model->index(folder));
    Click("Button1");
    EXPECT_EQ(folder + ",", Box("Directory")->currentText());
    Click("Button1");
    EXPECT_EQ(folder + "," + folder + ",", Box("Directory")->currentText());
    Type("Directory", "/usr");
    Click("Button1");
    EXPECT_EQ("/usr," + folder + ",", Box("Directory")->currentText());
    Click("Button2");
    EXPECT_EQ("", Box("Directory")->currentText());
    EXPECT_TRUE(Enabled("SubDirCheck"));
}

TEST_F(DialogRulesTest, HelpOpensTheDialogsTopicAndF1ThePagesTopic) {
    Show();
    Click("HelpBtn");
    QTextBrowser* browser = help_.Browser(platform::HelpPane::Main);
    ASSERT_NE(nullptr, browser);
    EXPECT_EQ("IDX_operating_the_morvel_vantor_finder", browser->source().fragment());
    const char* topics[] = {"IDX_what_to_look_for_tab", "IDX_look_where_tab",
                            "IDX_how_to_search_tab", "IDX_results_handling_tab"};
    for (int page = 0; page < 4; ++page) {
        Find<QTabWidget>("OvcNotebook1")->setCurrentIndex(page);
        dialog_->activateWindow();
        QTest::keyClick(dialog_.get(), Qt::Key_F1);
        EXPECT_EQ(topics[page], browser->source().fragment()) << page;
    }
}

} // namespace
} // namespace mvf::dialog
