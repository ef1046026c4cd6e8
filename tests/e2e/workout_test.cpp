// Programming 2000 m from the menu while a plain row is being recorded: the plain row's
// closing line, and the given-up workout's own file, checked against what the monitor said.
#include <gtest/gtest.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "resources/resource.h"
#include "tamsi_process.h"

namespace {

// A row file line's time and distance.
std::string Totals(const std::string& line) {
    return line.substr(0, line.find(',', line.find(',') + 1));
}

// The hex bytes of the first bracketed list in line at or after from.
std::vector<unsigned> Bytes(const std::string& line, size_t from) {
    size_t open = line.find('[', from), close = line.find(']', open);
    std::istringstream in(close == std::string::npos ? ""
                                                     : line.substr(open + 1, close - open - 1));
    std::vector<unsigned> bytes;
    for (unsigned byte; in >> std::hex >> byte;) bytes.push_back(byte);
    return bytes;
}

// What the monitor's counter polls answered, as a row file's "time,distance": the plain
// row's last before the workout's reset request, and the workout's last while rowed.
struct Rowed {
    std::string plain, workout;
    int strokes = 0;
    bool ended = false;
};

Rowed WhatWasRowed(const std::string& transcript) {
    Rowed rowed;
    bool reset = false;
    for (const std::string& line : ReadLines(transcript)) {
        size_t arrow = line.find("->");
        if (line.compare(0, 22, "tkcmdsetCSAFE_command ") || arrow == std::string::npos) continue;
        std::vector<unsigned> ask = Bytes(line, 0), r = Bytes(line, arrow);
        rowed.strokes += ask.size() == 5 && ask[0] == 0xA6;
        reset |= !ask.empty() && ask[0] == 0x86;
        if (ask.size() != 5 || ask[0] != 0x1A || ask[2] != 0xA0 || r.size() < 19 || rowed.ended)
            continue;
        long time = r[8], tenths = r[15];  // hundredths of a second, tenths of a metre
        for (int i = 0; i < 4; i++)
            time += (long)r[4 + i] << 8 * i, tenths += (long)r[11 + i] << 8 * i;
        char totals[64];  // a workout counts its distance down from 2000 m
        snprintf(totals, sizeof totals, "%li,%.1f", time, (reset ? 20000 - tenths : tenths) / 10.0);
        if (!reset)
            rowed.plain = totals;
        else if (tenths != 0 && time != 0)
            rowed.workout = totals;
        else
            rowed.ended = !rowed.workout.empty();
    }
    return rowed;
}

// The plain row's closing line carries its last tick, then the last stroke's values again;
// the given-up workout's lines (ending in CR LF) rise from near 0.0 and close with the
// distance rowed. Polls a second apart can miss the first stroke's drive, so the first
// line may come two strokes (75 m) and a poll in.
TEST(Workout, AGivenUpTwoThousandClosesWithTheDistanceRowed) {
    TamsiProcess tamsi("abandoned");
    // Fast and coarse: one poll is a second of rowing at 12.5 metres a second.
    std::ofstream(tamsi.path("simmonitor.ini"))
        << "step=100\nrate=20\npace=40\nstart_delay=300\nabandon=250\n";
    const std::string transcript = tamsi.path("transcript.txt");
    ASSERT_TRUE(tamsi.Start());
    EXPECT_TRUE(
        TamsiProcess::WaitFor([&] { return WhatWasRowed(transcript).strokes >= 4; }, 60000));
    SaveScreenshot("rowing");
    tamsi.Command(IDM_DISTANCE_2000);
    EXPECT_TRUE(TamsiProcess::WaitFor([&] { return WhatWasRowed(transcript).ended; }, 150000));
    Sleep(300);  // the tick that saw the end writes the closing line
    EXPECT_EQ(tamsi.Close(), 0);
    Rowed rowed = WhatWasRowed(transcript);
    std::vector<std::string> files = ListFolder(tamsi.path("data"));
    ASSERT_EQ(files.size(), 2u);
    std::vector<std::string> plain = ReadLines(tamsi.path("data\\" + files[0]));
    std::vector<std::string> workout = ReadLines(tamsi.path("data\\" + files[1]));
    std::string whole = ReadWholeFile(tamsi.path("data\\" + files[1]));
    EXPECT_EQ(std::count(whole.begin(), whole.end(), '\r'), (std::ptrdiff_t)workout.size());

    ASSERT_GE(plain.size(), 4u);
    EXPECT_EQ(Totals(plain.back()), rowed.plain);
    const std::string &closing = plain.back(), &stroke = plain[plain.size() - 2];
    EXPECT_EQ(closing.substr(Totals(closing).size()), stroke.substr(Totals(stroke).size()));
    ASSERT_GE(workout.size(), 4u);
    EXPECT_EQ(workout[0], "Time,Distance,Pace,Watts,Cals,SPM,HR");
    double previous = 0.0;
    for (size_t i = 1; i < workout.size(); i++) {
        double distance = atof(workout[i].c_str() + workout[i].find(',') + 1);
        EXPECT_TRUE(distance >= previous && distance < (i == 1 ? 90.0 : 2000.0)) << workout[i];
        previous = distance;
    }
    EXPECT_EQ(Totals(workout.back()), rowed.workout);
    EXPECT_NEAR(previous, 250.0, 13.0);
}

}  // namespace
