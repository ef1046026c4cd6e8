// The workout and clock command sequences, as a recording monitor library takes them.
#include "monitor/workout_commands.h"

#include <gtest/gtest.h>
#include <stdio.h>

#include <vector>

#include "app/app_state.h"
#include "app/workout_menu.h"
#include "monitor/monitor_api.h"
#include "monitor/poll_state.h"
#include "settings/text_table.h"

namespace {

using Entries = std::vector<uint32_t>;
std::vector<Entries> sent;
size_t failingRequest;  // counted from 1; 0 for none
std::vector<uint32_t> waits;
std::vector<int> redraws;
time_t now;

int16_t FakeCommand(uint16_t unit, uint16_t count, uint32_t* commands, uint16_t*, uint32_t*) {
    EXPECT_TRUE(unit == 0 && monitorBusy);  // the poll is kept away meanwhile
    sent.emplace_back(commands, commands + count);
    return sent.size() == failingRequest ? -31 : 0;
}

const MonitorCommandHooks HOOKS = {[](uint32_t ms) { waits.push_back(ms); }, []() { return now; },
                                   [](unsigned char full) { redraws.push_back(full); }};
const Entries RESET = {0x86, 0x82, 0x83};

class WorkoutCommands : public ::testing::Test {
protected:
    void SetUp() override {
        monitorApi = MonitorApi{};
        monitorApi.csafeCommand = FakeCommand;
        monitorApi.csafeGetErrorText = [](int16_t code, char* text, uint16_t size) {
            snprintf(text, size, "failure %d", code);
        };
        snprintf(textTable[TEXT_ERROR], TEXT_SLOT_SIZE, "%s", "Error");
        sent.clear(), waits.clear(), redraws.clear(), failingRequest = 0;
        monitorBusy = newWorkoutPending = false;
        statusLine[0] = '\0';
    }
    void TearDown() override { monitorApi = MonitorApi{}; }
};

TEST_F(WorkoutCommands, MarathonResetsThenProgramsDistanceAndSplit) {
    RunDistanceWorkout(42195, HOOKS);
    EXPECT_EQ(sent, (std::vector<Entries>{RESET,
                                          {0x21, 3, 0xD3, 0xA4, 0x24, 0x1A, 7, 0x05, 5, 0x80, 0xDC,
                                           0x05, 0, 0, 0x24, 2, 0, 0, 0x85}}));
    EXPECT_FALSE(monitorBusy);
    EXPECT_EQ(waits, (std::vector<uint32_t>{100, 1000}));
    EXPECT_EQ(redraws, (std::vector<int>{1}));  // a distance redraws in full
    EXPECT_TRUE(newWorkoutPending);
    EXPECT_STREQ(statusLine, "");
}

// Every Workout menu item by its menu id: how its workout request begins, and for a
// distance its split length.
TEST_F(WorkoutCommands, EveryWorkoutMenuItemSendsItsOwnWorkout) {
    struct Item {
        int id;
        Entries start;
        uint32_t split;
    };
    std::vector<Item> items = {{32782, {0x20, 3, 0, 30}, 0}, {32783, {0x20, 3, 0, 60}, 0}};
    const uint32_t distances[][3] = {{32772, 250, 250},   {32773, 500, 500},    {32774, 1000, 500},
                                {32775, 2000, 500},  {32784, 3000, 500},   {32785, 4000, 500},
                                {32776, 5000, 500},  {32777, 6000, 500},   {32779, 10000, 500},
                                {32778, 21097, 1000}, {32780, 42195, 1500}};
    for (auto d : distances) items.push_back({(int)d[0], {0x21, 3, d[1] & 0xFF, d[1] >> 8}, d[2]});
    for (uint32_t k = 1; k <= 15; k++) items.push_back({32794 + (int)k, {0x24, 2, k, 0}, 0});
    for (const Item& c : items) {
        SCOPED_TRACE(c.id);
        sent.clear();
        ASSERT_TRUE(RunWorkoutMenuCommand(c.id, HOOKS));
        ASSERT_EQ(sent.size(), 2u);
        EXPECT_EQ(sent[0], RESET);
        EXPECT_EQ(Entries(sent[1].begin(), sent[1].begin() + 4), c.start);
        EXPECT_EQ(sent[1].back(), 0x85u);
        EXPECT_EQ(c.split == 0 ? 0 : sent[1][10] + 256 * sent[1][11], c.split);
    }
    // Ids that are not Workout items program nothing.
    sent.clear();
    for (int id : {32771, 32781, 32794, 32810}) EXPECT_FALSE(RunWorkoutMenuCommand(id, HOOKS));
    EXPECT_TRUE(sent.empty());
}

// A failed reset is shown and the program still sent; a failed program keeps the workout.
TEST_F(WorkoutCommands, FailuresAreShownAndOnlyASentProgramEndsTheWorkout) {
    for (size_t failing : {1, 2}) {
        sent.clear(), redraws.clear(), failingRequest = failing;
        newWorkoutPending = false, statusLine[0] = '\0';
        RunStoredWorkout(8, HOOKS);
        EXPECT_EQ(sent.size(), 2u);
        EXPECT_EQ(newWorkoutPending, failing == 1);
        EXPECT_STREQ(statusLine, "Error: failure -31");
        EXPECT_EQ(redraws, (std::vector<int>{0}));
        EXPECT_FALSE(monitorBusy);
    }
}

TEST_F(WorkoutCommands, ClockSendsLocalTimeAndDateAndRedrawsOnlyOnFailure) {
    struct tm local = {};  // 2009-03-06 14:05:09
    local.tm_year = 109, local.tm_mon = 2, local.tm_mday = 6;
    local.tm_hour = 14, local.tm_min = 5, local.tm_sec = 9, local.tm_isdst = -1;
    now = mktime(&local);
    RunClockCommand(HOOKS);
    EXPECT_EQ(sent, (std::vector<Entries>{{0x11, 3, 14, 5, 9, 0x12, 3, 109, 3, 6}}));
    EXPECT_EQ(waits, (std::vector<uint32_t>{100}));
    EXPECT_TRUE(redraws.empty());
    EXPECT_FALSE(monitorBusy);
    failingRequest = 2;
    RunClockCommand(HOOKS);
    EXPECT_EQ(redraws, (std::vector<int>{0}));
    EXPECT_STREQ(statusLine, "Error: failure -31");
}

}  // namespace
