// Saving and loading results files: the exact bytes, the round trip, every refusal, and
// that a failure changes nothing.
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <set>

#include "finder/results/results_file.h"
#include "test_support.h"

namespace mvf::results {
namespace {

using testing::Names;
using testing::ReadAll;
using testing::TempFolder;
using testing::WriteAll;

constexpr char kHeaderOnly[] =
    "0  files were found that matched your search criteria!\r\n \r\n"
    "Filemask:  *.txt    Expression:  <none>   Boolean: <none>    Searched in:  /notes\r\n"
    " \r\nFile Name\tType    \tPath\tSize\t  Creation Date\tLast Modified Date\r\n \r\n";

ResultsList TwoRows() {
    ResultsList list;
    list.AddItem("/srv/Data/zeta.LOG", "07/04/1999 03:15:42 PM", "(unknown)", 5'000'000'000,
                 {.IsUnix = true});
    list.AddItem("/Alpha.txt", "(unknown)", "07/05/1999 10:00:00 AM", 0, {.IsBinary = true});
    list.SetSearchSummary("Filemask:  *    Expression:  x   Boolean: <none>    Searched in:  /");
    return list;
}

TEST(SaveResults, WritesHeaderAndPaddedRowsByteForByte) {
    TempFolder dir;
    ResultsList list;
    list.AddEntry(ResultEntry("a.txt", static_cast<int>(ResultType::DOS), "c:\\notes", "12",
                              "    07/04/1999 03:15:42 PM", "07/05/1999 10:00:00 AM"));
    list.SetSearchSummary(
        "Filemask:  *.txt    Expression:  <none>   Boolean: <none>    Searched in:  c:\\notes");
    ASSERT_EQ(FileStatus::Done, SaveResults(list, dir.Path("x.ser"), dir.Root()).status);
    EXPECT_EQ("1  files were found that matched your search criteria!\r\n"
              " \r\n"
              "Filemask:  *.txt    Expression:  <none>   Boolean: <none>    Searched in:  "
              "c:\\notes\r\n"
              " \r\n"
              "File Name\tType    \tPath    \tSize\t      Creation Date     \t  Last Modified "
              "Date  \r\n"
              " \r\n"
              "a.txt\tDOS     \tc:\\notes\t12\t    07/04/1999 03:15:42 PM\t07/05/1999 10:00:00 "
              "AM\r\n",
              ReadAll(dir.Path("x.ser")));
}

TEST(SaveResults, WritesNameOrderWithoutTouchingTheListAndPadsEachColumn) {
    TempFolder dir;
    ResultsList list = TwoRows();
    list.AddItem("/b/10", "x", "y", 7, {.IsDos = true});
    list.AddItem("/b/9", "x", "y", 7, {});
    list.SetSort(kSizeColumn, false);
    const std::string before = Names(list);
    ASSERT_EQ(FileStatus::Done, SaveResults(list, dir.Path("o.ser"), "").status);
    EXPECT_EQ(before, Names(list));
    EXPECT_EQ(kSizeColumn, list.SortColumn());

    const std::string text = ReadAll(dir.Path("o.ser"));
    const std::string rows = text.substr(text.find("\r\n \r\n", text.find("File Name")) + 5);
    EXPECT_EQ("9        \t        \t/b       \t         7\t    x                     \ty\r\n"
              "10       \tDOS     \t/b       \t         7\t    x                     \ty\r\n"
              "Alpha.txt\tBINARY  \t/        \t         0\t    (unknown)             \t"
              "07/05/1999 10:00:00 AM\r\n"
              "zeta.LOG \tUNIX    \t/srv/Data\t5000000000\t    07/04/1999 03:15:42 PM\t"
              "(unknown)\r\n",
              rows);
}

TEST(SaveResults, EmptyListWritesNothingAndLastResultsGoToTheResultsFolder) {
    TempFolder dir;
    WriteAll(dir.Path("keep.ser"), "old");
    EXPECT_EQ(FileStatus::Skipped, SaveResults(ResultsList(), dir.Path("keep.ser"), "").status);
    EXPECT_EQ("old", ReadAll(dir.Path("keep.ser")));

    EXPECT_EQ(dir.Path("last search results.ser"), ResultsFilePath(kLastResultsName, dir.Root()));
    EXPECT_EQ("/last search results.ser", ResultsFilePath(kLastResultsName, "/"));
    EXPECT_EQ("Last Search Results.ser", ResultsFilePath("Last Search Results.ser", "/r"));
    ASSERT_EQ(FileStatus::Done, SaveResults(TwoRows(), kLastResultsName, dir.Root()).status);
    EXPECT_NE("", ReadAll(dir.Path("last search results.ser")));
}

TEST(SaveResults, EveryRowLoadsBackAsExactlyTheSameFile) {
    TempFolder dir;
    // Names and folders the padded, TAB-parted columns cannot hold as they are.
    const std::string paths[] = {
        "/d/a.txt ",         "/d/a.txt", "/d/ ",           "/d/  ",
        "/dir /x",           "/dir/x",   "/d/tab\there",   "/d/new\nline\rend",
        "/d/ctl\x01",        "/d/\x7f",  "/d/\"q\" \\b\\", "/t\tf\tl/n",
        "/d/\xc3\xa9t\xe9 ", "/d/ lead", "/a.txt ",        "/sp ace/in name",
        "no\tfolder",
    };
    ResultsList list;
    for (const std::string& path : paths) list.AddItem(path, "c", "m", 1, {.IsUnix = true});
    list.AddItem("/d/empty times", "", "", 2, {.IsDos = true});
    ASSERT_EQ(FileStatus::Done, SaveResults(list, dir.Path("exact.ser"), "").status);
    ResultsList loaded;
    const FileResult result = LoadList(loaded, dir.Path("exact.ser"), "");
    ASSERT_EQ(FileStatus::Done, result.status) << result.message.text;
    const auto fullPaths = [](const ResultsList& l) {
        std::multiset<std::string> all;
        for (const ResultEntry& row : l.entries()) all.insert(FullPath(row));
        return all;
    };
    EXPECT_EQ(fullPaths(list), fullPaths(loaded));
    for (const ResultEntry& row : loaded.entries()) {
        EXPECT_EQ(row.name() == "empty times" ? "" : "m", row.modified()) << FullPath(row);
        EXPECT_EQ(row.name() == "empty times" ? "2" : "1", row.size());
    }
    // A path without a folder is read from the root, even when no row has a folder.
    ResultsList lone;
    lone.AddItem("lone", "c", "m", 1, {.IsDos = true});
    ASSERT_EQ(FileStatus::Done, SaveResults(lone, dir.Path("lone.ser"), "").status);
    ASSERT_EQ(FileStatus::Done, LoadList(loaded, dir.Path("lone.ser"), "").status);
    ASSERT_EQ(1u, loaded.size());
    EXPECT_EQ("/lone", FullPath(loaded[0]));
    ASSERT_EQ(FileStatus::Done, LoadList(loaded, dir.Path("exact.ser"), "").status);
    // The table stays readable: what its columns cannot hold shows as "?".
    const std::string text = ReadAll(dir.Path("exact.ser"));
    EXPECT_NE(std::string::npos, text.find("new?line?end"));
    // And the saved file saves again byte for byte.
    ASSERT_EQ(FileStatus::Done, SaveResults(loaded, dir.Path("again.ser"), "").status);
    ResultsList again;
    ASSERT_EQ(FileStatus::Done, LoadList(again, dir.Path("again.ser"), "").status);
    EXPECT_EQ(fullPaths(list), fullPaths(again));
}

TEST(SaveResults, ARowThatNamesNoFileIsRefusedBeforeAnythingIsWritten) {
    TempFolder dir;
    WriteAll(dir.Path("old.ser"), "old contents");
    ResultsList list = TwoRows();
    list.AddItem("/srv/folder/", "c", "m", 1, {.IsDos = true}); // a folder, no file name
    const FileResult result = SaveResults(list, dir.Path("old.ser"), "");
    EXPECT_EQ(FileStatus::Failed, result.status);
    EXPECT_EQ("Unable to write " + dir.Path("old.ser") +
                  "!\nThe row of /srv/folder/ names no file and cannot be saved.",
              result.message.text);
    EXPECT_EQ("old contents", ReadAll(dir.Path("old.ser")));
    EXPECT_EQ(1, std::distance(std::filesystem::directory_iterator(dir.Root()), {}));
}

TEST(SaveResults, AFailureSaysSoAndLeavesTheOldFile) {
    TempFolder dir;
    const Message cannotOpen = {"Unable to open " + dir.Path("no/such/folder.ser") + "!",
                                "Vantor Finder Error", MessageIcon::Warning};
    FileResult result = SaveResults(TwoRows(), dir.Path("no/such/folder.ser"), "");
    EXPECT_EQ(FileStatus::Failed, result.status);
    EXPECT_EQ(cannotOpen, result.message);

    std::filesystem::create_directory(dir.Path("folder.ser"));
    result = SaveResults(TwoRows(), dir.Path("folder.ser"), "");
    EXPECT_EQ("Unable to open " + dir.Path("folder.ser") + "!", result.message.text);

    // Writing stops part way (a file size limit holds even for root).
    WriteAll(dir.Path("old.ser"), "old contents");
    ResultsList big;
    for (int i = 0; i < 20000; ++i)
        big.AddItem("/f/" + std::to_string(i), "", "", i, {.IsDos = true});
    signal(SIGXFSZ, SIG_IGN);
    rlimit limit{}, saved{};
    getrlimit(RLIMIT_FSIZE, &saved);
    limit = {4096, saved.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
    result = SaveResults(big, dir.Path("old.ser"), "");
    setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(FileStatus::Failed, result.status);
    EXPECT_EQ("Unable to write " + dir.Path("old.ser") + "!\nFile too large", result.message.text);
    EXPECT_EQ("old contents", ReadAll(dir.Path("old.ser")));
    // No half-written file is left beside it: only old.ser and the folder.
    EXPECT_EQ(2, std::distance(std::filesystem::directory_iterator(dir.Root()), {}));
}

TEST(LoadList, BringsBackEveryRowWithEightSpacesBeforeTheCreationText) {
    TempFolder dir;
    const ResultsList saved = TwoRows();
    ASSERT_EQ(FileStatus::Done, SaveResults(saved, dir.Path("r.ser"), "").status);
    ResultsList list;
    list.SetSort(kSizeColumn, false);
    ASSERT_EQ(FileStatus::Done, LoadList(list, dir.Path("r.ser"), "").status);

    EXPECT_EQ(saved.SearchSummary(), list.SearchSummary());
    EXPECT_TRUE(list.AutoSort());
    ASSERT_EQ(2u, list.size());
    // Sorted by the list's own sort state: size descending.
    EXPECT_EQ(ResultEntry("zeta.LOG", static_cast<int>(ResultType::UNIX), "/srv/Data", "5000000000",
                          "        07/04/1999 03:15:42 PM", "(unknown)"),
              list[0]);
    EXPECT_EQ(ResultEntry("Alpha.txt", static_cast<int>(ResultType::BINARY), "/", "0",
                          "        (unknown)", "07/05/1999 10:00:00 AM"),
              list[1]);

    // A further save trims the spaces again: the same bytes as the first time.
    ASSERT_EQ(FileStatus::Done, SaveResults(list, dir.Path("again.ser"), "").status);
    EXPECT_EQ(ReadAll(dir.Path("r.ser")), ReadAll(dir.Path("again.ser")));
}

TEST(LoadList, HeaderOnlyFileGivesAnEmptyListAndItsSummary) {
    TempFolder dir;
    WriteAll(dir.Path("h.ser"), kHeaderOnly);
    ResultsList list = TwoRows();
    ASSERT_EQ(FileStatus::Done, LoadList(list, dir.Path("h.ser"), "").status);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ("Filemask:  *.txt    Expression:  <none>   Boolean: <none>    Searched in:  /notes",
              list.SearchSummary());
}

TEST(LoadList, AcceptsLfAndCrLineEndsAndSkipsEmptyLines) {
    TempFolder dir;
    std::string text = kHeaderOnly;
    text += "b\tDOS\t/x\t2\t01/01/2000\t(unknown)\r\n\r\n";
    text += "a\tMAC\t/x\t1\t01/01/2000\t(unknown)\n\n";
    text += "c\tODD\t/x\t3\t01/01/2000\t(unknown)\r";
    text += "e\tDOS\t/x\t5\t01/01/2000\t(unknown)\tnote\r\n"; // more fields than six
    text += "d\tUNIX\t\t\t/x\t  4\t01/01/2000\t(unknown)  ";  // TAB runs, no line end
    WriteAll(dir.Path("m.ser"), text);
    ResultsList list;
    ASSERT_EQ(FileStatus::Done, LoadList(list, dir.Path("m.ser"), "").status);
    EXPECT_EQ("a b c d e", Names(list));
    EXPECT_EQ(kNoTypeImage, list[2].type());
    EXPECT_EQ("4", list[3].size());
    EXPECT_EQ("(unknown)", list[3].modified());
}

TEST(LoadList, ReadsAcrossBlockBoundariesAndStopsAtLinesTooLongForAResultsFile) {
    TempFolder dir;
    // A CR LF parted by the 1 MiB read block is one line end, not two.
    std::string first = "0  files";
    first.append((1 << 20) - 1 - first.size(), ' ');
    WriteAll(dir.Path("split.ser"),
             first + std::string(kHeaderOnly).substr(std::string(kHeaderOnly).find('\r')));
    ResultsList list;
    ASSERT_EQ(FileStatus::Done, LoadList(list, dir.Path("split.ser"), "").status);
    EXPECT_NE("", list.SearchSummary());

    // Rows over several blocks all come back.
    for (int i = 0; i < 20000; ++i)
        list.AddItem("/a/rather/long/folder/name/to/fill/blocks/" + std::to_string(i), "c", "m", i,
                     {.IsDos = true});
    ASSERT_EQ(FileStatus::Done, SaveResults(list, dir.Path("many.ser"), "").status);
    ResultsList loaded;
    ASSERT_EQ(FileStatus::Done, LoadList(loaded, dir.Path("many.ser"), "").status);
    EXPECT_EQ(Names(list), Names(loaded));

    WriteAll(dir.Path("long.ser"), std::string(17 << 20, 'x'));
    EXPECT_EQ("long.ser is not a valid search results file!\nLine 1 is too long.",
              LoadList(loaded, dir.Path("long.ser"), "").message.text);
    EXPECT_EQ(20000u, loaded.size());
}

TEST(LoadList, RefusesWhatIsNoResultsFileAndChangesNothing) {
    TempFolder dir;
    const auto header = [](std::string firstLine) {
        return firstLine + std::string(kHeaderOnly).substr(std::string(kHeaderOnly).find('\r'));
    };
    const std::string notValid = " is not a valid search results file!";
    struct Case {
        std::string name, text, message;
    };
    const Case cases[] = {
        {"plain.ser", "just\r\nsome\r\ntext\r\n", "plain.ser" + notValid},
        {"empty.ser", "", "empty.ser" + notValid},
        {"first.ser", header("many  files were found"),
         "first.ser" + notValid + "\nLine 1 does not begin with the number of entries."},
        {"short.ser", std::string(kHeaderOnly) + "a\tDOS\t/x\t1\t01/01/2000\t(u)\r\na\tDOS\t/x\r\n",
         "short.ser" + notValid + "\nLine 8 has fewer than six fields."},
        {"size.ser", std::string(kHeaderOnly) + "a\tDOS\t/x\t1 2\t01/01/2000\t(u)\r\n",
         "size.ser" + notValid + "\nLine 7 has a size that is no whole number."},
        {"neg.ser", std::string(kHeaderOnly) + "a\tDOS\t/x\t-1\t01/01/2000\t(u)\r\n",
         "neg.ser" + notValid + "\nLine 7 has a size that is no whole number."},
        // A blank name (as an earlier version wrote a file named " ") would name its folder.
        {"blank.ser",
         std::string(kHeaderOnly) + "a\tDOS\t/x\t1\t01/01/2000\t(u)\r\n \tDOS\t/x\t1\t0\t(u)\r\n",
         "blank.ser" + notValid + "\nLine 8 names no file."},
        {"exact.ser", std::string(kHeaderOnly) + "a\tDOS\t/x\t1\t0\t(u)\t\"/x/a\\q\"\r\n",
         "exact.ser" + notValid + "\nLine 7 has a full path that cannot be read."},
        {"folder.ser", std::string(kHeaderOnly) + "a\tDOS\t/x\t1\t0\t(u)\t\"/x/\"\r\n",
         "folder.ser" + notValid + "\nLine 7 names no file."},
        {"zero.ser", std::string(kHeaderOnly) + std::string("a\0b\tDOS\t/x\t1\t0\t(u)\r\n", 20),
         "zero.ser" + notValid + "\nLine 7 names no file."},
        {"zero-exact.ser",
         std::string(kHeaderOnly) + std::string("a\tDOS\t/x\t1\t0\t(u)\t\"/x/a\0\"\r\n", 26),
         "zero-exact.ser" + notValid + "\nLine 7 names no file."},
    };
    for (const Case& c : cases) {
        WriteAll(dir.Path(c.name), c.text);
        ResultsList list = TwoRows();
        list.SetSort(kPathColumn, false);
        const std::string names = Names(list), summary = list.SearchSummary();
        const FileResult result = LoadList(list, dir.Path(c.name), "");
        EXPECT_EQ(FileStatus::Failed, result.status) << c.name;
        EXPECT_EQ((Message{c.message, "File Load Error!", MessageIcon::Information}),
                  result.message);
        EXPECT_EQ(names, Names(list)) << c.name;
        EXPECT_EQ(summary, list.SearchSummary()) << c.name;
        EXPECT_EQ(kPathColumn, list.SortColumn());
        EXPECT_TRUE(list.AutoSort());
    }
}

TEST(LoadList, MissingFileIsSkippedAndOnlyRegularFilesAreOpened) {
    TempFolder dir;
    ResultsList list = TwoRows();
    EXPECT_EQ(FileStatus::Skipped, LoadList(list, dir.Path("none.ser"), "").status);
    EXPECT_EQ(FileStatus::Skipped, LoadList(list, kLastResultsName, dir.Root()).status);
    EXPECT_EQ(2u, list.size());

    ASSERT_EQ(0, mkfifo((dir.Path("fifo.ser")).c_str(), 0600)); // opening it must not block
    const FileResult fifo = LoadList(list, dir.Path("fifo.ser"), "");
    EXPECT_EQ((Message{"Unable to open " + dir.Path("fifo.ser") + "!", "Vantor Finder Error",
                       MessageIcon::Warning}),
              fifo.message);
    std::filesystem::create_directory(dir.Path("folder.ser"));
    EXPECT_EQ(FileStatus::Failed, LoadList(list, dir.Path("folder.ser"), "").status);
    EXPECT_EQ(2u, list.size());
}

class ProgressLog : public FileProgress {
public:
    void SaveStarted() override { log += "save;"; }
    void SaveFinished() override { log += "saved;"; }
    void LoadStarted(std::int64_t announced) override {
        log += "load " + std::to_string(announced) + ";";
    }
    void LoadLine(std::int64_t count) override { lines = count; }
    void LoadFinished() override { log += "loaded;"; }
    std::string log;
    std::int64_t lines = 0;
};

TEST(FileProgress, ShownForSavesOver150RowsAndLoadsAnnouncingOver300) {
    TempFolder dir;
    ResultsList list;
    for (int i = 0; i < 301; ++i)
        list.AddItem("/f/" + std::to_string(i), "", "x", i, {.IsDos = true});
    ProgressLog progress;
    ASSERT_EQ(FileStatus::Done, SaveResults(list, dir.Path("big.ser"), "", &progress).status);
    EXPECT_EQ("save;saved;", progress.log);
    progress.log.clear();
    ASSERT_EQ(FileStatus::Done, LoadList(list, dir.Path("big.ser"), "", &progress).status);
    EXPECT_EQ("load 301;loaded;", progress.log);
    EXPECT_EQ(301, progress.lines);
    EXPECT_EQ("Loading last search results file... Lines: 301", LoadingLinesText(progress.lines));

    while (list.size() > 150) list.DeleteItem("/f/" + std::string(list[0].name()));
    progress = {};
    ASSERT_EQ(FileStatus::Done, SaveResults(list, dir.Path("small.ser"), "", &progress).status);
    ASSERT_EQ(FileStatus::Done, LoadList(list, dir.Path("small.ser"), "", &progress).status);
    EXPECT_EQ("", progress.log);
    EXPECT_EQ(0, progress.lines);
}

TEST(CheckSaveAsName, WantsTheSerExtensionAndProtectsTheLastResultsFile) {
    const Message extension = {"You must use a file name extension of SER!",
                               "Results File Save Error!", MessageIcon::Information};
    const Message lastResults = {"You cannot overwrite the last search results.ser file!",
                                 "Results File Save Error!", MessageIcon::Information};
    EXPECT_EQ(std::nullopt, CheckSaveAsName("/home/ann/mine.ser"));
    EXPECT_EQ(std::nullopt, CheckSaveAsName("/home/ann/MINE.SER"));
    EXPECT_EQ(extension, CheckSaveAsName("/home/ann/mine.txt"));
    EXPECT_EQ(extension, CheckSaveAsName("/home/ann.ser/mine"));
    EXPECT_EQ(extension, CheckSaveAsName("/home/ann/mine.ser.bak"));
    EXPECT_EQ(lastResults, CheckSaveAsName("/anywhere/last search results.ser"));
    EXPECT_EQ(lastResults, CheckSaveAsName("/anywhere/Last Search Results.SER"));
}

} // namespace
} // namespace mvf::results
