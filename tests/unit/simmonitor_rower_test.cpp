// The simulated rower as Tamsi sees it through counter and stroke polls, in step time.
#include <gtest/gtest.h>

#include <vector>

#include "simmonitor/sim_monitor.h"
#include "simmonitor/sim_rower.h"

namespace {

typedef std::vector<uint32_t> Entries;

struct Counters {
    uint32_t time;
    uint32_t distance;
    uint32_t state;
};

struct Stroke {
    uint32_t pace;
    uint32_t watts;
    uint32_t calories;
    uint32_t rate;
    uint32_t heartRate;
};

uint32_t Le(const Entries& r, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | r[at + i];
    return v;
}

class SimRowerTest : public ::testing::Test {
protected:
    void SetUp() override {
        config.timeBase = SimTimeBase::Steps;
        config.stepHundredths = 25;
        config.startDelayHundredths = 0;
    }

    void Start() {
        SimMonitorReset(config);
        api = SimMonitorApi();
        ASSERT_EQ(0, api.csafeInitProtocol(0));
    }

    Entries Send(Entries request) {
        Entries response(100);
        uint16_t count = 100;
        int16_t status = api.csafeCommand(0, static_cast<uint16_t>(request.size()), request.data(),
                                          &count, response.data());
        EXPECT_EQ(0, status);
        response.resize(count);
        return response;
    }

    Counters Poll() {
        Entries r = Send({0x1A, 3, 0xA0, 0xA3, 0xBF});
        EXPECT_EQ(19u, r.size());
        if (r.size() != 19) return Counters{0, 0, 0};
        return Counters{Le(r, 4, 4), Le(r, 11, 4), r[18]};
    }

    Stroke StrokePoll() {
        Entries r = Send({0xA6, 0xB4, 0xA3, 0xA7, 0xB0});
        EXPECT_EQ(22u, r.size());
        if (r.size() != 22) return Stroke{0, 0, 0, 0, 0};
        return Stroke{Le(r, 2, 2), Le(r, 7, 2), Le(r, 12, 2), Le(r, 16, 2), r[21]};
    }

    SimConfig config;
    MonitorApi api{};
};

TEST_F(SimRowerTest, StrokePhasesFollowTheRate) {
    // 20 spm: 3 s strokes, drive 1 s, dwell 0.25 s, recovery 1.75 s; polls every 0.25 s.
    config.strokeRate = 20;
    Start();
    std::vector<uint32_t> states;
    for (int i = 0; i < 24; ++i) states.push_back(Poll().state);
    EXPECT_EQ((std::vector<uint32_t>{2, 2, 2, 3, 4, 4, 4, 4, 4, 4, 4, 2,
                                     2, 2, 2, 3, 4, 4, 4, 4, 4, 4, 4, 2}),
              states);
    EXPECT_EQ(20u, StrokePoll().rate);
}

TEST_F(SimRowerTest, PowerFollowsPaceLikeAMonitor) {
    struct Case {
        double pace;
        uint32_t msPerMetre;
        uint32_t watts;
    };
    // watts = 2.80 / (seconds per metre)^3, rounded
    const Case cases[] = {{100, 200, 350}, {120, 240, 203}, {105.5, 211, 298}};
    for (const Case& c : cases) {
        config.paceSecondsPer500 = c.pace;
        Start();
        Poll();
        Stroke s = StrokePoll();
        EXPECT_EQ(c.msPerMetre, s.pace) << c.pace;
        EXPECT_EQ(c.watts, s.watts) << c.pace;
    }
    EXPECT_EQ(0, SimRower::WattsForPace(0));
}

TEST_F(SimRowerTest, PlainRowCountsBothCountersUp) {
    config.heartRate = 150;
    Start();
    Counters last{0, 0, 0};
    for (int i = 1; i <= 48; ++i) {  // 12 s at 2:00/500 m = 50 m
        Counters c = Poll();
        EXPECT_EQ(25u * i, c.time);
        EXPECT_GT(c.distance, last.distance);
        last = c;
    }
    EXPECT_EQ(500u, last.distance);
    Stroke s = StrokePoll();
    EXPECT_EQ(150u, s.heartRate);
    EXPECT_EQ(24u, s.rate);
}

// Programs a workout, then polls until it starts; returns the first rowing counters.
class SimWorkoutTest : public SimRowerTest {
protected:
    void SetUp() override {
        SimRowerTest::SetUp();
        config.startDelayHundredths = 100;  // a programmed piece then starts on a poll
    }

