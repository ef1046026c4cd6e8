// The pace boat: its course from a row file's lines, and races rowed on the simulated monitor
// against boats that finish before and after the rower.
#include <gtest/gtest.h>

#include <math.h>

#include <fstream>
#include <memory>

#include "boat/boat_race.h"
#include "monitor/monitor_api.h"
#include "monitor/workout_commands.h"
#include "recorder_test_support.h"
#include "simmonitor/sim_monitor.h"

using namespace recorder_test;

namespace {

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
