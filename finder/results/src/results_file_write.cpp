// SaveResults: the list as a text table in name order.
#include <algorithm>
#include <numeric>
#include <string>

#include "file_messages.h"
#include "finder/results/results_file.h"
#include "platform/core/replacing_file.h"
#include "row_line.h"
#include "sort_order.h"
#include "text_util.h"

namespace mvf::results {
namespace {

constexpr std::size_t kSaveNoticeRows = 150;
constexpr std::size_t kFlushAt = 1 << 20;

void AppendHeader(std::string& out, std::size_t rows, std::string_view summary,
                  const detail::Widths& w) {
    out.append(std::to_string(rows))
        .append("  files were found that matched your search "
                "criteria!\r\n \r\n");
    // The summary is one line: a line end in it is shown as "?".
    for (const char c : summary) out.push_back(c == '\r' || c == '\n' ? '?' : c);
    out.append("\r\n \r\n");
    detail::AppendColumnTitles(out, w);
    out.append("\r\n \r\n");
}

// Closes the window's "Loading" notice on every way out.
class SaveNotice {
public:
    SaveNotice(FileProgress* progress, std::size_t rows)
        : progress_(rows > kSaveNoticeRows ? progress : nullptr) {
        if (progress_) progress_->SaveStarted();
    }
    ~SaveNotice() {
        if (progress_) progress_->SaveFinished();
    }
    SaveNotice(const SaveNotice&) = delete;
    SaveNotice& operator=(const SaveNotice&) = delete;

private:
    FileProgress* progress_;
};

} // namespace

FileResult SaveResults(const ResultsList& list, std::string_view FileName,
                       std::string_view resultsFolder, FileProgress* progress) {
    if (list.empty()) return {FileStatus::Skipped, {}};
    const std::string path = ResultsFilePath(FileName, resultsFolder);
    const SaveNotice notice(progress, list.size());

    const std::span<const ResultEntry> rows = list.entries();
    std::vector<std::uint32_t> byName;
    if (list.AutoSort() && list.SortColumn() == kNameColumn && list.SortAscending()) {
        // Already in name order, as the list usually is.
        byName.resize(rows.size());
        std::iota(byName.begin(), byName.end(), 0u);
    } else {
        byName = detail::SortedOrder(rows, kNameColumn, /*ascending=*/true);
    }
    const detail::Widths widths = detail::Measure(rows);

    platform::ReplacingFile file(path);
    if (!file.Open()) return detail::Failure(detail::UnableToOpen(path));
    std::string out;
    out.reserve(kFlushAt + 4096);
    AppendHeader(out, rows.size(), list.SearchSummary(), widths);
    for (const std::uint32_t row : byName) {
        if (const auto fault = detail::AppendRow(out, rows[row], widths))
            return detail::Failure(detail::UnableToWrite(path, *fault));
        out.append("\r\n");
        if (out.size() >= kFlushAt) {
            if (!file.Write(out))
                return detail::Failure(detail::UnableToWrite(path, file.ErrorText()));
            out.clear();
        }
    }
    if (!file.Write(out) || !file.Commit())
        return detail::Failure(detail::UnableToWrite(path, file.ErrorText()));
    return {};
}

} // namespace mvf::results
