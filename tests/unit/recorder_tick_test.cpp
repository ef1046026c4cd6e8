// The poll's tick against a scripted monitor that answers each counter poll with the
// next scripted reading, so exact sequences of counters and stroke states can be played.
#include <gtest/gtest.h>
#include <math.h>

#include <deque>

#include "app/app_state.h"
#include "monitor/monitor_api.h"
#include "monitor/poll_state.h"
#include "monitor/recorder.h"
#include "monitor/row_file.h"
#include "monitor/stroke_history.h"
#include "recorder_test_support.h"

using namespace recorder_test;

namespace {

struct Counters {
    uint32_t time;            // hundredths
    uint32_t distanceTenths;  // tenths of a metre
    uint32_t state;
    int16_t status = 0;
    uint32_t timeFifth = 0;  // the fifth byte of each counter
    uint32_t distanceFifth = 0;
    int cut = 0;  // entries the answer holds, 0 = all
    int patchAt = -1;
    uint32_t patch = 0;
};

struct Stroke {
    uint32_t paceMs;  // thousandths of a second per metre
    uint32_t power;
    uint32_t calories;
    uint32_t strokeRate;
    uint32_t heartRate;
    int16_t status;
    int cut = 0;
    int patchAt = -1;
    uint32_t patch = 0;
};

struct ScriptedMonitor {
    std::deque<Counters> counters;
    Counters lastCounters = {0, 0, 0, 0};
    std::deque<Stroke> strokes;
    Stroke lastStroke = {210, 302, 95, 28, 150, 0};
    int counterPolls = 0;
    int strokePolls = 0;
    int badRequests = 0;
};

ScriptedMonitor script;

void PutBytes(uint32_t* out, uint32_t value) {
    for (int k = 0; k < 4; k++) out[k] = (value >> (8 * k)) & 0xFF;
}

// Writes the answer as the library would: cut short or with one entry changed if asked.
template <typename Answer, size_t N>
int16_t Reply(const Answer& a, uint32_t (&reply)[N], uint32_t* r, uint16_t* size) {
    if (a.patchAt >= 0) reply[a.patchAt] = a.patch;
    size_t entries = a.cut > 0 ? (size_t)a.cut : N;
    memcpy(r, reply, entries * sizeof(uint32_t));
    *size = (uint16_t)entries;
    return 0;
}

int16_t ScriptedCommand(uint16_t unit, uint16_t count, uint32_t* commands, uint16_t* size,
                        uint32_t* r) {
    static const uint32_t counterPoll[] = {0x1A, 3, 0xA0, 0xA3, 0xBF};
    static const uint32_t strokePoll[] = {0xA6, 0xB4, 0xA3, 0xA7, 0xB0};
    if (unit != 0 || count != 5 || *size != 100) {
        script.badRequests++;
        return -7;
    }
    if (memcmp(commands, counterPoll, sizeof counterPoll) == 0) {
        script.counterPolls++;
        if (!script.counters.empty()) {
            script.lastCounters = script.counters.front();
            script.counters.pop_front();
        }
        const Counters& c = script.lastCounters;
        if (c.status != 0) return c.status;
        uint32_t reply[19] = {0x1A, 17, 0xA0, 5, 0, 0, 0, 0, 0, 0xA3, 5, 0, 0, 0, 0, 0, 0xBF, 1, 0};
        PutBytes(&reply[4], c.time);
        PutBytes(&reply[11], c.distanceTenths);
        reply[8] = c.timeFifth;
        reply[15] = c.distanceFifth;
        reply[18] = c.state;
        return Reply(c, reply, r, size);
    }
    if (memcmp(commands, strokePoll, sizeof strokePoll) == 0) {
        script.strokePolls++;
        if (!script.strokes.empty()) {
            script.lastStroke = script.strokes.front();
            script.strokes.pop_front();
        }
        const Stroke& s = script.lastStroke;
        if (s.status != 0) return s.status;
        // clang-format off
        uint32_t reply[22] = {0xA6, 3, s.paceMs & 0xFF, s.paceMs >> 8, 0x28,
                              0xB4, 3, s.power & 0xFF, s.power >> 8, 0x58,
                              0xA3, 2, s.calories & 0xFF, s.calories >> 8,
                              0xA7, 3, s.strokeRate, 0, 0x54, 0xB0, 1, s.heartRate};
        // clang-format on
        return Reply(s, reply, r, size);
    }
    script.badRequests++;
    return -7;
}

void ScriptedErrorText(int16_t code, char* buffer, uint16_t size) {
    snprintf(buffer, size, "scripted failure %d", code);
}

class RecorderTickTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRecorderState();
        script = ScriptedMonitor();
        monitorApi = MonitorApi();
        monitorApi.csafeCommand = ScriptedCommand;
        monitorApi.csafeGetErrorText = ScriptedErrorText;
        UseEnglishTexts();
        statusLine[0] = '\0';
        rowFileClock = FixedClock;
    }
    void TearDown() override {
        ResetRecorderState();
        rowFileClock = CalendarSeconds;
        monitorApi = MonitorApi();
        EXPECT_EQ(script.badRequests, 0);
    }

    void Counter(uint32_t time, uint32_t distanceTenths, uint32_t state) {
        script.counters.push_back({time, distanceTenths, state, 0});
    }
    void CounterFailure(int16_t status) { script.counters.push_back({0, 0, 0, status}); }
    void StrokeValues(uint32_t paceMs, uint32_t power, uint32_t calories, uint32_t strokeRate,
                      uint32_t heartRate) {
        script.strokes.push_back({paceMs, power, calories, strokeRate, heartRate, 0});
    }
    void StrokeFailure(int16_t status) { script.strokes.push_back({0, 0, 0, 0, 0, status}); }

    // Plays the given stroke states on ticks whose counters all differ and stay above 0.
    std::vector<TickResult> PlayStates(const std::vector<uint32_t>& states) {
        std::vector<TickResult> results;
        for (uint32_t state : states) {
            Counter(nextTime_, nextTime_ / 2, state);
            results.push_back(RunPollTick());
            nextTime_ += 37;
        }
        return results;
    }

    uint32_t nextTime_ = 100;

    TempBase base;
};

