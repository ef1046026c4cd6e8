// Programming 2000 m from the menu while a plain row is being recorded: the plain row's
// closing line, and the given-up workout's own file.
#include <gtest/gtest.h>

#include <stdio.h>
#include <stdlib.h>

#include <algorithm>

#include "resources/resource.h"
#include "tamsi_process.h"
#include "transcript.h"

namespace {

std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t comma = line.find(',', start);
        fields.push_back(line.substr(start, comma - start));
        if (comma == std::string::npos) return fields;
        start = comma + 1;
    }
}

// What the monitor showed: the plain row's last reading before the workout command's reset
// request, the workout's last reading while rowed, and whether the workout has ended.
struct Rowed {
    CounterReading plainLast = {0, 0}, workoutLast = {0, 0};
    int strokes = 0;
    bool workoutEnded = false;
};

Rowed WhatWasRowed(const std::string& transcript) {
    Rowed rowed;
    bool reset = false, rowing = false;
    CounterReading reading;
    for (const TranscriptCall& call : ReadTranscript(transcript)) {
        rowed.strokes += IsStrokePoll(call);
        if (call.operation == "tkcmdsetCSAFE_command" && !call.request.empty() &&
            call.request[0] == 0x86) {
            reset = true;
        }
        if (!ReadCounters(call, &reading) || rowed.workoutEnded) continue;
        if (!reset) {
            rowed.plainLast = reading;
        } else if (reading.tenths != 0 && reading.time != 0) {
            rowing = true;
            rowed.workoutLast = reading;
        } else if (rowing) {
            rowed.workoutEnded = true;
        }
    }
    return rowed;
}

std::string Totals(long time, double distance) {
    char text[64];
    snprintf(text, sizeof text, "%li,%.1f", time, distance);
    return text;
}

// Rows a plain piece, chooses 2,000m and rows it until the monitor's counters say it ended.
// Returns the two row files' lines and what the monitor showed.
struct TwoThousandRun {
    std::vector<std::string> plainRow, workout;
    Rowed rowed;
};

TwoThousandRun RowTwoThousand(const std::string& name, const char* abandonMetres) {
    TwoThousandRun run;
    TamsiProcess tamsi(name);
    // Fast and coarse: one poll is a second of rowing at 12.5 metres a second.
    tamsi.SetSimulator("TAMSI_SIM_STEP", "100");
    tamsi.SetSimulator("TAMSI_SIM_RATE", "20");
    tamsi.SetSimulator("TAMSI_SIM_PACE", "40");
    tamsi.SetSimulator("TAMSI_SIM_START_DELAY", "300");
    tamsi.SetSimulator("TAMSI_SIM_ABANDON", abandonMetres);
    EXPECT_TRUE(tamsi.Start());
    EXPECT_TRUE(TamsiProcess::WaitFor(
        [&] { return WhatWasRowed(tamsi.transcriptPath()).strokes >= 4; }, 60000));
    tamsi.Command(IDM_DISTANCE_2000);
    EXPECT_TRUE(TamsiProcess::WaitFor(
        [&] { return WhatWasRowed(tamsi.transcriptPath()).workoutEnded; }, 150000));
    Sleep(300);  // the tick that saw the end writes the closing line
    SaveScreenshot(name);
    EXPECT_EQ(tamsi.Close(), 0);
    run.rowed = WhatWasRowed(tamsi.transcriptPath());
    std::vector<std::string> files = ListFolder(tamsi.path("data"));
    EXPECT_EQ(files.size(), 2u);
    if (files.size() >= 2) {
        run.plainRow = ReadLines(tamsi.path("data\\" + files[0]));
        run.workout = ReadLines(tamsi.path("data\\" + files[1]));
        std::string whole = ReadWholeFile(tamsi.path("data\\" + files[1]));  // lines end in CR LF
        EXPECT_EQ(std::count(whole.begin(), whole.end(), '\r'), (std::ptrdiff_t)run.workout.size());
    }
    return run;
}

// The plain row's closing line carries its last tick, then the last stroke's values again;
// the given-up workout's lines rise from near 0.0 and close with the distance rowed.
TEST(Workout, AGivenUpTwoThousandClosesWithTheDistanceRowed) {
    TwoThousandRun run = RowTwoThousand("abandoned", "500");
    ASSERT_GE(run.plainRow.size(), 4u);
    std::vector<std::string> closing = Fields(run.plainRow.back());
    std::vector<std::string> lastStroke = Fields(run.plainRow[run.plainRow.size() - 2]);
    ASSERT_EQ(closing.size(), 7u);
    EXPECT_EQ(closing[0] + "," + closing[1],
              Totals(run.rowed.plainLast.time, run.rowed.plainLast.tenths / 10.0));
    EXPECT_EQ(std::vector<std::string>(closing.begin() + 2, closing.end()),
              std::vector<std::string>(lastStroke.begin() + 2, lastStroke.end()));

    ASSERT_GE(run.workout.size(), 4u);
    EXPECT_EQ(run.workout[0], "Time,Distance,Pace,Watts,Cals,SPM,HR");
    double previous = 0.0;
    for (size_t i = 1; i < run.workout.size(); i++) {
        double distance = atof(Fields(run.workout[i])[1].c_str());
        EXPECT_GE(distance, previous) << run.workout[i];
        EXPECT_LT(distance, i == 1 ? 40.0 : 2000.0) << run.workout[i];
        previous = distance;
    }
    const CounterReading& last = run.rowed.workoutLast;
    EXPECT_EQ(Fields(run.workout.back())[0] + "," + Fields(run.workout.back())[1],
              Totals(last.time, (20000 - last.tenths) / 10.0));
    EXPECT_NEAR(previous, 500.0, 13.0);
}

}  // namespace
