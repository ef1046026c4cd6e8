// Reading the Preferences dialog's number boxes and refusing empty graph scales.
#include "settings/preferences_input.h"

#include <gtest/gtest.h>

namespace {

TEST(PreferencesInput, OnlyPlainDecimalsReadAsNumbers) {
    const struct {
        const char* text;
        int value;
    } cases[] = {{"200", 200}, {"007", 7}, {" 45 ", 45}, {"2147483647", 2147483647}, {"", 0},
                 {"-5", 0},    {"+5", 0}, {"12abc", 0},  {"1 2", 0}, {"2.5", 0}, {"2147483648", 0},
                 {"99999999999999999999999999", 0}};
    for (const auto& c : cases) EXPECT_EQ(ReadUnsignedDecimal(c.text), c.value) << c.text;
}

TEST(PreferencesInput, FirstEmptyScaleInRowOrderIsNamed) {
    Settings defaults = {};
    defaults.heartRateMax = 200;
    defaults.strokeRateMax = 40;
    defaults.paceMax = 5;
    defaults.powerMax = 250;
    EXPECT_EQ(FirstEmptyScale(defaults), SCALE_NONE);
    Settings s = defaults;
    s.powerMax = 0;
    EXPECT_EQ(FirstEmptyScale(s), SCALE_POWER);
    s.strokeRateMin = 40;  // equal
    EXPECT_EQ(FirstEmptyScale(s), SCALE_STROKE_RATE);
    s = defaults;
    s.paceMin = 6;  // reversed
    EXPECT_EQ(FirstEmptyScale(s), SCALE_PACE);
    s = defaults;
    s.heartRateMin = 200;  // equal
    EXPECT_EQ(FirstEmptyScale(s), SCALE_HEART_RATE);
}

TEST(PreferencesInput, MessageNamesTheScale) {
    char message[128];
    FormatEmptyScaleMessage(SCALE_STROKE_RATE, message, sizeof message);
    EXPECT_STREQ(message, "The SPM scale's maximum must be above its minimum.");
    FormatEmptyScaleMessage(SCALE_HEART_RATE, message, sizeof message);
    EXPECT_STREQ(message, "The Heart Rate scale's maximum must be above its minimum.");
}

}  // namespace
