#include "finder/search/completion.h"

#include "platform/core/replacing_file.h"

namespace mvf::search {

std::string ErrorLogPath(std::string_view resultsFolder) {
    std::string path(resultsFolder);
    if (path.empty() || path.back() != '/') path.push_back('/');
    return path.append(kErrorLogName);
}

bool WriteErrorLog(const std::string& path, const std::vector<std::string>& lines,
                   std::string* failure) {
    platform::ReplacingFile file(path);
    const bool opened = file.Open();
    std::string text;
    if (opened)
        for (const std::string& line : lines) text.append(line).append("\r\n");
    if (opened && file.Write(text) && file.Commit()) return true;
    if (failure)
        failure->assign(opened ? kLogWriteFailureMessage : kLogFailureMessage)
            .append("\n")
            .append(file.ErrorText());
    return false;
}

std::string SummaryOf(const SearchCriteria& criteria) {
    // Both flags set: OR decides the test, and the summary still says AND.
    const std::string_view boolean = criteria.BoolAND ? "AND" : criteria.BoolOR ? "OR" : "<none>";
    std::string summary = "Filemask:  ";
    // Only A-Z change: the mask is no path, and bytes of other scripts stay as typed.
    for (const char c : criteria.FileMaskText)
        summary.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    summary.append("    Expression:  ")
        .append(criteria.FindText.empty() ? "<none>" : criteria.FindText);
    summary.append("   Boolean: ").append(boolean);
    summary.append("    Searched in:  ").append(criteria.DirectoryText);
    return summary;
}

std::string TrayHint(std::size_t hits) {
    return std::to_string(hits) + " hits found! " + "Click to process....";
}

SearchCompletion FinishSearch(const SearchCriteria& criteria, SearchFlags& flags,
                              std::vector<std::string> errorLines, std::size_t hits,
                              const std::string& errorLogPath) {
    SearchCompletion completion;
    completion.Background = criteria.Background;
    completion.Bark = criteria.Bark;
    completion.Cancelled = flags.SearchCancelled;
    completion.Stopped = flags.StopRequested;
    completion.Hits = hits;
    if (criteria.ErrorHandling != ErrorHandlingMode::DontWarn) {
        bool logged = !errorLines.empty();
        if (!errorLogPath.empty() &&
            !WriteErrorLog(errorLogPath, errorLines, &completion.LogFailure)) {
            logged = false;
        }
        flags.ErrorsLogged = logged;
    }
    completion.ErrorsLogged = flags.ErrorsLogged;
    completion.OfferLog = criteria.ErrorHandling == ErrorHandlingMode::Warn &&
                          completion.ErrorsLogged && !completion.Cancelled;
    completion.ErrorLines = std::move(errorLines);
    completion.SearchSummary = SummaryOf(criteria);
    completion.TrayHint = TrayHint(hits);
    return completion;
}

void ApplyCompletion(SearchFlags& flags, const SearchCompletion& completion) {
    if (completion.Background)
        flags.ResultsPending = true;
    else
        flags.SearchRunning = false;
}

} // namespace mvf::search
