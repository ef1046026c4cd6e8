// Talking to the monitor's libraries, as recording fakes of them take it: opening the session
// in their order and every failure path, and the workout and clock command sequences.
#include <gtest/gtest.h>

#include "app/workout_menu.h"
#include "monitor/missing_library.h"
#include "monitor/monitor_api.h"
#include "monitor/monitor_session.h"
#include "monitor/poll_state.h"
#include "monitor/workout_commands.h"
#include "test_support.h"

namespace {

using Entries = std::vector<uint32_t>;
std::vector<Entries> sent;
std::vector<uint32_t> waits;
std::vector<int> redraws;
time_t now;
int16_t refusal;  // what the monitor answers a workout request with

int16_t FakeCommand(uint16_t, uint16_t count, uint32_t* commands, uint16_t*, uint32_t*) {
    sent.emplace_back(commands, commands + count);
    return sent.size() == 2 ? refusal : 0;
}

const MonitorCommandHooks HOOKS = {[](uint32_t ms) { waits.push_back(ms); }, []() { return now; },
                                   [](unsigned char full) { redraws.push_back(full); }};
const Entries RESET = {0x86, 0x82, 0x83};

class WorkoutCommands : public ::testing::Test {
protected:
    void SetUp() override {
        monitorApi = MonitorApi{};
        monitorApi.csafeCommand = FakeCommand;
        monitorApi.csafeGetErrorText = [](int16_t, char* text, uint16_t size) {
            snprintf(text, size, "refused");
        };
        sent.clear(), waits.clear(), redraws.clear(), refusal = 0;
        monitorBusy = newWorkoutPending = false;
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
    // A workout the monitor refuses is told and leaves the current one recording.
    sent.clear(), refusal = -5, newWorkoutPending = false;
    RunTimeWorkout(30, HOOKS);
    EXPECT_FALSE(newWorkoutPending || monitorBusy);
    EXPECT_STREQ(strchr(statusLine, ':'), ": refused");
}

// Every Workout menu item by its menu id: the first four entries of its workout request and,
// for a distance, the split length.
TEST_F(WorkoutCommands, EveryWorkoutMenuItemSendsItsOwnWorkout) {
    std::vector<Entries> items = {{32782, 0x20, 3, 0, 30, 0}, {32783, 0x20, 3, 0, 60, 0}};
    const uint32_t distances[][3] = {{32772, 250, 250},    {32773, 500, 500},   {32774, 1000, 500},
                                     {32775, 2000, 500},   {32784, 3000, 500},  {32785, 4000, 500},
                                     {32776, 5000, 500},   {32777, 6000, 500},  {32779, 10000, 500},
                                     {32778, 21097, 1000}, {32780, 42195, 1500}};
    for (auto d : distances) items.push_back({d[0], 0x21, 3, d[1] & 0xFF, d[1] >> 8, d[2]});
    for (uint32_t k = 1; k <= 15; k++) items.push_back({32794 + k, 0x24, 2, k, 0, 0});
    for (const Entries& c : items) {
        SCOPED_TRACE(c[0]);
        sent.clear();
        ASSERT_TRUE(RunWorkoutMenuCommand((int)c[0], HOOKS));
        ASSERT_EQ(sent.size(), 2u);
        EXPECT_EQ(sent[0], RESET);
        EXPECT_EQ(Entries(sent[1].begin(), sent[1].begin() + 4), Entries(&c[1], &c[5]));
        EXPECT_EQ(sent[1].back(), 0x85u);
        EXPECT_EQ(c[5] == 0 ? 0 : sent[1][10] + 256 * sent[1][11], c[5]);
    }
}

TEST_F(WorkoutCommands, ClockSendsLocalTimeAndDate) {
    test_support::LocalZone zone("EST5");  // a clock five hours behind UTC
    struct tm local = {9, 5, 14, 6, 2, 109, 0, 0, -1, 0, nullptr};  // 2009-03-06 14:05:09
    now = mktime(&local);
    RunClockCommand(HOOKS);
    EXPECT_EQ(sent, (std::vector<Entries>{{0x11, 3, 14, 5, 9, 0x12, 3, 109, 3, 6}}));
    EXPECT_EQ(waits, (std::vector<uint32_t>{100}));
    EXPECT_TRUE(redraws.empty());  // only a failure is shown
}

// A scripted pair of libraries that records every call and fails the one named.
std::vector<std::string> calls;
std::string failing;

int16_t Call(std::string call, int a = INT32_MIN, int b = INT32_MIN) {
    for (int n : {a, b}) call += n == INT32_MIN ? "" : " " + std::to_string(n);
    calls.push_back(call);
    return call == failing ? -7 : 0;
}

const MonitorApi FAKE_LIBRARIES = {
    []() { return Call("init"); },
    [](const char* product, uint16_t start, uint16_t*) {
        return Call(std::string("discover ") + product, start);
    },
    [](int16_t code, char*, uint16_t size) { return Call("name", code, size); },
    [](int16_t code, char* text, uint16_t size) {
        snprintf(text, size, "driver says %d", code);
        return Call("text", code, size);
    },
    [](int16_t port) { return Call("shutdown", port); },
    [](uint16_t timeout) { return Call("protocol", timeout); },
    nullptr,
    nullptr,
};

// A missing library is named at start-up and by every poll after it.
TEST(MonitorSession, OpensInTheLibrariesOrderAndShowsWhatFailedOrIsMissing) {
    const std::string PM3 = "discover Concept2 Performance Monitor 3 (PM3) 0";
    const std::string PM4 = "discover Concept2 Performance Monitor 4 (PM4) 0";
    const std::string PM5 = "discover Concept2 Performance Monitor 5 (PM5) 0";
    const std::string MISSING = " missing or incomplete in the program folder";
    const int16_t GONE = MISSING_LIBRARY_STATUS;
    const struct {
        bool ddiMissing, csafeMissing;
        std::string failing;
        int16_t status;
        std::vector<std::string> calls;
        std::string statusLine;
    } cases[] = {
        // clang-format off
        {false, false, "", 0, {"init", PM3, PM4, PM5, "protocol 0"}, "old"},
        // A library that does not know the PM5 is no error.
        {false, false, PM5, 0, {"init", PM3, PM4, PM5, "protocol 0"}, "old"},
        {false, false, PM4, -7, {"init", PM3, PM4, "shutdown 0", "name -7 40", "text -7 200"},
         "Error: driver says -7"},
        {true, false, "", GONE, {}, "Error: PM3DDICP.dll is" + MISSING},
        {false, true, "", GONE, {"init", PM3, PM4, PM5}, "Error: PM3CsafeCP.dll is" + MISSING},
        {true, true, "", GONE, {}, "Error: PM3DDICP.dll and PM3CsafeCP.dll are" + MISSING},
        // clang-format on
    };
    test_support::UseEnglishTexts();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.statusLine);
        calls.clear(), failing = c.failing;
        monitorApi = FAKE_LIBRARIES;
        UseMissingLibraries(&monitorApi, c.ddiMissing, c.csafeMissing);
        strcpy(statusLine, "old");
        EXPECT_EQ(OpenMonitorSession(), c.status);
        EXPECT_EQ(calls, c.calls);
        EXPECT_EQ(statusLine, c.statusLine);
        if (c.ddiMissing || c.csafeMissing) {
            ResetRecorderState();
            RunPollTick();
            EXPECT_EQ(statusLine, c.statusLine);
        }
    }
    ResetRecorderState();
    monitorApi = MonitorApi();
}

}  // namespace
