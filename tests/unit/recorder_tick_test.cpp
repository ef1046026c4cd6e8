// The poll's tick against a scripted monitor (the counter poll gets the answer set for the tick,
// each stroke poll the next scripted answer), and the pace boat: its course from a row file's
// lines, and races on the simulated monitor against boats that finish before and after the rower.
#include <gtest/gtest.h>
#include <math.h>

#include <deque>
#include <memory>

#include "boat/boat_race.h"
#include "monitor/monitor_api.h"
#include "monitor/poll_state.h"
#include "monitor/stroke_history.h"
#include "monitor/workout_commands.h"
#include "test_support.h"
#include "simmonitor/sim_monitor.h"

using namespace test_support;

namespace {

const char* const BAD_ANSWER = "Error: The monitor's answer was incomplete or garbled";

struct Answer {
    std::vector<uint32_t> entries;
    int16_t status = 0;
};
Answer counters;             // the answer to every counter poll
std::deque<Answer> strokes;  // the next stroke poll's answer first; the last one stays

Answer Counters(uint32_t time, uint32_t tenths, uint32_t state) {
    auto b = [](uint32_t value, int k) { return value >> 8 * k & 0xFF; };
    return {{0x1A, 17, 0xA0, 5, b(time, 0), b(time, 1), b(time, 2), b(time, 3), 0, 0xA3, 5,
             b(tenths, 0), b(tenths, 1), b(tenths, 2), b(tenths, 3), 0, 0xBF, 1, state}};
}
// clang-format off
Answer Stroke(uint32_t paceMs, uint32_t power, uint32_t calories, uint32_t rate, uint32_t pulse) {
    return {{0xA6, 3, paceMs & 0xFF, paceMs >> 8, 0x28, 0xB4, 3, power & 0xFF, power >> 8, 0x58,
             0xA3, 2, calories & 0xFF, calories >> 8, 0xA7, 3, rate, 0, 0x54, 0xB0, 1, pulse}};
}
// clang-format on

int16_t ScriptedCommand(uint16_t, uint16_t, uint32_t* commands, uint16_t* size, uint32_t* r) {
    const bool stroke = commands[0] == 0xA6;
    const Answer a = stroke ? strokes.front() : counters;
    if (stroke && strokes.size() > 1) strokes.pop_front();
    std::copy(a.entries.begin(), a.entries.end(), r);
    *size = (uint16_t)a.entries.size();
    return a.status;
}

using Results = std::vector<TickResult>;

class RecorderTickTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRecorderState();
        strokes = {Stroke(210, 302, 95, 28, 150)};
        monitorApi = MonitorApi();
        monitorApi.csafeCommand = ScriptedCommand;
        monitorApi.csafeGetErrorText = [](int16_t code, char* text, uint16_t size) {
            snprintf(text, size, "scripted failure %d", code);
        };
        UseEnglishTexts();
        rowFileClock = FixedClock;
    }
    void TearDown() override {
        ResetRecorderState();
        rowFileClock = CalendarSeconds;
        monitorApi = MonitorApi();
    }
    TickResult Tick(const Answer& answer) { return counters = answer, RunPollTick(); }
    // Plays stroke states on ticks 37 hundredths apart, the distance in tenths half the time.
    Results Play(std::vector<uint32_t> states) {
        Results r;
        for (uint32_t s : states) r.push_back(Tick(Counters(time_, time_ / 2, s))), time_ += 37;
        return r;
    }
    std::string RowFile() { return ReadFile(base.RowFilePath(1000)); }
    void StartOver() {
        ResetRecorderState(), time_ = 100;
        std::filesystem::remove_all(base.DataFolder());
    }

    uint32_t time_ = 100;
    TempBase base;
};

