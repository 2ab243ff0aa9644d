// Adding, deleting and clearing rows; the sort state and how a view hears of changes.
#include <vector>

#include "finder/results/results_list.h"
#include "test_support.h"

namespace mvf::results {
namespace {

using testing::Names;

std::size_t Add(ResultsList& list, std::string_view path, std::int64_t size = 1) {
    return list.AddItem(path, "01/02/2003 04:05:06 AM", "01/02/2003 04:05:06 AM", size,
                        {.IsDos = true});
}

// Records what a view would hear.
class Recorder : public ListObserver {
public:
    void BeforeInsert(std::size_t row) override { Log("+", row); }
    void AfterInsert(std::size_t row) override { Log("+", row, "!"); }
    void BeforeRemove(std::size_t row) override { Log("-", row); }
    void AfterRemove(std::size_t row) override { Log("-", row, "!"); }
    void BeforeSort() override { Log("sort"); }
    void AfterSort(std::span<const std::uint32_t> oldRows) override {
        std::string text = "sorted";
        for (const std::uint32_t row : oldRows) text.append(" ").append(std::to_string(row));
        Log(text);
    }
    void BeforeReset() override { Log("reset"); }
    void AfterReset() override { Log("reset!"); }
    void SummaryChanged() override { Log("summary"); }
    std::string log;

private:
    void Log(std::string_view event, std::size_t row, std::string_view after = "") {
        Log(std::string(event).append(std::to_string(row)).append(after));
    }
    void Log(std::string_view event) { log.append(log.empty() ? "" : ",").append(event); }
};

TEST(AddItem, SplitsThePathAndKeepsEveryTextAsGiven) {
    ResultsList list;
    list.SetAutoSort(false);
    list.AddItem("/Home/Ann/Notes.TXT", "07/04/1999 03:15:42 PM", "(unknown)", 5'000'000'000,
                 {.IsDos = true});
    list.AddItem("/root.txt", "(unknown)", "07/05/1999 10:00:00 AM", 0, {});
    list.AddItem("//twice.txt", "", "", -1, {});

    EXPECT_EQ("Notes.TXT", list[0].name());
    EXPECT_EQ("/Home/Ann", list[0].path());
    EXPECT_EQ("5000000000", list[0].size());
    EXPECT_EQ("    07/04/1999 03:15:42 PM", list[0].created());
    EXPECT_EQ("(unknown)", list[0].modified());
    EXPECT_EQ("root.txt", list[1].name());
    EXPECT_EQ("/", list[1].path()); // the root keeps its separator
    EXPECT_EQ("    (unknown)", list[1].created());
    EXPECT_EQ("/", list[2].path());
    EXPECT_EQ("twice.txt", list[2].name());

    // The full path comes back from the row, the root's included.
    EXPECT_EQ("/Home/Ann/Notes.TXT", FullPath(list[0]));
    EXPECT_EQ("/root.txt", FullPath(list[1]));
    EXPECT_EQ("/twice.txt", FullPath(list[2]));
}

TEST(AddItem, TypeIsTheFirstOfDosMacUnixBinary) {
    struct Case {
        bool unix, dos, mac, binary;
        int type;
    };
    const Case cases[] = {
        {true, true, true, true, static_cast<int>(ResultType::DOS)},
        {true, false, true, true, static_cast<int>(ResultType::MAC)},
        {true, false, false, true, static_cast<int>(ResultType::UNIX)},
        {false, false, false, true, static_cast<int>(ResultType::BINARY)},
        {false, false, false, false, kNoTypeImage},
    };
    for (const Case& c : cases) {
        ResultsList list;
        list.AddItem("/a", "", "", 0, {c.unix, c.dos, c.mac, c.binary});
        EXPECT_EQ(c.type, list[0].type()) << c.unix << c.dos << c.mac << c.binary;
    }
}

// One file in /one and three rows of one file in /two, told apart by their sizes 1-4.
ResultsList SameNames() {
    ResultsList list;
    list.SetAutoSort(false);
    Add(list, "/one/same.txt", 1);
    for (int size = 2; size <= 4; ++size) Add(list, "/two/same.txt", size);
    return list;
}

TEST(DeleteItem, RemovesOnlyTheFirstRowWithThatFolderAndName) {
    ResultsList list = SameNames();
    EXPECT_FALSE(list.DeleteItem("/Two/same.txt")); // paths keep their case
    EXPECT_FALSE(list.DeleteItem("/two/other.txt"));
    EXPECT_TRUE(list.DeleteItem("/two/same.txt"));
    ASSERT_EQ(3u, list.size());
    EXPECT_EQ("1", list[0].size());
    EXPECT_EQ("3", list[1].size());

    ResultsList root;
    Add(root, "/top.txt");
    EXPECT_TRUE(root.DeleteItem("/top.txt"));
    EXPECT_TRUE(root.empty());
}

TEST(DeleteItems, RemovesTheFirstMatchForEachPathInOnePass) {
    ResultsList list = SameNames();
    Add(list, "/keep", 5);
    Recorder view;
    list.SetObserver(&view);
    const std::string paths[] = {"/two/same.txt", "/none", "/one/same.txt", "/two/same.txt"};
    EXPECT_EQ(3u, list.DeleteItems(paths));
    ASSERT_EQ(2u, list.size());
    EXPECT_EQ("4", list[0].size());
    EXPECT_EQ("5", list[1].size());
    EXPECT_EQ("reset,reset!", view.log);
}

TEST(Clear, EmptiesRowsAndSummary) {
    ResultsList list;
    Add(list, "/a");
    list.SetSearchSummary("Filemask:  *");
    list.Clear();
    EXPECT_TRUE(list.empty());
    EXPECT_EQ("", list.SearchSummary());
}

TEST(AutoSort, PlacesRowsWhileOnAndAppendsWhileOff) {
    ResultsList list; // name ascending, AutoSort on
    EXPECT_EQ(0u, Add(list, "/c"));
    EXPECT_EQ(0u, Add(list, "/a"));
    EXPECT_EQ(1u, Add(list, "/b"));
    EXPECT_EQ("a b c", Names(list));

    list.SetAutoSort(false);
    EXPECT_EQ(3u, Add(list, "/0"));
    EXPECT_EQ("a b c 0", Names(list));
    list.SetAutoSort(true); // sorts once
    EXPECT_EQ("0 a b c", Names(list));
}

TEST(HeaderClick, FlipsTheSameColumnStartsOthersAscendingAndWaitsDuringASearch) {
    ResultsList list;
    Add(list, "/x/b", 1);
    Add(list, "/y/a", 2);
    EXPECT_TRUE(list.HeaderClick(kNameColumn)); // the current column: flips
    EXPECT_FALSE(list.SortAscending());
    EXPECT_EQ("b a", Names(list));
    EXPECT_TRUE(list.HeaderClick(kNameColumn));
    EXPECT_TRUE(list.SortAscending());
    EXPECT_TRUE(list.HeaderClick(kSizeColumn));
    EXPECT_TRUE(list.SortAscending());
    EXPECT_TRUE(list.HeaderClick(kSizeColumn));
    EXPECT_FALSE(list.SortAscending());
    EXPECT_EQ("a b", Names(list));              // sizes 2, 1
    EXPECT_TRUE(list.HeaderClick(kPathColumn)); // another column: ascending
    EXPECT_EQ(kPathColumn, list.SortColumn());
    EXPECT_TRUE(list.SortAscending());

    list.SetAutoSort(false); // a search runs
    EXPECT_FALSE(list.HeaderClick(kNameColumn));
    EXPECT_EQ(kPathColumn, list.SortColumn());
    EXPECT_TRUE(list.SortAscending());
}

TEST(ListObserver, HearsEveryChangeWithItsRows) {
    ResultsList list;
    Recorder view;
    list.SetObserver(&view);
    list.SetAutoSort(false);
    Add(list, "/b");
    Add(list, "/c");
    Add(list, "/a");
    list.SetAutoSort(true);
    list.DeleteItem("/b");
    list.Clear();
    EXPECT_EQ("+0,+0!,+1,+1!,+2,+2!,sort,sorted 2 0 1,-1,-1!,reset,reset!,summary", view.log);
}

TEST(ReplaceWith, TakesTheRowsSummaryAndSortStateAndHandsBackTheOldRows) {
    ResultsList list;
    Add(list, "/x/old1");
    Add(list, "/x/old2");
    ResultsList loaded;
    loaded.SetSort(kSizeColumn, false);
    Add(loaded, "/y/new", 5);
    loaded.SetSearchSummary("Filemask:  *");
    Recorder view;
    list.SetObserver(&view);
    list.ReplaceWith(std::move(loaded));
    EXPECT_EQ("new", Names(list));
    EXPECT_EQ(kSizeColumn, list.SortColumn());
    EXPECT_FALSE(list.SortAscending());
    EXPECT_EQ("Filemask:  *", list.SearchSummary());
    EXPECT_EQ("reset,reset!,summary", view.log);
    // The replaced rows are the caller's to free, on whatever thread suits it.
    EXPECT_EQ("old1 old2", Names(loaded));
}

} // namespace
} // namespace mvf::results
