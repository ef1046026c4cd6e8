// The display panel's window-free parts: sizes, layout choice, pace and the lines' texts.
#include <gtest/gtest.h>
#include <math.h>

#include "display/format_time.h"
#include "display/panel_geometry.h"
#include "tests/unit/display_test_support.h"

namespace {

class DisplayPanelGeometry : public ::testing::Test {
protected:
    void SetUp() override
    {
        LoadEnglishPanelTexts();
        SetDefaultGraphSettings();
    }
    DisplayGlobalsGuard guard;
    std::unique_ptr<StrokeHistory> h = NewHistory();
    PanelLine lines[MAX_PANEL_LINES];
};

TEST_F(DisplayPanelGeometry, LogicalHeightShrinksWithoutGraphs)
{
    EXPECT_EQ(560, PanelLogicalHeight(settings));
    settings.showHeartRate = settings.showStrokeRate = settings.showPower = settings.showPace = 0;
    EXPECT_FALSE(AnyGraphFlag(settings));
    EXPECT_EQ(240, PanelLogicalHeight(settings));
    settings.showPace = 1;
    EXPECT_EQ(560, PanelLogicalHeight(settings));
}

TEST_F(DisplayPanelGeometry, ScreenTargetsUseTheClientRectangle)
{
    PanelSize size = PanelDrawingSize(640, 480, 0, 0, 0, 0);
    EXPECT_EQ(640, size.width);
    EXPECT_EQ(480, size.height);
}

TEST_F(DisplayPanelGeometry, PrintersUseThePrintablePage)
{
    PanelSize size = PanelDrawingSize(640, 480, 2479, 3508, 50, 60);
    EXPECT_EQ(2379, size.width);
    EXPECT_EQ(3388, size.height);
}

TEST_F(DisplayPanelGeometry, FullClearCoversAtLeastTheBitmapAndTheDesktop)
{
    PanelSize small = FullClearSize(0, 0, 1280, 1024);
    EXPECT_EQ(1920, small.width);
    EXPECT_EQ(1200, small.height);
    PanelSize wide = FullClearSize(3840, 1200, 3840, 1080);
    EXPECT_EQ(3840, wide.width);
    EXPECT_EQ(1200, wide.height);
    PanelSize tall = FullClearSize(1920, 1200, 1080, 3840);
    EXPECT_EQ(1920, tall.width);
    EXPECT_EQ(3840, tall.height);
}

TEST_F(DisplayPanelGeometry, AveragePowerChoosesTheSummaryLayout)
{
    EXPECT_FALSE(UseSummaryLayout(*h));
    h->avgPower = 180;
    EXPECT_TRUE(UseSummaryLayout(*h));
}

TEST_F(DisplayPanelGeometry, LivePaceIsHundredthsPer500Metres)
{
    h->lastSample = 4;
    h->pace[4] = 0.25;
    EXPECT_STREQ("2:05.00", FormatTime(LivePaceHundredths(*h)));
    h->pace[4] = 0.123456;  // 6172.8 hundredths, truncated
    EXPECT_EQ(6172, LivePaceHundredths(*h));
    h->pace[4] = 0.0;
    EXPECT_EQ(0, LivePaceHundredths(*h));
}

TEST_F(DisplayPanelGeometry, LivePaceOfDamagedValuesStaysSane)
{
    h->pace[0] = INFINITY;
    EXPECT_EQ(0, LivePaceHundredths(*h));
    h->pace[0] = NAN;
    EXPECT_EQ(0, LivePaceHundredths(*h));
    h->pace[0] = 1e12;
    EXPECT_EQ(INT32_MAX, LivePaceHundredths(*h));
    h->pace[0] = -1e12;
    EXPECT_EQ(INT32_MIN, LivePaceHundredths(*h));
}

TEST_F(DisplayPanelGeometry, SampleIndexStaysInsideTheArrays)
{
    h->lastSample = 25000;
    EXPECT_EQ(LAST_SAMPLE_INDEX, SampleIndex(*h));
    h->lastSample = -3;
    EXPECT_EQ(0, SampleIndex(*h));
    h->lastSample = 17;
    EXPECT_EQ(17, SampleIndex(*h));
}

TEST_F(DisplayPanelGeometry, DamagedSampleCountReadsTheLastSlot)
{
    h->lastSample = 25000;
    h->power[LAST_SAMPLE_INDEX] = 321;
    ASSERT_EQ(10, FormatPanelLines(*h, lines));
    EXPECT_STREQ("Strokes: 25000", lines[4].text);
    EXPECT_STREQ("Power: 321", lines[7].text);
}

TEST_F(DisplayPanelGeometry, SummaryPaceIsTheAverageTimePer500Metres)
{
    h->workTime = 42000;  // 7:00.00
    h->distance = 2000.0;
    EXPECT_EQ(10500, SummaryPaceHundredths(*h));
    h->distance = 1999.0;  // 10505.25..., truncated
    EXPECT_EQ(10505, SummaryPaceHundredths(*h));
}

TEST_F(DisplayPanelGeometry, SummaryPaceOfNoDistanceIsZero)
{
    h->workTime = 42000;
    h->distance = 0.0;
    EXPECT_EQ(0, SummaryPaceHundredths(*h));
    h->distance = NAN;
    EXPECT_EQ(0, SummaryPaceHundredths(*h));
}

TEST_F(DisplayPanelGeometry, SummaryPaceProductWrapsAt32Bits)
{
    h->workTime = 5000000;  // x 500 = 2,500,000,000, beyond 32 bits
    h->distance = 1.0;
    EXPECT_EQ((int32_t)(2500000000u - 4294967296u), SummaryPaceHundredths(*h));
}

TEST_F(DisplayPanelGeometry, StateNamesRepeatEveryFiveStates)
{
    EXPECT_EQ(3, StateTextIndex(0));
    EXPECT_EQ(4, StateTextIndex(1));
    EXPECT_EQ(5, StateTextIndex(2));
    EXPECT_EQ(7, StateTextIndex(4));
    EXPECT_EQ(3, StateTextIndex(5));
    for (int32_t state : {-1, -7, INT32_MIN, INT32_MAX}) {
        EXPECT_GE(StateTextIndex(state), 3);
        EXPECT_LE(StateTextIndex(state), 7);
    }
}

TEST_F(DisplayPanelGeometry, LiveLayoutShowsTheNewestSample)
{
    h->workTime = 6150;
    h->distance = 1234.56;
    h->lastSample = 3;
    h->pace[3] = 0.25;
    h->strokeRate[3] = 28;
    h->heartRate[3] = 150;
    h->distancePerStroke = 10.24;
    h->power[3] = 230;
    h->calories = 42;
    h->strokeState = 4;
    ASSERT_EQ(10, FormatPanelLines(*h, lines));
    const char* expected[] = {"Time: 1:01.50", "Distance: 1234.6", "Pace: 2:05.00",
                              "Stroke Rate: 28", "Strokes: 3", "Heart Rate: 150", "DPS: 10.2",
                              "Power: 230", "Cals: 42", "State: Recovery"};
    for (int i = 0; i < 10; ++i)
        EXPECT_STREQ(expected[i], lines[i].text) << "line " << i;
}

TEST_F(DisplayPanelGeometry, LiveLayoutPlacesLinesAndUnits)
{
    ASSERT_EQ(10, FormatPanelLines(*h, lines));
    const int x[] = {10, 10, 10, 10, 10, 400, 400, 400, 400, 400};
    const int y[] = {5, 45, 85, 125, 170, 5, 45, 85, 125, 170};
    const int unit[] = {NO_UNIT, 46, 47, 48, NO_UNIT, 49, 50, 51, 52, NO_UNIT};
    const int unitY[] = {0, 60, 100, 140, 0, 20, 60, 100, 140, 0};
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(x[i], lines[i].x) << "line " << i;
        EXPECT_EQ(y[i], lines[i].y) << "line " << i;
        EXPECT_EQ(unit[i], lines[i].unitText) << "line " << i;
        if (unit[i] != NO_UNIT) {
            EXPECT_EQ(unitY[i], lines[i].unitY) << "line " << i;
        }
    }
}

