// Reading the Preferences dialog's number boxes and refusing empty graph scales.
#include "settings/preferences_input.h"

#include <gtest/gtest.h>

namespace {

TEST(PreferencesInput, PlainNumbers) {
    EXPECT_EQ(ReadUnsignedDecimal("0"), 0);
    EXPECT_EQ(ReadUnsignedDecimal("200"), 200);
    EXPECT_EQ(ReadUnsignedDecimal("007"), 7);
    EXPECT_EQ(ReadUnsignedDecimal(" 45 "), 45);
    EXPECT_EQ(ReadUnsignedDecimal("2147483647"), 2147483647);
}

TEST(PreferencesInput, AnythingElseIsZero) {
    EXPECT_EQ(ReadUnsignedDecimal(""), 0);
    EXPECT_EQ(ReadUnsignedDecimal("   "), 0);
    EXPECT_EQ(ReadUnsignedDecimal("-5"), 0);
    EXPECT_EQ(ReadUnsignedDecimal("-"), 0);
    EXPECT_EQ(ReadUnsignedDecimal("+5"), 0);
    EXPECT_EQ(ReadUnsignedDecimal("abc"), 0);
    EXPECT_EQ(ReadUnsignedDecimal("12abc"), 0);
    EXPECT_EQ(ReadUnsignedDecimal("1 2"), 0);
    EXPECT_EQ(ReadUnsignedDecimal("2.5"), 0);
    EXPECT_EQ(ReadUnsignedDecimal("2147483648"), 0);
    EXPECT_EQ(ReadUnsignedDecimal("99999999999999999999999999"), 0);
    EXPECT_EQ(ReadUnsignedDecimal(nullptr), 0);
}

Settings DefaultScales() {
    Settings s = {};
    s.heartRateMin = 0;
    s.heartRateMax = 200;
    s.strokeRateMin = 0;
    s.strokeRateMax = 40;
    s.paceMin = 0;
    s.paceMax = 5;
    s.powerMin = 0;
    s.powerMax = 250;
    return s;
}

TEST(PreferencesInput, DefaultScalesAreAccepted) {
    EXPECT_EQ(FirstEmptyScale(DefaultScales()), SCALE_NONE);
}

TEST(PreferencesInput, EqualOrReversedScaleIsRefused) {
    Settings s = DefaultScales();
    s.powerMax = 0;
    EXPECT_EQ(FirstEmptyScale(s), SCALE_POWER);
    s = DefaultScales();
    s.paceMin = 6;
    EXPECT_EQ(FirstEmptyScale(s), SCALE_PACE);
    s = DefaultScales();
    s.strokeRateMin = 40;
    EXPECT_EQ(FirstEmptyScale(s), SCALE_STROKE_RATE);
    s = DefaultScales();
    s.heartRateMax = -1;
    EXPECT_EQ(FirstEmptyScale(s), SCALE_HEART_RATE);
}

TEST(PreferencesInput, FirstWrongScaleInRowOrderIsNamed) {
    Settings s = DefaultScales();
    s.powerMax = 0;
    s.strokeRateMax = 0;
    EXPECT_EQ(FirstEmptyScale(s), SCALE_STROKE_RATE);
}

TEST(PreferencesInput, MessageNamesTheScale) {
    char message[128];
    FormatEmptyScaleMessage(SCALE_POWER, message, sizeof message);
    EXPECT_STREQ(message, "The Power scale's maximum must be above its minimum.");
    FormatEmptyScaleMessage(SCALE_HEART_RATE, message, sizeof message);
    EXPECT_STREQ(message, "The Heart Rate scale's maximum must be above its minimum.");
    FormatEmptyScaleMessage(SCALE_STROKE_RATE, message, sizeof message);
    EXPECT_STREQ(message, "The SPM scale's maximum must be above its minimum.");
    FormatEmptyScaleMessage(SCALE_PACE, message, sizeof message);
    EXPECT_STREQ(message, "The Pace scale's maximum must be above its minimum.");
}

TEST(PreferencesInput, MessageFitsASmallBuffer) {
    char small[10];
    FormatEmptyScaleMessage(SCALE_HEART_RATE, small, sizeof small);
    EXPECT_STREQ(small, "The Heart");
}

}  // namespace
