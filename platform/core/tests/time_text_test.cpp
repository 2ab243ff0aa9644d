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

} // namespace
} // namespace mvf::platform