TEST_F(RecorderTickTest, FirstTickIsAChangeAndIdleTicksAreQuiet) {
    for (int k = 0; k < 5; k++) Counter(12345, 20000, 1);
    strcpy(statusLine, "Error: old");
    EXPECT_EQ(RunPollTick(), RedrawNumbers);
    EXPECT_EQ(lastPolledTime, 12345);
    EXPECT_EQ(liveHistory.distance, 2000.0);
    EXPECT_EQ(liveHistory.strokeState, 1);
    EXPECT_STREQ(statusLine, "");
    for (int k = 1; k < 5; k++) {
        EXPECT_EQ(RunPollTick(), NoRedraw) << "tick " << k;
        EXPECT_EQ(script.counterPolls, k + 1);
    }
    EXPECT_EQ(script.strokePolls, 0);
    EXPECT_FALSE(FileExists(base.DataFolder()));
}

TEST_F(RecorderTickTest, UnchangedCountersNeitherRedrawNorClearAndTakeNoStroke) {
    Counter(500, 100, 1);
    Counter(500, 100, 4);  // the state of an unchanged tick is not taken
    EXPECT_EQ(RunPollTick(), RedrawNumbers);
    strcpy(statusLine, "Error: shown");
    EXPECT_EQ(RunPollTick(), NoRedraw);
    EXPECT_STREQ(statusLine, "Error: shown");
    EXPECT_EQ(liveHistory.strokeState, 1);
    Counter(600, 120, 2);
    RunPollTick();  // drive: no stroke poll
    EXPECT_EQ(script.counterPolls + script.strokePolls, 3);
    Counter(700, 140, 4);
    EXPECT_EQ(RunPollTick(), RedrawFull);  // recovery: a stroke poll too
    EXPECT_EQ(script.counterPolls, 4);
    EXPECT_EQ(script.strokePolls, 1);
}

TEST_F(RecorderTickTest, FifthCounterByteIsAddedUnscaled) {
    script.counters.push_back({0x01020304, 0x10, 1, 0, 0, 0});
    script.counters.push_back({0x01020304, 0x10, 1, 0, 7, 200});
    RunPollTick();
    EXPECT_EQ(liveHistory.workTime, 0x01020304);
    EXPECT_DOUBLE_EQ(liveHistory.distance, 1.6);
    EXPECT_EQ(RunPollTick(), RedrawNumbers);
    EXPECT_EQ(liveHistory.workTime, 0x01020304 + 7);
    EXPECT_DOUBLE_EQ(liveHistory.distance, 21.6);
}

