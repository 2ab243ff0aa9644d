// Times the results list on generated rows (one million by default): adding them, each of
// the ten sorts, saving the results file and loading it back into the full list (so the old
// and the new rows are both held, as when the user loads over a shown list). Prints each
// phase's wall time and the process's peak resident memory after it.
//
//   results_bench [rows] [folder for the file]
#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "finder/results/list_texts.h"
#include "finder/results/results_file.h"
#include "finder/results/results_list.h"

namespace {

double PeakMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // ru_maxrss is in KiB
}

// Processor time used so far, user and system: on a machine shared with other work it
// varies far less than the wall time.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

template <class Step> void Time(const std::string& phase, Step&& step) {
    const auto start = std::chrono::steady_clock::now();
    const double cpuStart = CpuSeconds();
    step();
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::printf("%-34s %7.3f s  cpu %7.3f s  peak %6.1f MB\n", phase.c_str(), took.count(),
                CpuSeconds() - cpuStart, PeakMegabytes());
    std::fflush(stdout);
}

// A time text as the search writes it: "mm/dd/yyyy hh:mm:ss AM/PM".
std::string TimeText(std::mt19937& random) {
    const int hour = static_cast<int>(random() % 24);
    char text[32];
    std::snprintf(text, sizeof text, "%02d/%02d/%04d %02d:%02d:%02d %s",
                  static_cast<int>(1 + random() % 12), static_cast<int>(1 + random() % 28),
                  static_cast<int>(1990 + random() % 36), hour % 12 == 0 ? 12 : hour % 12,
                  static_cast<int>(random() % 60), static_cast<int>(random() % 60),
                  hour < 12 ? "AM" : "PM");
    return text;
}

// Folders like a home tree: ~20 files each, a few levels deep, mixed letter case.
std::vector<std::string> Folders(std::mt19937& random, std::size_t count) {
    static const char* words[] = {"src",  "Documents", "projects", "include", "lib",  "photos",
                                  "2023", "archive",   "build",    "Test",    "docs", "music",
                                  "old",  "Work",      "notes",    "data",    "tmp",  "vendor"};
    std::vector<std::string> folders;
    for (std::size_t i = 0; i < count; ++i) {
        std::string folder = "/home/user";
        for (int depth = 1 + static_cast<int>(random() % 6); depth > 0; --depth) {
            folder.append("/").append(words[random() % std::size(words)]);
            if (random() % 3 == 0) folder.append(std::to_string(random() % 100));
        }
        folders.push_back(folder);
    }
    return folders;
}

std::string Name(std::mt19937& random) {
    static const char* stems[] = {"report", "Main", "index", "photo", "notes",
                                  "README", "data", "build", "test",  "config"};
    static const char* extensions[] = {".txt", ".cpp", ".h", ".jpg", ".log", ".md", ""};
    if (random() % 30 == 0) return std::to_string(random() % 100000); // a numeric name
    return stems[random() % std::size(stems)] + std::to_string(random() % 10000) +
           extensions[random() % std::size(extensions)];
}

} // namespace

int main(int argc, char** argv) {
    const char* locale = std::setlocale(LC_ALL, "");
    const long rows = argc > 1 ? std::atol(argv[1]) : 1'000'000;
    const std::filesystem::path folder =
        argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
    const std::string file = (folder / ("results-bench-" + std::to_string(getpid()) + ".ser"));
    std::printf("%ld rows, collation locale %s\n", rows,
                std::setlocale(LC_COLLATE, nullptr) ? std::setlocale(LC_COLLATE, nullptr)
                                                    : (locale ? locale : "?"));

    // Rows are made as they are added, so that only the list counts towards the peak; the
    // same rows made alone first tell how much of the add time is their making.
    const auto eachRow = [rows](auto&& use) {
        std::mt19937 random(2024);
        const std::vector<std::string> folders =
            Folders(random, static_cast<std::size_t>(rows / 20 + 1));
        for (long i = 0; i < rows; ++i) {
            const std::string path = folders[random() % folders.size()] + "/" + Name(random);
            use(path, random() % 10 == 0 ? "(unknown)" : TimeText(random), TimeText(random),
                static_cast<std::int64_t>(random() % 50'000'000), i);
        }
    };
    std::size_t made = 0;
    Time("make the rows only", [&] {
        eachRow([&](const std::string& path, const std::string&, const std::string&, std::int64_t,
                    long) { made += path.size(); });
    });

    mvf::results::ResultsList list;
    Time("make and add (AutoSort off), sort", [&] {
        list.SetAutoSort(false);
        eachRow([&](const std::string& path, const std::string& created,
                    const std::string& modified, std::int64_t size, long i) {
            list.AddItem(path, created, modified, size,
                         {.IsUnix = i % 3 == 0, .IsDos = i % 3 == 1, .IsBinary = i % 7 == 0});
        });
        list.SetAutoSort(true);
    });

    // The list is in name order after the add: the name sorts come last, from another order.
    for (const int column :
         {mvf::results::kPathColumn, mvf::results::kSizeColumn, mvf::results::kCreatedColumn,
          mvf::results::kModifiedColumn, mvf::results::kNameColumn})
        for (const bool ascending : {true, false})
            Time(std::string(mvf::results::SortText(column, ascending)),
                 [&] { list.SetSort(column, ascending); });

    const auto save = [&] {
        const mvf::results::FileResult result = mvf::results::SaveResults(list, file, "");
        if (result.status != mvf::results::FileStatus::Done)
            std::printf("%s\n", result.message.text.c_str());
    };
    // The save sorts the rows by name first unless they are in name order already, as
    // they usually are at the end of a run; then it only writes.
    list.SetSort(mvf::results::kModifiedColumn, true);
    Time("save (rows sorted by name first)", save);
    list.SetSort(mvf::results::kNameColumn, true);
    Time("save (rows in name order)", save);
    std::printf("%-34s %.1f MB\n", "file size",
                static_cast<double>(std::filesystem::file_size(file)) / 1e6);
    // As the finder loads: into a list of its own with the shown list's sort, which then
    // replaces the shown one; the replaced rows are freed apart (on another thread there).
    mvf::results::ResultsList loaded;
    loaded.SetSort(list.SortColumn(), list.SortAscending());
    Time("load (while the full list is held)", [&] {
        const mvf::results::FileResult result = mvf::results::LoadList(loaded, file, "");
        if (result.status != mvf::results::FileStatus::Done)
            std::printf("%s\n", result.message.text.c_str());
    });
    list.ReplaceWith(std::move(loaded));
    Time("free the replaced rows", [&] { mvf::results::ResultsList gone(std::move(loaded)); });
    std::filesystem::remove(file);
    if (list.size() != static_cast<std::size_t>(rows)) {
        std::printf("loaded %zu rows, expected %ld\n", list.size(), rows);
        return 1;
    }
    return 0;
}
