// The results file: the list as a plain text table (six header lines, then one line per
// row in name order, fields joined by TABs, lines ended by CR LF) and reading it back.
// Failures come back as values carrying the message box the window shows; nothing here
// shows anything itself.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "finder/results/results_list.h"

namespace mvf::results {

// The file written at every exit and read at the first showing of the main window. Given
// as the file name to SaveResults or LoadList, it means this name in the results folder.
inline constexpr std::string_view kLastResultsName = "last search results.ser";

enum class MessageIcon { Information, Warning };

// One message box: its text, its caption and its icon.
struct Message {
    std::string text;
    std::string caption;
    MessageIcon icon = MessageIcon::Information;

    friend bool operator==(const Message&, const Message&) = default;
};

enum class FileStatus {
    Done,    // written, or read and put in the list
    Skipped, // nothing to do: an empty list to save, no file to load
    Failed,  // nothing changed; show `message`
};

struct FileResult {
    FileStatus status = FileStatus::Done;
    Message message; // only for Failed
};

// What a long save or load tells the window while it runs, so it can show its small
// "Loading" window or progress bar. Every call is on the calling thread.
class FileProgress {
public:
    virtual ~FileProgress() = default;
    // A save of more than 150 rows: before writing, and when done (whether or not it
    // succeeded). Show kSavingText and kPleaseWaitText meanwhile.
    virtual void SaveStarted() {}
    virtual void SaveFinished() {}
    // A load of a file announcing more than 300 rows: `announced` is the progress maximum;
    // then each row line read, with its count (caption: LoadingLinesText(count)); then the
    // end, whether or not it succeeded.
    virtual void LoadStarted(std::int64_t /*announced*/) {}
    virtual void LoadLine(std::int64_t /*count*/) {}
    virtual void LoadFinished() {}
};

inline constexpr std::string_view kSavingText = "Saving last search results file";
inline constexpr std::string_view kPleaseWaitText = "Please wait .....";
inline constexpr std::string_view kLoadingText = "Loading last search results file";
// "Loading last search results file... Lines: " and the count.
std::string LoadingLinesText(std::int64_t count);

// The file a name stands for: kLastResultsName means that name in `resultsFolder`; any
// other name is a full path and is used as it is.
std::string ResultsFilePath(std::string_view fileName, std::string_view resultsFolder);

// Writes the list in name order; the list itself, its order and its sort state stay as they
// are. An empty list writes nothing (Skipped) and leaves an existing file alone. The file
// is written beside the target and renamed over it, so a failed save leaves the old file as
// it was. TAB, CR and LF inside a text cannot be held by a column and are shown as "?".
// Every row loads back as the same file: a row whose columns would read back as another
// path (a name ending in blanks or control characters, a TAB or a line end in its name or
// folder) also carries its full path, quoted and escaped, in a seventh field. A row that
// names no file (its path ends in "/") fails the save before anything is written.
FileResult SaveResults(const ResultsList& list, std::string_view FileName,
                       std::string_view resultsFolder, FileProgress* progress = nullptr);

// Replaces the list with the file's rows and sets SearchSummary from its third line; then
// AutoSort is on and the rows are sorted by the list's sort state. A missing file is Skipped.
// Any fault (cannot open or read, wrong header, a first line not starting with a whole
// number, a row line with fewer than six fields, a size that is no whole number, a quoted
// full path that cannot be read, or a row that names no file, such as a blank name that
// would stand for its folder) is Failed with the line's number, and leaves the list, its
// summary and its sort state exactly as they were.
// Empty lines among the rows are skipped; CR LF, LF and CR all end a line.
FileResult LoadList(ResultsList& list, std::string_view FileName, std::string_view resultsFolder,
                    FileProgress* progress = nullptr);

// The checks of the save dialog on the path the user chose: its extension must be "ser"
// (any letter case), and its name part must not be kLastResultsName (in any letter case,
// so that no file system can take it for the automatic file). The refusal to show, if any.
std::optional<Message> CheckSaveAsName(std::string_view chosenPath);

} // namespace mvf::results
