// The poll's tick against the simulated monitor in fixed steps: each counter poll moves
// the rower on by a quarter of a second, as the real timer does.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "app/app_state.h"
#include "monitor/monitor_api.h"
#include "monitor/monitor_session.h"
#include "monitor/poll_state.h"
#include "monitor/recorder.h"
#include "monitor/row_file.h"
#include "monitor/stroke_history.h"
#include "monitor/workout_commands.h"
#include "recorder_test_support.h"
#include "simmonitor/sim_monitor.h"
#include "simmonitor/sim_rower.h"

using namespace recorder_test;

namespace {

// Requests the tick sends, sorted by kind, passed on to the simulated monitor.
struct RequestCounts {
    CsafeCommandFn simCommand = nullptr;
    int counterPolls = 0;
    int strokePolls = 0;
    int others = 0;
    int wrongCapacity = 0;
    int calls = 0;
    std::vector<int> strokePollCalls;  // number of each stroke poll among all calls
};

RequestCounts counts;

int16_t MONITOR_CALL CountingCommand(uint16_t unit, uint16_t count, uint32_t* commands,
                                     uint16_t* responseSize, uint32_t* responses) {
    counts.calls++;
    if (*responseSize != CSAFE_RESPONSE_CAPACITY) counts.wrongCapacity++;
    if (count == 5 && commands[0] == 0x1A && commands[2] == 0xA0) {
        counts.counterPolls++;
    } else if (count == 5 && commands[0] == 0xA6) {
        counts.strokePolls++;
        counts.strokePollCalls.push_back(counts.calls);
    } else {
        counts.others++;
    }
    return counts.simCommand(unit, count, commands, responseSize, responses);
}

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    while (true) {
        size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return fields;
}

class RecorderSimTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRecorderState();
        UseEnglishTexts();
        statusLine[0] = '\0';
        rowFileClock = FixedClock;
        config.timeBase = SimTimeBase::Steps;
        config.stepHundredths = 25;
    }
    void TearDown() override {
        ResetRecorderState();
        rowFileClock = CalendarSeconds;
        monitorApi = MonitorApi();
        EXPECT_EQ(counts.wrongCapacity, 0);
    }

    // A fresh monitor with the configuration, opened as start-up opens it.
    void StartMonitor() {
        SimMonitorReset(config);
        counts = RequestCounts();
        monitorApi = SimMonitorApi();
        counts.simCommand = monitorApi.csafeCommand;
        monitorApi.csafeCommand = CountingCommand;
        ASSERT_EQ(OpenMonitorSession(), 0);
        statusLine[0] = '\0';
    }

    std::vector<TickResult> Ticks(int n) {
        std::vector<TickResult> results;
        for (int k = 0; k < n; k++) results.push_back(RunPollTick());
        return results;
    }

    SimConfig config;
    TempBase base;
};

TEST_F(RecorderSimTest, IdleMonitorIsPolledOnceATickAndDrawnOnlyAtFirst) {
    config.startDelayHundredths = 1000000;  // the rower never sits down
    StartMonitor();
    EXPECT_EQ(RunPollTick(), RedrawNumbers);  // the first tick is always a change
    EXPECT_EQ(lastPolledTime, 0);
    EXPECT_EQ(lastPolledDistance, 0.0);
    strcpy(statusLine, "Error: earlier");
    for (int k = 0; k < 40; k++) ASSERT_EQ(RunPollTick(), NoRedraw) << "tick " << k;
    EXPECT_EQ(counts.counterPolls, 41);
    EXPECT_EQ(counts.strokePolls, 0);
    EXPECT_EQ(counts.others, 0);
    EXPECT_STREQ(statusLine, "Error: earlier");
    EXPECT_FALSE(FileExists(base.DataFolder()));
}

