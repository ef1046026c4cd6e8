// The workout requests' split length and where the bytes sit.
#include "monitor/workout_requests.h"

#include <gtest/gtest.h>

namespace {

TEST(WorkoutRequests, SplitLengthFollowsTheDistance) {
    const int cases[][2] = {{250, 250},    {499, 250},    {500, 500},
                            {14999, 500},  {15000, 1000}, {21097, 1000},
                            {29999, 1000}, {30000, 1500}, {42195, 1500}};
    for (const auto& c : cases) EXPECT_EQ(SplitLengthFor(c[0]), c[1]) << c[0];
}

TEST(WorkoutRequests, DistanceAndSplitBytesAreLittleEndian) {
    const CsafeRequest halfMarathon = BuildDistanceWorkoutRequest(21097);
    ASSERT_EQ(halfMarathon.count, 19);
    EXPECT_EQ(halfMarathon.entries[2], 0x69u);  // 21097 = 0x5269
    EXPECT_EQ(halfMarathon.entries[3], 0x52u);
    EXPECT_EQ(halfMarathon.entries[10], 0xE8u);  // 1000 = 0x03E8
    EXPECT_EQ(halfMarathon.entries[11], 0x03u);
    const CsafeRequest far = BuildDistanceWorkoutRequest(2000000);
    for (int i = 0; i < far.count; ++i) EXPECT_LE(far.entries[i], 0xFFu) << i;
}

}  // namespace
