// File time texts: the 12-hour format, two-second steps and the years the packed form holds.
#include "platform/core/time_text.h"

#include <cstdlib>
#include <ctime>

#include <gtest/gtest.h>

namespace mvf::platform {
namespace {

class TimeTextTest : public ::testing::Test {
protected:
    void SetUp() override { SetZone("UTC0"); }
    void TearDown() override { SetZone("UTC0"); }
    static void SetZone(const char* zone) {
        ::setenv("TZ", zone, 1);
        ::tzset();
    }
};

TEST_F(TimeTextTest, TwelveHourClockWithAmAndPm) {
    EXPECT_EQ("07/04/1999 03:15:42 PM", FileTimeText(931101342));
    EXPECT_EQ("01/01/2000 12:00:00 AM", FileTimeText(946684800));         // midnight
    EXPECT_EQ("01/01/2000 12:30:00 PM", FileTimeText(946684800 + 45000)); // half past noon
    EXPECT_EQ("01/01/2000 11:59:58 AM", FileTimeText(946684800 + 43199));
}

TEST_F(TimeTextTest, SecondsGoInTwoSecondSteps) {
    EXPECT_EQ("01/01/2000 12:00:00 AM", FileTimeText(946684801));
    EXPECT_EQ("01/01/2000 12:00:02 AM", FileTimeText(946684803));
}

TEST_F(TimeTextTest, OnlyYears1980To2107AreKnown) {
    EXPECT_EQ("01/01/1980 12:00:00 AM", FileTimeText(315532800));
    EXPECT_EQ("(unknown)", FileTimeText(315532799)); // the last second of 1979
    EXPECT_EQ("12/31/2107 11:59:58 PM", FileTimeText(4354819199));
    EXPECT_EQ("(unknown)", FileTimeText(4354819200)); // 2108
    EXPECT_EQ("(unknown)", FileTimeText(std::nullopt));
    EXPECT_EQ("(unknown)", FileTimeText(-1));
}

TEST_F(TimeTextTest, TextsAreInLocalTime) {
    SetZone("EST5");
    EXPECT_EQ("07/04/1999 10:15:42 AM", FileTimeText(931101342));
    // Local midnight of 1 January 1980 is already 1980, though UTC is five hours on.
    EXPECT_EQ("(unknown)", FileTimeText(315532800 + 5 * 3600 - 1));
    EXPECT_EQ("01/01/1980 12:00:00 AM", FileTimeText(315532800 + 5 * 3600));
}

TEST_F(TimeTextTest, RememberedTextsAreTheTextsOfEachTime) {
    SetZone("EST5EDT,M3.2.0,M11.1.0");
    FileTimeTexts texts;
    // Repeats; the two instants that are both 1:00 AM on the night the clocks go back;
    // no time between two equal times; years outside the range.
    const std::int64_t back = 1699164000; // 5 November 2023, 1:00 EST (6:00 UTC)
    const std::optional<std::int64_t> times[] = {
        931101342, 931101342,    931101343, back - 3600, back,       back,      std::nullopt,
        931101343, std::nullopt, -1,        -1,          4354819200, 315532800, 315532800};
    for (const auto& time : times) EXPECT_EQ(FileTimeText(time), texts.Text(time));
}

} // namespace
} // namespace mvf::platform
