// SaveResults: the list as a text table in name order.
#include <algorithm>
#include <numeric>
#include <string>

#include "file_messages.h"
#include "finder/results/results_file.h"
#include "replacing_file.h"
#include "sort_order.h"
#include "text_util.h"

namespace mvf::results {
namespace {

constexpr std::size_t kSaveNoticeRows = 150;
constexpr std::size_t kTypeWidth = 8;
constexpr std::size_t kFlushAt = 1 << 20;

// Appends `text` with each TAB, CR and LF written as "?" (with `keepTabs`, CR and LF only):
// the format has no way to hold a TAB inside a field, nor a line end inside a line.
void AppendClean(std::string& out, std::string_view text, bool keepTabs = false) {
    const std::size_t from = out.size();
    out.append(text);
    for (auto it = out.begin() + static_cast<std::ptrdiff_t>(from); it != out.end(); ++it)
        if ((*it == '\t' && !keepTabs) || *it == '\r' || *it == '\n') *it = '?';
}

void PadRight(std::string& out, std::string_view text, std::size_t width) {
    AppendClean(out, text);
    if (text.size() < width) out.append(width - text.size(), ' ');
}

void PadLeft(std::string& out, std::string_view text, std::size_t width) {
    if (text.size() < width) out.append(width - text.size(), ' ');
    AppendClean(out, text);
}

void Centre(std::string& out, std::string_view text, std::size_t width) {
    const std::size_t room = width > text.size() ? width - text.size() : 0;
    out.append(room / 2, ' ');
    AppendClean(out, text);
    out.append(room - room / 2, ' ');
}

struct Widths {
    std::size_t name = 0, path = 0, size = 0, created = 0, modified = 0;
};

Widths Measure(std::span<const ResultEntry> rows) {
    Widths w;
    for (const ResultEntry& row : rows) {
        w.name = std::max(w.name, row.name().size());
        w.path = std::max(w.path, row.path().size());
        w.size = std::max(w.size, row.size().size());
        w.created = std::max(w.created, detail::TrimSpaces(row.created()).size());
        w.modified = std::max(w.modified, row.modified().size());
    }
    return w;
}

void AppendHeader(std::string& out, std::size_t rows, std::string_view summary, const Widths& w) {
    out.append(std::to_string(rows))
        .append("  files were found that matched your search "
                "criteria!\r\n \r\n");
    AppendClean(out, summary, /*keepTabs=*/true);
    out.append("\r\n \r\n");
    PadRight(out, "File Name", w.name);
    out.push_back('\t');
    PadRight(out, "Type", kTypeWidth);
    out.push_back('\t');
    PadRight(out, "Path", w.path);
    out.push_back('\t');
    PadLeft(out, "Size", w.size);
    out.append("\t  ");
    Centre(out, "Creation Date", w.created);
    out.push_back('\t');
    Centre(out, "Last Modified Date", w.modified);
    out.append("\r\n \r\n");
}

void AppendRow(std::string& out, const ResultEntry& row, const Widths& w) {
    PadRight(out, row.name(), w.name);
    out.push_back('\t');
    PadRight(out, TypeText(row.type()), kTypeWidth);
    out.push_back('\t');
    PadRight(out, row.path(), w.path);
    out.push_back('\t');
    PadLeft(out, row.size(), w.size);
    out.append("\t    ");
    PadRight(out, detail::TrimSpaces(row.created()), w.created);
    out.push_back('\t');
    AppendClean(out, row.modified());
    out.append("\r\n");
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
    const Widths widths = Measure(rows);

    detail::ReplacingFile file(path);
    if (!file.Open()) return detail::Failure(detail::UnableToOpen(path));
    std::string out;
    out.reserve(kFlushAt + 4096);
    AppendHeader(out, rows.size(), list.SearchSummary(), widths);
    for (const std::uint32_t row : byName) {
        AppendRow(out, rows[row], widths);
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
