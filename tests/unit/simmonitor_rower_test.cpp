// The simulated rower as Tamsi sees it through counter and stroke polls, in step time.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "simmonitor/sim_monitor.h"
#include "simmonitor/sim_csafe.h"
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

TEST_F(SimRowerTest, FasterRateGivesShorterStrokes) {
    config.strokeRate = 30;  // 2 s strokes
    Start();
    std::vector<uint32_t> states;
    for (int i = 0; i < 8; ++i) states.push_back(Poll().state);
    EXPECT_EQ((std::vector<uint32_t>{2, 2, 3, 4, 4, 4, 4, 2}), states);
    EXPECT_EQ(1u, SimMonitorSnapshot().strokeIndex);  // the second stroke has begun
}

TEST_F(SimRowerTest, PowerFollowsPaceLikeAMonitor) {
    struct Case {
        double pace;
        uint32_t msPerMetre;
        uint32_t watts;
    };
    // watts = 2.80 / (seconds per metre)^3, rounded
    const Case cases[] = {{100, 200, 350}, {120, 240, 203}, {150, 300, 104}, {90, 180, 480},
                          {105.5, 211, 298}};
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

TEST_F(SimRowerTest, RestingBeforeTheStartShowsZeroCountersAndWaiting) {
    config.startDelayHundredths = 100;
    Start();
    for (int i = 0; i < 3; ++i) {
        Counters c = Poll();
        EXPECT_EQ(0u, c.time);
        EXPECT_EQ(0u, c.distance);
        EXPECT_EQ(1u, c.state);
    }
    Poll();  // t = 1.00 s: the first stroke begins
    Counters c = Poll();
    EXPECT_EQ(25u, c.time);
    EXPECT_EQ(2u, c.state);
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

TEST_F(SimRowerTest, CaloriesGrowWithTheWork) {
    config.stepHundredths = 36000;  // 6 minutes per poll
    Start();
    Poll();
    // 203 W: 4*203+300 = 1112 kcal/h, a tenth of an hour is 111.2 kcal.
    EXPECT_EQ(111u, StrokePoll().calories);
    Poll();
    EXPECT_EQ(222u, StrokePoll().calories);
}

TEST_F(SimRowerTest, PlainPieceEndsResetsAndStartsAgainAfterTheDelay) {
    config.pieceMetres = 10;  // 2.4 s at 2:00/500 m
    config.startDelayHundredths = 100;
    Start();
    std::vector<bool> rowing;
    uint32_t most = 0;
    for (int i = 0; i < 40; ++i) {
        Counters c = Poll();
        rowing.push_back(c.state != 1);
        if (c.state == 1) {
            EXPECT_EQ(0u, c.time);
            EXPECT_EQ(0u, c.distance);
        }
        if (c.distance > most) most = c.distance;
    }
    // rest to 1.0 s, row 1.0..3.4 s, rest to 4.4 s, row 4.4..6.8 s, rest to 7.8 s, row
    std::vector<bool> expected;
    for (int i = 1; i <= 40; ++i) {
        double t = i * 0.25;
        bool on = (t >= 1.0 && t < 3.4) || (t >= 4.4 && t < 6.8) || t >= 7.8;
        expected.push_back(on);
    }
    EXPECT_EQ(expected, rowing);
    EXPECT_LT(most, 100u);
    EXPECT_GE(most, 95u);
    EXPECT_EQ(3, SimMonitorSnapshot().plainPiecesStarted);
}

TEST_F(SimRowerTest, PieceCountLimitLeavesTheRowerResting) {
    config.pieceMetres = 10;
    config.pieceCount = 1;
    config.startDelayHundredths = 100;
    Start();
    int rowingPolls = 0;
    for (int i = 0; i < 400; ++i)
        if (Poll().state != 1) ++rowingPolls;
    EXPECT_EQ(10, rowingPolls);  // 1.0 .. 3.25 s
    EXPECT_EQ(1, SimMonitorSnapshot().plainPiecesStarted);
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

TEST_F(SimWorkoutTest, DistanceWorkoutCountsDistanceDownAndTimeUpThenBothZero) {
    Start();
    for (int i = 0; i < 20; ++i) Poll();  // rowing a plain piece meanwhile
    Send({0x86, 0x82, 0x83});
    int resting = 0;
    // 500 m, splits of 100 m
    Counters c = ProgramAndWait({0x21, 3, 0xF4, 0x01, 0x24, 0x1A, 7, 0x05, 5, 0x80, 100, 0, 0, 0,
                                 0x24, 2, 0, 0, 0x85},
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
    // 500 m at 2:00/500 m takes 120 s.
    EXPECT_EQ(12000u - 25u, last.time);
    EXPECT_LE(last.distance, 11u);
    EXPECT_EQ(0u, c.time);
    EXPECT_EQ(0u, c.distance);
}

TEST_F(SimWorkoutTest, PieceDueToEndOnAPollHasEndedAtThatPoll) {
    // Rates whose stroke lengths are no round numbers of seconds, so stroke sums drift.
    for (double rate : {17.0, 23.0, 27.0, 31.0, 36.0}) {
        for (double pace : {97.0, 117.0, 119.5}) {
            config.strokeRate = rate;
            config.paceSecondsPer500 = pace;
            Start();
            ProgramAndWait({0x21, 3, 0xF4, 0x01, 0x24, 0x24, 2, 0, 0, 0x85});  // 500 m
            Counters last{0, 0, 0}, c{0, 0, 0};
            int polls = 0;
            while ((c = Poll()).state != 1) {
                last = c;
                ASSERT_LT(++polls, 10000);
            }
            EXPECT_EQ(static_cast<uint32_t>(pace * 100) - 25, last.time) << rate << " " << pace;
            EXPECT_GE(last.distance, 1u);

            Start();
            ProgramAndWait({0x20, 3, 0, 1, 0, 0x24, 2, 0, 0, 0x85});  // 1:00
            polls = 0;
            while ((c = Poll()).state != 1) {
                last = c;
                ASSERT_LT(++polls, 10000);
            }
            EXPECT_EQ(25u, last.time) << rate << " " << pace;
        }
    }
}

TEST_F(SimWorkoutTest, TimeWorkoutCountsTimeDownAndDistanceUpThenBothZero) {
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
    EXPECT_EQ(0u, c.distance);
}

TEST_F(SimWorkoutTest, SixtyMinutesArriveAsZeroHoursSixtyMinutes) {
    Start();
    Counters c = ProgramAndWait({0x20, 3, 0, 60, 0, 0x24, 2, 0, 0, 0x85});
    EXPECT_EQ(360000u, c.time);
    EXPECT_EQ(SimPieceKind::Time, SimMonitorSnapshot().piece);
}

TEST_F(SimWorkoutTest, StoredWorkoutsRunFromTheTable) {
    struct Case {
        uint32_t number;
        SimPieceKind kind;
        uint32_t time;
        uint32_t distance;
    };
    const Case cases[] = {{1, SimPieceKind::Distance, 0, 20000},
                          {2, SimPieceKind::Distance, 0, 50000},
                          {3, SimPieceKind::Distance, 0, 100000},
                          {4, SimPieceKind::Time, 180000, 0},
                          {5, SimPieceKind::Distance, 0, 5000},
                          {15, SimPieceKind::Time, 60000, 0}};
    for (const Case& k : cases) {
        Start();
        Counters c = ProgramAndWait({0x24, 2, k.number, 0, 0x85});
        EXPECT_EQ(k.time, c.time) << k.number;
        EXPECT_EQ(k.distance, c.distance) << k.number;
        EXPECT_EQ(k.kind, SimMonitorSnapshot().piece) << k.number;
    }
    for (int n = 1; n <= 15; ++n) EXPECT_NE(SimPieceKind::None, SimStoredWorkout(n).kind) << n;
}

TEST_F(SimWorkoutTest, ResetStopsThePieceUntilTheWorkoutBegins) {
    config.startDelayHundredths = 200;
    Start();
    Send({0x24, 2, 5, 0, 0x85});
    for (int i = 0; i < 20; ++i) Poll();
    ASSERT_EQ(SimPieceKind::Distance, SimMonitorSnapshot().piece);
    Send({0x86, 0x82, 0x83});
    Counters c = Poll();
    EXPECT_EQ(0u, c.time);
    EXPECT_EQ(0u, c.distance);
    EXPECT_EQ(1u, c.state);
    int resting = 0;
    c = ProgramAndWait({0x20, 3, 0, 2, 0, 0x24, 2, 0, 0, 0x85}, &resting);
    EXPECT_EQ(7, resting);
    EXPECT_EQ(12000u, c.time);
}

TEST_F(SimWorkoutTest, AfterAFinishedWorkoutThePlainRowResumesAfterTheDelay) {
    Start();
    ProgramAndWait({0x24, 2, 10, 0, 0x85});  // 100 m
    int polls = 0;
    while (Poll().state != 1) ASSERT_LT(++polls, 1000);
    int resting = 1;
    Counters c{0, 0, 1};
    while ((c = Poll()).state == 1) ASSERT_LT(++resting, 100);
    EXPECT_GE(resting, 3);
    EXPECT_LE(resting, 4);
    EXPECT_EQ(SimPieceKind::Plain, SimMonitorSnapshot().piece);
    EXPECT_LT(c.time, 25u + 1u);
}

TEST_F(SimRowerTest, VariationIsDeterministicAndOffByDefaultInSteps) {
    Start();
    std::vector<uint32_t> paces;
    for (int i = 0; i < 200; ++i) {
        Poll();
        paces.push_back(StrokePoll().pace);
    }
    for (uint32_t p : paces) EXPECT_EQ(240u, p);

    config.variationPercent = 5;
    std::vector<std::vector<uint32_t>> runs;
    for (int run = 0; run < 2; ++run) {
        Start();
        std::vector<uint32_t> seen;
        for (int i = 0; i < 200; ++i) {
            Counters c = Poll();
            Stroke s = StrokePoll();
            seen.push_back(c.distance);
            seen.push_back(c.state);
            seen.push_back(s.pace);
            seen.push_back(s.rate);
            EXPECT_GE(s.pace, 228u);
            EXPECT_LE(s.pace, 252u);
        }
        runs.push_back(seen);
    }
    EXPECT_EQ(runs[0], runs[1]);
    bool varied = false;
    for (size_t i = 2; i < runs[0].size(); i += 4) varied = varied || runs[0][i] != 240u;
    EXPECT_TRUE(varied);
}

TEST_F(SimRowerTest, RealTimeModeFollowsTheClock) {
    config.timeBase = SimTimeBase::Realtime;
    config.variationPercent = 0;
    Start();
    SimMonitorAdvance(1000);  // fast-forward 10 s
    Counters c = Poll();
    EXPECT_GE(c.time, 1000u);
    EXPECT_LT(c.time, 1000u + 6000u);  // a generous margin for a slow machine
    Counters again = Poll();
    EXPECT_GE(again.time, c.time);
}

TEST_F(SimRowerTest, StepAdvanceWithoutPoll) {
    Start();
    SimMonitorAdvance(1200);
    EXPECT_EQ(1200, SimMonitorSnapshot().simHundredths);
    EXPECT_EQ(1225u, Poll().time);
}

}  // namespace
