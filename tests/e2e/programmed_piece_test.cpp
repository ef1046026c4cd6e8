// Pieces programmed from the Workout menu and rowed in real time, ten times faster than the
// clock: each row file (lines ending in CR LF) rises from its first stroke line to the piece's
// true totals, which the rowing log takes from its last line.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <fstream>

#include "resources/resource.h"
#include "tamsi_process.h"

namespace {

struct Line {
    int time;
    double distance;
};
Line Totals(const std::string& line) {
    return {atoi(line.c_str()), atof(line.c_str() + line.find(',') + 1)};
}

TEST(ProgrammedPiece, RowedInRealTimeEachIsLoggedWithItsTrueTotals) {
    const struct {
        int command;
        int minTime, maxTime;  // hundredths: a pace of 1:30 with 2% wobble
        double minMetres, maxMetres;
    } pieces[] = {{IDM_DISTANCE_500, 8800, 9200, 500.0, 500.0},
                  {IDM_FAVORITES_FIRST, 6000, 6000, 326.0, 341.0},      // 1:00
                  {IDM_STANDARD_FIRST + 4, 8800, 9200, 500.0, 500.0}};  // #5, 500 m
    TamsiProcess tamsi("programmed-pieces");
    tamsi.Set("TAMSI_SIM_MODE", "realtime");
    std::ofstream(tamsi.path("simmonitor.ini"))  // one plain metre, too short for a stroke
        << "speed=10\npace=1:30\nrate=6\nstart_delay=3000\npiece=1\npieces=1\n";
    ASSERT_TRUE(tamsi.Start());
    std::vector<std::string> files;
    for (size_t i = 0; i < std::size(pieces); i++) {
        tamsi.Command(pieces[i].command);
        auto closed = [&] {  // by the tick that sees the piece's end
            files = ListFolder(tamsi.path("data"));
            std::vector<std::string> lines =
                files.size() == i + 1 ? ReadLines(tamsi.path("data\\" + files[i])) : files;
            return lines.size() > 2 && Totals(lines.back()).time >= pieces[i].minTime &&
                   Totals(lines.back()).distance >= pieces[i].minMetres;
        };
        ASSERT_TRUE(TamsiProcess::WaitFor(closed, 60000)) << i;
    }
    EXPECT_EQ(tamsi.Close(), 0);

    for (size_t i = 0; i < std::size(pieces); i++) {
        std::vector<std::string> lines = ReadLines(tamsi.path("data\\" + files[i]));
        ASSERT_GE(lines.size(), 4u);
        const std::string whole = ReadWholeFile(tamsi.path("data\\" + files[i]));  // CR LF
        EXPECT_EQ(std::count(whole.begin(), whole.end(), '\r'), (std::ptrdiff_t)lines.size());
        EXPECT_LT(Totals(lines[1]).distance, 40.0) << i;
        for (size_t k = 2; k < lines.size(); k++)
            EXPECT_TRUE(Totals(lines[k]).time > Totals(lines[k - 1]).time &&
                        Totals(lines[k]).distance > Totals(lines[k - 1]).distance)
                << lines[k];
        Line total = Totals(lines.back());
        EXPECT_TRUE(total.time >= pieces[i].minTime && total.time <= pieces[i].maxTime) << i;
        EXPECT_TRUE(total.distance >= pieces[i].minMetres && total.distance <= pieces[i].maxMetres);
    }
}

}  // namespace