TEST_F(RecorderTickTest, BusyMonitorSendsNothingAndDrawsNothing) {
    monitorBusy = true;
    Counter(500, 100, 4);
    EXPECT_EQ(RunPollTick(), NoRedraw);
    EXPECT_EQ(script.counterPolls, 0);
    EXPECT_EQ(lastPolledTime, -99);
}

TEST_F(RecorderTickTest, StrokeStatesGiveOneSamplePerDriveThenRecovery) {
    // The first recovery after start-up takes a sample without a drive before it.
    EXPECT_EQ(PlayStates({4, 2, 3, 4, 4, 0, 4}),
              (std::vector<TickResult>{RedrawFull, RedrawNumbers, RedrawNumbers, RedrawFull,
                                       RedrawNumbers, RedrawNumbers, RedrawNumbers}));
    EXPECT_EQ(liveHistory.lastSample, 2);
    PlayStates({2, 4, 2, 4});
    EXPECT_EQ(liveHistory.lastSample, 4);
    EXPECT_EQ(script.strokePolls, 4);
}

TEST_F(RecorderTickTest, OneCounterChangingIsAChange) {
    Counter(500, 100, 1);
    Counter(500, 120, 1);
    Counter(510, 120, 1);
    for (int k = 0; k < 3; k++) EXPECT_EQ(RunPollTick(), RedrawNumbers) << "tick " << k;
    EXPECT_EQ(lastPolledTime, 510);
    EXPECT_EQ(lastPolledDistance, 12.0);
}

TEST_F(RecorderTickTest, StrokeValuesAreStoredFromTheirPositions) {
    liveHistory.heartRateCount = 3;
    StrokeValues(0x1F2, 0x123, 0x105, 31, 142);
    PlayStates({2, 4});
    ASSERT_EQ(liveHistory.lastSample, 1);
    EXPECT_DOUBLE_EQ(liveHistory.pace[1], 0.498);
    EXPECT_EQ(liveHistory.power[1], 0x123);
    EXPECT_EQ(liveHistory.calories, 0x105);
    EXPECT_EQ(liveHistory.strokeRate[1], 31);
    EXPECT_EQ(liveHistory.heartRate[1], 142);
    EXPECT_EQ(liveHistory.heartRateCount, 4);
    EXPECT_DOUBLE_EQ(liveHistory.distancePerStroke, 60.0 / 31 / 0.498);
}

TEST_F(RecorderTickTest, ZeroPaceWithAStrokeRateGivesZeroDistancePerStroke) {
    StrokeValues(0, 200, 10, 24, 0);
    PlayStates({2, 4});
    EXPECT_TRUE(isfinite(liveHistory.distancePerStroke));
    EXPECT_EQ(liveHistory.distancePerStroke, 0.0);
    EXPECT_EQ(liveHistory.heartRateCount, 0);  // no belt worn: no heart-rate graph
    std::vector<std::string> lines = ReadLines(base.RowFilePath(1000));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1], "137,6.8,0.000,200,10,24,0");
}

TEST_F(RecorderTickTest, StrokesBeforeTheWorkTimeRunsOpenNoRowFile) {
    Counter(0, 20000, 1);
    RunPollTick();
    Counter(0, 19990, 2);
    Counter(0, 19980, 4);
    RunPollTick();
    RunPollTick();
    EXPECT_EQ(liveHistory.lastSample, 1);
    EXPECT_FALSE(FileExists(base.DataFolder()));
}

TEST_F(RecorderTickTest, FailedCounterPollShowsTheErrorAndRedrawsNumbers) {
    Counter(100, 10, 0);
    RunPollTick();
    CounterFailure(-3);
    EXPECT_EQ(RunPollTick(), RedrawNumbers);
    EXPECT_STREQ(statusLine, "Error: scripted failure -3");
    EXPECT_EQ(lastPolledTime, 100);
    EXPECT_EQ(script.strokePolls, 0);
}

TEST_F(RecorderTickTest, ShortOrGarbledCounterAnswerIsAFailedPoll) {
    const Counters answers[] = {
        {900, 400, 1, 0, 0, 0, 9},            // cut after the work time: distance would read 0
        {900, 400, 1, 0, 0, 0, 0, 9, 0xA4},   // the distance command's code garbled
        {900, 400, 1, 0, 0, 0, 0, 4, 0x100},  // an entry of more than one byte
        {900, 400, 1, 0, 0, 0, 0, 18, 0x101}, // the last entry too
    };
    PlayStates({2, 4});
    for (const Counters& answer : answers) {
        script.counters.push_back(answer);
        EXPECT_EQ(RunPollTick(), RedrawNumbers);
        EXPECT_STREQ(statusLine, "Error: The monitor's answer was incomplete or garbled");
        // Nothing recorded: no new workout, no closing line, the counters as before.
        EXPECT_EQ(liveHistory.lastSample, 1);
        EXPECT_NE(rowFile, nullptr);
        EXPECT_EQ(lastPolledTime, 137);
        EXPECT_EQ(liveHistory.workTime, 137);
    }
}

