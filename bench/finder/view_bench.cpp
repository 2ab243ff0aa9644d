// The results view with a million generated rows, on the offscreen platform (the same
// raster painting as on a desktop, without a display): the rows taken into the view,
// scrolling a page and repainting, a header click's sort with its hourglass, the speed
// search through the whole list, 500,000 rows added during a bulk change as a search adds
// them, and the memory of it all.
//
//   finder_view_bench [rows]
#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScrollBar>
#include <QTimer>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <clocale>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "finder/actions/load_progress_window.h"
#include "finder/actions/results_file_commands.h"
#include "finder/actions/scripted_file_dialogs.h"
#include "finder/results/results_list.h"
#include "finder/view/results_model.h"
#include "finder/view/results_view.h"
#include "finder/view/vf_list.h"
#include "platform/qt/scripted_notifier.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

double ResidentMegabytes() {
    std::ifstream statm("/proc/self/statm");
    long pages = 0, resident = 0;
    statm >> pages >> resident;
    return double(resident) * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

// The processor time of the GUI thread so far: on a machine shared with other work it
// varies far less than the wall time.
double ThreadCpuMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

struct Took {
    double wall = 0; // milliseconds
    double cpu = 0;  // milliseconds of the GUI thread
};

template <class Step> Took Time(Step&& step) {
    const auto start = Clock::now();
    const double cpuStart = ThreadCpuMilliseconds();
    step();
    return {Milliseconds(Clock::now() - start), ThreadCpuMilliseconds() - cpuStart};
}

void Report(const char* what, const std::vector<Took>& samples) {
    const auto quantiles = [](std::vector<double> values, const char* name) {
        std::sort(values.begin(), values.end());
        const auto at = [&](double share) {
            return values[std::min(values.size() - 1, std::size_t(share * double(values.size())))];
        };
        std::printf("  %s median %7.2f  95%% %7.2f  max %7.2f ms", name, at(0.5), at(0.95),
                    values.back());
    };
    std::vector<double> wall, cpu;
    for (const Took& t : samples) {
        wall.push_back(t.wall);
        cpu.push_back(t.cpu);
    }
    std::printf("%-40s (%zu)\n", what, samples.size());
    quantiles(cpu, "cpu ");
    std::printf("\n");
    quantiles(wall, "wall");
    std::printf("\n");
    std::fflush(stdout);
}

void Report(const char* what, Took took) {
    std::printf("%-40s cpu %8.1f ms  wall %8.1f ms  rss %6.1f MB  peak %6.1f MB\n", what, took.cpu,
                took.wall, ResidentMegabytes(), PeakMegabytes());
    std::fflush(stdout);
}

// Rows like a big search's: folders a few levels deep, names with numbers, both dates.
class Rows {
public:
    Rows() : random_(2024) {
        static const char* words[] = {"src",    "Documents", "projects", "include", "lib",
                                      "photos", "2023",      "archive",  "build",   "Test",
                                      "docs",   "music",     "old",      "Work",    "notes"};
        for (int i = 0; i < 50000; ++i) {
            std::string folder = "/home/user";
            for (int depth = 1 + int(random_() % 6); depth > 0; --depth)
                folder.append("/").append(words[random_() % std::size(words)]);
            folders_.push_back(folder);
        }
    }
    void Add(mvf::results::ResultsList& list) {
        static const char* stems[] = {"report", "Main", "index", "photo", "notes",
                                      "README", "data", "build", "test",  "config"};
        static const char* extensions[] = {".txt", ".cpp", ".h", ".jpg", ".log", ".md", ""};
        const std::string path =
            folders_[random_() % folders_.size()] + "/" + stems[random_() % std::size(stems)] +
            std::to_string(random_() % 10000) + extensions[random_() % std::size(extensions)];
        list.AddItem(path, random_() % 10 == 0 ? "(unknown)" : Time(), Time(),
                     std::int64_t(random_() % 50'000'000),
                     {.IsDos = random_() % 2 == 0, .IsBinary = true});
    }

private:
    std::string Time() {
        const int hour = int(random_() % 24);
        char text[32];
        std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d %s",
                      int(1 + random_() % 12), int(1 + random_() % 28), int(1990 + random_() % 36),
                      hour % 12 == 0 ? 12 : hour % 12, int(random_() % 60), int(random_() % 60),
                      hour < 12 ? "AM" : "PM");
        return text;
    }
    std::mt19937 random_;
    std::vector<std::string> folders_;
};

// Runs a save or load of the results file to its end with the event loop turning, and
// tells the longest time the GUI thread went without turning (a 5 ms timer's gaps).
void RunFileWork(const char* what, mvf::actions::ResultsFileCommands& commands,
                 const std::function<bool()>& start) {
    QElapsedTimer sinceTick;
    double longestGap = 0;
    QTimer tick;
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGap = std::max(longestGap, double(sinceTick.nsecsElapsed()) / 1e6);
        sinceTick.restart();
    });
    bool done = false;
    QObject::connect(&commands, &mvf::actions::ResultsFileCommands::finished, [&] { done = true; });
    const Took took = Time([&] {
        if (!start()) return;
        tick.start(5);
        sinceTick.start();
        while (!done) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    });
    Report(what, took);
    std::printf("  longest the GUI thread did not turn: %.1f ms\n", longestGap);
}