TEST_F(RecorderSimTest, SteadyRowingTakesOneSamplePerStroke) {
    config.paceSecondsPer500 = 120.0;  // 0.240 s per metre
    config.strokeRate = 24.0;          // one stroke every ten ticks
    config.startDelayHundredths = 200;
    StartMonitor();
    const int ticks = 8 + 10 * 30;
    int fullRedraws = 0;
    int quietTicks = 0;
    for (int k = 0; k < ticks; k++) {
        int before = counts.calls;
        TickResult result = RunPollTick();
        int requests = counts.calls - before;
        if (result == RedrawFull) {
            fullRedraws++;
            EXPECT_EQ(requests, 2) << "tick " << k;
        } else {
            EXPECT_EQ(requests, 1) << "tick " << k;
        }
        if (result == NoRedraw) quietTicks++;
    }
    SimSnapshot snapshot = SimMonitorSnapshot();
    ASSERT_EQ(snapshot.piece, SimPieceKind::Plain);
    // Every stroke begun has reached its recovery at this point of the cycle, or not yet.
    int strokesBegun = (int)snapshot.strokeIndex + 1;
    EXPECT_GE(liveHistory.lastSample, strokesBegun - 1);
    EXPECT_LE(liveHistory.lastSample, strokesBegun);
    EXPECT_GE(liveHistory.lastSample, 29);
    EXPECT_EQ(fullRedraws, liveHistory.lastSample);
    EXPECT_EQ(counts.strokePolls, liveHistory.lastSample);
    EXPECT_EQ(counts.counterPolls, ticks);
    EXPECT_EQ(quietTicks, 7);  // resting: counters stay at zero after the first tick

    std::vector<std::string> lines = ReadLines(base.RowFilePath(1000));
    ASSERT_EQ(lines.size(), (size_t)liveHistory.lastSample + 1);
    EXPECT_EQ(lines[0], ENGLISH_HEADER);
    int watts = SimRower::WattsForPace(240);
    int previousTime = -1;
    double previousDistance = -1.0;
    for (size_t k = 1; k < lines.size(); k++) {
        std::vector<std::string> fields = Split(lines[k]);
        ASSERT_EQ(fields.size(), 7u) << lines[k];
        int time = atoi(fields[0].c_str());
        double distance = atof(fields[1].c_str());
        EXPECT_GT(time, previousTime);
        EXPECT_GT(distance, previousDistance);
        if (k > 1) {
            EXPECT_EQ(time - previousTime, 250) << lines[k];  // one stroke apart
        }
        previousTime = time;
        previousDistance = distance;
        EXPECT_EQ(fields[2], "0.240");
        EXPECT_EQ(atoi(fields[3].c_str()), watts);
        EXPECT_EQ(fields[5], "24");
        EXPECT_EQ(fields[6], "0");
    }
    EXPECT_EQ(liveHistory.strokeRate[liveHistory.lastSample], 24);
    EXPECT_DOUBLE_EQ(liveHistory.distancePerStroke, 60.0 / 24 / 0.240);
    EXPECT_EQ(liveHistory.heartRateCount, 0);
    EXPECT_EQ(rowFile != nullptr, true);
}

TEST_F(RecorderSimTest, HeartRateIsRecordedAndCounted) {
    config.heartRate = 150;
    StartMonitor();
    Ticks(8 + 10 * 5);
    ASSERT_GE(liveHistory.lastSample, 4);
    EXPECT_EQ(liveHistory.heartRateCount, liveHistory.lastSample);
    std::vector<std::string> lines = ReadLines(base.RowFilePath(1000));
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(Split(lines[1])[6], "150");
}

TEST_F(RecorderSimTest, PlainPieceEndsWithAClosingLineOfTheLastCounters) {
    config.pieceMetres = 100;
    config.pieceCount = 1;
    StartMonitor();
    bool opened = false;
    int32_t lastTime = 0;
    double lastDistance = 0.0;
    for (int k = 0; k < 2000 && !(opened && rowFile == nullptr); k++) {
        lastTime = lastPolledTime;
        lastDistance = lastPolledDistance;
        RunPollTick();
        if (rowFile != nullptr) opened = true;
    }
    ASSERT_TRUE(opened);
    ASSERT_EQ(rowFile, nullptr);
    EXPECT_EQ(liveHistory.workTime, 0);
    EXPECT_EQ(liveHistory.lastSample, 0);
    std::vector<std::string> lines = ReadLines(base.RowFilePath(1000));
    ASSERT_GE(lines.size(), 3u);
    std::vector<std::string> closing = Split(lines.back());
    std::vector<std::string> lastStroke = Split(lines[lines.size() - 2]);
    ASSERT_EQ(closing.size(), 7u);
    EXPECT_EQ(atoi(closing[0].c_str()), lastTime);
    char distance[32];
    snprintf(distance, sizeof distance, "%.1f", lastDistance);
    EXPECT_EQ(closing[1], distance);
    EXPECT_GT(lastDistance, 95.0);
    EXPECT_LE(lastDistance, 100.0);
    for (int f = 2; f < 7; f++) EXPECT_EQ(closing[f], lastStroke[f]) << f;
    EXPECT_EQ(RowFileNames(base).size(), 1u);
}