TEST_F(RecorderTickTest, FailedOrGarbledStrokePollConsumesTheStrokeAndRepeatsTheLastSample) {
    const Stroke answers[] = {
        {0, 0, 0, 0, 0, -5},                   // the request failed
        {210, 302, 95, 28, 150, 0, 14},        // cut before the cadence
        {210, 302, 95, 28, 150, 0, 0, 19, 0},  // the heart-rate command's code missing
    };
    const char* const errors[] = {"Error: scripted failure -5",
                                  "Error: The monitor's answer was incomplete or garbled",
                                  "Error: The monitor's answer was incomplete or garbled"};
    for (int k = 0; k < 3; k++) {
        SCOPED_TRACE(k);
        ResetRecorderState();
        script.strokes.clear();
        Counter(0, 0, 0);
        RunPollTick();
        StrokeValues(200, 301, 90, 27, 140);
        script.strokes.push_back(answers[k]);
        PlayStates({2, 4});
        liveHistory.power[2] = 777;  // left over from an earlier workout
        liveHistory.pace[2] = 0.5;
        std::vector<TickResult> results = PlayStates({2, 4});
        EXPECT_EQ(results[1], RedrawNumbers);
        EXPECT_EQ(liveHistory.lastSample, 2);
        EXPECT_FALSE(strokeArmed);
        EXPECT_STREQ(statusLine, errors[k]);
        EXPECT_EQ(liveHistory.power[2], 301);
        EXPECT_EQ(liveHistory.pace[2], 0.2);
        EXPECT_EQ(liveHistory.heartRate[2], 140);
        EXPECT_EQ(ReadLines(base.RowFilePath(1000)).size(), 2u);  // no line for the lost stroke
    }
    // The first stroke of a workout lost: zeros, not what the slot held.
    ResetRecorderState();
    StrokeFailure(-5);
    liveHistory.power[1] = 777;
    PlayStates({2, 4});
    EXPECT_EQ(liveHistory.power[1], 0);
}

// Counters as a monitor shows them, a stroke in between so that the row file is open.
struct Reading {
    uint32_t time, distanceTenths;
};
struct ClosingCase {
    const char* workout;
    Reading start, drive, recovery, last;
    bool commanded;  // a workout command between the last reading and the end
    Reading end;
    const char* strokeLine;
    const char* closingLine;
};

// clang-format off
const ClosingCase CLOSING_CASES[] = {
    {"plain row, monitor resets", {0, 0}, {123000, 19950}, {123100, 19970}, {123456, 20000},
     false, {0, 0}, "123100,1997.0", "123456,2000.0"},
    {"2000 m to its end", {0, 20000}, {300, 19950}, {352, 19921}, {41890, 47},
     false, {42000, 0}, "352,7.9", "42000,2000.0"},
    {"10:00 to its end", {60000, 0}, {59000, 40}, {58900, 45}, {100, 26000},
     false, {0, 26010}, "1100,4.5", "60000,2601.0"},
    {"2000 m given up at 1205 m", {0, 20000}, {300, 19950}, {352, 19921}, {36100, 7950},
     false, {0, 0}, "352,7.9", "36100,1205.0"},
    {"10:00 given up at 3:00", {60000, 0}, {59000, 40}, {58900, 45}, {42000, 7500},
     false, {0, 0}, "1100,4.5", "18000,750.0"},
    {"plain row, then 2,000m chosen", {0, 0}, {100, 50}, {200, 100}, {9000, 3000},
     true, {25, 19990}, "200,10.0", "9000,300.0"},
    {"plain row, then 2000 m set on the monitor", {0, 0}, {100, 50}, {200, 100}, {9000, 3000},
     false, {0, 20000}, "200,10.0", "9000,300.0"},
    {"10:00, then 2,000m chosen", {60000, 0}, {59000, 40}, {58900, 45}, {42000, 7500},
     true, {0, 20000}, "1100,4.5", "18000,750.0"},
};
// clang-format on

