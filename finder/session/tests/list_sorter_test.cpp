// The one sort at the end of a big search: worked out apart and swapped in whole, or
// done in place when the list changed meanwhile.
#include <random>

#include <QCoreApplication>

#include <gtest/gtest.h>

#include "list_sorter.h"
#include "session_test_support.h"

namespace mvf::session {
namespace {

using namespace std::chrono_literals;

// Appends `count` rows in the random order a walk might find them, as the session does.
void AddRows(results::ResultsList& list, ListSorter& sorter, std::size_t count) {
    std::mt19937 random(5);
    list.SetAutoSort(false);
    sorter.Begin();
    for (std::size_t slice = 0; slice < count; slice += 1000) {
        sorter.BeforeSlice();
        for (std::size_t i = slice; i < std::min(count, slice + 1000); ++i) {
            const results::ResultEntry row = results::EntryOf(
                "/d" + std::to_string(random() % 50) + "/f" + std::to_string(random() % 100000),
                "01/02/2003 04:05:06 PM", "(unknown)", static_cast<std::int64_t>(random() % 999),
                {.IsUnix = true});
            sorter.Note(row);
            list.AddEntry(row);
        }
        sorter.AfterSlice();
    }
}

std::vector<std::string> Column(const results::ResultsList& list, int column) {
    std::vector<std::string> texts;
    for (const results::ResultEntry& row : list.entries())
        texts.emplace_back(row.ColumnText(column));
    return texts;
}

TEST(ListSorter, BigListIsOrderedApartAndSwappedInWhole) {
    results::ResultsList list;
    list.SetSort(results::kSizeColumn, false);
    ListSorter sorter(list);
    AddRows(list, sorter, ListSorter::kApartFrom + 5000);
    const std::uint64_t before = list.Revision();
    bool done = false;
    sorter.Sort([&] { done = true; });
    EXPECT_FALSE(done) << "a big list is not sorted on the spot";
    EXPECT_EQ(before, list.Revision());
    ASSERT_TRUE(testing::WaitFor([&] { return done; }, 30s));
    EXPECT_TRUE(list.AutoSort());
    EXPECT_EQ(ListSorter::kApartFrom + 5000, list.size());
    const std::vector<std::string> sorted = Column(list, results::kPathColumn);
    const std::vector<std::string> sizes = Column(list, results::kSizeColumn);
    list.Sort(); // the list's own sort of sorted rows changes nothing
    EXPECT_EQ(sorted, Column(list, results::kPathColumn));
    EXPECT_EQ(sizes, Column(list, results::kSizeColumn));
    EXPECT_GE(std::stoi(sizes.front()), std::stoi(sizes.back()));
}

TEST(ListSorter, ARowDeletedMeanwhileMakesTheListSortItselfInPlace) {
    results::ResultsList list;
    ListSorter sorter(list);
    AddRows(list, sorter, ListSorter::kApartFrom + 100);
    bool done = false;
    sorter.Sort([&] { done = true; });
    ASSERT_TRUE(list.DeleteItem(results::FullPath(list[7]))); // the user deleted a row
    ASSERT_TRUE(testing::WaitFor([&] { return done; }, 30s));
    EXPECT_EQ(ListSorter::kApartFrom + 99, list.size());
    const std::vector<std::string> names = Column(list, results::kNameColumn);
    list.Sort();
    EXPECT_EQ(names, Column(list, results::kNameColumn));
}

TEST(ListSorter, SmallListOrAListThatWasNotEmptyIsSortedOnTheSpot) {
    results::ResultsList list;
    ListSorter sorter(list);
    AddRows(list, sorter, 500);
    bool done = false;
    sorter.Sort([&] { done = true; });
    EXPECT_TRUE(done);
    EXPECT_TRUE(list.AutoSort());

    // Rows that were there before the search: the copied texts are not all the rows.
    AddRows(list, sorter, ListSorter::kApartFrom);
    done = false;
    sorter.Sort([&] { done = true; });
    EXPECT_TRUE(done);
    EXPECT_EQ(ListSorter::kApartFrom + 500, list.size());
}

} // namespace
} // namespace mvf::session
