#include "print_host.h"

#include <algorithm>
#include <sys/ioctl.h>
#include <unistd.h>

namespace mvf::cli {

namespace {

// The progress line is redrawn at most this often: a terminal cannot show more.
constexpr std::chrono::milliseconds kProgressInterval(100);

std::size_t TerminalColumns() {
    winsize size{};
    if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 1) return size.ws_col;
    return 80;
}

} // namespace

PrintHost::PrintHost(Settings settings, std::function<void(const search::FoundFile&)> onHit)
    : settings_(settings), onHit_(std::move(onHit)) {
    rows_.SetAutoSort(false); // rows stay in the order found, as during a search
}

void PrintHost::ShowProgress(const std::string& statusText) {
    if (!settings_.progress) return;
    const auto now = std::chrono::steady_clock::now();
    if (now < nextProgress_) return;
    nextProgress_ = now + kProgressInterval;
    // The end of the path tells most; keep the line within the terminal.
    const std::size_t room = TerminalColumns() - 1;
    const std::string shown =
        statusText.size() <= room ? statusText : statusText.substr(statusText.size() - room);
    std::fprintf(stderr, "\r%s\033[K", shown.c_str());
    std::fflush(stderr);
    progressShown_ = true;
}

void PrintHost::ClearProgress() {
    if (!progressShown_) return;
    std::fputs("\r\033[K", stderr);
    std::fflush(stderr);
    progressShown_ = false;
}

void PrintHost::AddHit(const search::FoundFile& hit) {
    ClearProgress();
    if (settings_.longFormat || settings_.keepRows) {
        const std::size_t row = rows_.AddItem(hit.Path, hit.Created, hit.Modified, hit.Size,
                                              {hit.IsUnix, hit.IsDos, hit.IsMac, hit.IsBinary});
        if (settings_.print && settings_.longFormat) PrintRowFields(rows_[row]);
        if (!settings_.keepRows) rows_.Clear();
    }
    // Saving the rows as well changes nothing of what is printed.
    if (settings_.print && !settings_.longFormat) {
        std::fwrite(hit.Path.data(), 1, hit.Path.size(), stdout);
        std::fputc('\n', stdout);
    }
    if (onHit_) onHit_(hit);
}

void PrintRowFields(const results::ResultEntry& row) {
    std::string_view created = row.created();
    created.remove_prefix(std::min(created.find_first_not_of(' '), created.size()));
    std::string line;
    for (const std::string_view field :
         {row.name(), results::TypeText(row.type()), row.path(), row.size(), created})
        line.append(field).push_back('\t');
    line.append(row.modified()).push_back('\n');
    std::fwrite(line.data(), 1, line.size(), stdout);
}

void PrintHost::SearchFinished(const search::SearchCompletion& completion) {
    ClearProgress();
    completion_ = completion;
}

} // namespace mvf::cli
