// Pieces programmed from the Workout menu and rowed in real time, ten times faster than the
// clock: a 500 m piece, Favorites #1 (1:00) and Standard #5 (500 m) each leave a row file that
// rises from its first stroke line to the piece's true totals, and the rowing log shows them.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "app/app_state.h"
#include "display/format_time.h"
#include "log/log_catalog.h"
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

// clang-format off
const struct {
    const char* piece;
    int command;
    int minTime, maxTime;  // the closing line's totals: a pace of 1:30 with 2% wobble
    double minMetres, maxMetres;
} PIECES[] = {
    {"500 m", IDM_DISTANCE_500, 8800, 9200, 500.0, 500.0},
    {"Favorites #1, 1:00", IDM_FAVORITES_FIRST, 6000, 6000, 326.0, 341.0},
    {"Standard #5, 500 m", IDM_STANDARD_FIRST + 4, 8800, 9200, 500.0, 500.0},
};
// clang-format on

TEST(ProgrammedPiece, RowedInRealTimeEachIsLoggedWithItsTrueTotals) {
    TamsiProcess tamsi("programmed-pieces");
    tamsi.Set("TAMSI_SIM_MODE", "realtime");
    tamsi.Set("TAMSI_SIM_SPEED", "10");
    tamsi.Set("TAMSI_SIM_PACE", "1:30");
    tamsi.Set("TAMSI_SIM_RATE", "6");  // a stroke of a second on the clock: polls see each phase
    // The result shows for half the rest: a second and a half on the clock, seen by the polls.
    tamsi.Set("TAMSI_SIM_START_DELAY", "3000");
    // One plain metre at the start, too short for a stroke; then only the programmed pieces.
    tamsi.Set("TAMSI_SIM_PIECE", "1");
    tamsi.Set("TAMSI_SIM_PIECES", "1");
    ASSERT_TRUE(tamsi.Start());
    std::vector<std::string> files;
    for (size_t i = 0; i < std::size(PIECES); i++) {
        SCOPED_TRACE(PIECES[i].piece);
        tamsi.Command(PIECES[i].command);
        // The piece's row file is done when the tick that sees its end writes the closing line.
        auto closed = [&] {
            files = ListFolder(tamsi.path("data"));
            if (files.size() != i + 1) return false;
            std::vector<std::string> lines = ReadLines(tamsi.path("data\\" + files[i]));
            return lines.size() > 2 && Totals(lines.back()).distance >= PIECES[i].minMetres &&
                   Totals(lines.back()).time >= PIECES[i].minTime;
        };
        ASSERT_TRUE(TamsiProcess::WaitFor(closed, 60000));
        if (i == 0) SaveScreenshot("programmed-500m");
    }
    EXPECT_EQ(tamsi.Close(), 0);

    snprintf(baseDirectory, BASE_DIRECTORY_SIZE, "%s", tamsi.folder().c_str());
    ScanLogCatalog();
    ASSERT_EQ(logEntryCount, 3);
    for (size_t i = 0; i < std::size(PIECES); i++) {
        const auto& p = PIECES[i];
        SCOPED_TRACE(p.piece);
        std::vector<std::string> lines = ReadLines(tamsi.path("data\\" + files[i]));
        ASSERT_GE(lines.size(), 4u);
        EXPECT_EQ(lines[0], "Time,Distance,Pace,Watts,Cals,SPM,HR");
        EXPECT_LT(Totals(lines[1]).distance, 40.0);
        for (size_t k = 2; k < lines.size(); k++) {
            EXPECT_GT(Totals(lines[k]).time, Totals(lines[k - 1]).time) << lines[k];
            EXPECT_GT(Totals(lines[k]).distance, Totals(lines[k - 1]).distance) << lines[k];
        }
        Line total = Totals(lines.back());
        EXPECT_GE(total.time, p.minTime);
        EXPECT_LE(total.time, p.maxTime);
        EXPECT_GE(total.distance, p.minMetres);
        EXPECT_LE(total.distance, p.maxMetres);

        // The log's row: start time from the name, totals from the closing line.
        const LogEntry& entry = logEntries[i + 1];
        EXPECT_EQ(std::to_string(entry.startTime) + ".csv", files[i]);
        EXPECT_EQ(entry.workTime, total.time);
        EXPECT_FLOAT_EQ(entry.distance, (float)total.distance);
        EXPECT_NEAR(entry.pace500, total.time * 500.0 / total.distance, 1.0);
        printf("%s: %s, %.1f m in %s, ", p.piece, files[i].c_str(), entry.distance,
               FormatTime(entry.workTime));
        printf("pace %s\n", FormatTime(entry.pace500));
    }
}

}  // namespace
