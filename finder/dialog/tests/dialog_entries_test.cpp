// The dialog's rules without widgets: settings to controls and back, the criteria, the
// spinners and the date texts.
#include <gtest/gtest.h>

#include "dialog_entries.h"

namespace mvf::dialog {
namespace {

using search::DateFilterKind;
using search::ErrorHandlingMode;
using search::SizeFilterKind;

TEST(DialogEntries, FirstRunShowsTheDefaultsAndTodayInEveryDateField) {
    const DialogEntries e = EntriesFromSettings({}, "07/04/2024");
    EXPECT_EQ("", e.FindText);
    EXPECT_TRUE(e.SkipBin);
    EXPECT_TRUE(e.Bark);
    EXPECT_FALSE(e.SearchBG);
    EXPECT_EQ(ErrorHandlingMode::Warn, e.ErrorHandling);
    EXPECT_FALSE(e.ShowResults);
    EXPECT_EQ(20, e.OpenFirst);
    EXPECT_EQ("0", e.BetLow);
    EXPECT_EQ("Modified", e.DType);
    for (const std::string& date : {e.DBetLow, e.DBetHigh, e.DSooner, e.DLater})
        EXPECT_EQ("07/04/2024", date);
    EXPECT_EQ(SizeFilterKind::AllSizes, e.SizeFilter);
    EXPECT_TRUE(e.AllDates);
    EXPECT_EQ(DateFilterKind::DBetDates, e.DateChoice);
}

TEST(DialogEntries, StoredValuesComeBackAndOddOnesAreMadeSound) {
    settings::FinderSettings s;
    s.VFindString = "needle|hay";
    s.VFBoolAND = true;
    s.VFBoolOR = true; // both stored: OR, which decides such a search
    s.VFSuppress = true;
    s.VFWarn = true;
    s.VFDontWarn = false; // the last chosen of the three wins
    s.VFOpenFirst = 500;
    s.VFDType = "modified"; // only exactly "Modified" is Modified
    s.VFDBetLow = "12/31/3999";
    s.VFDBetHigh = "1/2/2000"; // not the picture
    s.VFDSooner = "(unknown)";
    s.VFDLater = "02/29/2001"; // no such day
    DialogEntries e = EntriesFromSettings(s, "01/01/2020");
    EXPECT_EQ("needle|hay", e.FindText);
    EXPECT_TRUE(e.BoolOR);
    EXPECT_FALSE(e.BoolAND);
    EXPECT_EQ(ErrorHandlingMode::Warn, e.ErrorHandling);
    EXPECT_EQ(100, e.OpenFirst);
    EXPECT_EQ("Created", e.DType);
    EXPECT_EQ("12/31/3999", e.DBetLow);
    EXPECT_EQ("01/01/2020", e.DBetHigh);
    EXPECT_EQ("01/01/2020", e.DSooner);
    EXPECT_EQ("01/01/2020", e.DLater);

    s = {};
    s.VFSuppress = false;
    s.VFWarn = false;
    EXPECT_EQ(ErrorHandlingMode::Suppress, EntriesFromSettings(s, "01/01/2020").ErrorHandling);
    s.VFDontWarn = true;
    EXPECT_EQ(ErrorHandlingMode::DontWarn, EntriesFromSettings(s, "01/01/2020").ErrorHandling);
}

TEST(DialogEntries, ControlsStoredAndReadAgainAreTheSame) {
    DialogEntries e;
    e.FindText = "a</sp>b";
    e.FileMaskText = "*.c,*.h";
    e.DirectoryText = "/usr/include,/tmp";
    e.BoolAND = true;
    e.MatchCase = true;
    e.SubDirCheck = true;
    e.SkipBin = false;
    e.SearchBG = true;
    e.Bark = false;
    e.ErrorHandling = ErrorHandlingMode::DontWarn;
    e.ShowResults = true;
    e.OpenFirst = 45;
    e.BetLow = "1";
    e.BetHigh = "x"; // the boxes take any typing
    e.Smaller = "3";
    e.Larger = "4";
    e.DType = "Created";
    e.DBetLow = "01/02/2003";
    e.DBetHigh = "04/05/2006";
    e.DSooner = "07/08/2009";
    e.DLater = "10/11/2012";
    settings::FinderSettings s;
    StoreEntries(e, s);
    EXPECT_FALSE(s.VFSuppress);
    EXPECT_FALSE(s.VFWarn);
    EXPECT_TRUE(s.VFDontWarn);
    const DialogEntries back = EntriesFromSettings(s, "01/01/2020");
    EXPECT_EQ(e.FindText, back.FindText);
    EXPECT_EQ(e.FileMaskText, back.FileMaskText);
    EXPECT_EQ(e.DirectoryText, back.DirectoryText);
    EXPECT_EQ(e.BoolAND, back.BoolAND);
    EXPECT_EQ(e.MatchCase, back.MatchCase);
    EXPECT_EQ(e.SubDirCheck, back.SubDirCheck);
    EXPECT_EQ(e.SkipBin, back.SkipBin);
    EXPECT_EQ(e.SearchBG, back.SearchBG);
    EXPECT_EQ(e.Bark, back.Bark);
    EXPECT_EQ(e.ErrorHandling, back.ErrorHandling);
    EXPECT_EQ(e.ShowResults, back.ShowResults);
    EXPECT_EQ(e.OpenFirst, back.OpenFirst);
    EXPECT_EQ(e.BetHigh, back.BetHigh);
    EXPECT_EQ(e.Larger, back.Larger);
    EXPECT_EQ(e.DType, back.DType);
    EXPECT_EQ(e.DBetLow, back.DBetLow);
    EXPECT_EQ(e.DLater, back.DLater);
}

TEST(DialogEntries, CriteriaTakeTheTextsAsTypedAndAllDatesWins) {
    DialogEntries e;
    e.FindText = "x|y";
    e.BoolOR = true;
    e.SizeFilter = SizeFilterKind::Smallsize;
    e.Smaller = "12";
    e.DateChoice = DateFilterKind::DAfter;
    e.DLater = "05/06/2007";
    e.AllDates = true;
    search::SearchCriteria c = CriteriaFrom(e);
    EXPECT_EQ("x|y", c.FindText);
    EXPECT_TRUE(c.Masks.empty()) << "the lists are the checks' to fill";
    EXPECT_EQ(search::BoolMode::Or, c.Mode());
    EXPECT_EQ(SizeFilterKind::Smallsize, c.SizeFilter);
    EXPECT_EQ("12", c.Smaller);
    EXPECT_EQ(DateFilterKind::AllDates, c.DateFilter);
    e.AllDates = false;
    c = CriteriaFrom(e);
    EXPECT_EQ(DateFilterKind::DAfter, c.DateFilter);
    EXPECT_EQ("05/06/2007", c.DLater);
    EXPECT_TRUE(c.Bark);
    EXPECT_EQ(ErrorHandlingMode::Warn, c.ErrorHandling);
}

TEST(DialogEntries, SpinnerStepsFromWhatTheBoxHolds) {
    EXPECT_EQ("11", SteppedNumber(" 10 ", 1, 0, 9999));
    EXPECT_EQ("0", SteppedNumber("-5", -1, 0, 9999));
    EXPECT_EQ("1", SteppedNumber("1e3", 1, 0, 9999)) << "no whole number: counted as 0";
    EXPECT_EQ("25", SteppedNumber("20", 5, 5, 100));
}

TEST(DialogEntries, DateFieldTexts) {
    EXPECT_TRUE(IsDateFieldText("01/01/1600"));
    EXPECT_TRUE(IsDateFieldText("12/31/3999"));
    EXPECT_TRUE(IsDateFieldText("02/29/2000"));
    EXPECT_FALSE(IsDateFieldText("12/31/1599"));
    EXPECT_FALSE(IsDateFieldText("01/01/4000"));
    EXPECT_FALSE(IsDateFieldText("02/29/1900"));
    EXPECT_FALSE(IsDateFieldText("1/1/2000"));
    EXPECT_FALSE(IsDateFieldText("01/01/2000 "));
    EXPECT_FALSE(IsDateFieldText(""));
}

} // namespace
} // namespace mvf::dialog