TEST_F(RecorderTickTest, CountersAreReadAndOnlyAChangeRedrawsOrClearsAnError) {
    EXPECT_EQ(Tick(Counters(0x01FF0304, 20000, 1)), RedrawNumbers);
    EXPECT_EQ(liveHistory.workTime, 0x01FF0304);
    EXPECT_EQ(liveHistory.distance, 2000.0);
    EXPECT_EQ(Tick(Counters(0x01FF0304, 20000, 4)), NoRedraw);
    EXPECT_EQ(Tick(Counters(0x01FF0304, 20010, 1)), RedrawNumbers);  // one counter is enough
    EXPECT_EQ(Tick(Counters(0x01FF0305, 20010, 1)), RedrawNumbers);
    monitorBusy = true;  // a workout command talks to the monitor: no poll
    EXPECT_EQ(Tick(Counters(900, 400, 1)), NoRedraw);
    EXPECT_EQ(liveHistory.workTime, 0x01FF0305);
    monitorBusy = false;

    // A failed or garbled answer shows its error and is not taken as counters.
    Answer wide = Counters(900, 400, 1);
    wide.entries[18] = 0x101;  // an entry of more than one byte
    for (const Answer& answer : {Answer{{}, -3}, wide}) {
        EXPECT_EQ(Tick(answer), RedrawNumbers);
        EXPECT_STREQ(statusLine, answer.status != 0 ? "Error: scripted failure -3" : BAD_ANSWER);
        EXPECT_EQ(liveHistory.workTime, 0x01FF0305);
    }
    EXPECT_EQ(Tick(Counters(900, 400, 1)), RedrawNumbers);
    EXPECT_STREQ(statusLine, "");
}

TEST_F(RecorderTickTest, EachDriveThenRecoveryStoresAndWritesOneStroke) {
    liveHistory.heartRateCount = 3;
    strokes = {Stroke(0, 200, 0x106, 24, 0), Stroke(0x1F2, 0x123, 0x105, 31, 142)};
    // The first recovery after start-up takes a sample without a drive before it.
    EXPECT_EQ(Play({4}), Results{RedrawFull});
    EXPECT_EQ(liveHistory.distancePerStroke, 0.0);  // a pace of 0: not an infinite distance
    EXPECT_EQ(Play({2, 3, 4, 4, 0, 4, 2, 4}),
              (Results{RedrawNumbers, RedrawNumbers, RedrawFull, RedrawNumbers, RedrawNumbers,
                       RedrawNumbers, RedrawNumbers, RedrawFull}));
    EXPECT_EQ(liveHistory.heartRateCount, 5);  // only strokes with a heart rate count
    EXPECT_DOUBLE_EQ(liveHistory.distancePerStroke, 60.0 / 31 / 0.498);
    EXPECT_EQ(rowFileSeconds, 1000);  // the open file's number: that workout is not sent yet
    // Read while the file is open: every line is on disk at once.
    EXPECT_EQ(RowFile(), std::string(ENGLISH_HEADER) + "\n100,5.0,0.000,200,262,24,0\n" +
                             "211,10.5,0.498,291,261,31,142\n396,19.8,0.498,291,261,31,142\n");
}

// No row file while the work time reads 0; a long workout keeps its newest stroke in the last
// place and goes on writing lines.
TEST_F(RecorderTickTest, RowFileWaitsForTheTimeAndLinesGoOnPastTheLastSample) {
    Tick(Counters(0, 20000, 2));
    EXPECT_EQ(Tick(Counters(0, 19980, 4)), RedrawFull);
    Tick(Counters(500, 0, 2));  // nor while the distance does
    EXPECT_EQ(Tick(Counters(537, 0, 4)), RedrawFull);
    EXPECT_FALSE(std::filesystem::exists(base.DataFolder()));
    Tick(Counters(0, 0, 1));
    liveHistory.lastSample = LAST_SAMPLE_INDEX - 1;
    strokes = {Stroke(200, 1, 5, 20, 0), Stroke(200, 2, 5, 20, 0)};
    Play({2, 4, 2, 4});
    EXPECT_EQ(liveHistory.lastSample, LAST_SAMPLE_INDEX);
    EXPECT_EQ(RowFile(),
              std::string(ENGLISH_HEADER) + "\n137,6.8,0.200,1,5,20,0\n211,10.5,0.200,2,5,20,0\n");
}

