// The workout and clock command sequences against the simulated monitor: what reaches the
// monitor is read back from its transcript.
#include "monitor/workout_commands.h"

#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "monitor/monitor_api.h"
#include "monitor/poll_state.h"
#include "settings/text_table.h"
#include "simmonitor/sim_monitor.h"

namespace {

// One tkcmdsetCSAFE_command line of the transcript.
struct SentRequest {
    int unitAddress = -1;
    std::vector<uint32_t> entries;
    int status = 0;
};

// "tkcmdsetCSAFE_command 0 [86 82 83] -> 0 []"
bool ParseCommandLine(const std::string& line, SentRequest& request) {
    const std::string prefix = "tkcmdsetCSAFE_command ";
    if (line.compare(0, prefix.size(), prefix) != 0) return false;
    const size_t open = line.find('[');
    const size_t close = line.find(']', open);
    const size_t arrow = line.find("->", close);
    if (open == std::string::npos || close == std::string::npos || arrow == std::string::npos)
        return false;
    request.unitAddress = atoi(line.c_str() + prefix.size());
    const std::string hex = line.substr(open + 1, close - open - 1);
    const char* p = hex.c_str();
    char* end = nullptr;
    for (unsigned long value = strtoul(p, &end, 16); end != p; value = strtoul(p, &end, 16)) {
        request.entries.push_back((uint32_t)value);
        p = end;
    }
    request.status = atoi(line.c_str() + arrow + 2);
    return true;
}

std::vector<SentRequest> SentRequests() {
    std::vector<SentRequest> requests;
    for (const std::string& line : SimMonitorTranscript()) {
        SentRequest request;
        if (ParseCommandLine(line, request)) requests.push_back(request);
    }
    return requests;
}

// What the program saw at the moment of each request, which the transcript cannot tell.
struct CallSeen {
    bool busy;
    uint16_t responseCapacity;
};
std::vector<CallSeen> callsSeen;
CsafeCommandFn simCommand;

int16_t MONITOR_CALL WatchCommand(uint16_t unitAddress, uint16_t count, uint32_t* commands,
                                  uint16_t* responseCount, uint32_t* responses) {
    callsSeen.push_back(CallSeen{monitorBusy, responseCount ? *responseCount : (uint16_t)0});
    return simCommand(unitAddress, count, commands, responseCount, responses);
}

std::vector<uint32_t> waits;
std::vector<int> redraws;
time_t fixedNow;

void RecordWait(uint32_t milliseconds) { waits.push_back(milliseconds); }
time_t FixedNow() { return fixedNow; }
void RecordRedraw(unsigned char full) { redraws.push_back(full); }

const MonitorCommandHooks testHooks = {RecordWait, FixedNow, RecordRedraw};

const std::vector<uint32_t> RESET = {0x86, 0x82, 0x83};
const int16_t RESET_FAULT = -31;
const uint32_t START_DELAY_PASSED = SimConfig().startDelayHundredths + 25;
const int16_t WORKOUT_FAULT = -32;

SimFault CommandFault(int16_t status, uint32_t call) {
    SimFault fault;
    fault.operation = "tkcmdsetCSAFE_command";
    fault.status = status;
    fault.fromCall = call;
    fault.callCount = 1;
    return fault;
}

class WorkoutCommands : public ::testing::Test {
protected:
    void SetUp() override { StartMonitor(SimConfig()); }
    void TearDown() override { monitorApi = MonitorApi{}; }

