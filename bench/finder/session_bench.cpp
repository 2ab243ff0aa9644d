// A search through the finder's session (hits into the results list and a table view on
// the GUI thread) against mvfind with the same criteria, run in turns so that both meet
// the same machine; and the longest time the GUI thread's event loop was kept from a 1 ms
// timer while the session searched.
//
//   session_bench [--runs N] [--mvfind PATH] [mvfind's -m MASKS -f EXPR -s -c --binaries] FOLDER
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <QApplication>
#include <QFileInfo>
#include <QHeaderView>
#include <QTableView>

#include "finder/results/results_list.h"
#include "finder/search/entry_checks.h"
#include "finder/session/search_session.h"
#include "gui_probes.h"
#include "mvfindgrep.h"
#include "platform/core/current_directory.h"
#include "platform/qt/scripted_notifier.h"

using namespace mvf;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double CpuMs(const rusage& usage) {
    return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3 +
           (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
}

struct Timing {
    double wallMs;
    double cpuMs;
};

// mvfind to its end, its output read through a pipe and counted.
Timing TimeMvfind(const std::vector<std::string>& argv, std::size_t& lines) {
    int out[2];
    if (::pipe(out) != 0) return {-1, -1};
    const auto began = Clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        ::dup2(out[1], 1);
        ::close(out[0]);
        ::close(out[1]);
        std::vector<char*> args;
        for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
        args.push_back(nullptr);
        ::execv(args[0], args.data());
        ::_exit(127);
    }
    ::close(out[1]);
    char buffer[1 << 16];
    lines = 0;
    for (ssize_t n; (n = ::read(out[0], buffer, sizeof buffer)) > 0;)
        lines += static_cast<std::size_t>(std::count(buffer, buffer + n, '\n'));
    ::close(out[0]);
    int status = 0;
    rusage usage{};
    ::wait4(child, &status, 0, &usage);
    return {Ms(Clock::now() - began), CpuMs(usage)};
}

struct SessionRun {
    Timing time;
    qint64 stallMs; // -1: not measured
    std::size_t hits;
};

// The session from Start to SearchEnded. With `meter`, the GUI thread's longest stall is
// measured too (its 1 ms timer costs time of its own, so timed runs go without).
SessionRun TimeSession(const search::SearchCriteria& entered, bool meter) {
    platform::ScriptedNotifier notifier;
    results::ResultsList list;
    session::SearchSession session(list, {.notifier = notifier});
    session::testing::ListTableModel model(list, session);
    QTableView view; // like the results list: no row numbers
    view.setModel(&model);
    view.verticalHeader()->hide();
    view.resize(600, 400);
    view.show();
    QApplication::processEvents();

    search::SearchFlags& flags = search::ProcessSearchFlags();
    search::SearchCriteria criteria = entered;
    search::RememberedLists lists;
    const std::string here = platform::CurrentDirectory();
    if (auto fault = search::PrepareSearch(criteria, lists, flags)) {
        std::fprintf(stderr, "session_bench: %s\n", fault->Message.c_str());
        std::exit(2);
    }
    platform::SetCurrentDirectory(here);

    rusage before{}, after{};
    ::getrusage(RUSAGE_SELF, &before);
    const auto began = Clock::now();
    session.Start(std::move(criteria));
    std::optional<session::testing::StallMeter> stalls;
    if (meter) stalls.emplace();
    bool ended = false;
    QObject::connect(&session, &session::SearchSession::SearchEnded, [&] { ended = true; });
    while (!ended) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const double ms = Ms(Clock::now() - began);
    ::getrusage(RUSAGE_SELF, &after);
    return {{ms, CpuMs(after) - CpuMs(before)}, stalls ? stalls->LongestMs() : -1, list.size()};
}

[[noreturn]] void Usage() {
    std::fputs("usage: session_bench [--runs N] [--mvfind PATH] [-m MASKS] [-f EXPR] [-s] [-c] "
               "[--binaries] FOLDER\n",
               stderr);
    std::exit(2);
}

} // namespace

