// The ten sort orders: numbers by value, dates by time, the locale's order otherwise, the
// exact reversal for descending, and no fault whatever the texts.
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <vector>

#include "cell_key.h"
#include "collation.h"
#include "sort_order.h"
#include "test_support.h"
#include "time_text.h"

namespace mvf::results {
namespace {

ResultEntry RowWith(int column, std::string_view text) {
    std::string_view texts[kColumnCount] = {"n", "/p", "0", "    (unknown)", "(unknown)"};
    texts[column] = text;
    return ResultEntry(texts[0], 0, texts[1], texts[2], texts[3], texts[4]);
}

// The texts of one column after sorting rows that differ only there.
std::vector<std::string> Sorted(const std::vector<std::string>& texts, int column,
                                bool ascending = true) {
    ResultsList list;
    list.SetAutoSort(false);
    for (const std::string& text : texts) list.AddEntry(RowWith(column, text));
    list.SetSort(column, ascending);
    std::vector<std::string> out;
    for (const ResultEntry& row : list.entries()) out.emplace_back(row.ColumnText(column));
    return out;
}

using Texts = std::vector<std::string>;

TEST(Sort, WholeNumbersByValueEverythingElseAsText) {
    EXPECT_EQ((Texts{"9", "10"}), Sorted({"10", "9"}, kNameColumn));
    EXPECT_EQ((Texts{"10.txt", "9.txt"}), Sorted({"9.txt", "10.txt"}, kNameColumn));
    EXPECT_EQ((Texts{"9", "10", "5000000000"}), Sorted({"5000000000", "10", "9"}, kSizeColumn));
    EXPECT_EQ((Texts{"-7", "+8", "0009"}), Sorted({"0009", "+8", "-7"}, kNameColumn));
    // -999 counts as no number, so it meets -5 as text, where "-5" comes first.
    EXPECT_EQ((Texts{"-5", "-999"}), Sorted({"-999", "-5"}, kNameColumn));
    EXPECT_EQ((Texts{"-1000", "-5"}), Sorted({"-5", "-1000"}, kNameColumn));
    // Past 64 bits a text is no number.
    EXPECT_EQ((Texts{"100000000000000000000", "99"}),
              Sorted({"99", "100000000000000000000"}, kSizeColumn));
}

TEST(Sort, DateColumnsChronologically) {
    const Texts created = {"    01/01/1999 01:00:00 AM", "    12/31/1998 11:00:00 PM",
                           "    01/01/1999 12:30:00 AM", "    01/01/1999 12:00:00 PM",
                           "    01/01/1999 11:59:59 AM"};
    EXPECT_EQ((Texts{"    12/31/1998 11:00:00 PM", "    01/01/1999 12:30:00 AM",
                     "    01/01/1999 01:00:00 AM", "    01/01/1999 11:59:59 AM",
                     "    01/01/1999 12:00:00 PM"}),
              Sorted(created, kCreatedColumn));
    // Eight spaces (a loaded row) and four compare by time alike.
    EXPECT_EQ(
        (Texts{"        02/01/2000 10:00:00 AM", "    03/01/2000 10:00:00 AM"}),
        Sorted({"    03/01/2000 10:00:00 AM", "        02/01/2000 10:00:00 AM"}, kCreatedColumn));
    // Dates are no dates in the name column.
    EXPECT_EQ((Texts{"01/01/2000", "12/31/1999"}), Sorted({"12/31/1999", "01/01/2000"}, 0));
}

TEST(Sort, UnknownMeetsDatesAsUntrimmedText) {
    // The spaces count: "(" sorts after a space and before a digit.
    EXPECT_EQ((Texts{"        07/04/1999 03:15:42 PM", "    (unknown)"}),
              Sorted({"    (unknown)", "        07/04/1999 03:15:42 PM"}, kCreatedColumn));
    EXPECT_EQ((Texts{"    (unknown)", "    07/04/1999 03:15:42 PM"}),
              Sorted({"    07/04/1999 03:15:42 PM", "    (unknown)"}, kCreatedColumn));
    EXPECT_EQ((Texts{"(unknown)", "07/04/1999 03:15:42 PM"}),
              Sorted({"07/04/1999 03:15:42 PM", "(unknown)"}, kModifiedColumn));
}

TEST(Sort, ImpossibleDatesComeBeforeEveryDateInTextOrder) {
    const Texts texts = {"07/04/1999 03:15:42 PM", "13/01/1999 10:00:00 AM",
                         "02/29/2001 10:00:00 AM", "01/01/1970 00:00:00 AM"};
    const Texts ascending = {"01/01/1970 00:00:00 AM", "02/29/2001 10:00:00 AM",
                             "13/01/1999 10:00:00 AM", "07/04/1999 03:15:42 PM"};
    EXPECT_EQ(ascending, Sorted(texts, kModifiedColumn));
    EXPECT_EQ(Texts(ascending.rbegin(), ascending.rend()), Sorted(texts, kModifiedColumn, false));
}

TEST(ReadTimeText, ReadsTheProgramsFormatAndRefusesWhatIsNoTime) {
    using detail::ReadTimeText;
    const auto at = [](int days, int seconds) { return std::int64_t{days} * 86400 + seconds; };
    EXPECT_EQ(at(10776, 15 * 3600 + 15 * 60 + 42), ReadTimeText("07/04/1999 03:15:42 PM"));
    EXPECT_EQ(at(10776, 15 * 60 + 42), ReadTimeText("07/04/1999 12:15:42 am"));
    EXPECT_EQ(at(10776, 12 * 3600), ReadTimeText("07/04/1999 12:00:00 PM"));
    EXPECT_EQ(at(10776, 0), ReadTimeText("07/04/1999"));
    EXPECT_EQ(at(10776, 0), ReadTimeText("07/04/99"));
    EXPECT_EQ(at(18321, 23 * 3600 + 5 * 60), ReadTimeText("02/29/2020 23:05"));
    EXPECT_EQ(at(-719162, 0), ReadTimeText("01/01/0001"));
    for (const char* bad :
         {"02/29/2019", "02/30/2000", "00/10/2000", "12/00/2000", "07/04/1999 13:00:00 PM",
          "07/04/1999 00:10:00 AM", "07/04/1999 24:00", "07/04/1999 10:60", "07/04/1999 10:00:61",
          "07/04/1999 10:00:00 XM", "07/04/1999 10:00:00 PM x", "07/04/199", "07/04/19999",
          "07/04/0000", "07/04/1999x", "07/04/1999 ", "7/04/1999"})
        EXPECT_EQ(std::nullopt, ReadTimeText(bad)) << bad;
}

TEST(CollationRanks, MatchStrcollOverManyLongTextsAndPlaceOthersBetween) {
    // Enough text to fill several transform blocks, one text longer than a block, repeats,
    // and texts that begin other texts.
    std::mt19937 random(3);
    std::vector<std::string> storage;
    for (int i = 0; i < 3000; ++i) {
        std::string text(1 + random() % 4000, 'a');
        for (char& c : text) c = static_cast<char>('a' + random() % 3);
        storage.push_back(text);
        storage.push_back(text.substr(0, text.size() / 2)); // texts that begin others
    }
    storage.push_back(std::string(5 << 20, 'b'));
    storage.push_back(storage[7]);
    const std::vector<std::string_view> texts(storage.begin(), storage.end());
    const detail::CollationRanks ranks(texts);

    const auto sign = [](auto v) { return (v > 0) - (v < 0); };
    for (int k = 0; k < 20000; ++k) {
        const std::size_t a = random() % texts.size(), b = random() % texts.size();
        ASSERT_EQ(sign(std::strcoll(texts[a].data(), texts[b].data())),
                  sign(static_cast<long>(ranks.RankOf(a)) - static_cast<long>(ranks.RankOf(b))));
    }
    // A text not ranked falls between its neighbours, or on the rank of its equal.
    const std::string others[] = {"", "a", "b", "c", "bb", storage[7]};
    for (const std::string& other : others) {
        for (std::size_t i = 0; i < texts.size(); ++i)
            ASSERT_EQ(
                sign(std::strcoll(other.c_str(), texts[i].data())),
                sign(static_cast<long>(ranks.PlaceOf(other)) - static_cast<long>(ranks.RankOf(i))))
                << other.substr(0, 20) << " against " << i;
    }
}

// A set of texts where every kind meets every other: numbers, texts that collate between
// numbers, dates, impossible dates and "(unknown)". No order satisfies all the pairwise
// rules at once; the sort must still finish, in bounds, with every row once.
TEST(Sort, TextsThatNoOrderSatisfiesStillSortSafely) {
    const char* pool[] = {"9",          "10",         "1a",        "-999",
                          "07/04/1999", "13/13/1313", "(unknown)", "    01/02/2003 04:05:06 PM",
                          "",           "Z",          "a",         "100",
                          "99/99/99"};
    std::mt19937 random(7);
    for (int column = 0; column < kColumnCount; ++column) {
        std::vector<ResultEntry> rows;
        for (int i = 0; i < 3000; ++i) rows.push_back(RowWith(column, pool[random() % 13]));
        for (const bool ascending : {true, false}) {
            std::vector<std::uint32_t> order = detail::SortedOrder(rows, column, ascending);
            std::sort(order.begin(), order.end());
            for (std::uint32_t i = 0; i < order.size(); ++i) ASSERT_EQ(i, order[i]);
        }
    }
}

// Rows whose texts admit one consistent order: the fast sort (keys and ranks read once)
// and placing rows one by one (each comparison from the texts) must both give it, in both
// directions, on every column.
void ExpectSortsAgree(std::uint32_t seed) {
    std::mt19937 random(seed);
    const auto pick = [&](std::initializer_list<const char*> from) {
        return std::string(*(from.begin() + random() % from.size()));
    };
    std::vector<ResultEntry> rows;
    for (int i = 0; i < 400; ++i) {
        const std::string number = std::to_string(random() % 50);
        char date[32];
        std::snprintf(date, sizeof date, "%02lu/%02lu/20%02lu %02lu:00:00 %s", 1 + random() % 12,
                      1 + random() % 28, random() % 30, 1 + random() % 12,
                      random() % 2 ? "AM" : "PM");
        rows.emplace_back(random() % 3 ? pick({"apple", "Banana", "cherry", "b.txt", "B-2", "b_1"})
                                       : number,
                          0, pick({"/x", "/x/y", "/X", "/x-y", "/x y", "/"}), number,
                          std::string("    ").append(random() % 4 ? date : "(unknown)"),
                          random() % 4 ? date : "(unknown)");
    }
    for (int column = 0; column < kColumnCount; ++column) {
        for (const bool ascending : {true, false}) {
            const int sign = ascending ? 1 : -1;
            const std::vector<std::uint32_t> order = detail::SortedOrder(rows, column, ascending);
            ResultsList placed;
            placed.SetSort(column, ascending);
            for (const ResultEntry& row : rows) placed.AddEntry(row);
            for (std::size_t i = 1; i < rows.size(); ++i) {
                ASSERT_LE(sign * detail::CompareRows(rows[order[i - 1]], rows[order[i]], column), 0)
                    << "sorted, column " << column << " row " << i;
                ASSERT_LE(sign * detail::CompareRows(placed[i - 1], placed[i], column), 0)
                    << "placed, column " << column << " row " << i;
            }
        }
    }
}

// The order worked out from copied texts away from the list (a big search's end) is the
// list's own order, and applies only to the rows it was made for.
TEST(Sort, OrderWorkedOutFromCopiedTextsIsTheListsOwn) {
    std::mt19937 random(3);
    ResultsList list;
    list.SetAutoSort(false);
    for (int i = 0; i < 2000; ++i) {
        const std::string number = std::to_string(random() % 300);
        list.AddItem("/d/" + (random() % 2 ? number : "f" + number + ".txt"),
                     "01/02/2003 04:05:06 PM",
                     random() % 3 ? "(unknown)" : "07/04/1999 01:00:00 AM",
                     static_cast<std::int64_t>(random() % 5000), {.IsDos = true});
    }
    for (int column = 0; column < kColumnCount; ++column) {
        for (const bool ascending : {true, false}) {
            std::vector<std::string> copies;
            for (const ResultEntry& row : list.entries())
                copies.emplace_back(row.ColumnText(column));
            const std::vector<std::string_view> texts(copies.begin(), copies.end());
            const std::vector<std::uint32_t> order = SortedOrderOf(texts, column, ascending);
            EXPECT_EQ(detail::SortedOrder(list.entries(), column, ascending), order);
        }
    }

    // Rows copied in that order replace the list's in one step.
    list.SetSort(kSizeColumn, false);
    list.SetAutoSort(false);
    const std::uint64_t before = list.Revision();
    list.AddItem("/d/late.txt", "", "", 7, {});
    EXPECT_NE(before, list.Revision());
    std::vector<std::string> sizes;
    for (const ResultEntry& row : list.entries()) sizes.emplace_back(row.size());
    const std::vector<std::string_view> texts(sizes.begin(), sizes.end());
    const std::vector<std::uint32_t> order = SortedOrderOf(texts, kSizeColumn, false);
    std::vector<ResultEntry> copies;
    for (const std::uint32_t row : order) copies.push_back(list[row]);
    const std::vector<ResultEntry> expected = copies;
    const std::uint64_t unsorted = list.Revision();
    std::vector<ResultEntry> old = list.SetAutoSortWithRows(std::move(copies), order);
    EXPECT_TRUE(list.AutoSort());
    EXPECT_NE(unsorted, list.Revision());
    EXPECT_EQ(2001u, old.size());
    EXPECT_TRUE(
        std::equal(expected.begin(), expected.end(), list.entries().begin(), list.entries().end()));
    for (std::size_t i = 1; i < list.size(); ++i)
        ASSERT_GE(std::stoll(std::string(list[i - 1].size())),
                  std::stoll(std::string(list[i].size())));

    // Rows of another count are not taken: the list is sorted anew.
    list.SetAutoSort(false);
    list.AddItem("/d/big.txt", "", "", 999999, {});
    std::vector<ResultEntry> two(2);
    EXPECT_EQ(2u,
              list.SetAutoSortWithRows(std::move(two), std::vector<std::uint32_t>{0, 1}).size());
    EXPECT_EQ("big.txt", list[0].name());
}

TEST(Sort, FastSortAgreesWithTextComparisonsInTheCLocale) {
    ExpectSortsAgree(1);
}

// A real collation locale, which the build makes in its own folder, where the locale's
// order differs from byte order ("apple" before "Banana").
class CollationLocale : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("LOCPATH", MVF_TEST_LOCPATH, 1);
        if (std::setlocale(LC_COLLATE, "en_US.UTF-8") == nullptr)
            GTEST_SKIP() << "no en_US.UTF-8 locale in " MVF_TEST_LOCPATH
                            " (localedef and the locales package)";
    }
    void TearDown() override { std::setlocale(LC_COLLATE, "C"); }
};

TEST_F(CollationLocale, TextsSortInTheLocalesOrder) {
    EXPECT_EQ((Texts{"apple", "Banana", "cherry"}),
              Sorted({"cherry", "Banana", "apple"}, kNameColumn));
    EXPECT_EQ((Texts{"cherry", "Banana", "apple"}),
              Sorted({"apple", "cherry", "Banana"}, kNameColumn, false));
    ExpectSortsAgree(2);
}

} // namespace
} // namespace mvf::results