// Strokes that go unrecorded stay announced, through ticks that clear any other error, until
// a row file is created.
TEST_F(RecorderTickTest, ARowFileThatCannotBeCreatedStaysAnnouncedUntilOneIs) {
    const std::string blocked = base.path + "/no-folder";
    std::ofstream(blocked) << "a file where the data folder's parent should be";
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", blocked.c_str());
    const char* const unrecorded = "Error: Couldn't create row file.\n";
    EXPECT_EQ(Play({2, 4, 1}), (Results{RedrawNumbers, RedrawFull, RedrawNumbers}));
    EXPECT_STREQ(statusLine, unrecorded);
    EXPECT_EQ(Tick(Answer{{}, -3}), RedrawNumbers);
    EXPECT_STREQ(statusLine, "Error: scripted failure -3");
    Play({2});
    EXPECT_STREQ(statusLine, unrecorded);
    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", base.path.c_str());
    Play({4});
    EXPECT_STREQ(statusLine, "");
    EXPECT_EQ(RowFile(), std::string(ENGLISH_HEADER) + "\n248,12.4,0.210,302,95,28,150\n");
}

// Cut short anywhere, even just before the heart rate's entry.
TEST_F(RecorderTickTest, GarbledStrokeRepeatsTheLastSampleAndWritesNoLine) {
    for (size_t entries : {14, 19}) {
        StartOver();
        Answer cut = Stroke(210, 302, 95, 28, 150);
        cut.entries.resize(entries);
        strokes = {Stroke(200, 301, 90, 27, 140), cut};
        Play({2, 4});
        liveHistory.power[2] = 777, liveHistory.pace[2] = 0.5;  // left by an earlier workout
        EXPECT_EQ(Play({2, 4}), (Results{RedrawNumbers, RedrawNumbers}));
        EXPECT_STREQ(statusLine, BAD_ANSWER);
        EXPECT_EQ((std::vector<double>{(double)liveHistory.power[2], liveHistory.pace[2]}),
                  (std::vector<double>{301, 0.2}));
        EXPECT_EQ(RowFile(), std::string(ENGLISH_HEADER) + "\n137,6.8,0.200,301,90,27,140\n");
    }
}

// Counters as a monitor shows them, a stroke in between so that the row file is open.
using Reading = std::pair<uint32_t, uint32_t>;  // work time, distance in tenths
// clang-format off
const struct {
    const char* workout;
    Reading start, drive, recovery, last;
    bool commanded;  // a workout command between the last reading and the end
    Reading end;
    std::string strokeLine, closingLine;
} CLOSING_CASES[] = {
    {"plain row, monitor resets", {0, 0}, {123000, 19950}, {123100, 19970}, {123456, 20000},
     false, {0, 0}, "123100,1997.0", "123456,2000.0"},
    {"2000 m to its end", {0, 20000}, {300, 19950}, {352, 19921}, {41890, 47},
     false, {42000, 0}, "352,7.9", "42000,2000.0"},
    {"10:00 to its end", {60000, 0}, {59000, 40}, {58900, 45}, {100, 26000},
     false, {0, 26010}, "1100,4.5", "60000,2601.0"},
    {"plain row, then 2000 m set on the monitor", {0, 0}, {100, 50}, {200, 100}, {9000, 3000},
     false, {0, 20000}, "200,10.0", "9000,300.0"},
    {"10:00, then 2,000m chosen", {60000, 0}, {59000, 40}, {58900, 45}, {42000, 7500},
     true, {0, 20000}, "1100,4.5", "18000,750.0"},
};
// clang-format on