int main(int argc, char** argv) {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) == 0) {
        limit.rlim_cur = limit.rlim_max;
        ::setrlimit(RLIMIT_NOFILE, &limit);
    }
    QApplication app(argc, argv);
    LibMain(nullptr, 0, 0, nullptr);
    int runs = 5;
    std::string mvfind =
        QFileInfo(QCoreApplication::applicationDirPath() + "/mvfind").filePath().toStdString();
    search::SearchCriteria criteria;
    criteria.FileMaskText = "*.*";
    std::vector<std::string> searchArgs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto next = [&]() -> std::string {
            if (i + 1 >= argc) Usage();
            return argv[++i];
        };
        if (arg == "--runs") {
            runs = std::max(1, std::atoi(next().c_str()));
        } else if (arg == "--mvfind") {
            mvfind = next();
        } else if (arg == "-m") {
            criteria.FileMaskText = next();
            searchArgs.insert(searchArgs.end(), {"-m", criteria.FileMaskText});
        } else if (arg == "-f") {
            criteria.FindText = next();
            searchArgs.insert(searchArgs.end(), {"-f", criteria.FindText});
        } else if (arg == "-s") {
            criteria.SearchSubfolders = true;
            searchArgs.push_back(arg);
        } else if (arg == "-c") {
            criteria.MatchCase = true;
            searchArgs.push_back(arg);
        } else if (arg == "--binaries") {
            criteria.SkipBinaries = false;
            searchArgs.push_back(arg);
        } else if (!arg.empty() && arg[0] != '-' && criteria.DirectoryText.empty()) {
            criteria.DirectoryText = arg;
            searchArgs.push_back(arg);
        } else {
            Usage();
        }
    }
    if (criteria.DirectoryText.empty()) Usage();
    std::vector<std::string> command{mvfind};
    command.insert(command.end(), searchArgs.begin(), searchArgs.end());

    std::vector<double> mvfindMs, mvfindCpu, sessionMs, sessionCpu;
    std::vector<double> stalls;
    qint64 worstStall = 0;
    std::size_t mvfindHits = 0, sessionHits = 0;
    // One warm-up of each, then the timed runs in turns, then the runs that measure the
    // GUI thread's stalls.
    TimeMvfind(command, mvfindHits);
    TimeSession(criteria, false);
    for (int run = 0; run < runs; ++run) {
        const Timing mv = TimeMvfind(command, mvfindHits);
        mvfindMs.push_back(mv.wallMs);
        mvfindCpu.push_back(mv.cpuMs);
        const SessionRun session = TimeSession(criteria, false);
        sessionMs.push_back(session.time.wallMs);
        sessionCpu.push_back(session.time.cpuMs);
        sessionHits = session.hits;
    }
    for (int run = 0; run < runs; ++run) {
        const SessionRun session = TimeSession(criteria, true);
        stalls.push_back(static_cast<double>(session.stallMs));
        worstStall = std::max(worstStall, session.stallMs);
    }
    std::printf("hits          mvfind %zu, session %zu%s\n", mvfindHits, sessionHits,
                mvfindHits == sessionHits ? "" : "   <- DIFFER");
    std::printf("mvfind        median %8.1f ms, cpu %8.1f ms   (%d runs)\n", Median(mvfindMs),
                Median(mvfindCpu), runs);
    std::printf("session       median %8.1f ms, cpu %8.1f ms   ratio %.2f, cpu %.2f\n",
                Median(sessionMs), Median(sessionCpu), Median(sessionMs) / Median(mvfindMs),
                Median(sessionCpu) / Median(mvfindCpu));
    std::printf("GUI stall     median %.0f ms, worst %lld ms (longest wait of a 1 ms timer)\n",
                Median(stalls), static_cast<long long>(worstStall));
    return mvfindHits == sessionHits ? 0 : 1;
}