void PressKey(QWidget* target, int key) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &press);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_ALL, "");
    const long count = argc > 1 ? std::atol(argv[1]) : 1'000'000;
    std::printf("%ld rows, collation locale %s, Qt platform %s\n", count,
                std::setlocale(LC_COLLATE, nullptr), qPrintable(app.platformName()));
    const double baseline = ResidentMegabytes();

    mvf::results::ResultsList list;
    mvf::platform::ScriptedNotifier notifier;
    mvf::view::ResultsView view(list, notifier);
    view.resize(800, 600);
    view.show();
    QCoreApplication::processEvents();
    mvf::view::VFList& vfList = view.List();
    QScrollBar* scroll = vfList.verticalScrollBar();

    // A search's hits: added in batches during a bulk change, the view shown, the event
    // loop turning between batches as the search session delivers them.
    Rows rows;
    {
        list.SetAutoSort(false);
        view.BeginBulkChange();
        std::vector<Took> turns;
        const long searchRows = std::min(count, 500'000L);
        const Took total = Time([&] {
            for (long added = 0; added < searchRows;) {
                for (int i = 0; i < 2000 && added < searchRows; ++i, ++added) rows.Add(list);
                turns.push_back(Time([] { QCoreApplication::processEvents(); }));
            }
            view.EndBulkChange();
        });
        Report("a search adds 500,000 rows (bulk change)", total);
        Report("  event-loop turn between batches", turns);
        for (long added = searchRows; added < count; ++added) rows.Add(list);
        Report("the rest added, the list sorted once", Time([&] { list.SetAutoSort(true); }));
        QCoreApplication::processEvents();
    }
    Report("rows in the view, first repaint", Time([&] { vfList.viewport()->repaint(); }));
    std::printf("%-44s %9.1f MB\n", "memory of the list in the view (rss growth)",
                ResidentMegabytes() - baseline);

    // One page down and the repaint, from the top to the far end in steps.
    {
        std::vector<Took> pages;
        scroll->setValue(0);
        for (int i = 0; i < 300; ++i) {
            pages.push_back(Time([&] {
                scroll->setValue(scroll->value() + scroll->pageStep());
                vfList.viewport()->repaint();
            }));
            if (i == 150) scroll->setValue(scroll->maximum() / 2);
        }
        Report("page down and repaint", pages);
        std::vector<Took> jumps;
        std::mt19937 random(7);
        for (int i = 0; i < 100; ++i)
            jumps.push_back(Time([&] {
                scroll->setValue(int(random() % std::uint32_t(scroll->maximum() + 1)));
                vfList.viewport()->repaint();
            }));
        Report("jump anywhere and repaint", jumps);
    }

    // Header clicks: each sort with its hourglass, to the repainted list.
    {
        bool hourglass = true;
        QObject::connect(&view.Model(), &QAbstractItemModel::layoutAboutToBeChanged, [&] {
            hourglass = hourglass && QGuiApplication::overrideCursor() &&
                        QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        });
        view.SelectFirstIfNone();
        for (const int column : {2, 2, 1, 3, 4, 0, 0}) {
            const Took took = Time([&] {
                emit vfList.header()->sectionClicked(column);
                vfList.viewport()->repaint();
            });
            const std::string what = "header click, then: " + view.SortText().toStdString();
            Report(what.c_str(), took);
        }
        std::printf("%-44s %s\n", "hourglass during every sort", hourglass ? "yes" : "NO");
        // The view's own part of every sort: its layout of every row anew, and the repaint.
        Report("  of it the view's relayout and repaint", Time([&] {
                   vfList.doItemsLayout();
                   vfList.viewport()->repaint();
               }));
        QCoreApplication::processEvents();
        vfList.selectAll();
        Report("header click with every row selected", Time([&] {
                   emit vfList.header()->sectionClicked(2);
                   vfList.viewport()->repaint();
               }));
        vfList.clearSelection();
    }

    // The speed search through the whole list: no name matches, so every name is read.
    {
        auto* box = view.findChild<QLineEdit*>(QStringLiteral("VFSS"));
        std::vector<Took> searches;
        for (int i = 0; i < 10; ++i) {
            view.StartSpeedSearch(QLatin1Char('q'));
            box->setText(QStringLiteral("qqqq"));
            searches.push_back(Time([&] { PressKey(box, Qt::Key_Return); }));
        }
        Report("speed search, no match in any name", searches);
        std::printf("%-44s %zu\n", "  \"No Match Found!\" boxes", notifier.Boxes().size());
        // A match: from the selected (first) row on, found near the end of the list.
        const std::string last(list[list.size() - 1].name());
        view.StartSpeedSearch(QLatin1Char(last[0]));
        box->setText(QString::fromStdString(last));
        Report("speed search, a name near the end", Time([&] { PressKey(box, Qt::Key_Return); }));
    }
    // The results file: saved and loaded back off the GUI thread.
    {
        const std::string folder = std::filesystem::temp_directory_path() /
                                   ("finder-view-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        mvf::actions::ScriptedFileDialogs dialogs;
        mvf::actions::PlainLoadProgress progress(&view);
        mvf::actions::ResultsFileCommands commands(list, notifier, dialogs, progress, folder,
                                                   &view);
        RunFileWork("save the list as the last results", commands,
                    [&] { return commands.SaveLastResults(); });
        RunFileWork("load it back over the shown list", commands,
                    [&] { return commands.LoadLastResults(); });
        std::printf("%-44s %zu\n", "  rows after the load", list.size());
        std::filesystem::remove_all(folder);
    }
    std::printf("%-44s %9.1f MB\n", "peak memory of the whole run", PeakMegabytes());
    return 0;
}