TEST_F(DisplayPanelGeometry, WaitingStatesReadTheSame)
{
    h->strokeState = 0;
    FormatPanelLines(*h, lines);
    EXPECT_STREQ("State: Waiting", lines[9].text);
    h->strokeState = 1;
    FormatPanelLines(*h, lines);
    EXPECT_STREQ("State: Waiting", lines[9].text);
}

TEST_F(DisplayPanelGeometry, ZeroWorkoutReadsZeros)
{
    FormatPanelLines(*h, lines);
    EXPECT_STREQ("Time: 0:00.00", lines[0].text);
    EXPECT_STREQ("Pace: 0:00.00", lines[2].text);
    EXPECT_STREQ("Strokes: 0", lines[4].text);
    EXPECT_STREQ("Power: 0", lines[7].text);
}

TEST_F(DisplayPanelGeometry, NonFiniteMetresReadZero)
{
    h->distancePerStroke = INFINITY;
    h->distance = NAN;
    FormatPanelLines(*h, lines);
    EXPECT_STREQ("Distance: 0.0", lines[1].text);
    EXPECT_STREQ("DPS: 0.0", lines[6].text);
}

TEST_F(DisplayPanelGeometry, SummaryLayoutShowsAveragesWithoutState)
{
    h->avgPower = 187;
    h->avgStrokeRate = 27;
    h->avgHeartRate = 142;
    h->workTime = 42000;
    h->distance = 2000.0;
    h->lastSample = 210;
    h->distancePerStroke = 9.52;
    h->calories = 120;
    h->power[210] = 999;  // the newest sample must not show
    ASSERT_EQ(9, FormatPanelLines(*h, lines));
    const char* expected[] = {"Time: 7:00.00", "Distance: 2000.0", "Pace: 1:45.00",
                              "Stroke Rate: 27", "Strokes: 210", "Heart Rate: 142",
                              "DPS: 9.5", "Power: 187", "Cals: 120"};
    for (int i = 0; i < 9; ++i)
        EXPECT_STREQ(expected[i], lines[i].text) << "line " << i;
}

