// The workout and clock requests, entry by entry.
#include "monitor/workout_requests.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<uint32_t> Entries(const CsafeRequest& request) {
    return std::vector<uint32_t>(request.entries, request.entries + request.count);
}

TEST(WorkoutRequests, ResetIsFinishedIdleHaveId) {
    EXPECT_EQ(Entries(BuildResetRequest()), (std::vector<uint32_t>{0x86, 0x82, 0x83}));
}

TEST(WorkoutRequests, MarathonDistanceWithSplitOf1500) {
    const std::vector<uint32_t> expected = {0x21, 3,    0xD3, 0xA4, 0x24, 0x1A, 7,
                                            0x05, 5,    0x80, 0xDC, 0x05, 0,    0,
                                            0x24, 2,    0,    0,    0x85};
    EXPECT_EQ(Entries(BuildDistanceWorkoutRequest(42195)), expected);
}

TEST(WorkoutRequests, SplitLengthFollowsTheDistance) {
    EXPECT_EQ(SplitLengthFor(250), 250);
    EXPECT_EQ(SplitLengthFor(499), 250);
    EXPECT_EQ(SplitLengthFor(500), 500);
    EXPECT_EQ(SplitLengthFor(10000), 500);
    EXPECT_EQ(SplitLengthFor(14999), 500);
    EXPECT_EQ(SplitLengthFor(15000), 1000);
    EXPECT_EQ(SplitLengthFor(21097), 1000);
    EXPECT_EQ(SplitLengthFor(29999), 1000);
    EXPECT_EQ(SplitLengthFor(30000), 1500);
    EXPECT_EQ(SplitLengthFor(42195), 1500);
}

TEST(WorkoutRequests, SplitBytesSitInTheWrapper) {
    const CsafeRequest short250 = BuildDistanceWorkoutRequest(250);
    ASSERT_EQ(short250.count, 19);
    EXPECT_EQ(short250.entries[2], 250u);  // 250 m is 0xFA, 0x00
    EXPECT_EQ(short250.entries[3], 0u);
    EXPECT_EQ(short250.entries[10], 250u);
    EXPECT_EQ(short250.entries[11], 0u);

    const CsafeRequest half = BuildDistanceWorkoutRequest(500);
    EXPECT_EQ(half.entries[10], 0xF4u);  // 500 = 0x01F4
    EXPECT_EQ(half.entries[11], 0x01u);

    const CsafeRequest halfMarathon = BuildDistanceWorkoutRequest(21097);
    EXPECT_EQ(halfMarathon.entries[2], 0x69u);  // 21097 = 0x5269
    EXPECT_EQ(halfMarathon.entries[3], 0x52u);
    EXPECT_EQ(halfMarathon.entries[10], 0xE8u);  // 1000 = 0x03E8
    EXPECT_EQ(halfMarathon.entries[11], 0x03u);
}

TEST(WorkoutRequests, EveryEntryIsOneByte) {
    const CsafeRequest request = BuildDistanceWorkoutRequest(2000000);
    for (int i = 0; i < request.count; ++i) EXPECT_LE(request.entries[i], 0xFFu) << i;
}

TEST(WorkoutRequests, SixtyMinutesAreZeroHoursAndSixtyMinutes) {
    EXPECT_EQ(Entries(BuildTimeWorkoutRequest(60)),
              (std::vector<uint32_t>{0x20, 3, 0, 60, 0, 0x24, 2, 0, 0, 0x85}));
    EXPECT_EQ(Entries(BuildTimeWorkoutRequest(30)),
              (std::vector<uint32_t>{0x20, 3, 0, 30, 0, 0x24, 2, 0, 0, 0x85}));
}

TEST(WorkoutRequests, StoredWorkoutNumberGoesToSetProgram) {
    EXPECT_EQ(Entries(BuildStoredWorkoutRequest(8)),
              (std::vector<uint32_t>{0x24, 2, 8, 0, 0x85}));
    EXPECT_EQ(Entries(BuildStoredWorkoutRequest(15)),
              (std::vector<uint32_t>{0x24, 2, 15, 0, 0x85}));
}

TEST(WorkoutRequests, ClockFromBrokenDownTime) {
    struct tm local = {};
    local.tm_year = 109;
    local.tm_mon = 2;
    local.tm_mday = 6;
    local.tm_hour = 14;
    local.tm_min = 5;
    local.tm_sec = 9;
    EXPECT_EQ(Entries(BuildClockRequest(local)),
              (std::vector<uint32_t>{0x11, 3, 14, 5, 9, 0x12, 3, 109, 3, 6}));
}

}  // namespace
