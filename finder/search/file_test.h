// The content test of one file, for every alternative its boolean mode asks for.
//
// A file is opened once, whatever the mode: its first block is read and classified, and
// each alternative scans the same bytes (files longer than a block are read again). What
// the user sees is as if each alternative opened the file anew: a file that cannot be
// opened leaves one error line per alternative that would have been tried (every one
// for OR, the first for AND and the single expression). Times and size are taken only
// for hits, or before reading when a size or date filter can spare the reading.
#pragma once

#include <string>
#include <vector>

#include "finder/search/content_scanner.h"
#include "finder/search/hit_filters.h"
#include "finder/search/search_control.h"
#include "finder/search/search_criteria.h"
#include "finder/search/search_host.h"

namespace mvf::search {

inline constexpr std::string_view kAccessErrorPrefix = "Could not access file:  ";
inline constexpr std::string_view kProgressPrefix = "Searching: ";

class FileTester {
public:
    // Compiles each expression once to learn whether it can be used at all: one the
    // engine refuses (possible only where the checks were bypassed) never matches.
    FileTester(const SearchCriteria& criteria, SearchControl& control, SearchHost& host);

    // Tests the file `name` of the open folder `folderFd`, whose full path is `path`.
    // A hit fills `hit` and returns true.
    bool Test(int folderFd, const char* name, const std::string& path, FoundFile& hit);

    std::vector<std::string>& ErrorLines() { return errorLines_; }

private:
    std::size_t Alternatives() const;
    void ShowProgress(const std::string& path);
    void LogFailedOpenings(const std::string& path, std::size_t count);
    bool ContentMatches(FileContent& content, bool binary, const std::string& path);
    ScanResult Scan(std::size_t alternative, FileContent& content, bool binary);

    SearchControl& control_;
    SearchHost& host_;
    const BoolMode mode_;
    const bool nameOnly_;
    const bool matchCase_;
    const bool skipBinaries_;
    const bool logErrors_;
    const HitFilters filters_;
    std::vector<std::string> expressions_; // tokens expanded
    std::vector<bool> usable_;
    int compiled_ = -1; // the alternative the engine holds
    ContentScanner scanner_;
    std::string statusText_;
    std::vector<std::string> errorLines_;
};

}  // namespace mvf::search