TEST_F(RecorderTickTest, ClosingLineCarriesWhatWasRowed) {
    for (const ClosingCase& c : CLOSING_CASES) {
        SCOPED_TRACE(c.workout);
        ResetRecorderState();
        std::filesystem::remove_all(base.DataFolder());
        Counter(c.start.time, c.start.distanceTenths, 1);
        Counter(c.drive.time, c.drive.distanceTenths, 2);
        Counter(c.recovery.time, c.recovery.distanceTenths, 4);
        Counter(c.last.time, c.last.distanceTenths, 1);
        for (int k = 0; k < 4; k++) RunPollTick();
        newWorkoutPending = c.commanded;
        Counter(c.end.time, c.end.distanceTenths, 1);
        RunPollTick();
        EXPECT_EQ(rowFile, nullptr);
        std::vector<std::string> lines = ReadLines(base.RowFilePath(1000));
        std::vector<std::string> expected = {ENGLISH_HEADER,
                                             std::string(c.strokeLine) + ",0.210,302,95,28,150",
                                             std::string(c.closingLine) + ",0.210,302,95,28,150"};
        EXPECT_EQ(lines, expected);
        // The live record starts over.
        EXPECT_EQ(liveHistory.lastSample, 0);
        EXPECT_EQ(liveHistory.power[0], 0);
        EXPECT_EQ(workoutStartTime, (int32_t)c.end.time);
    }
}

TEST_F(RecorderTickTest, StrokesBeyondTheLastIndexStayThereAndStillWriteLines) {
    const int strokes = MAX_SAMPLES + 2;
    Counter(0, 0, 0);
    RunPollTick();
    for (int k = 1; k <= strokes; k++) {
        StrokeValues(200, (uint32_t)(k & 0xFFFF), 5, 20, 0);
        Counter((uint32_t)(10 * k), (uint32_t)(10 * k), 2);
        RunPollTick();
        Counter((uint32_t)(10 * k + 5), (uint32_t)(10 * k + 5), 4);
        RunPollTick();
        if (k == LAST_SAMPLE_INDEX) {
            ASSERT_EQ(liveHistory.lastSample, LAST_SAMPLE_INDEX);
        }
    }
    EXPECT_EQ(liveHistory.lastSample, LAST_SAMPLE_INDEX);
    EXPECT_EQ(liveHistory.power[LAST_SAMPLE_INDEX], strokes & 0xFFFF);
    EXPECT_EQ(liveHistory.power[LAST_SAMPLE_INDEX - 1], LAST_SAMPLE_INDEX - 1);
    std::vector<std::string> lines = ReadLines(base.RowFilePath(1000));
    ASSERT_EQ(lines.size(), (size_t)strokes + 1);
    char last[64];
    snprintf(last, sizeof last, "%i,%.1f,0.200,%i,5,20,0", 10 * strokes + 5,
             (10 * strokes + 5) / 10.0, strokes & 0xFFFF);
    EXPECT_EQ(lines.back(), last);
}

TEST_F(RecorderTickTest, UncreatableRowFileShowsTextOneAndTriesAgain) {
    // The base directory lies below a regular file, so no data folder can be made.
    std::string blocker = base.path() + "/plain-file";
    std::ofstream(blocker) << "x";
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s/below", blocker.c_str());
    StrokeValues(240, 200, 10, 24, 0);
    Counter(0, 0, 0);
    RunPollTick();
    EXPECT_EQ(PlayStates({2, 4})[1], RedrawFull);
    EXPECT_EQ(rowFile, nullptr);
    EXPECT_EQ(std::string(statusLine), std::string(ROW_FILE_ERROR) + "\n");
    EXPECT_EQ(liveHistory.lastSample, 1);
    EXPECT_EQ(liveHistory.power[1], 200);

    // The next stroke tries again and succeeds once the folder can be made.
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", base.path().c_str());
    StrokeValues(250, 210, 11, 25, 0);
    PlayStates({2});
    EXPECT_EQ(std::string(statusLine), "");
    Counter(900, 400, 4);
    RunPollTick();
    ASSERT_NE(rowFile, nullptr);
    std::vector<std::string> lines = ReadLines(base.RowFilePath(1000));
    std::vector<std::string> expected = {ENGLISH_HEADER, "900,40.0,0.250,210,11,25,0"};
    EXPECT_EQ(lines, expected);
}

}  // namespace
