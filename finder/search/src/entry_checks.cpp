#include "finder/search/entry_checks.h"

#include "mvfindgrep.h"

#include "finder/search/folder_paths.h"
#include "finder/search/words.h"
#include "platform/core/current_directory.h"

namespace mvf::search {

namespace {

EntryFault LookWhereFault(std::string message) {
    return {std::move(message), DialogPage::LookWhere, EntryField::Directory};
}

} // namespace

std::optional<EntryFault> CheckSearchEntries(const SearchCriteria& entered, std::string_view base) {
    const std::vector<std::string> folders = SplitWords(entered.DirectoryText, ',');
    if (folders.empty()) return LookWhereFault(std::string(kNoFolderMessage));
    for (const std::string& folder : folders) {
        if (!platform::SetCurrentDirectory(ResolveFolder(base, folder)))
            // Shown as typed: an upper-cased path would name another folder here.
            return LookWhereFault(std::string(kFolderNotFoundMessage) + folder);
    }
    if (entered.FileMaskText.empty())
        return EntryFault{std::string(kNoMaskMessage), DialogPage::FindWhat, EntryField::Filemask};
    for (const std::string& word : SplitWords(entered.FindText, '|')) {
        if (word.empty())
            return EntryFault{std::string(kEmptyKeyMessage), DialogPage::FindWhat,
                              EntryField::FindBox};
        if (SCompileRGrep(word.c_str(), 0) != 0)
            return EntryFault{std::string(kInvalidExpressionMessage), DialogPage::FindWhat,
                              EntryField::FindBox};
    }
    return std::nullopt;
}

std::optional<EntryFault> PrepareSearch(SearchCriteria& criteria, RememberedLists& lists,
                                        SearchFlags& flags) {
    UpdateLists(lists, criteria.FindText, criteria.FileMaskText, criteria.DirectoryText);
    flags.ResultsPending = false;
    flags.StopRequested = false;
    flags.SearchCancelled = false;
    const std::string base = platform::CurrentDirectory();
    if (auto fault = CheckSearchEntries(criteria, base)) return fault;
    flags.SearchRunning = true;
    criteria.Masks = SplitWords(criteria.FileMaskText, ',');
    criteria.Directories.clear();
    for (const std::string& folder : SplitWords(criteria.DirectoryText, ','))
        criteria.Directories.push_back(ResolveFolder(base, folder));
    criteria.Expressions = SplitWords(criteria.FindText, '|');
    return std::nullopt;
}

} // namespace mvf::search
