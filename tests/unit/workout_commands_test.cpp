// The workout and clock command sequences against a recording monitor.
#include "monitor/workout_commands.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <vector>

#include "app/app_state.h"
#include "monitor/monitor_api.h"
#include "monitor/poll_state.h"
#include "settings/text_table.h"

namespace {

struct SentRequest {
    uint16_t unitAddress;
    uint16_t responseCapacity;
    bool busyDuringCall;
    std::vector<uint32_t> entries;
};

std::vector<SentRequest> sent;
std::vector<int16_t> statuses;  // answer of each call in turn; 0 once they run out
std::vector<uint32_t> waits;
std::vector<int> redraws;
time_t fixedNow;

int16_t MONITOR_CALL RecordCommand(uint16_t unitAddress, uint16_t count, uint32_t* commands,
                                   uint16_t* responseCount, uint32_t* responses) {
    SentRequest request;
    request.unitAddress = unitAddress;
    request.responseCapacity = *responseCount;
    request.busyDuringCall = monitorBusy;
    request.entries.assign(commands, commands + count);
    const size_t call = sent.size();
    sent.push_back(request);
    responses[0] = 0;
    *responseCount = 0;
    return call < statuses.size() ? statuses[call] : 0;
}

void MONITOR_CALL ErrorText(int16_t code, char* buffer, uint16_t size) {
    snprintf(buffer, size, "monitor said %d", code);
}

void RecordWait(uint32_t milliseconds) { waits.push_back(milliseconds); }
time_t FixedNow() { return fixedNow; }
void RecordRedraw(unsigned char full) { redraws.push_back(full); }

const MonitorCommandHooks testHooks = {RecordWait, FixedNow, RecordRedraw};

const std::vector<uint32_t> RESET = {0x86, 0x82, 0x83};

class WorkoutCommands : public ::testing::Test {
protected:
    void SetUp() override {
        sent.clear();
        statuses.clear();
        waits.clear();
        redraws.clear();
        monitorApi = MonitorApi{};
        monitorApi.csafeCommand = RecordCommand;
        monitorApi.csafeGetErrorText = ErrorText;
        monitorBusy = false;
        newWorkoutPending = false;
        statusLine[0] = '\0';
        snprintf(textTable[TEXT_ERROR], TEXT_SLOT_SIZE, "%s", "Error");
    }
    void TearDown() override { monitorApi = MonitorApi{}; }
};

TEST_F(WorkoutCommands, MarathonResetsThenProgramsDistanceAndSplit) {
    RunDistanceWorkout(42195, testHooks);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].entries, RESET);
    const std::vector<uint32_t> workout = {0x21, 3, 0xD3, 0xA4, 0x24, 0x1A, 7, 0x05, 5, 0x80,
                                           0xDC, 0x05, 0, 0, 0x24, 2, 0, 0, 0x85};
    EXPECT_EQ(sent[1].entries, workout);
    for (const SentRequest& request : sent) {
        EXPECT_EQ(request.unitAddress, 0);
        EXPECT_EQ(request.responseCapacity, 100);
    }
    EXPECT_TRUE(newWorkoutPending);
    EXPECT_STREQ(statusLine, "");
}

TEST_F(WorkoutCommands, ShortDistancesGetTheirSplits) {
    RunDistanceWorkout(250, testHooks);
    RunDistanceWorkout(500, testHooks);
    RunDistanceWorkout(21097, testHooks);
    ASSERT_EQ(sent.size(), 6u);
    EXPECT_EQ(sent[1].entries[10], 250u);
    EXPECT_EQ(sent[1].entries[11], 0u);
    EXPECT_EQ(sent[3].entries[10] + 256 * sent[3].entries[11], 500u);
    EXPECT_EQ(sent[5].entries[10] + 256 * sent[5].entries[11], 1000u);
}

TEST_F(WorkoutCommands, WaitsHundredThenThousandMilliseconds) {
    RunTimeWorkout(30, testHooks);
    EXPECT_EQ(waits, (std::vector<uint32_t>{100, 1000}));
}

