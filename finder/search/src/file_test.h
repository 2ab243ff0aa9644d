// The content test of one file, for every alternative its boolean mode asks for, in two
// halves: FileOpener (walk thread) opens the file and reads its first block; FileTester
// (test thread) classifies it, scans it and describes a hit.
//
// A file is opened once, whatever the mode, and each alternative scans the same bytes
// (files longer than a block are read again). What the user sees is as if each
// alternative opened the file anew: a file that cannot be opened leaves one error line
// per alternative that would have been tried (every one for OR, the first for AND and
// the single expression). Size and times are taken only for hits, or before reading
// when a size or date filter can spare the reading.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "file_queue.h"
#include "finder/search/content_scanner.h"
#include "finder/search/hit_filters.h"
#include "finder/search/search_control.h"
#include "finder/search/search_criteria.h"
#include "finder/search/search_host.h"

namespace mvf::search {

inline constexpr std::string_view kAccessErrorPrefix = "Could not access file:  ";
// A sub-folder that could not be read: the prefix, its path and the reason in brackets.
inline constexpr std::string_view kFolderErrorPrefix = "Could not access folder:  ";
inline constexpr std::string_view kProgressPrefix = "Searching: ";

// What the criteria ask of every file.
struct ContentPlan {
    explicit ContentPlan(const SearchCriteria& criteria);

    // How many alternatives a file is tested for: 1 in the single-expression mode.
    std::size_t Alternatives() const { return mode == BoolMode::Single ? 1 : expressions.size(); }

    BoolMode mode;
    bool nameOnly;
    bool matchCase;
    bool skipBinaries;
    bool logErrors;
    HitFilters filters;
    std::vector<std::string> expressions; // tokens expanded
};

class FileOpener {
public:
    explicit FileOpener(const ContentPlan& plan) : plan_(plan) {}

    // Fills `job` for the file `name` of the open folder `folderFd`; false when the file
    // needs no test at all (a boolean mode without alternatives).
    bool Open(int folderFd, const char* name, const std::string& path, FileJob& job);
    // Fills `job` for a folder that could not be read; false when errors are not logged.
    bool FolderFailed(const std::string& path, int error, FileJob& job);

private:
    const ContentPlan& plan_;
};

class FileTester {
public:
    // Compiles each expression once to learn whether it can be used at all: one the
    // engine refuses (possible only where the checks were bypassed) never matches.
    // While it lives, a stop request also ends an engine search inside one line (which
    // then counts as no match, the scan ending as a stopped one does).
    FileTester(const ContentPlan& plan, SearchControl& control, SearchHost& host);
    ~FileTester();
    FileTester(const FileTester&) = delete;
    FileTester& operator=(const FileTester&) = delete;

    // Tests an opened file; a hit fills `hit` and returns true. Closes nothing.
    bool Test(FileJob& job, FoundFile& hit);

    std::vector<std::string>& ErrorLines() { return errorLines_; }

private:
    void ShowProgress(const std::string& path);
    bool ContentMatches(const FileJob& job, bool binary);
    ScanResult Scan(std::size_t alternative, const FileContent& content, bool binary);

    const ContentPlan& plan_;
    SearchControl& control_;
    SearchHost& host_;
    std::vector<bool> usable_;
    std::vector<bool> blockPrefilter_; // per alternative: BlockPrefilterAllowed
    int compiled_ = -1;                // the alternative the engine holds
    ContentScanner scanner_;
    std::string statusText_;
    std::vector<std::string> errorLines_;
};

} // namespace mvf::search
