// The size and date filters at every boundary.
#include "finder/search/hit_filters.h"

#include <gtest/gtest.h>

namespace mvf::search {
namespace {

HitFilters Sizes(SizeFilterKind kind, const char* a, const char* b = "0") {
    SearchCriteria criteria;
    criteria.SizeFilter = kind;
    criteria.BetLow = criteria.Smaller = criteria.Larger = a;
    criteria.BetHigh = b;
    return HitFilters(criteria);
}

HitFilters Dates(DateFilterKind kind, const char* a, const char* b = "",
                 const char* type = "Modified") {
    SearchCriteria criteria;
    criteria.DateFilter = kind;
    criteria.DBetLow = criteria.DSooner = criteria.DLater = a;
    criteria.DBetHigh = b;
    criteria.DType = type;
    return HitFilters(criteria);
}

TEST(WholeNumbers, DigitsWithOptionalSignAndBlanks) {
    EXPECT_EQ(12, ParseWholeNumber("12"));
    EXPECT_EQ(12, ParseWholeNumber("  +12 "));
    EXPECT_EQ(-3, ParseWholeNumber("-3"));
    EXPECT_FALSE(ParseWholeNumber(""));
    EXPECT_FALSE(ParseWholeNumber(" "));
    EXPECT_FALSE(ParseWholeNumber("1.5"));
    EXPECT_FALSE(ParseWholeNumber("12abc"));
    EXPECT_FALSE(ParseWholeNumber("-"));
    EXPECT_FALSE(ParseWholeNumber("99999999999999999999"));
}

TEST(SizeFilter, BetweenIsInclusiveInEitherOrder) {
    const HitFilters filter = Sizes(SizeFilterKind::BetSizes, "5", "2");
    EXPECT_FALSE(filter.PassesSize(1999));
    EXPECT_TRUE(filter.PassesSize(2000));
    EXPECT_TRUE(filter.PassesSize(5000));
    EXPECT_FALSE(filter.PassesSize(5001));
    EXPECT_TRUE(Sizes(SizeFilterKind::BetSizes, "2", "5").PassesSize(2000));
    EXPECT_TRUE(filter.Active());
}

TEST(SizeFilter, SmallerAndLargerAreStrictInUnitsOf1000) {
    EXPECT_TRUE(Sizes(SizeFilterKind::Smallsize, "1").PassesSize(999));
    EXPECT_FALSE(Sizes(SizeFilterKind::Smallsize, "1").PassesSize(1000));
    EXPECT_FALSE(Sizes(SizeFilterKind::Smallsize, "0").PassesSize(0)); // finds nothing
    EXPECT_FALSE(Sizes(SizeFilterKind::LargeSize, "0").PassesSize(0));
    EXPECT_TRUE(Sizes(SizeFilterKind::LargeSize, "0").PassesSize(1)); // every non-empty file
    EXPECT_FALSE(Sizes(SizeFilterKind::LargeSize, "2").PassesSize(2000));
    EXPECT_TRUE(Sizes(SizeFilterKind::LargeSize, "2").PassesSize(2001));
    // Sizes beyond 32 bits.
    EXPECT_TRUE(Sizes(SizeFilterKind::LargeSize, "4294968").PassesSize(4294968001LL));
}

TEST(SizeFilter, BoundThatIsNoWholeNumberCountsAsZero) {
    EXPECT_TRUE(Sizes(SizeFilterKind::LargeSize, "lots").PassesSize(1));
    EXPECT_FALSE(Sizes(SizeFilterKind::Smallsize, "2.5").PassesSize(0));
    EXPECT_TRUE(Sizes(SizeFilterKind::BetSizes, "x", "1").PassesSize(0));
    // A bound whose bytes would overflow counts as 0 too.
    EXPECT_TRUE(Sizes(SizeFilterKind::LargeSize, "9223372036854776").PassesSize(1));
    EXPECT_TRUE(Sizes(SizeFilterKind::AllSizes, "x").PassesSize(-1));
    EXPECT_FALSE(Sizes(SizeFilterKind::AllSizes, "x").Active());
}

TEST(Dates, ParsesMonthDayYearAndRefusesTheRest) {
    EXPECT_TRUE(ParseDate("02/29/2000"));
    EXPECT_FALSE(ParseDate("02/29/1900"));
    EXPECT_FALSE(ParseDate("13/01/2000"));
    EXPECT_FALSE(ParseDate("00/10/2000"));
    EXPECT_FALSE(ParseDate("1/1/2000"));
    EXPECT_FALSE(ParseDate("(unknown)"));
    EXPECT_LT(*ParseDate("12/31/1999"), *ParseDate("01/01/2000"));
    EXPECT_LT(*ParseDate("01/31/2000"), *ParseDate("02/01/2000"));
    EXPECT_EQ(ParseDate("07/04/1999"), ParseDate("07/04/1999 03:15:42 PM"));
}

TEST(DateFilter, WholeDaysWithStrictBeforeAndAfter) {
    const char* morning = "07/04/1999 01:00:00 AM";
    const char* evening = "07/04/1999 11:59:58 PM";
    EXPECT_FALSE(Dates(DateFilterKind::DBefore, "07/04/1999").PassesDate("", morning));
    EXPECT_TRUE(Dates(DateFilterKind::DBefore, "07/05/1999").PassesDate("", evening));
    EXPECT_FALSE(Dates(DateFilterKind::DAfter, "07/04/1999").PassesDate("", evening));
    EXPECT_TRUE(Dates(DateFilterKind::DAfter, "07/03/1999").PassesDate("", morning));
    // Between a day and itself finds exactly that day, in either order.
    EXPECT_TRUE(
        Dates(DateFilterKind::DBetDates, "07/04/1999", "07/04/1999").PassesDate("", evening));
    EXPECT_TRUE(
        Dates(DateFilterKind::DBetDates, "12/31/1999", "01/01/1999").PassesDate("", morning));
    EXPECT_FALSE(
        Dates(DateFilterKind::DBetDates, "07/05/1999", "12/31/1999").PassesDate("", evening));
}

TEST(DateFilter, TypeSelectsTheTimeAndUnknownTimesFail) {
    const char* created = "01/01/2000 10:00:00 AM";
    const char* modified = "06/01/2010 10:00:00 AM";
    EXPECT_TRUE(
        Dates(DateFilterKind::DBefore, "01/01/2001", "", "Created").PassesDate(created, modified));
    EXPECT_FALSE(
        Dates(DateFilterKind::DBefore, "01/01/2001", "", "Modified").PassesDate(created, modified));
    // Only exactly "Created" selects the creation time.
    EXPECT_FALSE(
        Dates(DateFilterKind::DBefore, "01/01/2001", "", "created").PassesDate(created, modified));
    for (const auto kind :
         {DateFilterKind::DBetDates, DateFilterKind::DBefore, DateFilterKind::DAfter})
        EXPECT_FALSE(Dates(kind, "01/01/1990", "01/01/2030").PassesDate("", "(unknown)"));
    EXPECT_TRUE(Dates(DateFilterKind::AllDates, "").PassesDate("", "(unknown)"));
    // A bound that is no date passes nothing.
    EXPECT_FALSE(Dates(DateFilterKind::DAfter, "someday").PassesDate("", modified));
}

} // namespace
} // namespace mvf::search
