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
    int wrongCapacity = 0;
    int calls = 0;
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
    }
    return counts.simCommand(unit, count, commands, responseSize, responses);
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

    SimConfig config;
    TempBase base;
};

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

    // One line per stroke, one stroke (2.5 s) apart.
    std::vector<std::string> lines = ReadLines(base.RowFilePath(1000));
    ASSERT_EQ(lines.size(), (size_t)liveHistory.lastSample + 1);
    EXPECT_EQ(lines[0], ENGLISH_HEADER);
    ASSERT_GE(lines.size(), 3u);
    EXPECT_EQ(atoi(lines.back().c_str()) - atoi(lines[lines.size() - 2].c_str()), 250);
    char tail[64];
    snprintf(tail, sizeof tail, ",0.240,%d,", SimRower::WattsForPace(240));
    EXPECT_NE(lines.back().find(tail), std::string::npos) << lines.back();
}

}  // namespace