TEST_F(RecorderTickTest, ClosingLineCarriesWhatWasRowedAndTheFileIsClosed) {
    for (const auto& c : CLOSING_CASES) {
        SCOPED_TRACE(c.workout);
        StartOver();
        const auto fds = [] { return std::filesystem::directory_iterator("/proc/self/fd"); };
        const auto before = std::distance(fds(), {});
        for (auto [at, state] : {std::pair{c.start, 1}, {c.drive, 2}, {c.recovery, 4}, {c.last, 1}})
            Tick(Counters(at.first, at.second, state));
        newWorkoutPending = c.commanded;
        Tick(Counters(c.end.first, c.end.second, 1));
        EXPECT_EQ(std::distance(fds(), {}), before);
        EXPECT_EQ(rowFileSeconds, 0);
        auto line = [](const std::string& start) { return start + ",0.210,302,95,28,150\n"; };
        EXPECT_EQ(RowFile(), ENGLISH_HEADER + ("\n" + line(c.strokeLine) + line(c.closingLine)));
        EXPECT_EQ(liveHistory.lastSample, 0);  // the live record starts over
    }
}

std::unique_ptr<PaceBoat> Boat(std::initializer_list<const char*> lines) {
    auto boat = std::make_unique<PaceBoat>();
    StartPaceBoatReading(boat.get(), 1);
    for (const char* line : lines) AddPaceBoatLine(boat.get(), line);
    return boat;
}

// From 0 m at 0 straight to each line; of two lines at one time the later counts; still
// after the last line, and finished where it first reached its final distance.
TEST(PaceBoatCourse, InterpolatedBetweenLinesFromTheStartAndStillAfterTheLast) {
    auto boat = Boat({"100,5.0,0.2,1,1,1,1", "300,15.0,0.25,1,1,1,1", "300,16.0,0.3,1,1,1,1",
                      "500,20.0,0.4,1,1,1,1", "600,20.0,0.5,1,1,1,1"});
    auto single = Boat({"400,10.0,0.2,1,1,1,1"});
    const struct {
        const PaceBoat& boat;
        int32_t time;
        double distance, pace;
    } AT[] = {{*boat, -5, 0.0, 0.2},    {*boat, 50, 2.5, 0.2},      {*boat, 100, 5.0, 0.25},
              {*boat, 300, 16.0, 0.4},  {*boat, 400, 18.0, 0.4},    {*boat, 550, 20.0, 0.5},
              {*boat, 600, 20.0, INFINITY}, {*single, 200, 5.0, 0.2}, {*single, 1000, 10.0, INFINITY}};
    for (const auto& at : AT) {
        EXPECT_DOUBLE_EQ(PaceBoatDistance(at.boat, at.time), at.distance) << at.time;
        EXPECT_EQ(PaceBoatPace(at.boat, at.time), at.pace) << at.time;
    }
    EXPECT_DOUBLE_EQ(PaceBoatFinishTime(*boat), 500.0);
    EXPECT_FALSE(IsPaceBoatComplete(*Boat({})));
    EXPECT_FALSE(IsPaceBoatComplete(*Boat({"0,0.0,0.0,0,0,0,0"})));
    // Past the bound every line takes the last place: the boat still ends where its file does.
    char line[64];
    for (int k = 1; k <= MAX_BOAT_POINTS + 5; ++k)
        snprintf(line, sizeof line, "%d,%d.0,0.2,1,1,1,1", 10 * k, k), AddPaceBoatLine(single.get(), line);
    EXPECT_EQ(single->points, MAX_BOAT_POINTS);
    EXPECT_DOUBLE_EQ(PaceBoatDistance(*single, 10 * (MAX_BOAT_POINTS - 2)), MAX_BOAT_POINTS - 2);
    EXPECT_DOUBLE_EQ(PaceBoatFinishTime(*single), 10.0 * (MAX_BOAT_POINTS + 5));
}

