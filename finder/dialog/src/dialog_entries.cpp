#include "dialog_entries.h"

#include <algorithm>

#include "finder/search/hit_filters.h"

namespace mvf::dialog {

using search::DateFilterKind;
using search::ErrorHandlingMode;
using search::SizeFilterKind;

namespace {

std::string DateOr(const std::string& stored, std::string_view today) {
    return IsDateFieldText(stored) ? stored : std::string(today);
}

} // namespace

bool IsDateFieldText(std::string_view text) {
    if (text.size() != 10 || !search::ParseDate(text)) return false;
    const int year =
        (text[6] - '0') * 1000 + (text[7] - '0') * 100 + (text[8] - '0') * 10 + (text[9] - '0');
    return year >= kFirstYear && year <= kLastYear;
}

DialogEntries EntriesFromSettings(const settings::FinderSettings& stored, std::string_view today) {
    DialogEntries e;
    e.FindText = stored.VFindString;
    e.FileMaskText = stored.VMaskString;
    e.DirectoryText = stored.VDirString;
    e.MatchCase = stored.VFMatchCase;
    e.BoolAND = stored.VFBoolAND && !stored.VFBoolOR;
    e.BoolOR = stored.VFBoolOR;
    e.SkipBin = stored.VFSkipBinaries;
    e.SubDirCheck = stored.VFSearchSub;
    e.SearchBG = stored.VFBGSearch;
    e.Bark = stored.VFBark;
    e.ErrorHandling = stored.VFDontWarn ? ErrorHandlingMode::DontWarn
                      : stored.VFWarn   ? ErrorHandlingMode::Warn
                                        : ErrorHandlingMode::Suppress;
    e.ShowResults = stored.VFShowResults;
    e.OpenFirst = std::clamp(stored.VFOpenFirst, kOpenFirstLeast, kOpenFirstMost);
    e.BetLow = stored.VFBetLow;
    e.BetHigh = stored.VFBetHigh;
    e.Smaller = stored.VFSmaller;
    e.Larger = stored.VFLarger;
    e.DBetLow = DateOr(stored.VFDBetLow, today);
    e.DBetHigh = DateOr(stored.VFDBetHigh, today);
    e.DSooner = DateOr(stored.VFDSooner, today);
    e.DLater = DateOr(stored.VFDLater, today);
    e.DType = stored.VFDType == "Modified" ? "Modified" : "Created";
    return e;
}

void StoreEntries(const DialogEntries& e, settings::FinderSettings& stored) {
    stored.VFindString = e.FindText;
    stored.VMaskString = e.FileMaskText;
    stored.VDirString = e.DirectoryText;
    stored.VFBoolAND = e.BoolAND;
    stored.VFBoolOR = e.BoolOR;
    stored.VFMatchCase = e.MatchCase;
    stored.VFBGSearch = e.SearchBG;
    stored.VFBark = e.Bark;
    stored.VFSuppress = e.ErrorHandling == ErrorHandlingMode::Suppress;
    stored.VFWarn = e.ErrorHandling == ErrorHandlingMode::Warn;
    stored.VFDontWarn = e.ErrorHandling == ErrorHandlingMode::DontWarn;
    stored.VFSkipBinaries = e.SkipBin;
    stored.VFSearchSub = e.SubDirCheck;
    stored.VFShowResults = e.ShowResults;
    stored.VFOpenFirst = e.OpenFirst;
    stored.VFBetLow = e.BetLow;
    stored.VFBetHigh = e.BetHigh;
    stored.VFSmaller = e.Smaller;
    stored.VFLarger = e.Larger;
    stored.VFDBetLow = e.DBetLow;
    stored.VFDBetHigh = e.DBetHigh;
    stored.VFDSooner = e.DSooner;
    stored.VFDLater = e.DLater;
    stored.VFDType = e.DType;
}

search::SearchCriteria CriteriaFrom(const DialogEntries& e) {
    search::SearchCriteria c;
    c.FindText = e.FindText;
    c.FileMaskText = e.FileMaskText;
    c.DirectoryText = e.DirectoryText;
    c.BoolAND = e.BoolAND;
    c.BoolOR = e.BoolOR;
    c.MatchCase = e.MatchCase;
    c.SearchSubfolders = e.SubDirCheck;
    c.SkipBinaries = e.SkipBin;
    c.Background = e.SearchBG;
    c.Bark = e.Bark;
    c.ErrorHandling = e.ErrorHandling;
    c.SizeFilter = e.SizeFilter;
    c.BetLow = e.BetLow;
    c.BetHigh = e.BetHigh;
    c.Smaller = e.Smaller;
    c.Larger = e.Larger;
    c.DateFilter = e.AllDates ? DateFilterKind::AllDates : e.DateChoice;
    c.DType = e.DType;
    c.DBetLow = e.DBetLow;
    c.DBetHigh = e.DBetHigh;
    c.DSooner = e.DSooner;
    c.DLater = e.DLater;
    return c;
}

SizeBoxes SizeBoxesFor(SizeFilterKind choice) {
    switch (choice) {
    case SizeFilterKind::BetSizes: return {.BetLow = true, .BetHigh = true};
    case SizeFilterKind::Smallsize: return {.Smaller = true};
    case SizeFilterKind::LargeSize: return {.Larger = true};
    case SizeFilterKind::AllSizes: break;
    }
    return {};
}

DateFields DateFieldsFor(DateFilterKind choice) {
    switch (choice) {
    case DateFilterKind::DBetDates: return {.DBetLow = true, .DBetHigh = true};
    case DateFilterKind::DBefore: return {.DSooner = true};
    case DateFilterKind::DAfter: return {.DLater = true};
    case DateFilterKind::AllDates: break;
    }
    return {};
}

ResultsHandling ResultsHandlingFor(bool searchBG) {
    return {.OpenFilesEnabled = searchBG, .ForceShowResults = !searchBG};
}

std::string WithFolderAdded(std::string directoryText, std::string_view folder) {
    if (!directoryText.empty() && directoryText.back() != ',') directoryText.push_back(',');
    return directoryText.append(folder).append(",");
}

std::string SteppedNumber(std::string_view text, int delta, int least, int most) {
    const std::int64_t now =
        std::clamp<std::int64_t>(search::ParseWholeNumber(text).value_or(0), least, most);
    return std::to_string(std::clamp<std::int64_t>(now + delta, least, most));
}

} // namespace mvf::dialog
