// LoadList: a results file read back into the list, all or nothing.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "file_messages.h"
#include "finder/results/results_file.h"
#include "line_reader.h"
#include "row_line.h"
#include "text_util.h"

namespace mvf::results {
namespace {

constexpr std::int64_t kProgressRows = 300;
constexpr int kHeaderLines = 6;

// Closes the file on every way out.
class FileCloser {
public:
    explicit FileCloser(int fd) : fd_(fd) {}
    ~FileCloser() { close(fd_); }
    FileCloser(const FileCloser&) = delete;
    FileCloser& operator=(const FileCloser&) = delete;

private:
    int fd_;
};

// Opens the window's progress for a big file and closes it on every way out.
class LoadProgress {
public:
    LoadProgress(FileProgress* progress, std::int64_t announced)
        : progress_(announced > kProgressRows ? progress : nullptr) {
        if (progress_) progress_->LoadStarted(announced);
    }
    ~LoadProgress() {
        if (progress_) progress_->LoadFinished();
    }
    LoadProgress(const LoadProgress&) = delete;
    LoadProgress& operator=(const LoadProgress&) = delete;
    void Line(std::int64_t count) {
        if (progress_) progress_->LoadLine(count);
    }

private:
    FileProgress* progress_;
};

bool IsResultsHeader(std::string_view line) {
    const std::vector<std::string_view> words = detail::Words(line, " \t");
    return words.size() >= 6 && words[0] == "File" && words[5] == "Creation";
}

std::string LineFault(std::int64_t line, std::string_view what) {
    return "Line " + std::to_string(line) + " " + std::string(what);
}

// One row line into `into`; the fault's text when the line cannot be a row.
std::optional<std::string> AddRow(ResultsList& into, std::string_view line,
                                  std::int64_t lineNumber) {
    auto read = detail::ReadRow(line);
    if (auto* fault = std::get_if<std::string>(&read)) return LineFault(lineNumber, *fault);
    const detail::RowFields& row = std::get<detail::RowFields>(read);
    // AddItem puts four more spaces before these four.
    const std::string created = std::string(4, ' ').append(row.created);
    into.AddItem(row.path, created, row.modified, row.size,
                 {.IsUnix = row.type == "UNIX",
                  .IsDos = row.type == "DOS",
                  .IsMac = row.type == "MAC",
                  .IsBinary = row.type == "BINARY"});
    return std::nullopt;
}

} // namespace

FileResult LoadList(ResultsList& list, std::string_view FileName, std::string_view resultsFolder,
                    FileProgress* progress) {
    const std::string path = ResultsFilePath(FileName, resultsFolder);
    struct stat st {};
    if (stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR))
        return {FileStatus::Skipped, {}};
    // Non-blocking, so that a FIFO cannot hang the open; only a regular file is read.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return detail::Failure(detail::UnableToOpen(path));
    const FileCloser closer(fd);
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))
        return detail::Failure(detail::UnableToOpen(path));

    detail::LineReader reader(fd);
    const auto readFailure = [&] {
        return detail::Failure(detail::UnableToRead(path, std::strerror(reader.error())));
    };
    const auto tooLong = [&](std::int64_t lineNumber) {
        return detail::Failure(
            detail::NotAResultsFile(path, LineFault(lineNumber, "is too long.")));
    };
    std::string header[kHeaderLines];
    for (int i = 0; i < kHeaderLines; ++i) {
        std::string_view line;
        if (!reader.Next(line) && reader.error() != 0) return readFailure();
        if (reader.tooLong()) return tooLong(i + 1);
        header[i].assign(line);
    }
    // The header words first: a text file of another kind is told that it is none.
    if (!IsResultsHeader(header[4])) return detail::Failure(detail::NotAResultsFile(path));
    const std::vector<std::string_view> firstWords = detail::Words(header[0], " ");
    const auto announced =
        firstWords.empty() ? std::nullopt : detail::ReadWholeNumber(firstWords[0]);
    if (!announced)
        return detail::Failure(detail::NotAResultsFile(
            path, LineFault(1, "does not begin with the number of entries.")));

    LoadProgress shown(progress, *announced);
    // Rows are appended unsorted and sorted once, by the list's own sort state.
    ResultsList loaded;
    loaded.SetAutoSort(false);
    loaded.SetSort(list.SortColumn(), list.SortAscending());
    std::int64_t lineNumber = kHeaderLines, count = 0;
    for (std::string_view line; reader.Next(line);) {
        ++lineNumber;
        shown.Line(++count);
        if (line.empty()) continue;
        if (auto fault = AddRow(loaded, line, lineNumber))
            return detail::Failure(detail::NotAResultsFile(path, *fault));
    }
    if (reader.error() != 0) return readFailure();
    if (reader.tooLong()) return tooLong(lineNumber + 1);

    loaded.SetSearchSummary(std::move(header[2]));
    loaded.SetAutoSort(true);
    list.ReplaceWith(std::move(loaded));
    return {};
}

} // namespace mvf::results
