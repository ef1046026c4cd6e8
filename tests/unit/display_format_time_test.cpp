// FormatTime: hundredths of a second as minutes or hours of time.
#include <gtest/gtest.h>

#include "display/format_time.h"

TEST(DisplayFormatTime, Examples) {
    const struct {
        int32_t hundredths;
        const char* text;
    } cases[] = {
        {0, "0:00.00"},
        {6150, "1:01.50"},
        {7, "0:00.07"},
        {359999, "59:59.99"},
        {360000, "1:00:00.00"},
        {738405, "2:03:04.05"},
        {-150, "-0:01.50"},
        {-360000, "-1:00:00.00"},
        {INT32_MAX, "5965:13:56.47"},
        {INT32_MIN, "-5965:13:56.48"},
    };
    for (const auto& c : cases) EXPECT_STREQ(c.text, FormatTime(c.hundredths)) << c.hundredths;
}