TEST_F(RecorderSimTest, CountingDownDistanceWorkoutEndsWithTheFullDistance) {
    StartMonitor();
    Ticks(3);
    MonitorCommandHooks hooks = {};
    RunDistanceWorkout(500, hooks);
    ASSERT_TRUE(newWorkoutPending);
    ASSERT_STREQ(statusLine, "");
    bool opened = false;
    int32_t lastTime = 0;
    for (int k = 0; k < 2000 && !(opened && rowFile == nullptr); k++) {
        lastTime = lastPolledTime;
        RunPollTick();
        if (rowFile != nullptr) opened = true;
        if (k == 20) {
            EXPECT_EQ(workoutStartDistance, 500.0);
            EXPECT_EQ(workoutStartTime, 0);
        }
    }
    ASSERT_TRUE(opened);
    ASSERT_EQ(rowFile, nullptr);
    std::vector<std::string> lines = ReadLines(base.RowFilePath(1000));
    ASSERT_GE(lines.size(), 4u);
    double previous = 0.0;
    for (size_t k = 1; k + 1 < lines.size(); k++) {
        double distance = atof(Split(lines[k])[1].c_str());
        EXPECT_GT(distance, previous) << lines[k];
        EXPECT_LT(distance, 500.0) << lines[k];
        previous = distance;
    }
    EXPECT_LT(atof(Split(lines[1])[1].c_str()), 15.0);
    std::vector<std::string> closing = Split(lines.back());
    EXPECT_EQ(closing[1], "500.0");
    EXPECT_EQ(atoi(closing[0].c_str()), lastTime);
    EXPECT_GT(lastTime, 11900);  // 500 m at 2:00 per 500 m
}

TEST_F(RecorderSimTest, FailedStrokePollConsumesTheStroke) {
    StartMonitor();
    Ticks(8 + 10 * 5);
    ASSERT_GE(counts.strokePollCalls.size(), 4u);
    int thirdStrokePoll = counts.strokePollCalls[2];

    // The same rowing again, with the third stroke poll refused.
    ResetRecorderState();
    std::filesystem::remove_all(base.DataFolder());
    SimFault fault;
    fault.operation = "tkcmdsetCSAFE_command";
    fault.status = SIM_ERR_CSAFE_NO_MONITOR;
    fault.fromCall = (uint32_t)thirdStrokePoll;
    fault.callCount = 1;
    config.faults.push_back(fault);
    StartMonitor();
    while (counts.strokePolls < 2) RunPollTick();
    ASSERT_EQ(liveHistory.lastSample, 2);
    liveHistory.power[3] = 4321;  // left over from an earlier workout
    TickResult failed = NoRedraw;
    while (counts.strokePolls < 3) failed = RunPollTick();
    EXPECT_EQ(failed, RedrawNumbers);
    EXPECT_EQ(liveHistory.lastSample, 3);
    EXPECT_FALSE(strokeArmed);
    EXPECT_EQ(std::string(statusLine).rfind("Error: ", 0), 0u) << statusLine;
    EXPECT_GT(strlen(statusLine), strlen("Error: "));
    EXPECT_EQ(liveHistory.power[3], 4321);
    EXPECT_EQ(ReadLines(base.RowFilePath(1000)).size(), 3u);

    // The recovery goes on over the next ticks without another stroke poll.
    int polls = counts.strokePolls;
    Ticks(3);
    EXPECT_EQ(counts.strokePolls, polls);
    EXPECT_STREQ(statusLine, "");
    while (counts.strokePolls < 4) RunPollTick();
    EXPECT_EQ(liveHistory.lastSample, 4);
    EXPECT_EQ(ReadLines(base.RowFilePath(1000)).size(), 4u);
}

TEST_F(RecorderSimTest, FailedCounterPollShowsTheErrorAndRedrawsNumbers) {
    SimFault fault;
    fault.operation = "tkcmdsetCSAFE_command";
    fault.status = SIM_ERR_CSAFE_NO_MONITOR;
    fault.fromCall = 2;
    fault.callCount = 1;
    config.faults.push_back(fault);
    StartMonitor();
    EXPECT_EQ(RunPollTick(), RedrawNumbers);
    EXPECT_EQ(RunPollTick(), RedrawNumbers);
    EXPECT_EQ(std::string(statusLine).rfind("Error: ", 0), 0u) << statusLine;
    EXPECT_EQ(counts.strokePolls, 0);
}

}  // namespace
