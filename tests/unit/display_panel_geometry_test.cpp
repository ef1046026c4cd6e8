// The display panel's window-free parts: sizes, layout choice, pace and the lines' texts.
#include <gtest/gtest.h>
#include <math.h>

#include <vector>

#include "display/format_time.h"
#include "display/panel_geometry.h"
#include "tests/unit/display_test_support.h"

namespace {

class DisplayPanelGeometry : public ::testing::Test {
protected:
    void SetUp() override {
        LoadEnglishPanelTexts();
        SetDefaultGraphSettings();
    }
    DisplayGlobalsGuard guard;
    std::unique_ptr<StrokeHistory> h = NewHistory();
    PanelLine lines[MAX_PANEL_LINES];
};

TEST_F(DisplayPanelGeometry, LogicalHeightShrinksWithoutGraphs) {
    EXPECT_EQ(560, PanelLogicalHeight(settings));
    settings.showHeartRate = settings.showStrokeRate = settings.showPower = settings.showPace = 0;
    EXPECT_FALSE(AnyGraphFlag(settings));
    EXPECT_EQ(240, PanelLogicalHeight(settings));
    settings.showPace = 1;
    EXPECT_EQ(560, PanelLogicalHeight(settings));
}

TEST_F(DisplayPanelGeometry, PrintersUseThePrintablePage) {
    PanelSize size = PanelDrawingSize(640, 480, 2479, 3508, 50, 60);
    EXPECT_EQ(2379, size.width);
    EXPECT_EQ(3388, size.height);
    size = PanelDrawingSize(640, 480, 0, 0, 0, 0);  // a screen: the client rectangle
    EXPECT_EQ(640, size.width);
    EXPECT_EQ(480, size.height);
}

TEST_F(DisplayPanelGeometry, LivePaceIsHundredthsPer500Metres) {
    h->lastSample = 4;
    h->pace[4] = 0.25;
    EXPECT_STREQ("2:05.00", FormatTime(LivePaceHundredths(*h)));
    h->pace[4] = 0.123456;  // 6172.8 hundredths, truncated
    EXPECT_EQ(6172, LivePaceHundredths(*h));
    h->pace[4] = 0.0;
    EXPECT_EQ(0, LivePaceHundredths(*h));
}

TEST_F(DisplayPanelGeometry, DamagedSampleCountReadsTheLastSlot) {
    h->lastSample = 25000;
    h->power[LAST_SAMPLE_INDEX] = 321;
    ASSERT_EQ(10, FormatPanelLines(*h, lines));
    EXPECT_STREQ("Strokes: 25000", lines[4].text);
    EXPECT_STREQ("Power: 321", lines[7].text);
}

TEST_F(DisplayPanelGeometry, StateNamesRepeatEveryFiveStates) {
    const int expected[] = {3, 4, 5, 6, 7, 3};
    for (int32_t state = 0; state < 6; state++)
        EXPECT_EQ(expected[state], StateTextIndex(state)) << state;
    for (int32_t state : {-1, INT32_MIN, INT32_MAX}) {
        EXPECT_GE(StateTextIndex(state), 3);
        EXPECT_LE(StateTextIndex(state), 7);
    }
}

TEST_F(DisplayPanelGeometry, LiveLayoutShowsTheNewestSample) {
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
    const char* expected[] = {"Time: 1:01.50",   "Distance: 1234.6", "Pace: 2:05.00",
                              "Stroke Rate: 28", "Strokes: 3",       "Heart Rate: 150",
                              "DPS: 10.2",       "Power: 230",       "Cals: 42",
                              "State: Recovery"};
    const int units[] = {NO_UNIT, 46, 47, 48, NO_UNIT, 49, 50, 51, 52, NO_UNIT};
    for (int i = 0; i < 10; ++i) {
        EXPECT_STREQ(expected[i], lines[i].text) << "line " << i;
        EXPECT_EQ(units[i], lines[i].unitText) << "line " << i;
        EXPECT_TRUE(units[i] == NO_UNIT || lines[i].unitY == lines[i].y + 15) << "line " << i;
    }
}

TEST_F(DisplayPanelGeometry, SummaryLayoutShowsAveragesWithoutState) {
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
    const char* expected[] = {"Time: 7:00.00",   "Distance: 2000.0", "Pace: 1:45.00",
                              "Stroke Rate: 27", "Strokes: 210",     "Heart Rate: 142",
                              "DPS: 9.5",        "Power: 187",       "Cals: 120"};
    const int units[] = {NO_UNIT, 46, 47, 48, NO_UNIT, 49, 50, 51, 52};
    for (int i = 0; i < 9; ++i) {
        EXPECT_STREQ(expected[i], lines[i].text) << "line " << i;
        EXPECT_EQ(units[i], lines[i].unitText) << "line " << i;
    }
}

TEST_F(DisplayPanelGeometry, SummaryPaceHoldsForAnyWorkTime) {
    const struct {
        int32_t workTime;
        double distance;
        int32_t pace;
    } cases[] = {{42000, 2000.0, 10500},
                 {4400000, 10000.0, 220000},  // 12:13:20 of work: beyond a 32-bit product
                 {INT32_MAX, 1.0, INT32_MAX},
                 {100, 0.0, 0}};
    for (const auto& c : cases) {
        h->workTime = c.workTime;
        h->distance = c.distance;
        EXPECT_EQ(c.pace, SummaryPaceHundredths(*h)) << c.workTime;
    }
}

TEST_F(DisplayPanelGeometry, UnterminatedLabelIsCutAtItsSlot) {
    memset(textTable[TEXT_TIME], 'T', TEXT_SLOT_SIZE);  // runs into the next slot
    FormatPanelLines(*h, lines);
    EXPECT_EQ(TEXT_SLOT_SIZE - 1 + strlen(": 0:00.00"), strlen(lines[0].text));
}

TEST_F(DisplayPanelGeometry, GraphSitsBelowTheNumbers) {
    GraphPlacement live = PanelGraphPlacement(*h, true);
    EXPECT_TRUE(live.draw);
    EXPECT_EQ((std::vector<int>{10, 250, 790, 300}),
              (std::vector<int>{live.left, live.top, live.right, live.height}));
    EXPECT_FALSE(PanelGraphPlacement(*h, false).draw);  // live: only on full redraws
    h->avgPower = 150;
    for (bool full : {true, false}) {
        GraphPlacement g = PanelGraphPlacement(*h, full);
        EXPECT_TRUE(g.draw);
        EXPECT_EQ((std::vector<int>{10, 220, 790, 330}),
                  (std::vector<int>{g.left, g.top, g.right, g.height}));
    }
}

}  // namespace