// A 500 m piece at 2:00 (12000 hundredths, 250 m at 6000) polled every 25 hundredths.
class PaceBoatRace : public ::testing::Test {
protected:
    void SetUp() override {
        ResetRecorderState();
        UseEnglishTexts();
        SimConfig config;  // the monitor's own clock, moved on 25 hundredths a poll
        SimApplyConfigText(config, "mode=steps\npace=120\nrate=24\nstart_delay=200\nstep=25");
        SimMonitorReset(config);
        monitorApi = SimMonitorApi();
        monitorApi.csafeInitProtocol(0);
        std::filesystem::create_directory(base.DataFolder());
    }
    void TearDown() override {
        DropPaceBoat();
        ResetRecorderState();
        monitorApi = MonitorApi();
    }
    bool Choose(int seconds, const char* lines) {
        std::ofstream(base.RowFilePath(seconds)) << ENGLISH_HEADER << "\n" << lines;
        return ChoosePaceBoat(seconds);
    }
    // Ticks until the monitor's work time reads this (-1: until both counters read 0 after a
    // piece); the gap then, with + or - for its colour.
    std::string RowUntil(int32_t time) {
        for (int tick = 0; tick < 100000; ++tick) {
            RunPollTick();
            bool rested = liveHistory.workTime == 0 && liveHistory.distance == 0.0;
            if (time >= 0 ? liveHistory.workTime == time : rested && lastPolledTime == 0) break;
        }
        char text[64] = "";
        bool ahead = false;
        if (!FormatBoatGap(text, sizeof text, &ahead)) return "";
        return text + std::string(ahead ? "+" : "-");
    }
    TempBase base;
    const MonitorCommandHooks hooks = {[](uint32_t) {}, [] { return (time_t)0; }, [](unsigned char) {}};
};

TEST_F(PaceBoatRace, ABoatThatFinishesFirstIsBehindThenAheadAndWinsByItsTime) {
    // Slower than the rower to 230 m at 6000, then faster to 499.5 m at 11769.
    ASSERT_TRUE(Choose(7, "6000,230.0,0.26087,1,1,1,1\n11769,499.5,0.21368,1,1,1,1\n"
                          "11769,499.5,0.21368,1,1,1,1\nbad\n20000,900.0,0.2,1,1,1,1\n"));
    RunDistanceWorkout(500, hooks);
    EXPECT_EQ(RowUntil(0), "Boat: +0.0 m+");       // the boat waits at its start
    EXPECT_EQ(RowUntil(6000), "Boat: +20.0 m+");   // 250 m against 230 m
    EXPECT_DOUBLE_EQ(boatRace.boatPace[liveHistory.lastSample], 0.26087);  // the dotted speed
    EXPECT_EQ(RowUntil(11000), "Boat: -5.3 m-");   // 458.3 m against 463.6 m
    EXPECT_DOUBLE_EQ(boatRace.boatPace[liveHistory.lastSample], 0.21368);
    // 499.5 m crossed between 498.9 m at 11975 and 500 m at 12000 (the piece's end), at
    // 11988.6: 2.20 s after the boat. Frozen while the monitor rests.
    EXPECT_EQ(RowUntil(-1), "Boat: -2.20 s-");
    EXPECT_EQ(RowUntil(1000), "Boat: +3.3 m+");    // the next piece: 41.6 m against 38.3 m
}

TEST_F(PaceBoatRace, ABoatLongerThanThePieceIsRacedInMetresAndAChoiceWaitsForTheNextPiece) {
    ASSERT_TRUE(Choose(8, "25000,1000.0,0.25,1,1,1,1\n"));
    EXPECT_FALSE(Choose(9, "0,0.0,0.0,1,1,1,1\n"));  // no workout: the boat chosen stays
    RunDistanceWorkout(500, hooks);
    EXPECT_EQ(RowUntil(-1), "Boat: +20.0 m+");  // 500 m against 480 m at the finish
    RowUntil(1000);
    ASSERT_TRUE(Choose(8, "25000,1000.0,0.25,1,1,1,1\n"));
    EXPECT_EQ(RowUntil(2000), "");  // chosen while rowing: it waits for the next piece
}

}  // namespace
