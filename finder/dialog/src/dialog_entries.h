// The search dialog's rules without its widgets: what every control holds (with its
// default), how the stored settings fill the controls and are written back, what the
// controls make of a search, and which controls each choice enables.
#pragma once

#include <string>
#include <string_view>

#include "finder/search/search_criteria.h"
#include "finder/settings/finder_settings.h"

namespace mvf::dialog {

inline constexpr int kSizeBoxLeast = 0;
inline constexpr int kSizeBoxMost = 9999;
inline constexpr int kOpenFirstLeast = 5;
inline constexpr int kOpenFirstMost = 100;
inline constexpr int kOpenFirstStep = 5;
inline constexpr const char* kDatePicture = "MM/DD/yyyy";
inline constexpr int kFirstYear = 1600;
inline constexpr int kLastYear = 3999;

// What the controls hold, each named after its control.
struct DialogEntries {
    std::string FindText;      // FindBox
    std::string FileMaskText;  // Filemask
    std::string DirectoryText; // Directory
    bool BoolAND = false;
    bool BoolOR = false;
    bool MatchCase = false;
    bool SubDirCheck = false;
    bool SkipBin = true;
    bool SearchBG = false;
    bool Bark = true;
    search::ErrorHandlingMode ErrorHandling = search::ErrorHandlingMode::Warn; // the radios
    bool ShowResults = false; // otherwise Openfiles
    int OpenFirst = 20;
    search::SizeFilterKind SizeFilter = search::SizeFilterKind::AllSizes;
    std::string BetLow = "0", BetHigh = "0", Smaller = "0", Larger = "0";
    bool AllDates = true; // otherwise "Find Files:" (TheseDates)
    search::DateFilterKind DateChoice = search::DateFilterKind::DBetDates; // the second group
    std::string DType = "Modified";
    std::string DBetLow, DBetHigh, DSooner, DLater; // "MM/DD/YYYY"
};

// A date field's text: two-digit month and day and a four-digit year joined by "/", a
// real date from 01/01/1600 to 12/31/3999.
bool IsDateFieldText(std::string_view text);

// The controls at the dialog's first showing, from the stored settings. A date field
// without a stored valid date shows `today`; OpenFirst is kept within 5 to 100; of the
// error radios the last one stored as chosen wins (Suppress when none is); with both
// boolean boxes stored as checked, OR wins, as it decides such a search.
DialogEntries EntriesFromSettings(const settings::FinderSettings& stored, std::string_view today);

// Writes the controls back into the settings (the lists are the caller's).
void StoreEntries(const DialogEntries& entries, settings::FinderSettings& stored);

// The criteria "Begin Search" checks and starts: the texts as typed and the choices; the
// date filter is "All Dates" whenever that radio is selected.
search::SearchCriteria CriteriaFrom(const DialogEntries& entries);

// Which size boxes a size choice enables (the box a choice focuses is its first).
struct SizeBoxes {
    bool BetLow = false, BetHigh = false, Smaller = false, Larger = false;
};
SizeBoxes SizeBoxesFor(search::SizeFilterKind choice);

// Which date fields a date choice enables; AllDates enables none.
struct DateFields {
    bool DBetLow = false, DBetHigh = false, DSooner = false, DLater = false;
};
DateFields DateFieldsFor(search::DateFilterKind choice);

// The results-handling page under the background choice: opening files at the end exists
// only for background searches; without one, "show results" is the choice.
struct ResultsHandling {
    bool OpenFilesEnabled; // Openfiles, OpenFirst, its spinner and "files with hits"
    bool ForceShowResults; // select ShowResults
};
ResultsHandling ResultsHandlingFor(bool searchBG);

// "Add to drive/directory list": a comma after the text unless it is empty or ends in
// one, then the folder and a comma.
std::string WithFolderAdded(std::string directoryText, std::string_view folder);

// A size spinner's click: the box's whole number (0 when it holds none) moved by `delta`
// within [least, most], as plain digits.
std::string SteppedNumber(std::string_view text, int delta, int least, int most);

} // namespace mvf::dialog
