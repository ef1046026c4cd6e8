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
const COLORREF UNIT_GREY = RGB(153, 153, 153);
const COLORREF ORANGE = RGB(255, 140, 0);
const COLORREF BLUE = RGB(0, 0, 255);
const COLORREF GREEN = RGB(0, 136, 0);
const COLORREF FILL = RGB(10, 20, 30);

class DisplayPanelWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadEnglishPanelTexts();
        SetDefaultGraphSettings();
        statusLine[0] = '\0';
    }
    void GraphsOff()
    {
        settings.showHeartRate = settings.showStrokeRate = settings.showPower =
            settings.showPace = 0;
    }
    // Every sample the same, so that each series is a horizontal line at a known height.
    void ConstantWorkout(int32_t power, int32_t rate, double pace, int32_t heartRate)
    {
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

TEST_F(DisplayPanelWin, NarrowMainWindowDrawsNothing)
{
    StandInMainWindow main(99, 600);
    TestBitmap bitmap(1920, 1200, FILL);
    DrawPanel(bitmap.dc, h.get(), 1);
    DrawPanel(bitmap.dc, h.get(), 0);
    EXPECT_EQ(0, bitmap.Count(0, 0, 1920, 1200, [](COLORREF c) { return c != FILL; }));
}

TEST_F(DisplayPanelWin, MainWindowOf100PixelsIsDrawn)
{
    StandInMainWindow main(100, 600);
    TestBitmap bitmap(1920, 1200, FILL);
    DrawPanel(bitmap.dc, h.get(), 1);
    EXPECT_EQ(WHITE, bitmap.At(1919, 1199));
    EXPECT_GT(bitmap.CountNonWhite(0, 0, 100, 80), 0);
}

TEST_F(DisplayPanelWin, NoMainWindowYetDrawsNothing)
{
    StandInMainWindow main(800, 560);
    mainWindow = NULL;  // still being created
    TestBitmap bitmap(1920, 1200, FILL);
    DrawPanel(bitmap.dc, h.get(), 1);
    EXPECT_EQ(0, bitmap.Count(0, 0, 1920, 1200, [](COLORREF c) { return c != FILL; }));
}

TEST_F(DisplayPanelWin, FullRedrawClearsABitmapLargerThan1920By1200)
{
    StandInMainWindow main(800, 560);
    TestBitmap bitmap(2400, 1300, FILL);
    DrawPanel(bitmap.dc, h.get(), 1);
    EXPECT_EQ(WHITE, bitmap.At(2399, 1299));
    EXPECT_EQ(WHITE, bitmap.At(1950, 5));
    EXPECT_EQ(WHITE, bitmap.At(5, 1250));
    EXPECT_EQ(0, bitmap.Count(0, 0, 2400, 1300, [](COLORREF c) { return c == FILL; }));
}

TEST_F(DisplayPanelWin, PartialRedrawClearsOnlyTheNumbersArea)
{
    StandInMainWindow main(800, 560);  // one logical unit per pixel
    TestBitmap bitmap(1920, 1200, FILL);
    DrawPanel(bitmap.dc, h.get(), 0);
    EXPECT_EQ(WHITE, bitmap.At(849, 239));
    EXPECT_EQ(WHITE, bitmap.At(849, 0));
    EXPECT_EQ(FILL, bitmap.At(850, 100));
    EXPECT_EQ(FILL, bitmap.At(100, 240));
    EXPECT_EQ(FILL, bitmap.At(400, 400));
}

TEST_F(DisplayPanelWin, NumbersOnlyFill800By240AtOneToOne)
{
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

TEST_F(DisplayPanelWin, NumbersOnlyScaleWithTheTargetWidth)
{
    GraphsOff();
    strcpy(statusLine, "Error: no monitor");
    StandInMainWindow main(1600, 480);  // two pixels per logical unit
    TestBitmap bitmap;
    DrawPanel(bitmap.dc, h.get(), 1);
    int heartRate = bitmap.FirstInkColumn(700, 16, 1600, 90);
    EXPECT_GE(heartRate, 800);
    EXPECT_LE(heartRate, 824);
    EXPECT_GT(bitmap.CountColour(20, 440, 800, 480, RED), 0);
    EXPECT_EQ(0, bitmap.CountNonWhite(0, 480, 1920, 1200));
}

TEST_F(DisplayPanelWin, GraphFlagsShrinkTheNumbersOnAWideTarget)
{
    StandInMainWindow main(1600, 480);  // 560 logical units must fit 480 pixels
    TestBitmap bitmap;
    DrawPanel(bitmap.dc, h.get(), 1);
    int heartRate = bitmap.FirstInkColumn(300, 4, 1600, 38);
    EXPECT_GE(heartRate, 400 * 240 / 280);
    EXPECT_LE(heartRate, 400 * 240 / 280 + 12);
    EXPECT_EQ(0, bitmap.CountNonWhite(800, 0, 1920, 1200));
}

TEST_F(DisplayPanelWin, FrameAndSeriesLieWhereTheGeometrySays)
{
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

TEST_F(DisplayPanelWin, LabelColumnsCarryTheirSeriesColours)
{
    ConstantWorkout(125, 10, 0.5, 160);
    StandInMainWindow main(800, 560);
    TestBitmap bitmap;
    DrawPanel(bitmap.dc, h.get(), 1);
    const COLORREF colours[] = {ORANGE, BLUE, GREEN, RED};
    for (int c = 0; c < 4; ++c) {
        int left = 30 * c;
        EXPECT_GT(bitmap.CountColour(left, 236, left + 31, 560, colours[c]), 0) << "column " << c;
        EXPECT_EQ(0, bitmap.CountColour(left + 31, 236, 128, 560, colours[c])) << "column " << c;
    }
}

TEST_F(DisplayPanelWin, NoHeartRateSeenMeansNoHeartRateLineAndAWiderBox)
{
    ConstantWorkout(125, 10, 0.5, 160);
    h->heartRateCount = 0;
    StandInMainWindow main(800, 560);
    TestBitmap bitmap;
    DrawPanel(bitmap.dc, h.get(), 1);
    EXPECT_EQ(0, bitmap.CountColour(0, 240, 1920, 1200, RED));
    EXPECT_EQ(2, bitmap.CountColour(96, 270, 102, 271, BLACK));
    EXPECT_EQ(ORANGE, bitmap.At(110, 400));
}

TEST_F(DisplayPanelWin, TickWithoutANewStrokeLeavesTheGraph)
{
    ConstantWorkout(125, 10, 0.5, 160);
    StandInMainWindow main(800, 560);
    TestBitmap bitmap;
    DrawPanel(bitmap.dc, h.get(), 1);
    std::vector<DWORD> graph = bitmap.Rows(240, 1200);
    std::vector<DWORD> numbers = bitmap.Rows(0, 240);
    for (int k = 0; k <= 10; ++k)
        h->power[k] = 250;
    h->workTime = 123456;
    DrawPanel(bitmap.dc, h.get(), 0);
    EXPECT_TRUE(graph == bitmap.Rows(240, 1200));
    EXPECT_FALSE(numbers == bitmap.Rows(0, 240));
    EXPECT_EQ(ORANGE, bitmap.At(500, 400));
}

TEST_F(DisplayPanelWin, FinishedWorkoutDrawsItsGraphOnEveryCall)
{
    ConstantWorkout(125, 10, 0.5, 160);
    h->avgPower = 125;
    StandInMainWindow main(800, 560);
    TestBitmap bitmap;
    DrawPanel(bitmap.dc, h.get(), 0);
    // The summary box: top 220, height 330, so power 125 lies at 550 - 165.
    EXPECT_EQ(ORANGE, bitmap.At(500, 385));
    EXPECT_EQ(2, bitmap.CountColour(300, 216, 301, 222, BLACK));
}

TEST_F(DisplayPanelWin, FinishedWorkoutHasNoStatusLine)
{
    GraphsOff();
    strcpy(statusLine, "Error: no monitor");
    StandInMainWindow main(800, 240);
    TestBitmap bitmap;
    DrawPanel(bitmap.dc, h.get(), 1);
    EXPECT_GT(bitmap.CountColour(0, 0, 800, 240, RED), 0);
    h->avgPower = 150;
    DrawPanel(bitmap.dc, h.get(), 1);
    EXPECT_EQ(0, bitmap.CountColour(0, 0, 800, 240, RED));
}

TEST_F(DisplayPanelWin, StatusLineBreaksOnlyAtLineBreaks)
{
    GraphsOff();
    StandInMainWindow main(800, 560);  // numbers only: still one pixel per unit
    TestBitmap bitmap;
    strcpy(statusLine, "Error: a long status line of many words that runs on far past the "
                       "right edge of the panel without any line break in it at all");
    DrawPanel(bitmap.dc, h.get(), 1);
    EXPECT_GT(bitmap.CountColour(10, 220, 800, 237, RED), 0);
    EXPECT_EQ(0, bitmap.CountColour(0, 237, 1920, 1200, RED));
    EXPECT_EQ(0, bitmap.CountColour(800, 0, 1920, 1200, RED));
    strcpy(statusLine, "Error: first\r\nsecond");
    DrawPanel(bitmap.dc, h.get(), 1);
    EXPECT_GT(bitmap.CountColour(10, 237, 800, 255, RED), 0);
}

TEST_F(DisplayPanelWin, UnitsAreGreyAndFollowTheirLine)
{
    GraphsOff();
    StandInMainWindow main(800, 240);
    TestBitmap withUnits;
    DrawPanel(withUnits.dc, h.get(), 1);
    for (int unit = TEXT_UNIT_DISTANCE; unit <= TEXT_UNIT_CALS; ++unit)
        textTable[unit][0] = '\0';
    TestBitmap withoutUnits;
    DrawPanel(withoutUnits.dc, h.get(), 1);
    EXPECT_GT(withUnits.CountColour(0, 0, 800, 240, UNIT_GREY),
              withoutUnits.CountColour(0, 0, 800, 240, UNIT_GREY) + 100);

    // "/500m" starts 3 units after the end of "Pace: 0:00.00", on the value's baseline.
    HDC measure = CreateCompatibleDC(NULL);
    HFONT font = CreateFontA(40, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH, "Arial");
    HGDIOBJ old = SelectObject(measure, font);
    SIZE extent;
    GetTextExtentPoint32A(measure, "Pace: 0:00.00", 13, &extent);
    SelectObject(measure, old);
    DeleteObject(font);
    DeleteDC(measure);
    int unitStart = 10 + extent.cx + 3;
    int firstGrey = -1;
    for (int x = unitStart - 3; x < 400 && firstGrey < 0; ++x)
        if (withUnits.CountColour(x, 100, x + 1, 120, UNIT_GREY) > 0)
            firstGrey = x;
    EXPECT_GE(firstGrey, unitStart);
    EXPECT_LE(firstGrey, unitStart + 4);
    EXPECT_EQ(0, withUnits.CountColour(unitStart, 85, 400, 99, UNIT_GREY));
}

TEST_F(DisplayPanelWin, TargetStateIsRestored)
{
    StandInMainWindow main(800, 560);
    TestBitmap bitmap;
    HFONT callerFont = (HFONT)GetStockObject(ANSI_FIXED_FONT);
    SelectObject(bitmap.dc, callerFont);
    SetTextColor(bitmap.dc, RGB(0, 0, 255));
    SetTextAlign(bitmap.dc, TA_CENTER | TA_BASELINE);
    SetMapMode(bitmap.dc, MM_LOMETRIC);
    ConstantWorkout(125, 10, 0.5, 160);
    DrawPanel(bitmap.dc, h.get(), 1);
    EXPECT_EQ(callerFont, GetCurrentObject(bitmap.dc, OBJ_FONT));
    EXPECT_EQ(BLACK, GetTextColor(bitmap.dc));
    EXPECT_EQ((UINT)(TA_LEFT | TA_TOP | TA_NOUPDATECP), GetTextAlign(bitmap.dc));
    EXPECT_EQ(MM_TEXT, GetMapMode(bitmap.dc));
    EXPECT_EQ(GetStockObject(WHITE_BRUSH), GetCurrentObject(bitmap.dc, OBJ_BRUSH));
}

}  // namespace
