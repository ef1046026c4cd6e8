// FormatTime: hundredths of a second as minutes or hours of time.
#include <gtest/gtest.h>
#include <string.h>

#include "display/format_time.h"

TEST(DisplayFormatTime, ZeroReadsAllZeros)
{
    EXPECT_STREQ("0:00.00", FormatTime(0));
}

TEST(DisplayFormatTime, MinutesSecondsAndHundredths)
{
    EXPECT_STREQ("1:01.50", FormatTime(6150));
    EXPECT_STREQ("0:00.07", FormatTime(7));
    EXPECT_STREQ("2:05.00", FormatTime(12500));
}

TEST(DisplayFormatTime, LastValueBeforeAnHour)
{
    EXPECT_STREQ("59:59.99", FormatTime(359999));
}

TEST(DisplayFormatTime, HoursFromOneHourOn)
{
    EXPECT_STREQ("1:00:00.00", FormatTime(360000));
    EXPECT_STREQ("2:03:04.05", FormatTime(2 * 360000 + 3 * 6000 + 4 * 100 + 5));
}

TEST(DisplayFormatTime, NegativeCountsGetOneLeadingMinus)
{
    EXPECT_STREQ("-0:01.50", FormatTime(-150));
    EXPECT_STREQ("-1:00:00.00", FormatTime(-360000));
}

TEST(DisplayFormatTime, ExtremeCountsStayInsideTheBuffer)
{
    EXPECT_STREQ("5965:13:56.47", FormatTime(INT32_MAX));
    EXPECT_STREQ("-5965:13:56.48", FormatTime(INT32_MIN));
}

TEST(DisplayFormatTime, EveryCallOverwritesTheSharedBuffer)
{
    const char* first = FormatTime(100);
    const char* second = FormatTime(200);
    EXPECT_EQ(first, second);
    EXPECT_STREQ("0:02.00", first);
}
