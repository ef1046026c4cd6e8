// DrawPanel into memory bitmaps: the size check, clearing, scale, layouts and state restore.
#include <gtest/gtest.h>
#include <string.h>

#include "display/draw_panel.h"
#include "tests/unit/display_test_support.h"
#include "tests/win/display_win_support.h"

namespace {

const COLORREF WHITE = RGB(255, 255, 255);
const COLORREF BLACK = RGB(0, 0, 0);
const COLORREF RED = RGB(255, 0, 0);
const COLORREF ORANGE = RGB(255, 140, 0);
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF GREEN = RGB(0, 136, 0);
const COLORREF FILL = RGB(10, 20, 30);

class DisplayPanelWin : public ::testing::Test {
protected:
    void SetUp() override {
        LoadEnglishPanelTexts();
        SetDefaultGraphSettings();
        statusLine[0] = '\0';
    }
    void GraphsOff() {
        settings.showHeartRate = settings.showStrokeRate = settings.showPower = settings.showPace =
            0;
    }
    // Every sample the same, so that each series is a horizontal line at a known height.
    void ConstantWorkout(int32_t power, int32_t rate, double pace, int32_t heartRate) {
        h->lastSample = 10;
        h->heartRateCount = 1;
        for (int k = 0; k <= 10; ++k) {
            h->power[k] = power;
            h->strokeRate[k] = rate;
            h->pace[k] = pace;
            h->heartRate[k] = heartRate;
        }
    }

    DisplayGlobalsGuard guard;
    std::unique_ptr<StrokeHistory> h = NewHistory();
};

TEST_F(DisplayPanelWin, NarrowMainWindowDrawsNothing) {
    StandInMainWindow main(99, 600);
    TestBitmap bitmap(1920, 1200, FILL);
    DrawPanel(bitmap.dc, h.get(), 1);
    DrawPanel(bitmap.dc, h.get(), 0);
    EXPECT_EQ(0, bitmap.Count(0, 0, 1920, 1200, [](COLORREF c) { return c != FILL; }));
    StandInMainWindow wideEnough(100, 600);
    DrawPanel(bitmap.dc, h.get(), 1);
    EXPECT_EQ(WHITE, bitmap.At(1919, 1199));
}

TEST_F(DisplayPanelWin, NumbersOnlyFill800By240AtOneToOne) {
    GraphsOff();
    strcpy(statusLine, "Error: no monitor");
    StandInMainWindow main(800, 240);
    TestBitmap bitmap;
    DrawPanel(bitmap.dc, h.get(), 1);
    // "Heart Rate" starts at logical x 400, right of the "Time" line.
    int heartRate = bitmap.FirstInkColumn(300, 8, 800, 45);
    EXPECT_GE(heartRate, 400);
    EXPECT_LE(heartRate, 412);
    EXPECT_GT(bitmap.CountColour(10, 220, 400, 240, RED), 0);
    EXPECT_EQ(0, bitmap.CountNonWhite(0, 240, 1920, 1200));
}

// Units: grey, 3 units after the end of their line, in the lower half of the line; Time,
// Strokes and State have none. Alike in the live and the summary layout.
TEST_F(DisplayPanelWin, UnitsFollowTheirLinesInGrey) {
    const COLORREF GREY = RGB(153, 153, 153);
    const struct {
        int x, y;
        bool unit;
    } lines[] = {{10, 5, false},   {10, 45, true},   {10, 85, true},  {10, 125, true},
                 {10, 170, false}, {400, 5, true},   {400, 45, true}, {400, 85, true},
                 {400, 125, true}, {400, 170, false}};
    GraphsOff();
    StandInMainWindow main(800, 240);
    h->lastSample = 3;
    h->power[3] = 230;
    h->distance = 1234.5;
    for (int32_t avgPower : {0, 187}) {
        h->avgPower = avgPower;
        TestBitmap bitmap;
        DrawPanel(bitmap.dc, h.get(), 1);
        for (const auto& line : lines) {
            const int right = line.x + 390, top = line.y + 15, bottom = line.y + 35;
            EXPECT_EQ(bitmap.CountColour(line.x, top, right, bottom, GREY) > 10, line.unit)
                << avgPower << " line at " << line.x << "," << line.y;
            if (!line.unit) continue;
            int firstGrey = line.x;
            while (firstGrey < right &&
                   !bitmap.CountColour(firstGrey, top, firstGrey + 1, bottom, GREY))
                ++firstGrey;
            int lastBlack = firstGrey - 1;  // the end of the line's own text
            while (lastBlack > line.x &&
                   !bitmap.CountColour(lastBlack, line.y, lastBlack + 1, line.y + 40, BLACK))
                --lastBlack;
            EXPECT_GE(firstGrey - lastBlack, 2) << line.x << "," << line.y;
            EXPECT_LE(firstGrey - lastBlack, 12) << line.x << "," << line.y;
        }
    }
}

TEST_F(DisplayPanelWin, FrameAndSeriesLieWhereTheGeometrySays) {
    // power 125 of 0-250, rate 10 of 0-40, 2 m/s of 0-5, heart rate 160 of 0-200,
    // in the box from (130, 250) to (790, 550).
    ConstantWorkout(125, 10, 0.5, 160);
    StandInMainWindow main(800, 560);
    TestBitmap bitmap;
    DrawPanel(bitmap.dc, h.get(), 1);
    EXPECT_EQ(ORANGE, bitmap.At(500, 400));
    EXPECT_EQ(BLUE, bitmap.At(500, 475));
    EXPECT_EQ(GREEN, bitmap.At(500, 430));
    EXPECT_EQ(RED, bitmap.At(500, 310));
    // The frame, 2 wide, around the box.
    EXPECT_EQ(2, bitmap.CountColour(126, 270, 132, 271, BLACK));
    EXPECT_EQ(2, bitmap.CountColour(788, 270, 794, 271, BLACK));
    EXPECT_EQ(2, bitmap.CountColour(300, 246, 301, 252, BLACK));
    EXPECT_EQ(2, bitmap.CountColour(300, 548, 301, 554, BLACK));
    // Nothing of the series outside the box's columns.
    EXPECT_EQ(0, bitmap.CountColour(792, 240, 1920, 1200, ORANGE));
}

TEST_F(DisplayPanelWin, TickWithoutANewStrokeLeavesTheGraph) {
    ConstantWorkout(125, 10, 0.5, 160);
    StandInMainWindow main(800, 560);
    TestBitmap bitmap;
    DrawPanel(bitmap.dc, h.get(), 1);
    std::vector<DWORD> graph = bitmap.Rows(240, 1200);
    std::vector<DWORD> numbers = bitmap.Rows(0, 240);
    for (int k = 0; k <= 10; ++k) h->power[k] = 250;
    h->workTime = 123456;
    DrawPanel(bitmap.dc, h.get(), 0);
    EXPECT_TRUE(graph == bitmap.Rows(240, 1200));
    EXPECT_FALSE(numbers == bitmap.Rows(0, 240));
    EXPECT_EQ(ORANGE, bitmap.At(500, 400));
}

}  // namespace