TEST_F(DisplayPanelGeometry, SummaryOfNoDistanceShowsZeroPace)
{
    h->avgPower = 100;
    h->workTime = 42000;
    FormatPanelLines(*h, lines);
    EXPECT_STREQ("Pace: 0:00.00", lines[2].text);
}

TEST_F(DisplayPanelGeometry, EmptyTableGivesEmptyLabels)
{
    memset(textTable, 0, sizeof textTable);
    FormatPanelLines(*h, lines);
    EXPECT_STREQ(": 0:00.00", lines[0].text);
    EXPECT_STREQ(": ", lines[9].text);
}

TEST_F(DisplayPanelGeometry, UnterminatedLabelIsCutAtItsSlot)
{
    memset(textTable[TEXT_TIME], 'T', TEXT_SLOT_SIZE);  // runs into the next slot
    FormatPanelLines(*h, lines);
    EXPECT_EQ(TEXT_SLOT_SIZE - 1 + strlen(": 0:00.00"), strlen(lines[0].text));
}

TEST_F(DisplayPanelGeometry, LiveGraphOnlyOnFullRedraws)
{
    GraphPlacement full = PanelGraphPlacement(*h, true);
    EXPECT_TRUE(full.draw);
    EXPECT_EQ(10, full.left);
    EXPECT_EQ(250, full.top);
    EXPECT_EQ(790, full.right);
    EXPECT_EQ(300, full.height);
    EXPECT_FALSE(PanelGraphPlacement(*h, false).draw);
}

TEST_F(DisplayPanelGeometry, FinishedWorkoutGraphAlwaysBelowTheNumbers)
{
    h->avgPower = 150;
    for (bool full : {true, false}) {
        GraphPlacement g = PanelGraphPlacement(*h, full);
        EXPECT_TRUE(g.draw);
        EXPECT_EQ(10, g.left);
        EXPECT_EQ(220, g.top);
        EXPECT_EQ(790, g.right);
        EXPECT_EQ(330, g.height);
    }
}

}  // namespace
