// The test of one file, for every alternative its boolean mode asks for: a worker opens
// the file, reads its first block, classifies it, scans it and describes a hit, leaving
// everything the host is to see in the file's job.
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

#include "mvfindgrep.h"

#include "file_window.h"
#include "finder/search/content_scanner.h"
#include "finder/search/hit_filters.h"
#include "finder/search/search_control.h"
#include "finder/search/search_criteria.h"
#include "platform/core/time_text.h"

namespace mvf::search {

inline constexpr std::string_view kAccessErrorPrefix = "Could not access file:  ";
// A sub-folder that could not be read: the prefix, its path and the reason in brackets.
inline constexpr std::string_view kFolderErrorPrefix = "Could not access folder:  ";
inline constexpr std::string_view kProgressPrefix = "Searching: ";

// What the criteria ask of every file, with each expression compiled once for the whole
// search: an expression the engine refuses (possible only where the checks were
// bypassed) never matches, and its notice comes once.
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
    std::vector<RegexRecord> compiled;    // per alternative
    std::vector<bool> usable;             // per alternative: compiled without fault
    std::vector<bool> blockPrefilter;     // per alternative: BlockPrefilterAllowed
};

// One worker's texts of file times.
struct TimeTexts {
    platform::FileTimeTexts created;
    platform::FileTimeTexts modified;
};

// One worker's tester: its own copies of the compiled records, its own buffers.
class FileTester {
public:
    FileTester(const ContentPlan& plan, SearchControl& control);

    // Tests the file or folder of `job` (unless a stop came first) and fills in what
    // the host is to see. Opens and closes the file.
    void Test(FileJob& job);

private:
    void TestFile(FileJob& job, int fd);
    bool ContentMatches(FileJob& job, const FileContent& content, bool binary);

    const ContentPlan& plan_;
    SearchControl& control_;
    std::vector<RegexRecord> records_;
    FirstBlock block_;
    ContentScanner scanner_;
    TimeTexts times_;
};

// Installs the engine's stop query for the length of a search: a stop request also ends
// an engine search inside one line (which then counts as no match, the scan ending as
// a stopped one does). One search runs at a time: the engine's one query is its own.
class EngineStopQuery {
public:
    explicit EngineStopQuery(const SearchControl& control);
    ~EngineStopQuery();
    EngineStopQuery(const EngineStopQuery&) = delete;
    EngineStopQuery& operator=(const EngineStopQuery&) = delete;
};

} // namespace mvf::search
