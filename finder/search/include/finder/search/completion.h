// The end of a search: the error log, and what each completion shows.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "finder/search/search_criteria.h"
#include "finder/search/search_host.h"

namespace mvf::search {

inline constexpr std::string_view kErrorLogName = "search errors.err";
inline constexpr std::string_view kFinderErrorCaption = "Vantor Finder Error";
inline constexpr std::string_view kLogFailureMessage = "Unable to open search errors log file!";
inline constexpr std::string_view kLogWriteFailureMessage =
    "Unable to write search errors log file!";
inline constexpr std::string_view kOfferLogCaption = "Warning";
inline constexpr std::string_view kOfferLogQuestion =
    "Morvel Edit encountered some file open errors.\n\rDo you want to see the log file search "
    "errors.err?";

// The error log in the finder's results folder.
std::string ErrorLogPath(std::string_view resultsFolder);

// Writes `lines` to `path`, each ending in carriage return and line feed, replacing any
// earlier file, also when there are no lines. The log is written beside the old one and
// renamed over it, so a failure (a full disk) leaves the old log as it was. False when
// the file cannot be created or written completely; `failure` then receives the message
// to show: kLogFailureMessage or kLogWriteFailureMessage, a line end and the reason.
bool WriteErrorLog(const std::string& path, const std::vector<std::string>& lines,
                   std::string* failure = nullptr);

// The SearchSummary of a search: its mask, expression, boolean mode and folders as the
// user entered them, in the results list's format.
std::string SummaryOf(const SearchCriteria& criteria);

// The tray hint of a background search: "12 hits found! Click to process....".
std::string TrayHint(std::size_t hits);

// Run when the walk is over (search thread). Unless errors are not logged (DontWarn):
// writes the log to `errorLogPath` (no file when it is empty) and sets ErrorsLogged when
// it holds at least one line, clearing it otherwise and when it could not be written
// (LogFailure then says why).
SearchCompletion FinishSearch(const SearchCriteria& criteria, SearchFlags& flags,
                              std::vector<std::string> errorLines, std::size_t hits,
                              const std::string& errorLogPath);

// The host applies the completion's flags on its own thread, once it has handled every
// hit: a foreground search is over (SearchRunning cleared); a background one waits for
// the user (ResultsPending set, SearchRunning stays until the results are collected).
void ApplyCompletion(SearchFlags& flags, const SearchCompletion& completion);

} // namespace mvf::search