    // A fresh simulated monitor with its protocol up; the transcript then holds only what
    // the command under test sends.
    void StartMonitor(SimConfig config) {
        config.timeBase = SimTimeBase::Steps;
        SimMonitorReset(config);
        monitorApi = SimMonitorApi();
        ASSERT_EQ(monitorApi.ddiInit(), 0);
        ASSERT_EQ(monitorApi.csafeInitProtocol(0), 0);
        simCommand = monitorApi.csafeCommand;
        monitorApi.csafeCommand = WatchCommand;
        callsSeen.clear();
        waits.clear();
        redraws.clear();
        monitorBusy = false;
        newWorkoutPending = false;
        statusLine[0] = '\0';
        snprintf(textTable[TEXT_ERROR], TEXT_SLOT_SIZE, "%s", "Error");
    }
};

TEST_F(WorkoutCommands, MarathonResetsThenProgramsDistanceAndSplit) {
    RunDistanceWorkout(42195, testHooks);
    const std::vector<SentRequest> sent = SentRequests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].entries, RESET);
    const std::vector<uint32_t> workout = {0x21, 3, 0xD3, 0xA4, 0x24, 0x1A, 7, 0x05, 5, 0x80,
                                           0xDC, 0x05, 0, 0, 0x24, 2, 0, 0, 0x85};
    EXPECT_EQ(sent[1].entries, workout);
    for (const SentRequest& request : sent) {
        EXPECT_EQ(request.unitAddress, 0);
        EXPECT_EQ(request.status, 0);
    }
    ASSERT_EQ(callsSeen.size(), 2u);
    EXPECT_EQ(callsSeen[0].responseCapacity, 100);
    EXPECT_EQ(callsSeen[1].responseCapacity, 100);
    EXPECT_TRUE(newWorkoutPending);
    EXPECT_STREQ(statusLine, "");

    SimMonitorAdvance(START_DELAY_PASSED);  // the rower waits a moment before rowing
    const SimSnapshot monitor = SimMonitorSnapshot();
    EXPECT_EQ(monitor.piece, SimPieceKind::Distance);
    EXPECT_EQ(monitor.pieceTarget, 42195u);
    EXPECT_TRUE(monitor.splitSet);
    EXPECT_EQ(monitor.splitType, 0x80);
    EXPECT_EQ(monitor.splitValue, 1500u);
}

TEST_F(WorkoutCommands, ShortDistancesGetTheirSplits) {
    RunDistanceWorkout(250, testHooks);
    EXPECT_EQ(SimMonitorSnapshot().splitValue, 250u);
    RunDistanceWorkout(500, testHooks);
    EXPECT_EQ(SimMonitorSnapshot().splitValue, 500u);
    RunDistanceWorkout(21097, testHooks);
    EXPECT_EQ(SimMonitorSnapshot().splitValue, 1000u);

    const std::vector<SentRequest> sent = SentRequests();
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
    ASSERT_EQ(callsSeen.size(), 2u);
    EXPECT_TRUE(callsSeen[0].busy);
    EXPECT_TRUE(callsSeen[1].busy);
    EXPECT_FALSE(monitorBusy);
}

TEST_F(WorkoutCommands, CustomThreeIsStoredWorkoutEight) {
    RunStoredWorkout(8, testHooks);
    const std::vector<SentRequest> sent = SentRequests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].entries, RESET);
    EXPECT_EQ(sent[1].entries, (std::vector<uint32_t>{0x24, 2, 8, 0, 0x85}));
    EXPECT_EQ(sent[1].status, 0);
    EXPECT_TRUE(newWorkoutPending);
}

TEST_F(WorkoutCommands, SixtyMinutesGoAsZeroHoursSixtyMinutes) {
    RunTimeWorkout(60, testHooks);
    const std::vector<SentRequest> sent = SentRequests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].entries, RESET);
    EXPECT_EQ(sent[1].entries, (std::vector<uint32_t>{0x20, 3, 0, 60, 0, 0x24, 2, 0, 0, 0x85}));
    SimMonitorAdvance(START_DELAY_PASSED);
    const SimSnapshot monitor = SimMonitorSnapshot();
    EXPECT_EQ(monitor.piece, SimPieceKind::Time);
    EXPECT_EQ(monitor.pieceTarget, 360000u);  // one hour in hundredths
}

TEST_F(WorkoutCommands, DistanceRedrawsInFullOthersNumbersOnly) {
    RunDistanceWorkout(2000, testHooks);
    RunTimeWorkout(30, testHooks);
    RunStoredWorkout(1, testHooks);
    EXPECT_EQ(redraws, (std::vector<int>{1, 0, 0}));
}

