// The workout and clock command sequences, as a recording monitor library takes them.
#include "monitor/workout_commands.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/workout_menu.h"
#include "monitor/monitor_api.h"
#include "monitor/poll_state.h"
#include "settings/text_table.h"

namespace {

// Each request as it reached the monitor, and what the program looked like at that moment.
struct SentRequest {
    int unitAddress;
    std::vector<uint32_t> entries;
    int status;
    bool busy;
    uint16_t responseCapacity;
};
std::vector<SentRequest> sent;
int16_t failingStatus;
size_t failingCall;  // counted from 1; 0 for none

int16_t MONITOR_CALL FakeCommand(uint16_t unitAddress, uint16_t count, uint32_t* commands,
                                 uint16_t* responseCount, uint32_t*) {
    int16_t status = sent.size() + 1 == failingCall ? failingStatus : 0;
    sent.push_back({unitAddress, std::vector<uint32_t>(commands, commands + count), status,
                    monitorBusy, *responseCount});
    *responseCount = 0;
    return status;
}
void FakeErrorText(int16_t code, char* buffer, uint16_t size) {
    snprintf(buffer, size, "failure %d", code);
}

std::vector<uint32_t> waits;
std::vector<int> redraws;
time_t fixedNow;

void RecordWait(uint32_t milliseconds) {
    waits.push_back(milliseconds);
}
time_t FixedNow() {
    return fixedNow;
}
void RecordRedraw(unsigned char full) {
    redraws.push_back(full);
}

const MonitorCommandHooks testHooks = {RecordWait, FixedNow, RecordRedraw};

const std::vector<uint32_t> RESET = {0x86, 0x82, 0x83};
class WorkoutCommands : public ::testing::Test {
protected:
    void SetUp() override {
        monitorApi = MonitorApi{};
        monitorApi.csafeCommand = FakeCommand;
        monitorApi.csafeGetErrorText = FakeErrorText;
        sent.clear();
        waits.clear();
        redraws.clear();
        failingCall = 0;
        monitorBusy = newWorkoutPending = false;
        statusLine[0] = '\0';
        snprintf(textTable[TEXT_ERROR], TEXT_SLOT_SIZE, "%s", "Error");
    }
    void TearDown() override { monitorApi = MonitorApi{}; }
};

TEST_F(WorkoutCommands, MarathonResetsThenProgramsDistanceAndSplit) {
    RunDistanceWorkout(42195, testHooks);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].entries, RESET);
    const std::vector<uint32_t> workout = {0x21, 3,    0xD3, 0xA4, 0x24, 0x1A, 7, 0x05, 5,   0x80,
                                           0xDC, 0x05, 0,    0,    0x24, 2,    0, 0,    0x85};
    EXPECT_EQ(sent[1].entries, workout);
    for (const SentRequest& request : sent) {
        EXPECT_EQ(request.unitAddress, 0);
        EXPECT_EQ(request.status, 0);
        EXPECT_EQ(request.responseCapacity, 100);
        EXPECT_TRUE(request.busy);
    }
    EXPECT_FALSE(monitorBusy);
    EXPECT_EQ(waits, (std::vector<uint32_t>{100, 1000}));
    EXPECT_EQ(redraws, (std::vector<int>{1}));  // a distance redraws in full
    EXPECT_TRUE(newWorkoutPending);
    EXPECT_STREQ(statusLine, "");
}

