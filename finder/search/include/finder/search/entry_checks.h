// What "Begin Search" does before a search can start: remember the entered texts,
// check them in a fixed order, and fill the lists of the criteria.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "finder/search/remembered_lists.h"
#include "finder/search/search_criteria.h"

namespace mvf::search {

inline constexpr std::string_view kNoticeCaption = "Notice";
inline constexpr std::string_view kNoFolderMessage =
    "You must provide a drive or directory to search!";
inline constexpr std::string_view kFolderNotFoundMessage = "Could not find directory: ";
inline constexpr std::string_view kNoMaskMessage =
    "You must provide a file mask. For Instance: *.*";
inline constexpr std::string_view kEmptyKeyMessage = "Search Key can't be empty";
inline constexpr std::string_view kInvalidExpressionMessage = "Invalid regular expression";

enum class DialogPage { FindWhat, LookWhere };
enum class EntryField { Directory, Filemask, FindBox };

// The first fault found: its notice text, the page to show and the field to focus.
struct EntryFault {
    std::string Message;
    DialogPage Page;
    EntryField Field;
};

// Checks the entered texts in this order: a folder at all; each folder, which must
// become the current directory (the last one stays current; relative folders are taken
// from `base`); a mask; each bar-separated word of the find text, which must not be
// empty and must compile with the pattern engine as typed.
std::optional<EntryFault> CheckSearchEntries(const SearchCriteria& entered, std::string_view base);

// "Begin Search" up to starting the thread: remembers the three texts in `lists`, clears
// ResultsPending, StopRequested and SearchCancelled, checks the entries against the
// current directory, and on success sets SearchRunning and fills Masks, Directories
// (resolved, see ResolveFolder) and Expressions. On a fault nothing else changes.
std::optional<EntryFault> PrepareSearch(SearchCriteria& criteria, RememberedLists& lists,
                                        SearchFlags& flags);

} // namespace mvf::search
