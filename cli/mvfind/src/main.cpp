// mvfind: the finder's search from a shell.
#include <atomic>
#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <unistd.h>

#include "mvfindgrep.h"

#include "finder/results/results_file.h"
#include "finder/search/bg_search.h"
#include "finder/search/completion.h"
#include "finder/search/entry_checks.h"
#include "options.h"
#include "platform/core/current_directory.h"
#include "platform/core/open_file_limit.h"
#include "print_host.h"

namespace {

using namespace mvf;

constexpr int kFound = 0;
constexpr int kNothingFound = 1;
constexpr int kTrouble = 2;
constexpr int kInterrupted = 128 + SIGINT;

// Ctrl+C stops the search as the finder's Stop button does (even inside one long line):
// the hits found so far are printed and saved. A second Ctrl+C ends mvfind at once.
static_assert(std::atomic<bool>::is_always_lock_free, "set from a signal handler");
std::atomic<bool>* g_stopRequested = nullptr;
volatile std::sig_atomic_t g_interrupted = 0;

extern "C" void OnInterrupt(int) {
    g_interrupted = 1;
    if (g_stopRequested) g_stopRequested->store(true, std::memory_order_relaxed);
    std::signal(SIGINT, SIG_DFL);
}

void Complain(const std::string& text) {
    std::fprintf(stderr, "mvfind: %s\n", text.c_str());
}

// Writes the results file as the finder would after this search: the rows with the
// search's summary. Nothing is written when nothing was found.
bool Save(results::ResultsList& rows, const search::SearchCompletion& completion,
          const std::string& path) {
    rows.SetSearchSummary(completion.SearchSummary);
    rows.SetAutoSort(true);
    const results::FileResult saved = results::SaveResults(rows, path, {});
    if (saved.status != results::FileStatus::Failed) return true;
    Complain(saved.message.text);
    return false;
}

// --load: the rows of a results file, printed as a search prints its hits.
int PrintResultsFile(const cli::Options& options) {
    results::ResultsList rows;
    const results::FileResult loaded = results::LoadList(rows, options.loadPath, {});
    if (loaded.status == results::FileStatus::Skipped) {
        Complain(options.loadPath + ": " + std::strerror(ENOENT));
        return kTrouble;
    }
    if (loaded.status == results::FileStatus::Failed) {
        Complain(loaded.message.text);
        return kTrouble;
    }
    for (const results::ResultEntry& row : rows.entries()) {
        if (options.longFormat) {
            cli::PrintRowFields(row);
        } else {
            const std::string path = results::FullPath(row);
            std::fwrite(path.data(), 1, path.size(), stdout);
            std::fputc('\n', stdout);
        }
    }
    if (std::fflush(stdout) != 0 || std::ferror(stdout)) {
        Complain(std::string("cannot write the output: ") + std::strerror(errno));
        return kTrouble;
    }
    return rows.empty() ? kNothingFound : kFound;
}

int Run(cli::Options& options) {
    search::SearchFlags& flags = search::ProcessSearchFlags();
    g_stopRequested = &flags.StopRequested;
    std::signal(SIGINT, &OnInterrupt);
    search::RememberedLists lists; // mvfind remembers nothing between runs
    if (const auto fault = search::PrepareSearch(options.criteria, lists, flags)) {
        std::fprintf(stderr, "%s\n", fault->Message.c_str());
        return kTrouble;
    }
    const bool stopAtFirstHit =
        options.quiet && options.savePath.empty() && options.errorLogPath.empty();
    cli::PrintHost host({!options.quiet, options.longFormat, options.progress && ::isatty(2),
                         !options.savePath.empty()},
                        [&](const search::FoundFile&) {
                            if (stopAtFirstHit) flags.StopRequested = true;
                        });
    search::TBGSearch(options.criteria, host, options.errorLogPath, flags).Wait();
    std::fflush(stdout);
    const search::SearchCompletion& completion = *host.Completion();
    search::ApplyCompletion(flags, completion);

    int status = completion.Hits > 0 ? kFound : kNothingFound;
    if (completion.OfferLog)
        for (const std::string& line : completion.ErrorLines)
            std::fprintf(stderr, "%s\n", line.c_str());
    if (!completion.LogFailure.empty()) {
        Complain(completion.LogFailure);
        status = kTrouble;
    }
    if (!options.savePath.empty() && !Save(host.Rows(), completion, options.savePath))
        status = kTrouble;
    if (g_interrupted) {
        Complain("interrupted: the search was stopped");
        status = kInterrupted;
    }
    if (std::ferror(stdout)) {
        Complain(std::string("cannot write the output: ") + std::strerror(errno));
        status = kTrouble;
    }
    return status;
}

} // namespace

int main(int argc, char** argv) {
    platform::RaiseOpenFileLimit();
    std::setlocale(LC_COLLATE, "");  // a saved results file lists names in the user's order
    LibMain(nullptr, 0, 0, nullptr); // the engine's notices carry their captions
    auto parsed = cli::ParseOptions(argc, argv, platform::CurrentDirectory());
    if (std::holds_alternative<cli::ShowHelp>(parsed)) {
        std::fputs(cli::HelpText(), stdout);
        return kFound;
    }
    if (const auto* error = std::get_if<cli::UsageError>(&parsed)) {
        Complain(error->message);
        std::fputs("Try 'mvfind --help'.\n", stderr);
        return kTrouble;
    }
    cli::Options& options = std::get<cli::Options>(parsed);
    if (!options.loadPath.empty()) return PrintResultsFile(options);
    return Run(options);
}