TEST_F(WorkoutCommands, FailedResetStillProgramsAndEndsTheWorkout) {
    SimConfig config;
    config.faults.push_back(CommandFault(RESET_FAULT, 1));
    StartMonitor(config);
    RunDistanceWorkout(2000, testHooks);
    const std::vector<SentRequest> sent = SentRequests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[0].status, RESET_FAULT);
    EXPECT_EQ(sent[1].status, 0);
    EXPECT_TRUE(newWorkoutPending);
    EXPECT_NE(strstr(statusLine, "Error: "), nullptr);
    EXPECT_NE(strstr(statusLine, "-31"), nullptr) << statusLine;
    EXPECT_FALSE(monitorBusy);
}

TEST_F(WorkoutCommands, FailedWorkoutRequestKeepsTheWorkoutAndShowsTheError) {
    SimConfig config;
    config.faults.push_back(CommandFault(WORKOUT_FAULT, 2));
    StartMonitor(config);
    RunStoredWorkout(8, testHooks);
    const std::vector<SentRequest> sent = SentRequests();
    ASSERT_EQ(sent.size(), 2u);
    EXPECT_EQ(sent[1].status, WORKOUT_FAULT);
    EXPECT_FALSE(newWorkoutPending);
    EXPECT_EQ(strncmp(statusLine, "Error: ", 7), 0) << statusLine;
    EXPECT_NE(strstr(statusLine, "-32"), nullptr) << statusLine;
    EXPECT_EQ(redraws, (std::vector<int>{0}));
    EXPECT_FALSE(monitorBusy);
}

TEST_F(WorkoutCommands, WorkoutErrorReplacesTheResetError) {
    SimConfig config;
    config.faults.push_back(CommandFault(RESET_FAULT, 1));
    config.faults.push_back(CommandFault(WORKOUT_FAULT, 2));
    StartMonitor(config);
    RunTimeWorkout(30, testHooks);
    EXPECT_NE(strstr(statusLine, "-32"), nullptr) << statusLine;
    EXPECT_EQ(strstr(statusLine, "-31"), nullptr) << statusLine;
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
    const std::vector<SentRequest> sent = SentRequests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].entries, (std::vector<uint32_t>{0x11, 3, 14, 5, 9, 0x12, 3, 109, 3, 6}));
    EXPECT_EQ(sent[0].unitAddress, 0);
    EXPECT_EQ(sent[0].status, 0);
    ASSERT_EQ(callsSeen.size(), 1u);
    EXPECT_EQ(callsSeen[0].responseCapacity, 100);
    EXPECT_TRUE(callsSeen[0].busy);
    EXPECT_FALSE(monitorBusy);
    EXPECT_EQ(waits, (std::vector<uint32_t>{100}));
    EXPECT_TRUE(redraws.empty());  // success shows nothing
    EXPECT_STREQ(statusLine, "");
    EXPECT_FALSE(newWorkoutPending);

    const SimClock clock = SimMonitorClock();
    EXPECT_TRUE(clock.timeSet);
    EXPECT_TRUE(clock.dateSet);
    EXPECT_EQ(clock.year, 2009);
    EXPECT_EQ(clock.month, 3);
    EXPECT_EQ(clock.day, 6);
    EXPECT_EQ(clock.hour, 14);
    EXPECT_EQ(clock.minute, 5);
    EXPECT_EQ(clock.second, 9);
}

TEST_F(WorkoutCommands, FailedClockShowsErrorAndRedrawsNumbers) {
    SimConfig config;
    config.faults.push_back(CommandFault(WORKOUT_FAULT, 1));
    StartMonitor(config);
    fixedNow = LocalTime(2009, 12, 31, 23, 59, 58);
    RunClockCommand(testHooks);
    const std::vector<SentRequest> sent = SentRequests();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].entries, (std::vector<uint32_t>{0x11, 3, 23, 59, 58, 0x12, 3, 109, 12, 31}));
    EXPECT_NE(strstr(statusLine, "-32"), nullptr) << statusLine;
    EXPECT_EQ(redraws, (std::vector<int>{0}));
    EXPECT_FALSE(monitorBusy);
    EXPECT_FALSE(SimMonitorClock().timeSet);
}

}  // namespace
