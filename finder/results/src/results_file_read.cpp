// LoadList: a results file read back into the list, all or nothing.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <deque>
#include <future>
#include <optional>
#include <string>
#include <thread>
#include <vector>

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

// Lines of the file on their way to a parsing thread: each line followed by a line feed
// (a line never holds one), and the number of the first.
struct Batch {
    static constexpr std::size_t kLines = 4096;

    std::string text;
    std::size_t lines = 0;
    std::int64_t firstLine = 0;
    std::vector<ResultEntry> rows;
    std::optional<std::string> fault; // the first line that cannot be a row
};

// The rows of a batch's lines; stops at the first that cannot be a row.
void ParseBatch(Batch& batch) {
    batch.rows.reserve(batch.lines);
    std::int64_t lineNumber = batch.firstLine;
    std::string created;
    for (std::string_view rest = batch.text; !rest.empty(); ++lineNumber) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end + 1);
        if (line.empty()) continue;
        auto read = detail::ReadRow(line);
        if (auto* fault = std::get_if<std::string>(&read)) {
            batch.fault = LineFault(lineNumber, *fault);
            return;
        }
        const detail::RowFields& row = std::get<detail::RowFields>(read);
        // EntryOf puts four more spaces before these four.
        created.assign(4, ' ').append(row.created);
        batch.rows.push_back(EntryOf(row.path, created, row.modified, row.size,
                                     {.IsUnix = row.type == "UNIX",
                                      .IsDos = row.type == "DOS",
                                      .IsMac = row.type == "MAC",
                                      .IsBinary = row.type == "BINARY"}));
    }
}

// Parses batches on threads of their own, a few at a time, and hands their rows back in
// the order of the file: reading and parsing overlap, and a million rows take a fraction
// of one thread's time on a machine with several processors.
class ParallelRows {
public:
    explicit ParallelRows(ResultsList& into) : into_(into) {
        const unsigned processors = std::max(1u, std::thread::hardware_concurrency());
        inFlight_ = 2 * static_cast<std::size_t>(processors);
    }

    // Sends `batch` off; false when a batch before it held a fault (Fault() tells).
    bool Send(Batch&& batch) {
        pending_.push_back(std::async(std::launch::async, [batch = std::move(batch)]() mutable {
            ParseBatch(batch);
            return std::move(batch);
        }));
        return pending_.size() < inFlight_ || TakeOldest();
    }
    // Takes every batch still out; false at the first fault.
    bool Finish() {
        while (!pending_.empty())
            if (!TakeOldest()) return false;
        return true;
    }
    const std::string& Fault() const { return fault_; }

private:
    bool TakeOldest() {
        Batch batch = pending_.front().get();
        pending_.pop_front();
        for (ResultEntry& row : batch.rows) into_.AddEntry(std::move(row));
        if (!batch.fault) return true;
        fault_ = std::move(*batch.fault);
        return false;
    }

    ResultsList& into_;
    std::size_t inFlight_;
    std::deque<std::future<Batch>> pending_;
    std::string fault_;
};

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
    ParallelRows rows(loaded);
    Batch batch;
    batch.firstLine = lineNumber + 1;
    bool faultless = true;
    for (std::string_view line; faultless && reader.Next(line);) {
        ++lineNumber;
        shown.Line(++count);
        batch.text.append(line).push_back('\n');
        if (++batch.lines < Batch::kLines) continue;
        faultless = rows.Send(std::move(batch));
        batch = Batch{};
        batch.firstLine = lineNumber + 1;
    }
    // A fault in a row comes before one in reading further on.
    if (faultless && batch.lines > 0) faultless = rows.Send(std::move(batch));
    if (!faultless || !rows.Finish())
        return detail::Failure(detail::NotAResultsFile(path, rows.Fault()));
    if (reader.error() != 0) return readFailure();
    if (reader.tooLong()) return tooLong(lineNumber + 1);

    loaded.SetSearchSummary(std::move(header[2]));
    loaded.SetAutoSort(true);
    list.ReplaceWith(std::move(loaded));
    return {};
}

} // namespace mvf::results