    Counters ProgramAndWait(const Entries& program, int* restingPolls = nullptr) {
        Send(program);
        int resting = 0;
        for (int i = 0; i < 10000; ++i) {
            Counters c = Poll();
            if (c.state != 1) {
                if (restingPolls) *restingPolls = resting;
                return c;
            }
            EXPECT_EQ(0u, c.time);
            EXPECT_EQ(0u, c.distance);
            ++resting;
        }
        ADD_FAILURE() << "workout never started";
        return Counters{0, 0, 0};
    }
};

TEST_F(SimWorkoutTest, DistanceWorkoutCountsDistanceDownShowsItsResultThenZero) {
    Start();
    for (int i = 0; i < 20; ++i) Poll();  // rowing a plain piece meanwhile
    Send({0x86, 0x82, 0x83});
    int resting = 0;
    // 500 m, splits of 100 m
    Counters c = ProgramAndWait(
        {0x21, 3, 0xF4, 0x01, 0x24, 0x1A, 7, 0x05, 5, 0x80, 100, 0, 0, 0, 0x24, 2, 0, 0, 0x85},
        &resting);
    EXPECT_EQ(3, resting);  // the start delay, then rowing
    EXPECT_EQ(0u, c.time);  // begins exactly on this poll
    EXPECT_EQ(5000u, c.distance);
    Counters last = c;
    int polls = 0;
    for (;;) {
        c = Poll();
        ++polls;
        if (c.state == 1) break;
        ASSERT_LT(polls, 1000);
        EXPECT_EQ(last.time + 25, c.time);
        EXPECT_LT(c.distance, last.distance);
        EXPECT_GT(c.distance, 0u);
        last = c;
    }
    // 500 m at 2:00/500 m takes 120 s: the result shows, then both counters read 0.
    EXPECT_EQ(12000u - 25u, last.time);
    EXPECT_LE(last.distance, 11u);
    EXPECT_EQ(12000u, c.time);
    EXPECT_EQ(0u, c.distance);
    Poll();
    c = Poll();  // half the start delay later
    EXPECT_EQ(0u, c.time);
    EXPECT_EQ(0u, c.distance);
}

TEST_F(SimWorkoutTest, AGivenUpWorkoutReadsZeroBeforeItsTarget) {
    config.abandonMetres = 100;
    Start();
    Counters c = ProgramAndWait({0x24, 2, 1, 0, 0x85});  // 2000 m
    Counters last = c;
    for (int polls = 0; c.state != 1 && polls < 1000; ++polls) {
        last = c;
        c = Poll();
    }
    EXPECT_EQ(0u, c.time);
    EXPECT_EQ(0u, c.distance);
    EXPECT_GT(last.distance, 19000u);  // 100 m of 2000 rowed, less one poll's metre
    EXPECT_LE(last.distance, 19011u);
}

TEST_F(SimWorkoutTest, TimeWorkoutCountsTimeDownShowsItsResultThenZero) {
    Start();
    Send({0x86, 0x82, 0x83});
    Counters c = ProgramAndWait({0x20, 3, 0, 1, 0, 0x24, 2, 0, 0, 0x85});  // 1:00
    EXPECT_EQ(6000u, c.time);
    EXPECT_EQ(0u, c.distance);
    Counters last = c;
    int polls = 0;
    for (;;) {
        c = Poll();
        ++polls;
        if (c.state == 1) break;
        EXPECT_EQ(last.time - 25, c.time);
        EXPECT_GT(c.distance, last.distance);
        last = c;
    }
    EXPECT_EQ(240, polls);
    EXPECT_EQ(25u, last.time);
    EXPECT_EQ(2489u, last.distance);  // 59.75 s at 500/120 m/s
    EXPECT_EQ(0u, c.time);
    EXPECT_EQ(2500u, c.distance);  // the result
    Poll();
    EXPECT_EQ(0u, Poll().distance);
}

TEST_F(SimWorkoutTest, StoredWorkoutsRunFromTheTable) {
    struct Case {
        uint32_t number;
        SimPieceKind kind;
        uint32_t time;
        uint32_t distance;
    };
    const Case cases[] = {{1, SimPieceKind::Distance, 0, 20000},
                          {4, SimPieceKind::Time, 180000, 0},
                          {15, SimPieceKind::Time, 60000, 0}};
    for (const Case& k : cases) {
        Start();
        Counters c = ProgramAndWait({0x24, 2, k.number, 0, 0x85});
        EXPECT_EQ(k.time, c.time) << k.number;
        EXPECT_EQ(k.distance, c.distance) << k.number;
        EXPECT_EQ(k.kind, SimMonitorSnapshot().piece) << k.number;
    }
}

}  // namespace
