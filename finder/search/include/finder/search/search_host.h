// What a running search tells its host (the finder's window, mvfind, a test). The search
// calls these on its own thread and never touches anything of the host's otherwise. A
// host must not block in them for long nor wait for the search: a window hands the data
// to its own thread (SearchMailbox does exactly that) and returns.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace mvf::search {

// One file that passed the content test and the size and date filters: the arguments of
// the results list's AddItem.
struct FoundFile {
    std::string Path; // full path, as found (paths keep their case)
    std::string Created;
    std::string Modified;
    std::int64_t Size = 0;
    bool IsUnix = false;
    bool IsDos = false;
    bool IsMac = false;
    bool IsBinary = false;
};

// Everything the end of a search needs, computed when the walk is over.
struct SearchCompletion {
    bool Background = false; // FinishBackground rather than FinishForeground
    bool Bark = false;
    bool Cancelled = false;              // SearchCancelled: ask no questions
    bool Stopped = false;                // the walk ended at a stop request
    std::size_t Hits = 0;                // files handed to AddHit
    std::vector<std::string> ErrorLines; // in the order the failures occurred
    bool ErrorsLogged = false;           // the log holds at least one line
    std::string LogFailure;              // "Unable to open search errors log file!" or empty
    bool OfferLog = false;               // Warn, ErrorsLogged and not cancelled
    std::string SearchSummary;
    std::string TrayHint; // "N hits found! Click to process...."
};

class SearchHost {
public:
    virtual ~SearchHost() = default;
    // "Searching: " and the path of the file under test; a host may drop these.
    virtual void ShowProgress(const std::string& statusText) = 0;
    // Every hit, in the order found.
    virtual void AddHit(const FoundFile& hit) = 0;
    // Last call of a search, after every hit.
    virtual void SearchFinished(const SearchCompletion& completion) = 0;
};

} // namespace mvf::search