TEST_F(WorkoutCommands, BusyOnlyWhileTalkingToTheMonitor) {
    RunStoredWorkout(3, testHooks);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(sent[0].busyDuringCall);
    EXPECT_TRUE(sent[1].busyDuringCall);
    EXPECT_FALSE(monitorBusy);
}

TEST_F(WorkoutCommands, CustomThreeIsStoredWorkoutEight) {
    RunStoredWorkout(8, testHooks);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].entries, RESET);
    EXPECT_EQ(sent[1].entries, (std::vector<uint32_t>{0x24, 2, 8, 0, 0x85}));
    EXPECT_TRUE(newWorkoutPending);
}

TEST_F(WorkoutCommands, SixtyMinutesGoAsZeroHoursSixtyMinutes) {
    RunTimeWorkout(60, testHooks);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].entries, RESET);
    EXPECT_EQ(sent[1].entries, (std::vector<uint32_t>{0x20, 3, 0, 60, 0, 0x24, 2, 0, 0, 0x85}));
}

TEST_F(WorkoutCommands, DistanceRedrawsInFullOthersNumbersOnly) {
    RunDistanceWorkout(2000, testHooks);
    RunTimeWorkout(30, testHooks);
    RunStoredWorkout(1, testHooks);
    EXPECT_EQ(redraws, (std::vector<int>{1, 0, 0}));
}

TEST_F(WorkoutCommands, FailedResetStillProgramsAndEndsTheWorkout) {
    statuses = {-7, 0};
    RunDistanceWorkout(2000, testHooks);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_TRUE(newWorkoutPending);
    EXPECT_STREQ(statusLine, "Error: monitor said -7");
    EXPECT_FALSE(monitorBusy);
}

TEST_F(WorkoutCommands, FailedWorkoutRequestKeepsTheWorkoutAndShowsTheError) {
    statuses = {0, -3};
    RunStoredWorkout(8, testHooks);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_FALSE(newWorkoutPending);
    EXPECT_STREQ(statusLine, "Error: monitor said -3");
    EXPECT_EQ(redraws, (std::vector<int>{0}));
    EXPECT_FALSE(monitorBusy);
}

TEST_F(WorkoutCommands, WorkoutErrorReplacesTheResetError) {
    statuses = {-1, -2};
    RunTimeWorkout(30, testHooks);
    EXPECT_STREQ(statusLine, "Error: monitor said -2");
    EXPECT_FALSE(newWorkoutPending);
}

time_t LocalTime(int year, int month, int day, int hour, int minute, int second) {
    struct tm local = {};
    local.tm_year = year - 1900;
    local.tm_mon = month - 1;
    local.tm_mday = day;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    return mktime(&local);
}

TEST_F(WorkoutCommands, ClockSendsLocalTimeAndDate) {
    fixedNow = LocalTime(2009, 3, 6, 14, 5, 9);
    RunClockCommand(testHooks);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].entries, (std::vector<uint32_t>{0x11, 3, 14, 5, 9, 0x12, 3, 109, 3, 6}));
    EXPECT_EQ(sent[0].unitAddress, 0);
    EXPECT_EQ(sent[0].responseCapacity, 100);
    EXPECT_TRUE(sent[0].busyDuringCall);
    EXPECT_FALSE(monitorBusy);
    EXPECT_EQ(waits, (std::vector<uint32_t>{100}));
    EXPECT_TRUE(redraws.empty());  // success shows nothing
    EXPECT_STREQ(statusLine, "");
    EXPECT_FALSE(newWorkoutPending);
}

TEST_F(WorkoutCommands, FailedClockShowsErrorAndRedrawsNumbers) {
    fixedNow = LocalTime(2009, 12, 31, 23, 59, 58);
    statuses = {-5};
    RunClockCommand(testHooks);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].entries, (std::vector<uint32_t>{0x11, 3, 23, 59, 58, 0x12, 3, 109, 12, 31}));
    EXPECT_STREQ(statusLine, "Error: monitor said -5");
    EXPECT_EQ(redraws, (std::vector<int>{0}));
    EXPECT_FALSE(monitorBusy);
}

}  // namespace