// Every item of the Workout menu by the id its menu gives it, and how its workout request
// begins; distances also carry their split length.
struct MenuCase {
    int id;
    std::vector<uint32_t> start;
    uint32_t split;
};
const MenuCase MENU_CASES[] = {
    {32772, {0x21, 3, 0xFA, 0x00}, 250},  {32773, {0x21, 3, 0xF4, 0x01}, 500},
    {32774, {0x21, 3, 0xE8, 0x03}, 500},  {32775, {0x21, 3, 0xD0, 0x07}, 500},
    {32784, {0x21, 3, 0xB8, 0x0B}, 500},  {32785, {0x21, 3, 0xA0, 0x0F}, 500},
    {32776, {0x21, 3, 0x88, 0x13}, 500},  {32777, {0x21, 3, 0x70, 0x17}, 500},
    {32779, {0x21, 3, 0x10, 0x27}, 500},  {32778, {0x21, 3, 0x69, 0x52}, 1000},
    {32780, {0x21, 3, 0xD3, 0xA4}, 1500}, {32782, {0x20, 3, 0, 30}, 0},
    {32783, {0x20, 3, 0, 60}, 0},         {32795, {0x24, 2, 1, 0}, 0},
    {32796, {0x24, 2, 2, 0}, 0},          {32797, {0x24, 2, 3, 0}, 0},
    {32798, {0x24, 2, 4, 0}, 0},          {32799, {0x24, 2, 5, 0}, 0},
    {32800, {0x24, 2, 6, 0}, 0},          {32801, {0x24, 2, 7, 0}, 0},
    {32802, {0x24, 2, 8, 0}, 0},          {32803, {0x24, 2, 9, 0}, 0},
    {32804, {0x24, 2, 10, 0}, 0},         {32805, {0x24, 2, 11, 0}, 0},
    {32806, {0x24, 2, 12, 0}, 0},         {32807, {0x24, 2, 13, 0}, 0},
    {32808, {0x24, 2, 14, 0}, 0},         {32809, {0x24, 2, 15, 0}, 0},
};

TEST_F(WorkoutCommands, EveryWorkoutMenuItemSendsItsOwnWorkout) {
    for (const MenuCase& c : MENU_CASES) {
        sent.clear();
        ASSERT_TRUE(RunWorkoutMenuCommand(c.id, testHooks)) << c.id;
        ASSERT_EQ(sent.size(), 2u) << c.id;
        EXPECT_EQ(sent[0].entries, RESET) << c.id;
        const std::vector<uint32_t>& workout = sent[1].entries;
        EXPECT_EQ(std::vector<uint32_t>(workout.begin(), workout.begin() + 4), c.start) << c.id;
        EXPECT_EQ(workout.back(), 0x85u) << c.id;
        EXPECT_EQ(sent[1].status, 0) << c.id;
        EXPECT_EQ(c.split == 0 ? 0 : workout[10] + 256 * workout[11], c.split) << c.id;
    }
    // Ids that are not Workout items program nothing.
    sent.clear();
    for (int id : {32771, 32781, 32794, 32810}) EXPECT_FALSE(RunWorkoutMenuCommand(id, testHooks));
    EXPECT_TRUE(sent.empty());
}

TEST_F(WorkoutCommands, FailedResetStillProgramsAndEndsTheWorkout) {
    failingStatus = -31;
    failingCall = 1;
    RunDistanceWorkout(2000, testHooks);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].status, -31);
    EXPECT_EQ(sent[1].status, 0);
    EXPECT_TRUE(newWorkoutPending);
    EXPECT_NE(strstr(statusLine, "Error: "), nullptr);
    EXPECT_NE(strstr(statusLine, "-31"), nullptr) << statusLine;
    EXPECT_FALSE(monitorBusy);
}

TEST_F(WorkoutCommands, FailedWorkoutRequestKeepsTheWorkoutAndShowsTheError) {
    failingStatus = -32;
    failingCall = 2;
    RunStoredWorkout(8, testHooks);
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].status, -32);
    EXPECT_FALSE(newWorkoutPending);
    EXPECT_EQ(strncmp(statusLine, "Error: ", 7), 0) << statusLine;
    EXPECT_NE(strstr(statusLine, "-32"), nullptr) << statusLine;
    EXPECT_EQ(redraws, (std::vector<int>{0}));
    EXPECT_FALSE(monitorBusy);
}

TEST_F(WorkoutCommands, ClockSendsLocalTimeAndDate) {
    struct tm local = {};  // 2009-03-06 14:05:09
    local.tm_year = 109, local.tm_mon = 2, local.tm_mday = 6;
    local.tm_hour = 14, local.tm_min = 5, local.tm_sec = 9, local.tm_isdst = -1;
    fixedNow = mktime(&local);
    RunClockCommand(testHooks);
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].entries, (std::vector<uint32_t>{0x11, 3, 14, 5, 9, 0x12, 3, 109, 3, 6}));
    EXPECT_EQ(sent[0].unitAddress, 0);
    EXPECT_EQ(sent[0].status, 0);
    EXPECT_EQ(waits, (std::vector<uint32_t>{100}));
    EXPECT_TRUE(redraws.empty());  // success shows nothing
    EXPECT_STREQ(statusLine, "");
}

}  // namespace
