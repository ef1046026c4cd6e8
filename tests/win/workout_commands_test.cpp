// The menu's monitor commands as Tamsi runs them: real waiting, the system clock, and the
// requests taken by a recording stand-in for the CSAFE library.
#include "monitor/workout_commands.h"

#include <gtest/gtest.h>
#include <time.h>
#include <windows.h>

#include <vector>

#include "monitor/monitor_api.h"
#include "monitor/poll_state.h"

namespace {

std::vector<std::vector<uint32_t>> requests;
std::vector<bool> busyDuringRequest;

int16_t MONITOR_CALL RecordCommand(uint16_t, uint16_t count, uint32_t* commands,
                                   uint16_t* responseCount, uint32_t*) {
    requests.push_back(std::vector<uint32_t>(commands, commands + count));
    busyDuringRequest.push_back(monitorBusy);
    *responseCount = 0;
    return 0;
}

class WorkoutCommandsWin : public ::testing::Test {
protected:
    void SetUp() override {
        saved = monitorApi;
        monitorApi.csafeCommand = RecordCommand;
        requests.clear();
        busyDuringRequest.clear();
        monitorBusy = false;
        newWorkoutPending = false;
    }
    void TearDown() override { monitorApi = saved; }
    MonitorApi saved;
};

TEST_F(WorkoutCommandsWin, CustomThreeResetsThenStartsStoredWorkoutEight) {
    ProgramStoredWorkout(8);
    ASSERT_EQ(requests.size(), 2u);
    EXPECT_EQ(requests[0], (std::vector<uint32_t>{0x86, 0x82, 0x83}));
    EXPECT_EQ(requests[1], (std::vector<uint32_t>{0x24, 2, 8, 0, 0x85}));
    EXPECT_TRUE(busyDuringRequest[0]);
    EXPECT_TRUE(busyDuringRequest[1]);
    EXPECT_FALSE(monitorBusy);
    EXPECT_TRUE(newWorkoutPending);
}

struct tm Today() {
    const time_t now = time(nullptr);
    return *localtime(&now);
}

TEST_F(WorkoutCommandsWin, ClockCarriesTodaysLocalDate) {
    const struct tm before = Today();
    SetMonitorClock();
    const struct tm after = Today();
    ASSERT_EQ(requests.size(), 1u);
    const std::vector<uint32_t>& sent = requests[0];
    ASSERT_EQ(sent.size(), 10u);
    // Midnight may pass during the call: the date is then one of the two.
    const std::vector<uint32_t> date(sent.begin() + 5, sent.end());
    EXPECT_TRUE(
        date == (std::vector<uint32_t>{0x12, 3, (uint32_t)before.tm_year,
                                       (uint32_t)before.tm_mon + 1, (uint32_t)before.tm_mday}) ||
        date == (std::vector<uint32_t>{0x12, 3, (uint32_t)after.tm_year, (uint32_t)after.tm_mon + 1,
                                       (uint32_t)after.tm_mday}));
    EXPECT_EQ(sent[0], 0x11u);
    EXPECT_LT(sent[2], 24u);
    EXPECT_TRUE(busyDuringRequest[0]);
    EXPECT_FALSE(monitorBusy);
}

}  // namespace
