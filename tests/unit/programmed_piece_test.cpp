// Pieces programmed from the Workout menu, rowed on the simulated monitor and recorded tick by
// tick: whatever the poll's rhythm, each row file rises from its first stroke line to a
// closing line with the piece's true totals.
#include <gtest/gtest.h>

#include <sstream>

#include "monitor/monitor_api.h"
#include "monitor/poll_state.h"
#include "monitor/workout_commands.h"
#include "recorder_test_support.h"
#include "simmonitor/sim_monitor.h"

using namespace recorder_test;

namespace {

const MonitorCommandHooks HOOKS = {[](uint32_t) {}, []() { return (time_t)0; },
                                   [](unsigned char) {}};

struct Line {
    int time;
    double distance;
};

std::vector<Line> DataLines(const std::string& text) {
    std::vector<Line> lines;
    std::istringstream in(text);
    std::string line;
    std::getline(in, line);  // the header
    while (std::getline(in, line))
        lines.push_back({atoi(line.c_str()), atof(line.c_str() + line.find(',') + 1)});
    return lines;
}

// clang-format off
const struct {
    const char* piece;
    void (*program)();
    int step;  // hundredths per poll: 30 never lands on the moment a piece starts
    int time;  // the closing line's totals
    double distance;
} PIECES[] = {
    {"500 m", [] { RunDistanceWorkout(500, HOOKS); }, 30, 12000, 500.0},
    {"500 m, polls on the start", [] { RunDistanceWorkout(500, HOOKS); }, 25, 12000, 500.0},
    {"Favorites #1, 1:00", [] { RunStoredWorkout(11, HOOKS); }, 30, 6000, 250.0},
    {"Standard #5, 500 m", [] { RunStoredWorkout(5, HOOKS); }, 30, 12000, 500.0},
    {"30 minutes", [] { RunTimeWorkout(30, HOOKS); }, 29, 180000, 7500.0},
};
// clang-format on

TEST(ProgrammedPiece, RowFilesRiseToTheTrueTotalsWhateverThePollsRhythm) {
    for (const auto& p : PIECES) {
        SCOPED_TRACE(p.piece);
        TempBase base;
        ResetRecorderState();
        UseEnglishTexts();
        SimConfig config;
        SimApplyConfigText(config, "mode=steps\npace=120\nrate=24\nstart_delay=200\nstep=" +
                                       std::to_string(p.step));
        SimMonitorReset(config);
        monitorApi = SimMonitorApi();
        monitorApi.csafeInitProtocol(0);
        p.program();
        // Until the tick that sees the piece's end closes its row file.
        bool opened = false;
        int32_t recording = 0;  // the open row file's number, as the upload is told it
        for (int tick = 0; tick < 1000000 / p.step && !(opened && rowFile == NULL); tick++) {
            RunPollTick();
            opened |= rowFile != NULL;
            if (rowFile != NULL) recording = rowFileSeconds;
        }
        EXPECT_EQ(rowFileSeconds, 0);
        monitorApi = MonitorApi();
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(base.DataFolder()))
            names.push_back(entry.path().string());
        ASSERT_EQ(names.size(), 1u);
        EXPECT_EQ(names[0], base.RowFilePath(recording));
        std::vector<Line> lines = DataLines(ReadFile(names[0]));
        ASSERT_GE(lines.size(), 3u);
        EXPECT_LT(lines.front().distance, 10.0);
        size_t rising = 1;
        while (rising < lines.size() && lines[rising].time > lines[rising - 1].time &&
               lines[rising].distance > lines[rising - 1].distance)
            rising++;
        EXPECT_EQ(rising, lines.size()) << "line " << rising << " of the row file falls";
        EXPECT_EQ(lines.back().time, p.time);
        EXPECT_DOUBLE_EQ(lines.back().distance, p.distance);
    }
}

}  // namespace
